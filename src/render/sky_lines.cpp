#include "render/sky_lines.h"

#include <cmath>
#include <numbers>

#include "astro/coordinates.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;
constexpr double kObliquityJ2000Deg = 23.4392911;

}  // namespace

void computeEcliptic(SkyPolylines& line) {
  line.clear();
  const double e = kObliquityJ2000Deg * kRadPerDeg;
  for (int i = 0; i < kSkyLinePoints; ++i) {
    const double l = i * kRadPerDeg;
    double ra = std::atan2(std::sin(l) * std::cos(e), std::cos(l));
    if (ra < 0) ra += 2 * std::numbers::pi;
    line.add(i == 0 ? 0 : 1, ra, std::asin(std::sin(e) * std::sin(l)));
  }
}

void computeHorizon(SkyPolylines& line, const LocalSky& sky) {
  line.clear();
  for (int i = 0; i < kSkyLinePoints; ++i) {
    const EquatorialPosition p = sky.j2000Of(0.0, i);
    line.add(i == 0 ? 0 : 1, p.raRad, p.decRad);
  }
}

}  // namespace celvaro
