// Measures of an area of rings on the chart, for the tests of filled layers.
#pragma once

#include <cmath>
#include <cstdint>

#include "output/area_rings.h"

namespace celvaro::testing {

// The area the rings enclose by the even-odd rule, for rings that neither
// cross nor nest: the sum of their sizes (shoelace).
inline double enclosedArea(const AreaRings& area) {
  double sum = 0;
  for (size_t ring = 0; ring < area.ends.size(); ++ring) {
    double twice = 0;
    const uint32_t first = area.ringStart(ring), end = area.ends[ring];
    for (uint32_t i = first; i < end; ++i) {
      const uint32_t j = i + 1 == end ? first : i + 1;
      twice += static_cast<double>(area.x[i]) * area.y[j] - static_cast<double>(area.x[j]) * area.y[i];
    }
    sum += std::fabs(twice) / 2;
  }
  return sum;
}

// Even-odd: a ray to the right crosses the rings' edges an odd number of times.
inline bool covers(const AreaRings& area, double px, double py) {
  bool inside = false;
  for (size_t ring = 0; ring < area.ends.size(); ++ring) {
    const uint32_t first = area.ringStart(ring), end = area.ends[ring];
    for (uint32_t i = first; i < end; ++i) {
      const uint32_t j = i + 1 == end ? first : i + 1;
      const double xi = area.x[i], yi = area.y[i], xj = area.x[j], yj = area.y[j];
      if ((yi > py) != (yj > py) && px < xi + (py - yi) * (xj - xi) / (yj - yi)) inside = !inside;
    }
  }
  return inside;
}

}  // namespace celvaro::testing
