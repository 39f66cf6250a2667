#include "catalog/constellation_regions.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "astro/constellation_list.h"
#include "catalog/sky_polylines.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

double wrappedDegrees(double d) { return d - 360 * std::floor((d + 180) / 360); }

// A J2000 position carried to the mean equinox of B1875.0: the IAU 1976
// precession (Lieske), in the form of Meeus, Astronomical Algorithms, 21.2
// and 21.4. Degrees in, degrees out.
std::pair<double, double> atEquinox1875(double raDeg, double decDeg) {
  constexpr double kB1875 = 2405889.258550475, kJ2000 = 2451545.0;
  constexpr double t = (kB1875 - kJ2000) / 36525, kArcsec = kRadPerDeg / 3600;
  const double zeta = (2306.2181 * t + 0.30188 * t * t + 0.017998 * t * t * t) * kArcsec;
  const double z = (2306.2181 * t + 1.09468 * t * t + 0.018203 * t * t * t) * kArcsec;
  const double theta = (2004.3109 * t - 0.42665 * t * t - 0.041833 * t * t * t) * kArcsec;
  const double ra = raDeg * kRadPerDeg + zeta, dec = decDeg * kRadPerDeg;
  const double a = std::cos(dec) * std::sin(ra);
  const double b = std::cos(theta) * std::cos(dec) * std::cos(ra) - std::sin(theta) * std::sin(dec);
  const double c = std::sin(theta) * std::cos(dec) * std::cos(ra) + std::cos(theta) * std::sin(dec);
  return {(std::atan2(a, b) + z) / kRadPerDeg, std::asin(std::clamp(c, -1.0, 1.0)) / kRadPerDeg};
}

using PointsDeg = std::vector<std::pair<double, double>>;

// Whether the way from a through b on to c is one straight edge of less
// than half a turn in right ascension (differences taken the short way
// round), so that b can go without changing the region.
bool onEdge(const std::pair<double, double>& a, const std::pair<double, double>& b,
            const std::pair<double, double>& c) {
  const double x1 = wrappedDegrees(b.first - a.first), y1 = b.second - a.second;
  const double x2 = wrappedDegrees(c.first - b.first), y2 = c.second - b.second;
  const double cross = x1 * y2 - y1 * x2, dot = x1 * x2 + y1 * y2;
  constexpr double kTolerance = 1e-9;
  return std::abs(cross) <= kTolerance * std::sqrt((x1 * x1 + y1 * y1) * (x2 * x2 + y2 * y2)) && dot > 0 &&
         std::abs(x1 + x2) < 180;
}

// The corners of a closed ring: repeated points go, then every point on
// the edge from the last corner kept to the point after it.
PointsDeg cornersOf(const PointsDeg& ring) {
  PointsDeg points;
  for (const auto& p : ring) {
    if (points.empty() || p != points.back()) points.push_back(p);
  }
  while (points.size() > 1 && points.back() == points.front()) points.pop_back();
  PointsDeg corners;
  for (size_t i = 0; i < points.size(); ++i) {
    const auto& next = points[(i + 1) % points.size()];
    if (corners.empty() || !onEdge(corners.back(), points[i], next)) corners.push_back(points[i]);
  }
  return corners;
}

// The integral of sin(dec) d(ra) along a straight edge, radians.
double sineIntegral(double ra1Deg, double dec1Deg, double ra2Deg, double dec2Deg) {
  const double span = wrappedDegrees(ra2Deg - ra1Deg) * kRadPerDeg;
  const double d1 = dec1Deg * kRadPerDeg, d2 = dec2Deg * kRadPerDeg;
  if (std::abs(d2 - d1) < 1e-12) return span * std::sin(d1);
  return span * (std::cos(d1) - std::cos(d2)) / (d2 - d1);
}

}  // namespace

void ConstellationRegions::addRing(int constellation, const Corners& corners) {
  PointsDeg points;
  for (const auto& [ra, dec] : corners) points.emplace_back(ra / kRadPerDeg, dec / kRadPerDeg);
  Ring ring{constellation, {}};
  for (const auto& [ra, dec] : cornersOf(points)) ring.cornersDeg.push_back(atEquinox1875(ra, dec));
  if (ring.cornersDeg.size() >= 3) rings_.push_back(std::move(ring));
}

std::vector<ConstellationRegions::Corners> boundaryRings(const SkyPolylines& boundaries) {
  std::vector<ConstellationRegions::Corners> rings;
  for (int i = 0; i < boundaries.count(); ++i) {
    if (boundaries.pen()[i] == 0 || rings.empty()) rings.emplace_back();
    rings.back().emplace_back(boundaries.ra()[i], boundaries.dec()[i]);
  }
  return rings;
}

bool ConstellationRegions::load(const SkyPolylines& boundaries) {
  rings_.clear();
  const std::vector<Corners> rings = boundaryRings(boundaries);
  if (rings.size() != static_cast<size_t>(kConstellationCount)) return false;
  for (int n = 0; n < kConstellationCount; ++n) addRing(n, rings[n]);
  if (rings_.size() == rings.size()) return true;
  rings_.clear();
  return false;
}

// Ray casting northward along the position's meridian up to the pole. A
// ring that runs once round in right ascension holds a pole: the northern
// one is crossed by no such ray from inside, so its count is turned over.
bool ConstellationRegions::holds(const Ring& ring, double raDeg, double decDeg) {
  const PointsDeg& c = ring.cornersDeg;
  bool inside = false;
  double winding = 0;
  for (size_t i = 0; i < c.size(); ++i) {
    const auto [ra1, dec1] = c[i];
    const auto [ra2, dec2] = c[(i + 1) % c.size()];
    const double span = wrappedDegrees(ra2 - ra1), x1 = wrappedDegrees(ra1 - raDeg), x2 = x1 + span;
    winding += span;
    if ((x1 >= 0) != (x2 >= 0) && dec1 + (dec2 - dec1) * -x1 / span > decDeg) inside = !inside;
  }
  const bool northPole = std::abs(winding) > 180 && c.front().second > 0;
  return northPole ? !inside : inside;
}

int ConstellationRegions::constellationAt(double raRad, double decRad) const {
  const auto [ra, dec] = atEquinox1875(raRad / kRadPerDeg, decRad / kRadPerDeg);
  for (const Ring& ring : rings_) {
    if (holds(ring, ra, dec)) return ring.constellation;
  }
  return -1;
}

// The area between the ring and a pole is the integral of (1 -+ sin dec)
// d(ra) along it; a ring round neither pole encloses the integral of
// sin dec d(ra) alone, the right ascension coming back to where it began.
double ConstellationRegions::areaSquareDegrees(const Ring& ring) {
  const PointsDeg& c = ring.cornersDeg;
  double winding = 0, sines = 0;
  for (size_t i = 0; i < c.size(); ++i) {
    const auto [ra1, dec1] = c[i];
    const auto [ra2, dec2] = c[(i + 1) % c.size()];
    winding += wrappedDegrees(ra2 - ra1) * kRadPerDeg;
    sines += sineIntegral(ra1, dec1, ra2, dec2);
  }
  double steradians = std::abs(sines);
  if (std::abs(winding) > std::numbers::pi) {
    steradians = std::abs(c.front().second > 0 ? winding - sines : winding + sines);
  }
  return steradians / (kRadPerDeg * kRadPerDeg);
}

double ConstellationRegions::areaSquareDegrees(int constellation) const {
  double area = 0;
  for (const Ring& ring : rings_) {
    if (ring.constellation == constellation) area += areaSquareDegrees(ring);
  }
  return area;
}

}  // namespace celvaro
