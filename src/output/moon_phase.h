// The lit part of the Moon's disc: the half toward the Sun bounded by the
// bright limb, and the terminator, a half ellipse whose minor semi-axis is
// the radius times the cosine of the phase angle. Its area is the
// illuminated fraction (1 + cos i) / 2 of the disc.
#pragma once

#include <cstdint>
#include <vector>

namespace celvaro {

struct MoonPhase {
  // The direction toward the Sun on the chart, a unit vector with y upward.
  double towardSunX = 1, towardSunY = 0;
  // Sun-Moon-Earth: 0 full, 180 new Moon.
  double phaseAngleDeg = 0;
};

struct OutlinePoint {
  double x, y;
};

// The lit part's outline about (x, y), chart coordinates with y upward,
// `steps` points along the limb and as many along the terminator.
std::vector<OutlinePoint> litOutline(double x, double y, double radius, const MoonPhase& phase, int steps);

}  // namespace celvaro
