// Where the observer stands.
#pragma once

#include <cstdint>

namespace celvaro {

struct ObservingPlace {
  int cityIndex = -1;          // index into the city list, -1: none chosen
  double latitudeDeg = 47.0;   // north positive
  double longitudeDeg = 19.5;  // east positive
  double timeZoneHours = 1.0;  // east of Greenwich positive
  uint8_t daylightSaving = 1;  // 1: one hour is added to the zone time
};

}  // namespace celvaro
