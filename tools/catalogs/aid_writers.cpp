#include "aid_writers.h"

#include <map>

#include "catalog_writers.h"
#include "platform/binary_file.h"

namespace celvaro {

std::string aidFileHeader(const char* type, uint32_t records, uint32_t units) {
  std::string out = "CLV_" + std::string(type, 4);
  appendU32(out, kAidVersion);
  appendU32(out, records);
  appendU32(out, units);
  return out;
}

// The cities' names, then each zone's name once.
std::string cityListBytes(const std::vector<CityRecord>& cities) {
  std::string names;
  for (const CityRecord& city : cities) names += city.name + '\0';
  std::map<std::string, uint32_t> zoneOffsets;
  for (const CityRecord& city : cities) {
    if (!city.timeZone.empty() && zoneOffsets.emplace(city.timeZone, names.size()).second) names += city.timeZone + '\0';
  }
  std::string records;
  uint32_t nameOffset = 0;
  for (const CityRecord& city : cities) {
    appendU32(records, static_cast<uint32_t>(city.latitudeHundredthDeg));
    appendU32(records, static_cast<uint32_t>(city.longitudeHundredthDeg));
    appendU32(records, static_cast<uint32_t>(city.timeZoneMinutes));
    appendU32(records, nameOffset);
    appendU32(records, city.timeZone.empty() ? 0 : zoneOffsets[city.timeZone]);
    nameOffset += static_cast<uint32_t>(city.name.size() + 1);
  }
  return aidFileHeader(kCityFormat.type, static_cast<uint32_t>(cities.size()), static_cast<uint32_t>(names.size())) +
         records + names;
}

std::string starHopBytes(const std::vector<StarHopRoute>& routes) {
  std::string records, points;
  uint32_t pointCount = 0;
  for (const StarHopRoute& route : routes) {
    appendU32(records, pointCount);
    appendU32(records, static_cast<uint32_t>(route.points.size()));
    appendU32(records, static_cast<uint32_t>(route.object));
    appendU32(records, 0);
    for (const StarHopPoint& point : route.points) {
      appendDouble(points, point.raRad);
      appendDouble(points, point.decRad);
    }
    pointCount += static_cast<uint32_t>(route.points.size());
  }
  return aidFileHeader(kStarHopFormat.type, static_cast<uint32_t>(routes.size()), pointCount) + records + points;
}

std::string skyGuideBytes(const std::vector<SkyGuideRecord>& entries) {
  std::string records, text;
  uint32_t units = 0;
  for (const SkyGuideRecord& e : entries) {
    records += static_cast<char>(e.difficulty);
    records += static_cast<char>(e.type);
    records += std::string(2, '\0');
    if (e.type == kSuggestDouble) {
      records += (e.doubleStarKey + std::string(8, ' ')).substr(0, 8);
    } else {
      appendU32(records, static_cast<uint32_t>(e.deepskyCode));
      appendU32(records, static_cast<uint32_t>(e.deepskyNumber));
    }
    appendU32(records, units);
    appendU32(records, 0);
    for (char16_t c : e.name + u'\0') appendU16(text, c);
    units += static_cast<uint32_t>(e.name.size() + 1);
  }
  return aidFileHeader(kSkyGuideFormat.type, static_cast<uint32_t>(entries.size()), units) + records + text;
}

}  // namespace celvaro
