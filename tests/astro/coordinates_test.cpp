// Coordinates: the horizontal frame, separations and position angles, the
// apparent place of the date and the local sky.
#include <gtest/gtest.h>
#include <libnova/transform.h>

#include <array>
#include <cmath>
#include <numbers>
#include <random>

#include "astro/apparent_place.h"
#include "astro/coordinates.h"
#include "astro/local_sky.h"
#include "astro/sidereal_time.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRad = kPi / 180.0;

// The horizontal position by rotating the star's unit vector, independent
// of the spherical-trigonometry formulas under test.
HorizontalPosition byRotation(double ra, double dec, double latDeg, double lonDeg, double gstHours) {
  const double h = lonDeg * kRad + gstHours * kPi / 12 - ra, phi = latDeg * kRad;
  const double x = std::cos(dec) * std::cos(h), y = std::cos(dec) * std::sin(h), z = std::sin(dec);
  const double south = x * std::sin(phi) - z * std::cos(phi);
  const double up = x * std::cos(phi) + z * std::sin(phi);
  double az = std::atan2(y, south) / kRad;
  return {std::asin(up) / kRad, az < 0 ? az + 360 : az};
}

// Right ascension on the local meridian for a place and sidereal time.
double meridianRa(double longitudeDeg, double gstHours) {
  return std::fmod(longitudeDeg * kRad + gstHours * kPi / 12 + 4 * kPi, 2 * kPi);
}

TEST(EquatorialToHorizontal, AtTheZenithAndOnTheMeridian) {
  const double ra = meridianRa(19.5, 5.0);
  HorizontalPosition zenith = equatorialToHorizontal(ra, 47.0 * kRad, 47.0, 19.5, 5.0);
  EXPECT_NEAR(zenith.altitudeDeg, 90.0, 1e-5);  // asin is coarse next to 1
  EXPECT_EQ(zenith.azimuthDeg, 180.0);
  EXPECT_EQ(equatorialToHorizontal(ra, -33.9 * kRad, -33.9, 19.5, 5.0).azimuthDeg, 0.0);
  // Upper culmination south of the zenith: due south.
  HorizontalPosition south = equatorialToHorizontal(ra, 10 * kRad, 47.0, 19.5, 5.0);
  EXPECT_NEAR(south.altitudeDeg, 53.0, 1e-9);
  EXPECT_EQ(south.azimuthDeg, 0.0);
  // Upper culmination north of the zenith and lower culmination below the
  // pole are both due north.
  HorizontalPosition high = equatorialToHorizontal(ra, 70 * kRad, 47.0, 19.5, 5.0);
  EXPECT_NEAR(high.altitudeDeg, 67.0, 1e-9);
  EXPECT_EQ(high.azimuthDeg, 180.0);
  HorizontalPosition low = equatorialToHorizontal(ra + kPi, 80 * kRad, 47.0, 19.5, 5.0);
  EXPECT_NEAR(low.altitudeDeg, 37.0, 1e-9);
  EXPECT_EQ(low.azimuthDeg, 180.0);
}

TEST(EquatorialToHorizontal, MatchesLibnovaAndRoundTrips) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> ra(0, 2 * kPi), dec(-1.5, 1.5), lat(-80, 80),
      lon(-180, 180), gst(0, 24);
  for (int i = 0; i < 5000; ++i) {
    const double a = ra(random), d = dec(random), phi = lat(random), lambda = lon(random),
                 hours = gst(random);
    HorizontalPosition p = equatorialToHorizontal(a, d, phi, lambda, hours);
    // Azimuth loses precision near the zenith, where it is barely defined.
    const double azimuthScale = 1 / std::max(1e-6, std::cos(p.altitudeDeg * kRad));
    HorizontalPosition exact = byRotation(a, d, phi, lambda, hours);
    ASSERT_NEAR(p.altitudeDeg, exact.altitudeDeg, 1e-6);
    // Within 1e-5 of the meridian the azimuth is snapped onto it (2 arcseconds).
    const bool onMeridian = std::fabs(std::sin(exact.azimuthDeg * kRad)) < 2e-5;
    ASSERT_NEAR(std::remainder(p.azimuthDeg - exact.azimuthDeg, 360.0), 0.0, onMeridian ? 1e-3 : 1e-8 * azimuthScale);
    // libnova, also counting azimuth from the south, agrees within an arcsecond or two.
    ln_equ_posn object{a / kRad, d / kRad};
    ln_lnlat_posn observer{lambda, phi};
    ln_hrz_posn reference;
    ln_get_hrz_from_equ_sidereal_time(&object, &observer, hours, &reference);
    ASSERT_NEAR(p.altitudeDeg, reference.alt, 1e-3);
    ASSERT_NEAR(std::remainder(p.azimuthDeg - reference.az, 360.0), 0.0, 1e-3 * azimuthScale);
    ASSERT_GE(p.azimuthDeg, 0.0);
    ASSERT_LT(p.azimuthDeg, 360.0);

    EquatorialPosition back = horizontalToEquatorial(p.altitudeDeg, p.azimuthDeg, phi, lambda, hours);
    ASSERT_GE(back.raRad, 0.0);
    ASSERT_LE(back.raRad, 2 * kPi);
    const double roundTrip = onMeridian ? 2e-5 : 1e-9;
    ASSERT_NEAR(back.decRad, d, roundTrip);
    ASSERT_NEAR(std::remainder(back.raRad - a, 2 * kPi) * std::cos(d), 0.0, roundTrip);
  }
}

TEST(SeparationAndAngle, DistancesAndPositionAngles) {
  // A point and itself: zero, never NaN from a cosine rounded past 1.
  Separation same = separationAndAngle(1.234567, 0.456789, 1.234567, 0.456789, true);
  EXPECT_EQ(std::tuple(same.arcmin, same.positionAngleDeg), std::tuple(0.0, 0.0));
  EXPECT_NEAR(separationAndAngle(0, 0, 0, kPi / 2, false).arcmin, 5400.0, 1e-9);
  EXPECT_NEAR(separationAndAngle(0, 0, kPi, 0, false).arcmin, 10800.0, 1e-9);
  // North, east, south and west of a point on the equator (the cosine law
  // leaves some 1e-4 degrees of rounding in the angle).
  const std::array<double, 3> angles[] = {{1, 0.01, 0.0}, {1.01, 0, 90.0}, {1, -0.01, 180.0}, {0.99, 0, 270.0}};
  for (const auto& [ra, dec, angle] : angles) {
    EXPECT_NEAR(separationAndAngle(1, 0, ra, dec, true).positionAngleDeg, angle, 1e-4) << angle;
  }
  EXPECT_NEAR(separationAndAngle(1, 0.3, 1.02, 0.31, true).positionAngleDeg, 62.1656, 1e-3);
  EXPECT_EQ(separationAndAngle(1, 0, 1.01, 0, false).positionAngleDeg, 0.0);
}

struct Star {
  double raDeg, decDeg;  // Hipparcos, J2000
};
constexpr Star kVega{(18 + 36 / 60.0 + 56.33635 / 3600) * 15, 38 + 47 / 60.0 + 1.2802 / 3600};
constexpr Star kCapella{(5 + 16 / 60.0 + 41.35871 / 3600) * 15, 45 + 59 / 60.0 + 52.7693 / 3600};
constexpr Star kPolaris{(2 + 31 / 60.0 + 49.09456 / 3600) * 15, 89 + 15 / 60.0 + 50.7923 / 3600};
constexpr Star kCanopus{(6 + 23 / 60.0 + 57.10988 / 3600) * 15, -(52 + 41 / 60.0 + 44.3810 / 3600)};

double julian(int year, int month, int day, int hour) { return julianDateOf({year, month, day, hour, 0, 0.0}); }

// Arcseconds between two places given in degrees.
double arcsecBetween(double ra1, double dec1, double ra2, double dec2) {
  return separationAndAngle(ra1 * kRad, dec1 * kRad, ra2 * kRad, dec2 * kRad, false).arcmin * 60;
}

// Apparent geocentric places of the date from PyEphem 4.1.4 (Debian
// python3-ephem), g_ra and g_dec of a J2000 FixedBody:
//   b = ephem.FixedBody(); b._ra, b._dec = '18:36:56.33635', '38:47:01.2802'; b._epoch = ephem.J2000
//   b.compute('2025/6/15 22:00'); print(math.degrees(b.g_ra), math.degrees(b.g_dec))
// Each comes back to the J2000 place it was made from.
TEST(ApparentPlace, AgreesWithPyEphemAndReturnsToJ2000) {
  struct Case { Star star; int year, month, day, hour; double raDeg, decDeg; };
  const Case cases[] = {
      {kVega, 1990, 3, 10, 18, 279.1517166, 38.7684614},   {kCapella, 1990, 3, 10, 18, 78.9956422, 45.9920878},
      {kPolaris, 1990, 3, 10, 18, 35.0484480, 89.2264444}, {kCanopus, 1990, 3, 10, 18, 95.9374921, -52.6934598},
      {kVega, 2025, 6, 15, 22, 279.4555979, 38.8033316},   {kCapella, 2025, 6, 15, 22, 79.6349708, 46.0258815},
      {kPolaris, 2025, 6, 15, 22, 45.7202887, 89.3677899}, {kCanopus, 2025, 6, 15, 22, 96.1198023, -52.7093070},
      {kVega, 2030, 11, 20, 18, 279.4910130, 38.8159400},  {kCapella, 2030, 11, 20, 18, 79.7564567, 46.0283170},
      {kPolaris, 2030, 11, 20, 18, 49.0695282, 89.3916086}, {kCanopus, 2030, 11, 20, 18, 96.1686102, -52.7118321},
  };
  for (const Case& c : cases) {
    const ApparentPlace date(julian(c.year, c.month, c.day, c.hour));
    const EquatorialPosition apparent = date.apparentOf(c.star.raDeg * kRad, c.star.decDeg * kRad);
    EXPECT_LT(arcsecBetween(apparent.raRad / kRad, apparent.decRad / kRad, c.raDeg, c.decDeg), 1.0)
        << c.year << " " << c.star.raDeg;
    const EquatorialPosition back = date.j2000Of(apparent.raRad, apparent.decRad);
    EXPECT_LT(arcsecBetween(back.raRad / kRad, back.decRad / kRad, c.star.raDeg, c.star.decDeg), 0.01);
  }
}

// PyEphem's sidereal_time() at longitude 0 (apparent sidereal time), and
// Terrestrial Time minus Universal Time as the Astronomical Almanac lists
// it (1950 to 2010), the IERS's for 2020 and 2025 (69.2 s, past the end
// of the observed table: its extrapolation stays flat as the Earth did).
TEST(ApparentPlace, ApparentSiderealTimeAndTheDynamicalTimeOffset) {
  EXPECT_NEAR(ApparentPlace(julian(1990, 3, 10, 18)).siderealHours(), 5.210008822, 0.02 / 3600);
  EXPECT_NEAR(ApparentPlace(julian(2025, 6, 15, 22)).siderealHours(), 15.629029280, 0.02 / 3600);
  EXPECT_NEAR(ApparentPlace(julian(2030, 11, 20, 18)).siderealHours(), 21.986582556, 0.02 / 3600);
  const struct {
    int year;
    double seconds, tolerance;
  } offsets[] = {{1950, 29.15, 1}, {1970, 40.18, 1}, {1990, 56.86, 1}, {2000, 63.83, 1}, {2010, 66.07, 1}, {2020, 69.36, 0.1}, {2025, 69.2, 0.5}};
  for (const auto& o : offsets) {
    EXPECT_NEAR(dynamicalTimeOffsetSeconds(julian(o.year, 1, 1, 0)), o.seconds, o.tolerance) << o.year;
  }
}

// PyEphem's J2000 place of the zenith, pressure 0:
//   o = ephem.Observer(); o.lat, o.lon = '47.0', '19.5'; o.date = '2025/6/15 22:00'
//   o.pressure = 0; o.epoch = ephem.J2000; o.radec_of('0', '90')
TEST(LocalSky, TheZenithIsAJ2000Place) {
  const ZenithPosition north = zenithPosition({2025, 6, 15, 22, 0, 0.0}, 19.5, 47.0);
  EXPECT_LT(arcsecBetween(north.raDeg, north.decDeg, 253.746155, 47.041145), 1.0);
  const ZenithPosition south = zenithPosition({1990, 3, 10, 18, 0, 0.0}, 18.42, -33.92);
  EXPECT_LT(arcsecBetween(south.raDeg, south.decDeg, 96.655078, -33.923493), 1.0);
}

// Vega from 47.5 N, 19.04 E on 2030-11-20, setting: PyEphem's altitude with
// pressure 0 (geometric) and with 1010 hPa at 10 degrees Celsius, the
// conditions the formula is made for:
//   o.pressure = 0; b.compute(o); geometric = b.alt; o.pressure, o.temp = 1010, 10; b.compute(o)
// Near the horizon refraction models differ by a fraction of an arcminute.
TEST(LocalSky, RefractionLiftsLowStarsAsPyEphemDoes) {
  const struct {
    int hour, minute;
    double geometricDeg, refractedDeg, toleranceArcmin;
  } cases[] = {{19, 15, 28.6294, 28.6589, 0.15}, {21, 30, 10.5597, 10.6426, 0.25}, {22, 45, 3.1101, 3.3318, 0.25},
               {23, 15, 0.8144, 1.1931, 0.3}, {23, 30, -0.1694, 0.3334, 0.5}};
  for (const auto& c : cases) {
    const double jd = julianDateOf({2030, 11, 20, c.hour, c.minute, 0.0});
    const HorizontalPosition geometric = LocalSky(jd, 47.5, 19.04).horizontalOf(kVega.raDeg * kRad, kVega.decDeg * kRad);
    const LocalSky refracting(jd, 47.5, 19.04, true);
    const HorizontalPosition lifted = refracting.horizontalOf(kVega.raDeg * kRad, kVega.decDeg * kRad);
    EXPECT_NEAR(geometric.altitudeDeg, c.geometricDeg, 1.0 / 3600) << c.hour;
    EXPECT_NEAR(lifted.altitudeDeg, c.refractedDeg, c.toleranceArcmin / 60) << c.hour;
    EXPECT_DOUBLE_EQ(lifted.azimuthDeg, geometric.azimuthDeg);
    const EquatorialPosition back = refracting.j2000Of(lifted.altitudeDeg, lifted.azimuthDeg);
    EXPECT_LT(arcsecBetween(back.raRad / kRad, back.decRad / kRad, kVega.raDeg, kVega.decDeg), 0.01) << c.hour;
  }
  EXPECT_NEAR(refractionDeg(90), 0.0, 1e-9);
}

}  // namespace
}  // namespace celvaro
