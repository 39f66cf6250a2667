// The libnova calls of the solar system. libnova's headers define
// unprefixed macros, so they are included here only.
#include "solarsystem/ephemeris.h"

#include <erfa.h>
#include <libnova/libnova.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "solarsystem/object_identifier.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;
// The Gaussian gravitational constant in degrees: the daily motion at 1 AU.
constexpr double kGaussianDailyMotion = 0.9856076686;
// Faster than any body of the solar system; keeps the anomaly arithmetic
// of the orbit routines in range for typed-in elements.
constexpr double kMaxDailyMotion = 100;

using EquFunction = void (*)(double, ln_equ_posn*);
using ValueFunction = double (*)(double);

constexpr double kKilometresPerAu = 149597870.7;
constexpr double kJ2000 = 2451545.0;

// The Sun's geocentric place is the opposite of the Earth's heliocentric
// one, which ERFA gives on the J2000 (ICRS) axes from its fit to the
// planetary ephemerides (within a few kilometres over 1900-2100).
std::array<double, 3> sunFromEarth(double jd) {
  double heliocentric[2][3], barycentric[2][3];
  eraEpv00(jd, 0, heliocentric, barycentric);
  return {-heliocentric[0][0], -heliocentric[0][1], -heliocentric[0][2]};
}

// The Moon's geocentric place: libnova sums ELP 2000-82B on the mean
// ecliptic and equinox of J2000; ERFA's ecliptic matrix of J2000 turns it
// onto the J2000 equator. Its light time (1.3 s, 0.7" of its motion) is
// left out. The series' terms below 1e-7 are dropped: within 0.5" of the
// whole series at a twentieth of its cost.
// The last place is kept: the position, distance, semidiameter and phase
// of one instant each ask for it.
std::array<double, 3> moonFromEarth(double jd) {
  constexpr double kSeriesPrecision = 1e-7;
  thread_local double keptJd = std::numeric_limits<double>::quiet_NaN();
  thread_local std::array<double, 3> kept;
  if (jd == keptJd) return kept;
  ln_rect_posn ecliptic;
  ln_get_lunar_geo_posn(jd, &ecliptic, kSeriesPrecision);
  double toEcliptic[3][3];
  eraEcm06(kJ2000, 0, toEcliptic);
  double e[3] = {ecliptic.X / kKilometresPerAu, ecliptic.Y / kKilometresPerAu, ecliptic.Z / kKilometresPerAu};
  double equatorial[3];
  eraTrxp(toEcliptic, e, equatorial);
  keptJd = jd;
  kept = {equatorial[0], equatorial[1], equatorial[2]};
  return kept;
}

double length(const std::array<double, 3>& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

Vector3 unitOf(const std::array<double, 3>& v) {
  const double n = length(v);
  return {v[0] / n, v[1] / n, v[2] / n};
}

void directionOf(const std::array<double, 3>& v, ln_equ_posn* p) {
  p->ra = ln_range_degrees(ln_rad_to_deg(std::atan2(v[1], v[0])));
  p->dec = ln_rad_to_deg(std::asin(v[2] / length(v)));
}

void solarPosition(double jd, ln_equ_posn* p) { directionOf(sunFromEarth(jd), p); }
void lunarPosition(double jd, ln_equ_posn* p) { directionOf(moonFromEarth(jd), p); }
double solarDistanceAu(double jd) { return length(sunFromEarth(jd)); }
double lunarDistanceAu(double jd) { return length(moonFromEarth(jd)); }
// Meeus, Astronomical Algorithms, chapter 55: 358 473 400 over the
// distance in kilometres.
double lunarSemidiameterArcsec(double jd) { return 358473400 / (lunarDistanceAu(jd) * kKilometresPerAu); }

// The libnova operations of each body, in body order.
struct BodyFunctions {
  EquFunction position;
  ValueFunction magnitude;  // none for the Sun and the Moon
  ValueFunction semidiameter;
  ValueFunction distance;   // from the Earth, AU
};

constexpr BodyFunctions kBodies[kBodyCount] = {
    {solarPosition, nullptr, ln_get_solar_sdiam, solarDistanceAu},
    {lunarPosition, nullptr, lunarSemidiameterArcsec, lunarDistanceAu},
    {ln_get_mercury_equ_coords, ln_get_mercury_magnitude, ln_get_mercury_sdiam, ln_get_mercury_earth_dist},
    {ln_get_venus_equ_coords, ln_get_venus_magnitude, ln_get_venus_sdiam, ln_get_venus_earth_dist},
    {ln_get_mars_equ_coords, ln_get_mars_magnitude, ln_get_mars_sdiam, ln_get_mars_earth_dist},
    {ln_get_jupiter_equ_coords, ln_get_jupiter_magnitude, ln_get_jupiter_equ_sdiam, ln_get_jupiter_earth_dist},
    {ln_get_saturn_equ_coords, ln_get_saturn_magnitude, ln_get_saturn_equ_sdiam, ln_get_saturn_earth_dist},
    {ln_get_uranus_equ_coords, ln_get_uranus_magnitude, ln_get_uranus_sdiam, ln_get_uranus_earth_dist},
    {ln_get_neptune_equ_coords, ln_get_neptune_magnitude, ln_get_neptune_sdiam, ln_get_neptune_earth_dist},
    // Meeus' theory of Pluto (Astronomical Algorithms, chapter 37), for
    // 1885 to 2099, J2000 ecliptic.
    {ln_get_pluto_equ_coords, ln_get_pluto_magnitude, ln_get_pluto_sdiam, ln_get_pluto_earth_dist},
};

EquatorialPosition radians(const ln_equ_posn& p) { return {p.ra * kRadPerDeg, p.dec * kRadPerDeg}; }

std::optional<EquatorialPosition> finite(const ln_equ_posn& p) {
  if (!std::isfinite(p.ra) || !std::isfinite(p.dec)) return std::nullopt;
  return radians(p);
}

}  // namespace

double julianDayOf(const ChartDate& d) {
  ln_date date{d.year, d.month, d.day, d.hour, d.minute, d.seconds};
  return ln_get_julian_day(&date);
}

EquatorialPosition majorBodyPositionAt(int body, double jd) {
  ln_equ_posn p;
  kBodies[body].position(jd, &p);
  return radians(p);
}

// The distance, magnitude and semidiameter first: libnova keeps a
// planet's last heliocentric place, and its light-time iteration starts at
// the instant itself, so the place they compute serves its first pass.
BodyPosition majorBodyAt(int body, double jd) {
  BodyPosition result;
  result.earthDistanceAu = kBodies[body].distance(jd);
  if (kBodies[body].magnitude) result.magnitude = kBodies[body].magnitude(jd);
  result.semidiameterArcsec = kBodies[body].semidiameter(jd);
  const EquatorialPosition p = majorBodyPositionAt(body, jd);
  result.raRad = p.raRad;
  result.decRad = p.decRad;
  return result;
}

double majorBodyDistanceAu(int body, double jd) { return kBodies[body].distance(jd); }

// The angle at the Moon between the Sun and the Earth, from their
// geocentric places; waxing while the Moon stands east of the Sun, that is
// while the Sun-to-Moon turn runs anticlockwise about the ecliptic's pole.
double lunarPhaseAngleDeg(double jd) {
  const std::array<double, 3> sun = sunFromEarth(jd), moon = moonFromEarth(jd);
  const std::array<double, 3> toSun{sun[0] - moon[0], sun[1] - moon[1], sun[2] - moon[2]};
  const double cosAngle = -(toSun[0] * moon[0] + toSun[1] * moon[1] + toSun[2] * moon[2]) / (length(toSun) * length(moon));
  const double angleDeg = std::acos(std::clamp(cosAngle, -1.0, 1.0)) / kRadPerDeg;
  double toEcliptic[3][3];
  eraEcm06(kJ2000, 0, toEcliptic);
  const double* pole = toEcliptic[2];
  const double turn = pole[0] * (sun[1] * moon[2] - sun[2] * moon[1]) + pole[1] * (sun[2] * moon[0] - sun[0] * moon[2]) +
                      pole[2] * (sun[0] * moon[1] - sun[1] * moon[0]);
  return turn > 0 ? 360 - angleDeg : angleDeg;
}

// The Sun as the Earth's motion shows it (its aberration moves a quarter
// by 40 s), the Moon as it stands, both on the ecliptic of J2000: the
// difference of their longitudes hardly depends on the ecliptic's epoch.
double lunarElongationDeg(double julianDateUt) {
  const double tt = dynamicalJulianDate(julianDateUt);
  const std::array<double, 3> sunArray = sunFromEarth(tt), moonArray = moonFromEarth(tt);
  const Vector3 sun = ApparentPlace(julianDateUt).aberrated(unitOf(sunArray));
  const Vector3 moon = unitOf(moonArray);
  Rotation3 ecliptic;
  eraEcm06(kJ2000, 0, ecliptic.m);
  const EquatorialPosition sunLongitude = equatorialOf(ecliptic.apply(sun));
  const EquatorialPosition moonLongitude = equatorialOf(ecliptic.apply(moon));
  return ln_range_degrees(ln_rad_to_deg(moonLongitude.raRad - sunLongitude.raRad));
}

MinorBodyEphemeris::MinorBodyEphemeris(double julianDateUt, const Vector3& observer)
    : jd_(dynamicalJulianDate(julianDateUt)) {
  ln_rect_posn sun;
  ln_get_solar_geo_coords(jd_, &sun);
  sunX_ = sun.X - observer.x, sunY_ = sun.Y - observer.y, sunZ_ = sun.Z - observer.z;
}

std::optional<MinorBodyEphemeris::Sighting> MinorBodyEphemeris::sighting(const EllipticElements& o) const {
  const bool orbit = o.a > 0 && o.e >= 0 && o.e < 1 && o.nDegPerDay > 0 && o.nDegPerDay <= kMaxDailyMotion &&
                     std::isfinite(o.a + o.iDeg + o.wDeg + o.nodeDeg + o.perihelionJd);
  if (!orbit) return std::nullopt;
  ln_ell_orbit elements{o.a, o.e, o.iDeg, o.wDeg, o.nodeDeg, o.nDegPerDay, o.perihelionJd};
  return seenPlace([&elements](double jd, ln_rect_posn* body) { ln_get_ell_helio_rect_posn(&elements, jd, body); });
}

// Where the body stood when the light now arriving left it, seen from the
// observer: its distance is that of the observer-to-body vector, the Sun's
// place from the observer plus the body's heliocentric one. Two passes bring
// the light time within a millisecond.
template <typename Heliocentric>
std::optional<MinorBodyEphemeris::Sighting> MinorBodyEphemeris::seenPlace(Heliocentric heliocentric) const {
  double lightTime = 0, x = 0, y = 0, z = 0;
  for (int pass = 0; pass < 3; ++pass) {
    ln_rect_posn body;
    heliocentric(jd_ - lightTime, &body);
    x = sunX_ + body.X, y = sunY_ + body.Y, z = sunZ_ + body.Z;
    lightTime = ln_get_light_time(std::sqrt(x * x + y * y + z * z));
  }
  const double distance = std::sqrt(x * x + y * y + z * z);
  const std::optional<EquatorialPosition> place =
      finite({ln_range_degrees(ln_rad_to_deg(std::atan2(y, x))), ln_rad_to_deg(std::asin(z / distance))});
  if (!place) return std::nullopt;
  return Sighting{*place, distance};
}

std::optional<double> MinorBodyEphemeris::asteroidMagnitude(const EllipticElements& o, double h, double g) const {
  if (!sighting(o)) return std::nullopt;
  ln_ell_orbit elements{o.a, o.e, o.iDeg, o.wDeg, o.nodeDeg, o.nDegPerDay, o.perihelionJd};
  ln_rect_posn body;
  ln_get_ell_helio_rect_posn(&elements, jd_, &body);
  const double x = sunX_ + body.X, y = sunY_ + body.Y, z = sunZ_ + body.Z;
  const double r = std::sqrt(body.X * body.X + body.Y * body.Y + body.Z * body.Z);
  const double delta = std::sqrt(x * x + y * y + z * z);
  const double cosPhase = std::clamp((body.X * x + body.Y * y + body.Z * z) / (r * delta), -1.0, 1.0);
  const double t = std::tan(std::acos(cosPhase) / 2);
  const double phi1 = std::exp(-3.33 * std::pow(t, 0.63)), phi2 = std::exp(-1.87 * std::pow(t, 1.22));
  const double m = h + 5 * std::log10(r * delta) - 2.5 * std::log10((1 - g) * phi1 + g * phi2);
  return std::isfinite(m) ? std::optional<double>(m) : std::nullopt;
}

std::optional<double> MinorBodyEphemeris::cometMagnitude(const CometElements& o, double g, double k) const {
  if (!sighting(o)) return std::nullopt;
  ln_rect_posn body;
  if (o.e < 1) {
    const double a = o.q / (1 - o.e);
    ln_ell_orbit elements{a, o.e, o.iDeg, o.wDeg, o.nodeDeg, kGaussianDailyMotion / (a * std::sqrt(a)), o.perihelionJd};
    ln_get_ell_helio_rect_posn(&elements, jd_, &body);
  } else {
    ln_hyp_orbit elements{o.q, o.e, o.iDeg, o.wDeg, o.nodeDeg, o.perihelionJd};
    ln_get_hyp_helio_rect_posn(&elements, jd_, &body);
  }
  const double x = sunX_ + body.X, y = sunY_ + body.Y, z = sunZ_ + body.Z;
  const double r = std::sqrt(body.X * body.X + body.Y * body.Y + body.Z * body.Z);
  const double m = g + 5 * std::log10(std::sqrt(x * x + y * y + z * z)) + 2.5 * k * std::log10(r);
  return std::isfinite(m) ? std::optional<double>(m) : std::nullopt;
}

std::optional<MinorBodyEphemeris::Sighting> MinorBodyEphemeris::sighting(const CometElements& o) const {
  if (!(o.q > 0) || !(o.e >= 0) || !std::isfinite(o.q + o.e + o.iDeg + o.wDeg + o.nodeDeg + o.perihelionJd)) {
    return std::nullopt;
  }
  if (o.e < 1) {
    const double a = o.q / (1 - o.e);
    return sighting({a, o.e, o.iDeg, o.wDeg, o.nodeDeg, kGaussianDailyMotion / (a * std::sqrt(a)), o.perihelionJd});
  }
  ln_hyp_orbit orbit{o.q, o.e, o.iDeg, o.wDeg, o.nodeDeg, o.perihelionJd};
  return seenPlace([&orbit](double jd, ln_rect_posn* body) { ln_get_hyp_helio_rect_posn(&orbit, jd, body); });
}

// A packed epoch: century I, J or K, two year digits, month 1-9 or A-C,
// day 1-9 or A-V.
std::optional<double> julianDateOfPackedEpoch(std::string_view packed) {
  auto value = [](char c, char first, int base) { return c - first + base; };
  if (packed.size() != 5 || (packed[0] < 'I' || packed[0] > 'K') || !std::isdigit(static_cast<unsigned char>(packed[1])) ||
      !std::isdigit(static_cast<unsigned char>(packed[2]))) {
    return std::nullopt;
  }
  const char m = packed[3], d = packed[4];
  const int month = std::isdigit(static_cast<unsigned char>(m)) ? value(m, '0', 0) : value(m, 'A', 10);
  const int day = std::isdigit(static_cast<unsigned char>(d)) ? value(d, '0', 0) : value(d, 'A', 10);
  if (month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
  std::string text(packed);
  return ln_get_julian_from_mpc(text.data());
}

double lastPerihelion(double epochJd, double meanAnomalyDeg, double nDegPerDay) {
  return ln_get_ell_last_perihelion(epochJd, meanAnomalyDeg, nDegPerDay);
}

ChartDate perihelionDate(int year, int month, int dayTenThousandths) {
  const int seconds = (dayTenThousandths % 10000) * 864 / 100;
  return {year, month, dayTenThousandths / 10000, seconds / 3600, (seconds / 60) % 60, static_cast<double>(seconds % 60)};
}

}  // namespace celvaro
