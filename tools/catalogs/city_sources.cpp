#include "city_sources.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "big_endian_stream.h"
#include "platform/utf_text.h"
#include "sky_sources.h"

namespace celvaro {
namespace {

std::string text(BigEndianStream& in) { return utf16ToUtf8(in.utf16Text()); }

// One record: key, name, state, region, role (a UTF-16 unit), population,
// latitude, longitude, altitude, light pollution, time zone, planet,
// landscape and a user flag.
SourceLocation readLocation(BigEndianStream& in) {
  SourceLocation l;
  text(in);  // key
  l.name = text(in);
  text(in);  // state
  l.region = text(in);
  l.role = static_cast<char>(in.u16());
  l.population = static_cast<int32_t>(in.u32());
  l.latitudeDeg = in.f64();
  l.longitudeDeg = in.f64();
  in.u32();  // altitude
  in.u32();  // light pollution
  l.timeZone = text(in);
  l.onEarth = text(in) == "Earth";
  text(in);  // landscape
  in.u8();
  return l;
}

}  // namespace

bool readStellariumLocations(const std::string& gzipPath, std::vector<SourceLocation>& locations) {
  std::string bytes;
  if (!readGzipFile(gzipPath, bytes)) {
    std::fprintf(stderr, "cannot read %s\n", gzipPath.c_str());
    return false;
  }
  BigEndianStream in(bytes);
  const uint32_t count = in.u32();
  for (uint32_t i = 0; i < count && !in.failed(); ++i) locations.push_back(readLocation(in));
  if (in.failed() || locations.empty()) {
    std::fprintf(stderr, "%s ends inside its %u locations\n", gzipPath.c_str(), count);
    return false;
  }
  return true;
}

bool readZoneCountries(const std::string& zoneTab, const std::string& tzdataZi,
                       std::map<std::string, std::string>& countries) {
  std::ifstream tab(zoneTab), zi(tzdataZi);
  if (!tab || !zi) {
    std::fprintf(stderr, "cannot read %s or %s\n", zoneTab.c_str(), tzdataZi.c_str());
    return false;
  }
  for (std::string line; std::getline(tab, line);) {
    std::istringstream fields(line);
    std::string code, coordinates, zone;
    if (line.starts_with('#') || !(fields >> code >> coordinates >> zone)) continue;
    countries[zone] = code;
  }
  for (std::string line; std::getline(zi, line);) {
    std::istringstream fields(line);
    std::string kind, target, link;
    if (!(fields >> kind >> target >> link) || kind != "L") continue;
    if (auto found = countries.find(target); found != countries.end()) countries.try_emplace(link, found->second);
  }
  return !countries.empty();
}

// The offset of whichever of mid-January and mid-July is not daylight
// saving time (both are not, where the zone keeps none).
std::optional<int> standardOffsetMinutes(const std::string& zone) {
  if (zone.empty() || !std::filesystem::exists("/usr/share/zoneinfo/" + zone)) return std::nullopt;
  setenv("TZ", zone.c_str(), 1);
  tzset();
  for (std::time_t at : {std::time_t{1736899200}, std::time_t{1752537600}}) {  // 2025-01-15, 2025-07-15
    std::tm local;
    if (localtime_r(&at, &local) && local.tm_isdst == 0) return static_cast<int>(local.tm_gmtoff / 60);
  }
  return std::nullopt;
}

}  // namespace celvaro
