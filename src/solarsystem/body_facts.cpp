#include "solarsystem/body_facts.h"

#include <cmath>
#include <numbers>

#include "astro/apparent_place.h"
#include "solarsystem/object_identifier.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;
// The mean obliquity of the ecliptic at J2000 (IAU 1976).
constexpr double kObliquityJ2000Rad = 23.4392911 * kRadPerDeg;
// The Sun's visual magnitude at 1 AU (Allen, Astrophysical Quantities).
constexpr double kSunMagnitudeAt1Au = -26.74;

double dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vector3 cross(const Vector3& a, const Vector3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Whether a body stands east of the Sun: ahead of it in ecliptic longitude
// by less than half a turn, seen from the ecliptic's north pole.
bool eastOfSun(const EquatorialPosition& body, const EquatorialPosition& sun) {
  const Vector3 pole{0, -std::sin(kObliquityJ2000Rad), std::cos(kObliquityJ2000Rad)};
  return dot(cross(unitVectorOf(sun.raRad, sun.decRad), unitVectorOf(body.raRad, body.decRad)), pole) > 0;
}

// The Sun - Earth - body triangle. From the angle psi at the Earth between
// the body and the Sun and their distances from the Earth follow the
// body's distance r from the Sun and the phase angle i at the body:
// r^2 = R^2 + delta^2 - 2 R delta cos psi, tan i = R sin psi / (delta - R cos psi)
// (Meeus, Astronomical Algorithms, 48.3).
void solveTriangle(BodyFacts& facts, const EquatorialPosition& body, double julianDateUt) {
  const double tt = dynamicalJulianDate(julianDateUt);
  const BodyPosition sunPlace = majorBodyAt(kSun, tt);
  const EquatorialPosition sun{sunPlace.raRad, sunPlace.decRad};
  const double sunAu = sunPlace.earthDistanceAu, delta = facts.earthDistanceAu;
  const double psiDeg = separationAndAngle(sun.raRad, sun.decRad, body.raRad, body.decRad, false).arcmin / 60;
  const double psi = psiDeg * kRadPerDeg;
  facts.sunDistanceAu = std::sqrt(sunAu * sunAu + delta * delta - 2 * sunAu * delta * std::cos(psi));
  facts.phaseAngleDeg = std::atan2(sunAu * std::sin(psi), delta - sunAu * std::cos(psi)) / kRadPerDeg;
  facts.elongationDeg = eastOfSun(body, sun) ? psiDeg : -psiDeg;
}

// The Moon's visual magnitude by Allen's law, 0.21 + 5 log(r delta) +
// 0.026 i + 4e-9 i^4 (i in degrees), drawn from photometry of the Moon out
// to a phase angle of some 150 degrees.
double moonMagnitude(const BodyFacts& facts) {
  const double i = *facts.phaseAngleDeg;
  return 0.21 + 5 * std::log10(*facts.sunDistanceAu * facts.earthDistanceAu) + 0.026 * i + 4e-9 * std::pow(i, 4);
}

}  // namespace

std::optional<double> BodyFacts::illuminatedFraction() const {
  if (!phaseAngleDeg) return std::nullopt;
  return (1 + std::cos(*phaseAngleDeg * kRadPerDeg)) / 2;
}

BodyFacts majorBodyFacts(int body, double julianDateUt) {
  const double tt = dynamicalJulianDate(julianDateUt);
  const BodyPosition place = majorBodyAt(body, tt);
  BodyFacts facts;
  facts.diameterArcsec = 2 * place.semidiameterArcsec;
  facts.earthDistanceAu = place.earthDistanceAu;
  if (body == kSun) {
    facts.magnitude = kSunMagnitudeAt1Au + 5 * std::log10(facts.earthDistanceAu);
    return facts;
  }
  solveTriangle(facts, {place.raRad, place.decRad}, julianDateUt);
  facts.magnitude = body == kMoon ? moonMagnitude(facts) : place.magnitude;
  return facts;
}

BodyFacts minorBodyFacts(const EquatorialPosition& place, double earthDistanceAu, double julianDateUt) {
  BodyFacts facts;
  facts.earthDistanceAu = earthDistanceAu;
  solveTriangle(facts, place, julianDateUt);
  return facts;
}

}  // namespace celvaro
