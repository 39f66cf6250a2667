#include "platform/time_zone_rules.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>

#include "platform/binary_file.h"

namespace celvaro {
namespace {

constexpr size_t kHeaderBytes = 44;
constexpr int32_t kMaxOffsetSeconds = 26 * 3600;  // no clock on Earth is further from Greenwich
constexpr size_t kMaxZoneFileBytes = 1 << 20;

// The header's six counts, in the order the file gives them.
struct Counts {
  uint32_t isUt = 0, isStd = 0, leap = 0, time = 0, type = 0, chars = 0;
};

// Takes a zone file apart from the front, each read checked against its end.
class Cursor {
 public:
  explicit Cursor(std::string_view bytes) : bytes_(bytes) {}
  bool has(size_t count) const { return count <= bytes_.size() - at_; }
  bool skip(size_t count) {
    if (!has(count)) return false;
    at_ += count;
    return true;
  }
  // A big-endian signed number of `size` bytes; the caller checks has().
  int64_t number(size_t size) {
    uint64_t value = 0;
    for (size_t i = 0; i < size; ++i) value = (value << 8) | static_cast<uint8_t>(bytes_[at_++]);
    const int shift = static_cast<int>(64 - 8 * size);
    return static_cast<int64_t>(value << shift) >> shift;
  }
  uint8_t byte() { return static_cast<uint8_t>(bytes_[at_++]); }
  std::string_view rest() const { return bytes_.substr(at_); }

 private:
  std::string_view bytes_;
  size_t at_ = 0;
};

// The magic, the version and the counts; false for a file too short or not a zone file.
bool readHeader(Cursor& in, char& version, Counts& c) {
  if (!in.has(kHeaderBytes) || in.rest().substr(0, 4) != "TZif") return false;
  in.skip(4);
  version = static_cast<char>(in.byte());
  in.skip(15);
  for (uint32_t* count : {&c.isUt, &c.isStd, &c.leap, &c.time, &c.type, &c.chars}) {
    *count = static_cast<uint32_t>(in.number(4));
  }
  return c.type >= 1 && c.type <= 256 && c.time <= 100000 && c.chars <= 1024 && c.leap <= 1000 &&
         (c.isUt == 0 || c.isUt == c.type) && (c.isStd == 0 || c.isStd == c.type);
}

size_t dataBytes(const Counts& c, size_t timeSize) {
  return c.time * timeSize + c.time + c.type * 6 + c.chars + c.leap * (timeSize + 4) + c.isStd + c.isUt;
}

// "\nCET-1CEST,M3.5.0,M10.5.0/3\n" after the second data block; "\n\n" for
// a zone with no rule after its last change. False for anything else.
bool readFooter(std::string_view footer, std::optional<PosixZoneRule>& rule) {
  const size_t end = footer.size() >= 2 && footer.front() == '\n' ? footer.find('\n', 1) : std::string_view::npos;
  if (end == std::string_view::npos) return false;
  rule = PosixZoneRule::parse(footer.substr(1, end - 1));
  return end == 1 || rule.has_value();
}

bool isZoneName(const std::string& name) {
  if (name.empty() || name.size() > 255 || name.front() == '/' || name.find("..") != std::string::npos) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' || c == '_' ||
           c == '-' || c == '+';
  });
}

std::string zoneDirectory() {
  const char* dir = std::getenv("TZDIR");
  return dir && *dir ? dir : "/usr/share/zoneinfo";
}

// "Europe/Budapest", not "Etc/UTC", "UTC" or "CET": a zone of a region.
bool namesARegion(const std::string& name) {
  return name.find('/') != std::string::npos && name.rfind("Etc/", 0) != 0 && TimeZoneRules::named(name);
}

std::string configuredZoneName() {
  const char* tz = std::getenv("TZ");
  if (tz && *tz) return tz[0] == ':' ? tz + 1 : tz;
  // /etc/localtime links to the zone's file; where it is a copy, /etc/timezone names it.
  char link[512];
  const ssize_t n = readlink("/etc/localtime", link, sizeof link - 1);
  const std::string target = n > 0 ? std::string(link, static_cast<size_t>(n)) : "";
  const size_t at = target.find("zoneinfo/");
  std::string name = at != std::string::npos ? target.substr(at + 9) : "";
  if (name.empty() && readWholeFile("/etc/timezone", name)) name = name.substr(0, name.find_first_of(" \t\r\n"));
  return name;
}

}  // namespace

bool TimeZoneRules::parse(std::string_view bytes) {
  *this = TimeZoneRules();
  Cursor in(bytes);
  char version = 0;
  Counts c;
  if (!readHeader(in, version, c)) return false;
  size_t timeSize = 4;
  // Version 2 and later repeat the data with 64-bit times after the first block.
  if (version != 0) {
    if (!in.skip(dataBytes(c, 4)) || !readHeader(in, version, c)) return false;
    timeSize = 8;
  }
  if (!in.has(dataBytes(c, timeSize))) return false;
  std::vector<int64_t> times(c.time);
  for (int64_t& t : times) t = in.number(timeSize);
  std::vector<uint8_t> typeOf(c.time);
  for (uint8_t& t : typeOf) t = in.byte();
  std::vector<int32_t> offsets(c.type);
  std::vector<bool> daylight(c.type);
  for (uint32_t i = 0; i < c.type; ++i) {
    offsets[i] = static_cast<int32_t>(in.number(4));
    daylight[i] = in.byte() != 0;
    in.skip(1);
    if (offsets[i] < -kMaxOffsetSeconds || offsets[i] > kMaxOffsetSeconds) return false;
  }
  if (!std::is_sorted(times.begin(), times.end()) ||
      std::any_of(typeOf.begin(), typeOf.end(), [&](uint8_t t) { return t >= c.type; })) {
    return false;
  }
  in.skip(dataBytes(c, timeSize) - c.time * (timeSize + 1) - c.type * 6);
  if (timeSize == 8 && !readFooter(in.rest(), rule_)) return false;
  // A summer type's standard time is the last standard time before it (the first one at the start).
  const auto firstStandard = std::find(daylight.begin(), daylight.end(), false);
  int32_t standard = firstStandard == daylight.end() ? offsets[0] : offsets[firstStandard - daylight.begin()];
  first_ = {offsets[0], daylight[0] ? standard : offsets[0]};
  for (uint32_t i = 0; i < c.time; ++i) {
    if (!daylight[typeOf[i]]) standard = offsets[typeOf[i]];
    states_.push_back({offsets[typeOf[i]], standard});
  }
  transitions_ = std::move(times);
  return true;
}

ZoneState TimeZoneRules::at(int64_t unixSeconds) const {
  if (rule_ && (transitions_.empty() || unixSeconds >= transitions_.back())) return rule_->at(unixSeconds);
  const auto after = std::upper_bound(transitions_.begin(), transitions_.end(), unixSeconds);
  return after == transitions_.begin() ? first_ : states_[after - transitions_.begin() - 1];
}

const TimeZoneRules* TimeZoneRules::named(const std::string& name) {
  static std::mutex guard;
  static std::map<std::string, std::unique_ptr<TimeZoneRules>> kept;
  const std::lock_guard lock(guard);
  const auto found = kept.find(name);
  if (found != kept.end()) return found->second.get();
  auto rules = std::make_unique<TimeZoneRules>();
  std::string bytes;
  const bool read = isZoneName(name) && readWholeFile(zoneDirectory() + "/" + name, bytes) &&
                    bytes.size() <= kMaxZoneFileBytes && rules->parse(bytes);
  return (kept[name] = read ? std::move(rules) : nullptr).get();
}

std::string systemTimeZoneName() {
  const std::string name = configuredZoneName();
  return namesARegion(name) ? name : "";
}

}  // namespace celvaro
