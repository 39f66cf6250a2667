// Writers of the observing aids' data files (aid_file.h), shared by the
// catalog builder and the tests. Each returns the complete file as bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "aids/star_hop_guides.h"

namespace celvaro {

// The header of five words; the counts are written as given.
std::string aidFileHeader(const char* type, uint32_t records, uint32_t units);

struct CityRecord {
  std::string name;  // UTF-8
  int32_t latitudeHundredthDeg = 0;
  int32_t longitudeHundredthDeg = 0;
  int32_t timeZoneMinutes = 0;
  std::string timeZone;  // the time-zone database's name; empty: none
};

std::string cityListBytes(const std::vector<CityRecord>& cities);

struct StarHopRoute {
  int32_t object = 0;  // kind << 24 | number
  std::vector<StarHopPoint> points;
};

std::string starHopBytes(const std::vector<StarHopRoute>& routes);

struct SkyGuideRecord {
  int difficulty = 0;
  int type = 0;
  std::string doubleStarKey;  // seven characters
  int32_t deepskyCode = 0, deepskyNumber = 0;
  std::u16string name;
};

std::string skyGuideBytes(const std::vector<SkyGuideRecord>& entries);

}  // namespace celvaro
