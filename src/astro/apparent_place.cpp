#include "astro/apparent_place.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <iterator>
#include <numbers>
#include <optional>

#include "astro/angle_tables.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kJ2000 = 2451545.0;
constexpr double kSecondsPerDay = 86400.0;
// Unaberrating inverts the aberration by successive corrections; each gains
// the factor v/c (1e-4), three reach far below a microarcsecond.
constexpr int kUnaberrateSteps = 3;

// Terrestrial Time minus Universal Time on the 1st of January of each year
// from 1962 to 2022: the IERS's observed values (UT1 - UTC of its Bulletin B,
// with TAI - UTC and TT - TAI = 32.184 s), seconds.
constexpr int kFirstObservedYear = 1962;
constexpr double kObservedOffsets[] = {
    34.0,  34.47, 35.03, 35.74, 36.54, 37.43, 38.3,  39.2,  40.18, 41.17, 42.23, 43.37, 44.48, 45.48, 46.46, 47.52,
    48.53, 49.59, 50.54, 51.38, 52.17, 52.96, 53.79, 54.34, 54.87, 55.32, 55.82, 56.3,  56.86, 57.57, 58.31, 59.12,
    59.98, 60.79, 61.63, 62.3,  62.97, 63.47, 63.83, 64.09, 64.3,  64.47, 64.57, 64.69, 64.85, 65.15, 65.46, 65.78,
    66.07, 66.32, 66.6,  66.91, 67.28, 67.64, 68.1,  68.59, 68.97, 69.22, 69.36, 69.36, 69.29};
constexpr int kLastObservedYear = kFirstObservedYear + static_cast<int>(std::size(kObservedOffsets)) - 1;
// Beyond the observations the offset follows the long-term parabola of the
// Earth's slowing rotation, reached in 2150 from the last observed value.
constexpr double kParabolaFromYear = 2150.0;

double longTermOffset(double year) {
  const double u = (year - 1820.0) / 100.0;
  return -20.0 + 32.0 * u * u;
}

// Before 1962, the polynomials Espenak and Meeus fitted to the Astronomical
// Almanac's table of observed values (1900 to 1962), the parabola earlier.
double offsetBeforeObservations(double y) {
  if (y < 1900) return longTermOffset(y);
  if (y < 1920) {
    const double t = y - 1900;
    return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 - 0.000197 * t)));
  }
  if (y < 1941) {
    const double t = y - 1920;
    return 21.20 + t * (0.84493 + t * (-0.076100 + 0.0020936 * t));
  }
  const double t = y < 1961 ? y - 1950 : y - 1975;
  return y < 1961 ? 29.07 + t * (0.407 + t * (-1.0 / 233 + t / 2547)) : 45.45 + t * (1.067 + t * (-1.0 / 260 - t / 718));
}

// From the last observed value the offset bends smoothly (a quadratic in
// time) onto the parabola: flat at first, as observed in the 2020s.
double offsetAfterObservations(double y) {
  if (y >= kParabolaFromYear) return longTermOffset(y);
  const double last = kObservedOffsets[std::size(kObservedOffsets) - 1];
  const double w = (y - kLastObservedYear) / (kParabolaFromYear - kLastObservedYear);
  return last + (longTermOffset(kParabolaFromYear) - last) * w * w;
}

double dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vector3 normalised(const Vector3& v) {
  const double n = std::sqrt(dot(v, v));
  return {v.x / n, v.y / n, v.z / n};
}

void toArray(const Vector3& v, double out[3]) {
  out[0] = v.x;
  out[1] = v.y;
  out[2] = v.z;
}

Vector3 fromArray(const double a[3]) { return {a[0], a[1], a[2]}; }

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
  const SinCos ra = sinCosOfRadians(raRad), dec = sinCosOfRadians(decRad);
  return {dec.cos * ra.cos, dec.cos * ra.sin, dec.sin};
}

EquatorialPosition equatorialOf(const Vector3& v) {
  double ra = std::atan2(v.y, v.x);
  if (ra < 0) ra += 2 * kPi;
  // sqrt rather than std::hypot: no overflow to guard against, at a tenth of its cost.
  return {ra, std::atan2(v.z, std::sqrt(v.x * v.x + v.y * v.y))};
}

double dynamicalJulianDate(double julianDateUt) {
  return julianDateUt + dynamicalTimeOffsetSeconds(julianDateUt) / kSecondsPerDay;
}

// Between the 1st of January of two observed years the offset is
// interpolated linearly (it bends by less than 0.05 s within a year).
double dynamicalTimeOffsetSeconds(double julianDateUt) {
  const double y = 2000.0 + (julianDateUt - kJ2000) / 365.25;
  if (y < kFirstObservedYear) return offsetBeforeObservations(y);
  if (y >= kLastObservedYear) return offsetAfterObservations(y);
  const double at = y - kFirstObservedYear;
  const auto i = static_cast<size_t>(at);
  return kObservedOffsets[i] + (kObservedOffsets[i + 1] - kObservedOffsets[i]) * (at - static_cast<double>(i));
}

// The IAU 2006 precession with the IAU 2000B nutation (within a
// milliarcsecond of the full 2000A series, at a twentieth of its cost), the
// sidereal time that goes with them, and the Earth's barycentric velocity
// and heliocentric place (for aberration and the Sun's light deflection).
// Universal Time stands for UT1 (within 0.9 s).
// Placing the frame of a date takes a third of a millisecond (the Earth's
// ephemeris, the nutation series), and a chart asks for that of one
// instant many times over: each thread keeps the last one it placed.
ApparentPlace::ApparentPlace(double julianDateUt) {
  thread_local std::optional<ApparentPlace> last;
  if (!last || last->julianDate_ != julianDateUt) last = ApparentPlace(julianDateUt, Placing{});
  *this = *last;
}

ApparentPlace::ApparentPlace(double julianDateUt, Placing) : julianDate_(julianDateUt) {
  const double tt = dynamicalJulianDate(julianDateUt);
  double longitude, obliquity, meanObliquity, bias[3][3], precession[3][3], biasPrecession[3][3], nutation[3][3];
  eraNut00b(tt, 0, &longitude, &obliquity);
  eraPn06(tt, 0, longitude, obliquity, &meanObliquity, bias, precession, biasPrecession, nutation,
          precessionNutation_.m);
  siderealHours_ = eraGst06(julianDateUt, 0, tt, 0, precessionNutation_.m) * 12.0 / kPi;
  double heliocentric[2][3], barycentric[2][3];
  eraEpv00(tt, 0, heliocentric, barycentric);
  double velocity[3];
  for (int i = 0; i < 3; ++i) velocity[i] = barycentric[1][i] * ERFA_AULT / ERFA_DAYSEC;
  velocity_ = fromArray(velocity);
  inverseLorentz_ = std::sqrt(1.0 - dot(velocity_, velocity_));
  eraPn(heliocentric[0], &sunDistanceAu_, fromSun_);
}

// The Sun's light deflection, then the Earth's aberration, relativistic.
Vector3 ApparentPlace::aberrated(const Vector3& u) const {
  double p[3], deflected[3], seen[3], v[3], fromSun[3];
  toArray(u, p);
  toArray(velocity_, v);
  std::copy(std::begin(fromSun_), std::end(fromSun_), fromSun);
  eraLdsun(p, fromSun, sunDistanceAu_, deflected);
  eraAb(deflected, v, sunDistanceAu_, inverseLorentz_, seen);
  return fromArray(seen);
}

Vector3 ApparentPlace::unaberrated(const Vector3& u) const {
  Vector3 p = u;
  for (int i = 0; i < kUnaberrateSteps; ++i) {
    const Vector3 seen = aberrated(p);
    p = normalised({p.x + u.x - seen.x, p.y + u.y - seen.y, p.z + u.z - seen.z});
  }
  return p;
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
