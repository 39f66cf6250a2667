// The angle between two places on the sky by the haversine formula, written
// here apart from the program's own.
#pragma once

#include <cmath>
#include <numbers>

namespace celvaro::testing {

inline double separationDeg(double ra1Deg, double dec1Deg, double ra2Deg, double dec2Deg) {
  constexpr double kDeg = std::numbers::pi / 180;
  const double h = std::pow(std::sin((dec2Deg - dec1Deg) * kDeg / 2), 2) +
                   std::cos(dec1Deg * kDeg) * std::cos(dec2Deg * kDeg) * std::pow(std::sin((ra2Deg - ra1Deg) * kDeg / 2), 2);
  return 2 * std::asin(std::sqrt(h)) / kDeg;
}

}  // namespace celvaro::testing
