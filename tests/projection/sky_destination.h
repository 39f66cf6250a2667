// The place at an angular distance from another toward a bearing, by the
// destination formula of spherical trigonometry, written apart from the
// projections.
#pragma once

#include <cmath>
#include <numbers>

namespace celvaro::testing {

struct SkyPlace {
  double ra, dec;  // radians
};

// `distance` from `from` toward `bearing` (from the north through the east).
inline SkyPlace destination(SkyPlace from, double distance, double bearing) {
  const double dec = std::asin(std::sin(from.dec) * std::cos(distance) +
                               std::cos(from.dec) * std::sin(distance) * std::cos(bearing));
  const double ra = from.ra + std::atan2(std::sin(bearing) * std::sin(distance) * std::cos(from.dec),
                                         std::cos(distance) - std::sin(from.dec) * std::sin(dec));
  return {std::fmod(ra + 4 * std::numbers::pi, 2 * std::numbers::pi), dec};
}

}  // namespace celvaro::testing
