#include "catalog/gsc_format.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "platform/binary_file.h"
#include "platform/number_text.h"

namespace celvaro::gsc {
namespace {

struct Zone {
  const char* name;
  int firstRegion;
};

constexpr std::array<Zone, kZones> kZoneTable = {{
    {"N0000", 1},    {"N0730", 594},  {"N1500", 1178}, {"N2230", 1729}, {"N3000", 2259}, {"N3730", 2781},
    {"N4500", 3246}, {"N5230", 3652}, {"N6000", 4014}, {"N6730", 4294}, {"N7500", 4492}, {"N8230", 4615},
    {"S0000", 4663}, {"S0730", 5260}, {"S1500", 5838}, {"S2230", 6412}, {"S3000", 6989}, {"S3730", 7523},
    {"S4500", 8022}, {"S5230", 8464}, {"S6000", 8840}, {"S6730", 9134}, {"S7500", 9346}, {"S8230", 9490},
}};

constexpr int kCountColumn = 11, kCountWidth = 5;  // columns 12-16
constexpr int kHeaderValues = 9;

bool usable(const RegionScales& s) {
  for (double v : {s.raOffset, s.decOffset, s.magOffset, s.raScale, s.decScale, s.magScale}) {
    if (!std::isfinite(v)) return false;
  }
  return s.raScale > 0 && s.decScale > 0 && s.magScale > 0;
}

RegionScales scalesOf(const double (&v)[kHeaderValues]) {
  return {v[0], v[2], v[4], v[5], v[6], v[8]};
}

double wrapDegrees(double degrees) {
  const double wrapped = std::fmod(degrees, 360.0);
  return wrapped < 0 ? wrapped + 360 : wrapped;
}

Star starOf(uint32_t ra, uint32_t dec, uint32_t magnitude, const RegionScales& s) {
  const double mag = std::round((magnitude / s.magScale + s.magOffset) * 100);
  return {wrapDegrees(ra / s.raScale + s.raOffset), dec / s.decScale + s.decOffset,
          static_cast<int32_t>(std::clamp(mag, 0.0, 32767.0))};
}

double loadDouble(const uint8_t* p) {
  double v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

}  // namespace

const char* zoneName(int zone) { return zone >= 0 && zone < kZones ? kZoneTable[zone].name : ""; }

int zoneOfRegion(int region) {
  if (region < 1 || region > kRegions) return -1;
  int zone = 0;
  while (zone + 1 < kZones && kZoneTable[zone + 1].firstRegion <= region) ++zone;
  return zone;
}

int headerLength(std::string_view firstThree) {
  if (firstThree.size() < 3) return 0;
  const int length = leadingInt(firstThree.substr(0, 3));
  return length >= 1 && length <= kMaxHeaderBytes ? length : 0;
}

// The nine values follow the record count: past its digits, whatever
// blanks pad the count column.
bool parseRegionHeader(std::string_view header, int32_t& recordCount, RegionScales& scales) {
  if (header.size() < static_cast<size_t>(kCountColumn + kCountWidth)) return false;
  recordCount = leadingInt(header.substr(kCountColumn, kCountWidth));
  size_t at = header.find_first_not_of(' ', kCountColumn);
  at = header.find(' ', at == std::string_view::npos ? header.size() : at);
  double values[kHeaderValues];
  for (double& value : values) {
    at = header.find_first_not_of(' ', at == std::string_view::npos ? header.size() : at);
    if (at == std::string_view::npos) return false;
    const size_t end = std::min(header.find(' ', at), header.size());
    value = leadingDouble(header.substr(at, end - at));
    at = end;
  }
  scales = scalesOf(values);
  return usable(scales);
}

bool decodeRegionRecord(const uint8_t* r, const RegionScales& scales, Star& star) {
  const uint32_t ra = ((r[1] & 1u) << 24 | r[2] << 16 | r[3] << 8 | r[4]) >> 3;
  const uint32_t dec = (r[4] & 7u) << 16 | r[5] << 8 | r[6];
  const uint32_t magnitude = r[9] << 3 | r[10] >> 5;
  if ((r[11] & 0x70) != 0 || magnitude == 0) return false;
  star = starOf(ra, dec, magnitude, scales);
  return true;
}

bool decodeIndexRecord(const uint8_t* r, PackedRegion& region) {
  double values[kHeaderValues];
  for (int i = 0; i < kHeaderValues; ++i) values[i] = loadDouble(r + 16 + 8 * i);
  region = {static_cast<int32_t>(loadU32(r)), static_cast<int32_t>(loadU32(r + 4)),
            static_cast<int32_t>(loadU32(r + 8)), scalesOf(values)};
  return region.zone >= 0 && region.zone < kZones && region.first >= 0 && region.count >= 0 &&
         usable(region.scales);
}

Star decodeZoneRecord(const uint8_t* r, const RegionScales& scales) {
  const uint32_t a = loadU32(r), b = loadU32(r + 4);
  return starOf(b & 0x3FFFFF, a & 0x7FFFF, (a >> 19) & 0x7FF, scales);
}

}  // namespace celvaro::gsc
