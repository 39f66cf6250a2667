#include "astro/apparent_place.h"

#include <cmath>
#include <numbers>

#include "astro/sidereal_time.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRadPerDeg = kPi / 180.0;
constexpr double kRadPerArcsec = kPi / 648000.0;
constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kObliquityJ2000Deg = 23.4392911;
// The constant of aberration: the Earth's mean orbital speed over the speed of light.
constexpr double kAberrationArcsec = 20.49552;

// Rotations of the frame about its x, y and z axes (a vector keeps its
// place in space while the axes turn by `a`).
Rotation3 aboutX(double a) {
  const double c = std::cos(a), s = std::sin(a);
  return {{{1, 0, 0}, {0, c, s}, {0, -s, c}}};
}
Rotation3 aboutY(double a) {
  const double c = std::cos(a), s = std::sin(a);
  return {{{c, 0, -s}, {0, 1, 0}, {s, 0, c}}};
}
Rotation3 aboutZ(double a) {
  const double c = std::cos(a), s = std::sin(a);
  return {{{c, s, 0}, {-s, c, 0}, {0, 0, 1}}};
}

double dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vector3 normalised(const Vector3& v) {
  const double n = std::sqrt(dot(v, v));
  return {v.x / n, v.y / n, v.z / n};
}

// Precession of the equator from J2000, the angles zeta, z and theta of
// the IAU 1976 theory (Lieske 1977), T in Julian centuries of TT.
Rotation3 precession(double t) {
  const double zeta = (2306.2181 + (0.30188 + 0.017998 * t) * t) * t * kRadPerArcsec;
  const double z = (2306.2181 + (1.09468 + 0.018203 * t) * t) * t * kRadPerArcsec;
  const double theta = (2004.3109 - (0.42665 + 0.041833 * t) * t) * t * kRadPerArcsec;
  return aboutZ(-z).after(aboutY(theta).after(aboutZ(-zeta)));
}

struct Nutation {
  double longitude;      // radians
  double obliquity;      // radians
  double meanObliquity;  // radians
};

// The four largest terms of the IAU 1980 series (within 0.5" in longitude
// and 0.1" in obliquity) and the mean obliquity of the date.
Nutation nutation(double t) {
  const double node = (125.04452 - 1934.136261 * t) * kRadPerDeg;
  const double sun = (280.4665 + 36000.7698 * t) * kRadPerDeg;
  const double moon = (218.3165 + 481267.8813 * t) * kRadPerDeg;
  const double dPsi = -17.20 * std::sin(node) - 1.32 * std::sin(2 * sun) - 0.23 * std::sin(2 * moon) +
                      0.21 * std::sin(2 * node);
  const double dEps = 9.20 * std::cos(node) + 0.57 * std::cos(2 * sun) + 0.10 * std::cos(2 * moon) -
                      0.09 * std::cos(2 * node);
  const double eps0 = 84381.448 - (46.8150 + (0.00059 - 0.001813 * t) * t) * t;
  return {dPsi * kRadPerArcsec, dEps * kRadPerArcsec, eps0 * kRadPerArcsec};
}

// The Earth's orbital velocity over the speed of light, on J2000 axes, from
// the Sun's true longitude and the orbit's eccentricity and perihelion.
Vector3 earthVelocity(double t) {
  const double meanLongitude = 280.46646 + (36000.76983 + 0.0003032 * t) * t;
  const double anomaly = (357.52911 + (35999.05029 - 0.0001537 * t) * t) * kRadPerDeg;
  const double centre = (1.914602 - (0.004817 + 0.000014 * t) * t) * std::sin(anomaly) +
                        (0.019993 - 0.000101 * t) * std::sin(2 * anomaly) + 0.000289 * std::sin(3 * anomaly);
  // The longitude is of the equinox of the date; the J2000 equinox lies 1.397 degrees a century behind.
  const double sunLongitude = (meanLongitude + centre - 1.397 * t) * kRadPerDeg;
  const double e = 0.016708634 - 0.000042037 * t;
  const double perihelion = (102.93735 + 0.32241 * t) * kRadPerDeg;  // of J2000
  const double k = kAberrationArcsec * kRadPerArcsec;
  const double inLongitude = std::sin(sunLongitude) - e * std::sin(perihelion);
  const double across = e * std::cos(perihelion) - std::cos(sunLongitude);
  const double eps = kObliquityJ2000Deg * kRadPerDeg;
  return {k * inLongitude, k * across * std::cos(eps), k * across * std::sin(eps)};
}

}  // namespace

Rotation3 Rotation3::after(const Rotation3& first) const {
  Rotation3 r{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      r.m[i][j] = m[i][0] * first.m[0][j] + m[i][1] * first.m[1][j] + m[i][2] * first.m[2][j];
    }
  }
  return r;
}

// Rodrigues' formula with the axis from -> to (unnormalised: its length
// is the sine of the angle).
Rotation3 Rotation3::turning(const Vector3& from, const Vector3& to) {
  const Vector3 k{from.y * to.z - from.z * to.y, from.z * to.x - from.x * to.z, from.x * to.y - from.y * to.x};
  const double c = dot(from, to);
  const double s2 = dot(k, k);
  const double f = s2 > 0 ? (1 - c) / s2 : 0;
  // v' = v c + (k x v) + k (k.v) f; as a matrix acting on column vectors.
  return {{{c + f * k.x * k.x, -k.z + f * k.x * k.y, k.y + f * k.x * k.z},
           {k.z + f * k.y * k.x, c + f * k.y * k.y, -k.x + f * k.y * k.z},
           {-k.y + f * k.z * k.x, k.x + f * k.z * k.y, c + f * k.z * k.z}}};
}

Vector3 unitVectorOf(double raRad, double decRad) {
  const double cd = std::cos(decRad);
  return {cd * std::cos(raRad), cd * std::sin(raRad), std::sin(decRad)};
}

EquatorialPosition equatorialOf(const Vector3& v) {
  double ra = std::atan2(v.y, v.x);
  if (ra < 0) ra += 2 * kPi;
  return {ra, std::atan2(v.z, std::hypot(v.x, v.y))};
}

double dynamicalJulianDate(double julianDateUt) {
  return julianDateUt + dynamicalTimeOffsetSeconds(julianDateUt) / kSecondsPerDay;
}

double dynamicalTimeOffsetSeconds(double julianDateUt) {
  const double y = 2000.0 + (julianDateUt - kJ2000) / 365.25;
  const double u = (y - 1820.0) / 100.0;
  if (y < 1900 || y >= 2150) return -20.0 + 32.0 * u * u;
  if (y < 1920) {
    const double t = y - 1900;
    return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 - 0.000197 * t)));
  }
  if (y < 1941) {
    const double t = y - 1920;
    return 21.20 + t * (0.84493 + t * (-0.076100 + 0.0020936 * t));
  }
  if (y < 1961) {
    const double t = y - 1950;
    return 29.07 + t * (0.407 + t * (-1.0 / 233 + t / 2547));
  }
  if (y < 1986) {
    const double t = y - 1975;
    return 45.45 + t * (1.067 + t * (-1.0 / 260 - t / 718));
  }
  const double t = y - 2000;
  if (y < 2005) {
    return 63.86 + t * (0.3345 + t * (-0.060374 + t * (0.0017275 + t * (0.000651814 + 0.00002373599 * t))));
  }
  if (y < 2050) return 62.92 + t * (0.32217 + 0.005589 * t);
  return -20.0 + 32.0 * u * u - 0.5628 * (2150 - y);
}

ApparentPlace::ApparentPlace(double julianDateUt) : julianDate_(julianDateUt) {
  const double t =
      (dynamicalJulianDate(julianDateUt) - kJ2000) / kDaysPerCentury;
  const Nutation n = nutation(t);
  const Rotation3 nutate = aboutX(-(n.meanObliquity + n.obliquity)).after(aboutZ(-n.longitude).after(aboutX(n.meanObliquity)));
  precessionNutation_ = nutate.after(precession(t));
  const double equationOfEquinoxesHours = n.longitude * std::cos(n.meanObliquity) / (kPi / 12.0);
  siderealHours_ = std::fmod(greenwichSiderealTime(julianDateUt) + equationOfEquinoxesHours + 24.0, 24.0);
  velocity_ = earthVelocity(t);
}

// To first order in v/c: the direction moves toward the Earth's motion by
// v/c times the sine of its angle from it.
Vector3 ApparentPlace::aberrated(const Vector3& u) const {
  const double d = dot(u, velocity_);
  return normalised({u.x + velocity_.x - d * u.x, u.y + velocity_.y - d * u.y, u.z + velocity_.z - d * u.z});
}

Vector3 ApparentPlace::unaberrated(const Vector3& u) const {
  const double d = dot(u, velocity_);
  return normalised({u.x - velocity_.x + d * u.x, u.y - velocity_.y + d * u.y, u.z - velocity_.z + d * u.z});
}

Vector3 ApparentPlace::apparentOf(const Vector3& j2000) const { return precessionNutation_.apply(aberrated(j2000)); }

Vector3 ApparentPlace::j2000Of(const Vector3& apparent) const {
  return unaberrated(precessionNutation_.applyInverse(apparent));
}

EquatorialPosition ApparentPlace::apparentOf(double raRad, double decRad) const {
  return equatorialOf(apparentOf(unitVectorOf(raRad, decRad)));
}

EquatorialPosition ApparentPlace::j2000Of(double raRad, double decRad) const {
  return equatorialOf(j2000Of(unitVectorOf(raRad, decRad)));
}

}  // namespace celvaro
