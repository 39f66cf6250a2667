#include "astro/coordinates.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegPerRad = 180.0 / kPi;
constexpr double kRadPerDeg = kPi / 180.0;

// Brings an angle into [0, 2 pi]: one turn added or taken away covers every
// angle built from a sidereal time, a longitude and an hour angle; fmod is
// only needed for out-of-range inputs.
double wrapRadians(double a) {
  if (a < -2 * kPi || a > 4 * kPi) a = std::fmod(a, 2 * kPi);
  if (a < 0) a += 2 * kPi;
  else if (a > 2 * kPi) a -= 2 * kPi;
  return a;
}

}  // namespace

double normaliseDegrees(double degrees) {
  double d = std::fmod(degrees, 360.0);
  if (d < 0) d += 360.0;
  return d >= 360.0 ? 0.0 : d;
}

HorizontalPosition equatorialToHorizontal(double raRad, double decRad, double latitudeDeg,
                                          double longitudeDeg, double greenwichHours) {
  const double phi = latitudeDeg * kRadPerDeg;
  const double hourAngle = longitudeDeg * kRadPerDeg + greenwichHours * (kPi / 12.0) - raRad;
  const double sinAlt = std::clamp(
      std::sin(phi) * std::sin(decRad) + std::cos(phi) * std::cos(decRad) * std::cos(hourAngle),
      -1.0, 1.0);
  const double altitude = std::asin(sinAlt);
  const double s = std::sin(std::acos(sinAlt));
  if (s < 1e-5) return {altitude * kDegPerRad, latitudeDeg > 0 ? 180.0 : 0.0};
  const double aSin = std::cos(decRad) * std::sin(hourAngle) / s;
  const double aCos =
      (std::sin(phi) * std::cos(decRad) * std::cos(hourAngle) - std::cos(phi) * std::sin(decRad)) / s;
  // On the meridian the azimuth is south (0) or north (180) by the sign of
  // the cosine term: a star north of the zenith or below the pole is north.
  if (std::fabs(aSin) < 1e-5) return {altitude * kDegPerRad, aCos >= 0 ? 0.0 : 180.0};
  double azimuth = std::atan2(aSin, aCos);
  if (azimuth < 0) azimuth += 2 * kPi;
  return {altitude * kDegPerRad, normaliseDegrees(azimuth * kDegPerRad)};
}

EquatorialPosition horizontalToEquatorial(double altitudeDeg, double azimuthDeg,
                                          double latitudeDeg, double longitudeDeg,
                                          double greenwichHours) {
  const double h = altitudeDeg * kRadPerDeg;
  const double a = azimuthDeg * kRadPerDeg;
  const double phi = latitudeDeg * kRadPerDeg;
  const double hourAngle =
      std::atan2(std::sin(a), std::cos(a) * std::sin(phi) + std::tan(h) * std::cos(phi));
  const double dec = std::asin(std::clamp(
      std::sin(h) * std::sin(phi) - std::cos(a) * std::cos(h) * std::cos(phi), -1.0, 1.0));
  const double ra = kPi * greenwichHours / 12.0 - hourAngle + longitudeDeg * kRadPerDeg;
  return {wrapRadians(ra), dec};
}

Separation separationAndAngle(double ra1Rad, double dec1Rad, double ra2Rad, double dec2Rad,
                              bool withAngle) {
  const double dRa = ra2Rad - ra1Rad;
  // Rounding can push the cosine of nearly coincident points past 1.
  const double cosD = std::clamp(std::sin(dec1Rad) * std::sin(dec2Rad) +
                                     std::cos(dec1Rad) * std::cos(dec2Rad) * std::cos(dRa),
                                 -1.0, 1.0);
  const double d = std::acos(cosD);
  Separation result{d * 57.29577951308232 * 60.0, 0.0};
  if (!withAngle || d <= 4e-7) return result;
  const double sinD = std::sin(d);
  const double c = std::clamp((std::sin(dec2Rad) * std::cos(dec1Rad) -
                               std::sin(dec1Rad) * std::cos(dec2Rad) * std::cos(dRa)) / sinD,
                              -1.0, 1.0);
  double angle = std::acos(c) * kDegPerRad;
  if (std::sin(dRa) * std::cos(dec2Rad) / sinD < 0) angle = 360.0 - angle;
  result.positionAngleDeg = angle;
  return result;
}

}  // namespace celvaro
