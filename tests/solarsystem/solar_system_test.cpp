// The solar system object: the Moon's place and phase, minor bodies' magnitudes and list switches, the facts
// of the information window against PyEphem 4.1.4, and when the user's comet and asteroid count as outdated.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <optional>
#include <string>

#include "astro/local_sky.h"
#include "solarsystem/body_facts.h"
#include "solarsystem/element_files.h"
#include "solarsystem/solar_system.h"
#include "solarsystem/user_orbits.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::ScratchDir;
using testing::writeBytes;

constexpr double kDeg = std::numbers::pi / 180;
const ChartDate kChartDate{2007, 6, 15, 20, 0, 0.0};

const std::string kCeres = testing::kCeres + "\n", kEros = testing::kEros + "\n";
const std::string k12P =
    "0012P         2024 04 21.1400  0.780800  0.954600  198.9900  255.8600   74.1900  20220824   5.0  4.0  "
    "12P/Pons-Brooks\n";

// The Moon's topocentric azimuth (from the north) and altitude, PyEphem 4.1.4 with elevation 0 and pressure 0;
// parallax moves it 50' to 60' from its geocentric place there.
TEST(SolarSystem, TheMoonIsWhereTheObserverSeesIt) {
  const struct {
    double latitudeDeg, longitudeDeg;
    ChartDate universal;
    double azimuthFromNorthDeg, altitudeDeg;
  } cases[] = {{60.0, 25.0, {2024, 9, 17, 22, 0, 0.0}, 178.27585, 25.03943},
               {60.0, 25.0, {2025, 1, 4, 15, 0, 0.0}, 189.54689, 20.95561},
               {-35.0, 149.0, {2025, 3, 10, 10, 0, 0.0}, 23.19428, 27.69981},
               {-35.0, 149.0, {2012, 11, 13, 20, 0, 0.0}, 102.93942, 12.85953}};
  SolarSystem solar;
  for (const auto& c : cases) {
    solar.setObserver(c.latitudeDeg, c.longitudeDeg);
    solar.update(c.universal);
    const BodyPosition moon = *solar.bodyPosition(kMoon);
    const LocalSky sky(julianDayOf(c.universal), c.latitudeDeg, c.longitudeDeg);
    const HorizontalPosition seen = sky.horizontalOf(moon.raRad, moon.decRad);
    const double error = separationAndAngle(seen.azimuthDeg * kDeg, seen.altitudeDeg * kDeg,
                                            (c.azimuthFromNorthDeg + 180) * kDeg, c.altitudeDeg * kDeg, false)
                             .arcmin;
    EXPECT_LT(error, 0.25) << c.latitudeDeg << " " << c.universal.year;
  }
}

TEST(SolarSystem, MoonPhaseFallsWhileTheMoonWaxes) {
  SolarSystem solar;
  struct Phase { ChartDate date; int degrees; };
  // New Moon 2024-01-11 11:57, first quarter 01-18 03:53, full 01-25 17:54,
  // last quarter 02-02 23:18 (Universal Time).
  const Phase phases[] = {{{2024, 1, 11, 11, 57, 0}, 180},
                          {{2024, 1, 18, 3, 53, 0}, 270},
                          {{2024, 1, 25, 17, 54, 0}, 360},
                          {{2024, 2, 2, 23, 18, 0}, 90}};
  for (const Phase& phase : phases) {
    solar.update(phase.date);
    const int value = solar.bodyPosition(kMoon)->phaseAngleDeg;
    EXPECT_GE(value, 0);
    EXPECT_LT(value, 360);
    EXPECT_NEAR(std::remainder(value - phase.degrees, 360.0), 0, 10) << phase.date.day;
  }
  // At first quarter the Moon stands some 90 degrees east of the Sun.
  solar.update(phases[1].date);
  EXPECT_GT(solar.bodyPosition(kMoon)->brightLimbDeg, 0);
  EXPECT_LT(solar.bodyPosition(kMoon)->brightLimbDeg, 180);
}

// The chart's star limit against each kind of minor body, magnitudes from PyEphem 4.1.4 (EllipticalBody with the
// same elements: Ceres of the user asteroid, 2006, _H 3.34, and of the list, 2022, _H 3.33, _G 0.12; 12P with
// _g 5, _k 4). The user's comet has no magnitude law and is never left off.
TEST(SolarSystem, EveryMinorBodyMeetsTheStarLimit) {
  ScratchDir dir;
  writeBytes(dir.file("Soft00Bright.txt"), kCeres);
  writeBytes(dir.file("CometEls.txt"), k12P);
  SolarSystem solar(testing::elementFilesIn(dir.path().string()));
  solar.loadLists({1, 0, 0, 0}, false, kChartDate);
  ASSERT_EQ(solar.loadCometList(), 0);
  const ChartDate march2025{2025, 3, 1, 20, 0, 0}, opposition2025{2025, 10, 2, 0, 0, 0};
  const ChartDate april2024{2024, 4, 21, 0, 0, 0};
  const struct {
    int32_t id;
    ChartDate universal;
    std::optional<double> magnitude;
    int32_t limitHundredths;
    bool fainter;
  } cases[] = {
      {objectId(kUserAsteroid, 0), march2025, 9.06, 800, true},
      {objectId(kUserAsteroid, 0), march2025, 9.06, 920, false},
      {objectId(kBrightList, 0), march2025, 9.06, 800, true},
      {objectId(kBrightList, 0), {2022, 8, 9, 0, 0, 0}, 8.53, 800, true},
      {objectId(kBrightList, 0), {2023, 3, 21, 0, 0, 0}, 6.91, 800, false},  // opposition
      {objectId(kBrightList, 0), {2023, 9, 1, 0, 0, 0}, 8.92, 800, true},
      {objectId(kUserAsteroid, 0), opposition2025, 7.58, 800, false},
      {objectId(kCometList, 0), april2024, 4.95, 480, true},
      {objectId(kCometList, 0), april2024, 4.95, 510, false},
      {objectId(kUserComet, 0), march2025, std::nullopt, -1000, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(objectKind(c.id)) + " " + std::to_string(c.universal.year) + " limit " +
                 std::to_string(c.limitHundredths));
    solar.update(c.universal);
    const std::optional<double> m = solar.minorBodyMagnitude(c.id);
    ASSERT_EQ(m.has_value(), c.magnitude.has_value());
    if (m) {
      EXPECT_NEAR(*m, *c.magnitude, 0.02);
    }
    EXPECT_EQ(solar.fainterThan(c.id, c.limitHundredths), c.fainter);
  }
}

TEST(SolarSystem, ListSwitchesDecideWhereMinorPlanetsAreFound) {
  ScratchDir dir;
  writeBytes(dir.file("Soft00Bright.txt"), kCeres + kEros);
  writeBytes(dir.file("Soft00Distant.txt"), kEros);
  writeBytes(dir.file("MPCORB.DAT"), "MINOR PLANET ELEMENTS\n-----\n" + kCeres + kEros);
  SolarSystem solar(testing::elementFilesIn(dir.path().string()));
  solar.userAsteroid().shown = 1;
  ShortListSwitches lists{1, 0, 1, 0};
  solar.loadLists(lists, true, kChartDate);
  EXPECT_TRUE(solar.minorPlanets(kBrightList)->loaded());
  EXPECT_FALSE(solar.minorPlanets(kCriticalList)->loaded());
  StarPosition p;
  ASSERT_TRUE(solar.findMinorPlanet({MinorPlanetQuery::kByName, "Eros"}, lists, p));
  EXPECT_EQ(p.index, objectId(kBrightList, 1));  // the first list wins
  lists[0] = 0;
  ASSERT_TRUE(solar.findMinorPlanet({MinorPlanetQuery::kByNumber, "433"}, lists, p));
  EXPECT_EQ(p.index, objectId(kDistantList, 0));
  EXPECT_FALSE(solar.findMinorPlanet({MinorPlanetQuery::kByName, "Ceres"}, lists, p));
  ASSERT_TRUE(solar.findMinorPlanet({MinorPlanetQuery::kUserAsteroid, ""}, lists, p));
  EXPECT_EQ(p.index, objectId(kUserAsteroid, 0));

  EXPECT_EQ((std::tuple{solar.findInLongList(433), solar.findInLongList(2)}), (std::tuple{objectId(kLongList, 1), -1}));
}

// JPL Horizons (DE441, JPL#48) astrometric J2000 place of Ceres on
// 2022-06-10 0h UT, as published with astroquery's Horizons test data
// (tests/data/ceres_ephemerides_range.txt).
TEST(SolarSystem, CeresFromTheBuiltLongList) {
  const std::string mpc = std::string(CELVARO_RUN_DIR) + "/data/mpc";
  if (!std::filesystem::exists(mpc + "/MPCORB.DAT")) GTEST_SKIP() << "the catalog data have not been built";
  SolarSystem solar(testing::elementFilesIn(mpc));
  solar.update({2022, 6, 10, 0, 0, 0.0});
  const int32_t ceres = solar.findInLongList(1);
  StarPosition p;
  ASSERT_TRUE(solar.objectPosition(ceres, -1, p));
  EXPECT_NEAR((p.raRad / kDeg - 101.73343) * std::cos(26.78554 * kDeg) * 60, 0, 1.0);
  EXPECT_NEAR((p.decRad / kDeg - 26.78554) * 60, 0, 1.0);
}

struct Expected { double magnitude, diameterArcsec, illuminatedPercent, earthAu, sunAu, elongationDeg; };

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

struct MajorCase { int body; ChartDate universal; Expected expected; };

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
  ScratchDir dir;
  testing::writeBytes(dir.file("CometEls.txt"), k12P);
  SolarSystem solar(testing::elementFilesIn(dir.path().string()));
  ASSERT_EQ(solar.loadCometList(), 0);
  solar.userAsteroid().shown = 1;
  const struct { int32_t id; ChartDate universal; Expected expected; } cases[] = {
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

// The example elements date from the comet's perihelion 2006-08-28.6884
// (JD 2453976.1884) and the asteroid's epoch K069M, 2006-09-22
// (JD 2454000.5); the instants' Julian dates are PyEphem's julian_date.
TEST(UserOrbits, ElementsTenYearsFromTheChartAreOutdated) {
  const struct { const char* instant; double julianDate; bool cometOutdated, asteroidOutdated; } cases[] = {
      {"1996-08-27", 2450322.5, true, true},   {"1996-09-23", 2450349.5, false, false},
      {"2016-08-28", 2457628.5, false, false}, {"2016-08-29", 2457629.5, true, false},
      {"2016-09-21", 2457652.5, true, false},  {"2016-09-22", 2457653.5, true, true},
      {"2025-03-01 20:00", 2460736.3333, true, true},
  };
  const UserComet comet;
  const UserAsteroid asteroid;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.instant);
    EXPECT_EQ(outdatedAt(comet, c.julianDate), c.cometOutdated);
    EXPECT_EQ(outdatedAt(asteroid, c.julianDate), c.asteroidOutdated);
  }
  UserAsteroid unreadable;
  unreadable.epoch = "K06";
  EXPECT_FALSE(outdatedAt(unreadable, 2460736.3333));  // not placed at all
}

}  // namespace
}  // namespace celvaro
