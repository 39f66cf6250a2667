#include "astro/coordinates.h"

#include <gtest/gtest.h>
#include <libnova/transform.h>

#include <cmath>
#include <numbers>
#include <random>

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
    ASSERT_NEAR(std::remainder(p.azimuthDeg - exact.azimuthDeg, 360.0), 0.0,
                onMeridian ? 1e-3 : 1e-8 * azimuthScale);
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

TEST(HorizontalToEquatorial, ExtremeLongitudesStayInRange) {
  EquatorialPosition p = horizontalToEquatorial(30, 100, 47, 1e6, 12);
  EXPECT_GE(p.raRad, 0.0);
  EXPECT_LE(p.raRad, 2 * kPi);
}

TEST(NormaliseDegrees, BringsAnglesIntoOneTurn) {
  EXPECT_DOUBLE_EQ(normaliseDegrees(-30), 330);
  EXPECT_DOUBLE_EQ(normaliseDegrees(720), 0);
  EXPECT_DOUBLE_EQ(normaliseDegrees(359.5), 359.5);
  EXPECT_GE(normaliseDegrees(-1e-18), 0.0);
  EXPECT_LT(normaliseDegrees(-1e-18), 360.0);
}

TEST(SeparationAndAngle, DistancesAndPositionAngles) {
  // A point and itself: zero, never NaN from a cosine rounded past 1.
  Separation same = separationAndAngle(1.234567, 0.456789, 1.234567, 0.456789, true);
  EXPECT_EQ(same.arcmin, 0.0);
  EXPECT_EQ(same.positionAngleDeg, 0.0);
  EXPECT_NEAR(separationAndAngle(0, 0, 0, kPi / 2, false).arcmin, 5400.0, 1e-9);
  EXPECT_NEAR(separationAndAngle(0, 0, kPi, 0, false).arcmin, 10800.0, 1e-9);
  // North, east, south and west of a point on the equator (the cosine law
  // leaves some 1e-4 degrees of rounding in the angle).
  EXPECT_NEAR(separationAndAngle(1, 0, 1, 0.01, true).positionAngleDeg, 0.0, 1e-4);
  EXPECT_NEAR(separationAndAngle(1, 0, 1.01, 0, true).positionAngleDeg, 90.0, 1e-4);
  EXPECT_NEAR(separationAndAngle(1, 0, 1, -0.01, true).positionAngleDeg, 180.0, 1e-4);
  EXPECT_NEAR(separationAndAngle(1, 0, 0.99, 0, true).positionAngleDeg, 270.0, 1e-4);
  EXPECT_NEAR(separationAndAngle(1, 0.3, 1.02, 0.31, true).positionAngleDeg, 62.1656, 1e-3);
  EXPECT_EQ(separationAndAngle(1, 0, 1.01, 0, false).positionAngleDeg, 0.0);
}

}  // namespace
}  // namespace celvaro
