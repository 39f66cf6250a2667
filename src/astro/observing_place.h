// Where the observer stands.
#pragma once

#include <cstdint>
#include <string>

namespace celvaro {

struct ObservingPlace {
  int cityIndex = -1;          // index into the city list, -1: none chosen
  double latitudeDeg = 47.0;   // north positive
  double longitudeDeg = 19.5;  // east positive
  double timeZoneHours = 1.0;  // east of Greenwich positive
  uint8_t daylightSaving = 1;  // 1: one hour is added to the zone time
  // The time-zone database's name of the place's zone ("Europe/Budapest");
  // when set, the two fields above follow its rules for the chart's date.
  std::string timeZoneName{};
};

}  // namespace celvaro
