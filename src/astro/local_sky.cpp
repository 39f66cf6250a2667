#include "astro/local_sky.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;
constexpr double kLowestFormulaAltitudeDeg = -1.0;
constexpr int kInverseSteps = 12;
// The Earth's equatorial radius in AU and its polar radius over it (WGS 84).
constexpr double kEarthRadiusAu = 6378.137 / 149597870.7;
constexpr double kPolarRatio = 0.99664719;

}  // namespace

// Saemundsson's formula, R = 1.02' / tan(h + 10.3 / (h + 5.11)), h the true
// altitude in degrees, with the small constant that makes it 0 at the zenith.
double refractionDeg(double trueAltitudeDeg) {
  const double h = std::max(trueAltitudeDeg, kLowestFormulaAltitudeDeg);
  return (1.02 / std::tan((h + 10.3 / (h + 5.11)) * kRadPerDeg) + 0.0019279) / 60.0;
}

// The lift changes by at most a fifth of the altitude's change: each
// fixed-point step gains a digit, a dozen reach far below an arcsecond.
double unrefractedAltitudeDeg(double apparentAltitudeDeg) {
  double h = apparentAltitudeDeg;
  for (int i = 0; i < kInverseSteps; ++i) h = apparentAltitudeDeg - refractionDeg(h);
  return h;
}

LocalSky::LocalSky(double julianDateUt, double latitudeDeg, double longitudeDeg, bool refraction)
    : date_(julianDateUt), latitudeDeg_(latitudeDeg), longitudeDeg_(longitudeDeg), refraction_(refraction) {}

HorizontalPosition LocalSky::horizontalOf(double raRad, double decRad) const {
  const EquatorialPosition apparent = date_.apparentOf(raRad, decRad);
  HorizontalPosition p =
      equatorialToHorizontal(apparent.raRad, apparent.decRad, latitudeDeg_, longitudeDeg_, date_.siderealHours());
  if (refraction_) p.altitudeDeg = std::min(90.0, p.altitudeDeg + refractionDeg(p.altitudeDeg));
  return p;
}

EquatorialPosition LocalSky::j2000Of(double altitudeDeg, double azimuthDeg) const {
  const double trueAltitude = refraction_ ? unrefractedAltitudeDeg(altitudeDeg) : altitudeDeg;
  const EquatorialPosition apparent =
      horizontalToEquatorial(trueAltitude, azimuthDeg, latitudeDeg_, longitudeDeg_, date_.siderealHours());
  return date_.j2000Of(apparent.raRad, apparent.decRad);
}


// The observer's place in the true equator of the date: on the ellipsoid
// at sea level, at the local apparent sidereal angle; turned back to J2000.
EquatorialPosition LocalSky::topocentricOf(const EquatorialPosition& geocentric, double distanceAu) const {
  const double phi = latitudeDeg_ * kRadPerDeg;
  const double u = std::atan(kPolarRatio * std::tan(phi));
  const double angle = date_.siderealHours() * std::numbers::pi / 12.0 + longitudeDeg_ * kRadPerDeg;
  const Vector3 ofDate{std::cos(u) * std::cos(angle), std::cos(u) * std::sin(angle), kPolarRatio * std::sin(u)};
  const Vector3 observer = date_.precessionNutation().applyInverse(ofDate);
  const Vector3 body = unitVectorOf(geocentric.raRad, geocentric.decRad);
  return equatorialOf({distanceAu * body.x - kEarthRadiusAu * observer.x, distanceAu * body.y - kEarthRadiusAu * observer.y,
                       distanceAu * body.z - kEarthRadiusAu * observer.z});
}

}  // namespace celvaro
