#include "astro/local_sky.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;
constexpr double kLowestFormulaAltitudeDeg = -1.0;
constexpr int kInverseSteps = 12;
// ERFA's A tan z + B tan^3 z holds down to some 15 degrees; lower, where
// it flattens out at 11' while the air lifts the horizon by 34', the lift
// follows Saemundsson's formula, shifted to meet ERFA's there.
constexpr double kLowRefractionBelowDeg = 15.0;

// Saemundsson's formula, R = 1.02' / tan(h + 10.3 / (h + 5.11)), h the
// true altitude in degrees; below -1 degree the lift at -1 is kept.
double lowRefractionDeg(double trueAltitudeDeg) {
  const double h = std::max(trueAltitudeDeg, kLowestFormulaAltitudeDeg);
  return 1.02 / std::tan((h + 10.3 / (h + 5.11)) * kRadPerDeg) / 60.0;
}

// The coefficients A and B for the standard conditions: 1010 hPa, 10
// degrees Celsius, half the air's moisture, yellow-green light.
struct RefractionCoefficients {
  double a, b;
  RefractionCoefficients() { eraRefco(1010.0, 10.0, 0.5, 0.55, &a, &b); }
  double liftDeg(double trueAltitudeDeg) const {
    const double tanZ = 1.0 / std::tan(trueAltitudeDeg * kRadPerDeg);
    return (a + b * tanZ * tanZ) * tanZ / kRadPerDeg;
  }
};

const RefractionCoefficients& standardAir() {
  static const RefractionCoefficients coefficients;
  return coefficients;
}

}  // namespace

double refractionDeg(double trueAltitudeDeg) {
  const RefractionCoefficients& air = standardAir();
  if (trueAltitudeDeg >= kLowRefractionBelowDeg) return trueAltitudeDeg >= 90.0 ? 0.0 : air.liftDeg(trueAltitudeDeg);
  static const double shift = air.liftDeg(kLowRefractionBelowDeg) - lowRefractionDeg(kLowRefractionBelowDeg);
  return lowRefractionDeg(trueAltitudeDeg) + shift;
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


// The observer's place on the WGS 84 ellipsoid at sea level, turned by the
// apparent sidereal time onto the true equator of the date, then back to
// J2000.
Vector3 LocalSky::observerAu() const {
  double terrestrial[3];
  eraGd2gc(ERFA_WGS84, longitudeDeg_ * kRadPerDeg, latitudeDeg_ * kRadPerDeg, 0.0, terrestrial);
  const double angle = date_.siderealHours() * std::numbers::pi / 12.0;
  const double c = std::cos(angle), s = std::sin(angle);
  const Vector3 ofDate{(c * terrestrial[0] - s * terrestrial[1]) / ERFA_DAU,
                       (s * terrestrial[0] + c * terrestrial[1]) / ERFA_DAU, terrestrial[2] / ERFA_DAU};
  return date_.precessionNutation().applyInverse(ofDate);
}

EquatorialPosition LocalSky::topocentricOf(const EquatorialPosition& geocentric, double distanceAu) const {
  const Vector3 observer = observerAu();
  const Vector3 body = unitVectorOf(geocentric.raRad, geocentric.decRad);
  return equatorialOf({distanceAu * body.x - observer.x, distanceAu * body.y - observer.y,
                       distanceAu * body.z - observer.z});
}

}  // namespace celvaro
