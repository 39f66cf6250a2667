// What the user asks of the tracks: one point per day from the chart's
// instant, a mark every few days and a date on every few marks.
#pragma once

#include <array>
#include <cstdint>

#include "solarsystem/object_identifier.h"

namespace celvaro {

struct PlanetTrackSettings {
  std::array<uint8_t, kBodyCount> bodies{};
  uint8_t dateLabels = 1;
  int32_t days = 200;
  int32_t markInterval = 20;        // days; 0 no marks
  int32_t labelStep = 2;            // a date on every n-th mark
  int32_t reserved = 10;

  bool operator==(const PlanetTrackSettings&) const = default;
};

// The track of one comet or one asteroid; the object is the one selected.
struct MinorBodyTrackSettings {
  uint8_t shown = 0;
  uint8_t dateLabels = 1;
  int32_t days = 100;
  int32_t markInterval = 10;
  int32_t labelStep = 2;
  int32_t object = -1;              // object identifier, -1 none

  bool operator==(const MinorBodyTrackSettings&) const = default;
};

}  // namespace celvaro
