// The facts of the information window for the bodies of the solar system,
// against PyEphem 4.1.4 (Debian's python3-ephem) for the same instants.
#include "solarsystem/body_facts.h"

#include <gtest/gtest.h>

#include <cmath>

#include "solarsystem/element_files.h"
#include "solarsystem/solar_system.h"
#include "test_files.h"

namespace celvaro {
namespace {

struct Expected {
  double magnitude, diameterArcsec, illuminatedPercent, earthAu, sunAu, elongationDeg;
};

// The magnitude within 0.1, the size within 1 % and the lit part within a
// percentage point (where a size is expected), the distances within 0.1 %,
// the elongation within a tenth of a degree.
void expectFacts(const BodyFacts& facts, const Expected& e) {
  ASSERT_TRUE(facts.magnitude && facts.sunDistanceAu && facts.elongationDeg);
  EXPECT_NEAR(*facts.magnitude, e.magnitude, 0.1);
  if (e.diameterArcsec > 0) {
    EXPECT_NEAR(facts.diameterArcsec / e.diameterArcsec, 1, 0.01);
    EXPECT_NEAR(*facts.illuminatedFraction() * 100, e.illuminatedPercent, 1);
  }
  EXPECT_NEAR(facts.earthDistanceAu / e.earthAu, 1, 0.001);
  EXPECT_NEAR(*facts.sunDistanceAu / e.sunAu, 1, 0.001);
  EXPECT_NEAR(*facts.elongationDeg, e.elongationDeg, 0.1);
}

struct MajorCase {
  int body;
  ChartDate universal;
  Expected expected;
};

// PyEphem 4.1.4, ephem.Jupiter(date), ephem.Venus(date), ephem.Moon(date)
// (geocentric; dates UT): mag, size (diameter), phase (lit per cent),
// earth_distance, sun_distance, elong (east positive).
// (*) PyEphem's own magnitude law is not the published one there: the
// column holds the published law on PyEphem's distances and phase angle
// (Meeus, Astronomical Algorithms, chapter 41, for Jupiter: -9.40 +
// 5 log r delta + 0.005 i; Allen's Astrophysical Quantities for the Moon:
// 0.21 + 5 log r delta + 0.026 i + 4e-9 i^4), PyEphem's value beside it.
// PyEphem's Jupiter is 0.15 fainter than the Almanac's at every phase, its
// quarter Moon (-11.9) only 0.6 fainter than the full one where the Moon
// gives a tenth of the full Moon's light.
const MajorCase kMajorCases[] = {
    {kJupiter, {2007, 6, 15, 20, 0, 0}, {-2.59, 45.60, 99.968, 4.3146625, 5.3161416, 169.287}},     // (*) -2.45
    {kJupiter, {2015, 2, 6, 18, 0, 0}, {-2.57, 45.27, 100.000, 4.3462410, 5.3322325, -179.038}},    // (*) -2.41
    {kJupiter, {2024, 12, 7, 0, 0, 0}, {-2.81, 48.11, 100.000, 4.0894232, 5.0744519, -178.800}},    // (*) -2.65
    {kVenus, {2010, 8, 20, 18, 0, 0}, {-4.26, 24.92, 48.338, 0.6790946, 0.7277412, 45.963}},
    {kVenus, {2020, 3, 24, 18, 0, 0}, {-4.36, 23.83, 51.269, 0.7100205, 0.7184903, 46.075}},        // (*) -4.24
    {kVenus, {2023, 7, 28, 0, 0, 0}, {-4.39, 51.65, 8.703, 0.3276120, 0.7279992, 23.843}},
    {kMoon, {2007, 6, 20, 0, 0, 0}, {-8.79, 1831.21, 26.064, 0.0026202, 1.0148981, 61.275}},       // (*) -11.13
    {kMoon, {2021, 8, 22, 12, 0, 0}, {-12.67, 1892.81, 99.813, 0.0025350, 1.0138775, 175.031}},
    {kMoon, {2026, 2, 15, 6, 0, 0}, {-6.55, 1823.54, 5.437, 0.0026313, 0.9854028, -26.897}},       // (*) -9.42
};

TEST(BodyFacts, SunMoonAndPlanetsArePyEphems) {
  for (const MajorCase& c : kMajorCases) {
    SCOPED_TRACE(std::to_string(c.body) + " " + std::to_string(c.universal.year));
    expectFacts(majorBodyFacts(c.body, julianDayOf(c.universal)), c.expected);
  }
}

// The Sun at perihelion, 2024 January 3 0:39 UT, 0.983307 AU (USNO): its
// semidiameter 16'15.9" (the Astronomical Almanac), its magnitude -26.74 at
// 1 AU (Allen) and 0.04 brighter; no phase and no elongation.
TEST(BodyFacts, TheSunIsBrightAndHasNoPhase) {
  const BodyFacts sun = majorBodyFacts(kSun, julianDayOf({2024, 1, 3, 0, 39, 0}));
  ASSERT_TRUE(sun.magnitude);
  EXPECT_NEAR(*sun.magnitude, -26.78, 0.01);
  EXPECT_NEAR(sun.earthDistanceAu, 0.983307, 0.00001);
  EXPECT_NEAR(sun.diameterArcsec, 2 * (16 * 60 + 15.9), 1);
  EXPECT_FALSE(sun.sunDistanceAu || sun.phaseAngleDeg || sun.elongationDeg || sun.illuminatedFraction());
}

// PyEphem 4.1.4 EllipticalBody with the same elements: the user asteroid's
// defaults ((1) Ceres, epoch 2006-09-22, _H 3.34, _G 0.12) and 12P from a
// comet list (a = q / (1 - e), _M 0 at perihelion, _g 5, _k 4): mag,
// earth_distance, sun_distance, elong.
TEST(BodyFacts, CometsAndAsteroidsArePyEphems) {
  testing::ScratchDir dir;
  testing::writeBytes(dir.file("CometEls.txt"),
                      "0012P         2024 04 21.1400  0.780800  0.954600  198.9900  255.8600   74.1900  20220824   5.0"
                      "  4.0  12P/Pons-Brooks\n");
  SolarSystem solar(testing::elementFilesIn(dir.path().string()));
  ASSERT_EQ(solar.loadCometList(), 0);
  solar.userAsteroid().shown = 1;
  const struct {
    int32_t id;
    ChartDate universal;
    Expected expected;
  } cases[] = {
      {objectId(kUserAsteroid, 0), {2007, 6, 15, 20, 0, 0}, {9.24, 0, 0, 3.4420917, 2.9169955, -51.314}},
      {objectId(kUserAsteroid, 0), {2010, 1, 1, 0, 0, 0}, {8.95, 0, 0, 3.4380348, 2.7039483, -35.918}},
      {objectId(kCometList, 0), {2024, 3, 1, 0, 0, 0}, {6.97, 0, 0, 1.6902570, 1.2112125, 44.922}},
      {objectId(kCometList, 0), {2024, 4, 21, 0, 0, 0}, {4.95, 0, 0, 1.6054447, 0.7808051, 22.656}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(objectKind(c.id)) + " " + std::to_string(c.universal.year));
    solar.update(c.universal);
    const std::optional<BodyFacts> facts = solar.minorBodyFacts(c.id);
    ASSERT_TRUE(facts);
    expectFacts(*facts, c.expected);
  }
  EXPECT_FALSE(solar.minorBodyFacts(objectId(kCometList, 1)));
  EXPECT_FALSE(solar.minorBodyFacts(objectId(kMajorBody, kJupiter)));
}

}  // namespace
}  // namespace celvaro
