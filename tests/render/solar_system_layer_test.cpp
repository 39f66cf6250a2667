#include "render/solar_system_layer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "projection/transformer_orthographic.h"
#include "render/chart_fixture.h"
#include "solarsystem/element_files.h"
#include "solarsystem/solar_system.h"
#include "test_files.h"

namespace celvaro {
namespace {

const ChartDate kChartDate{2007, 6, 15, 20, 0, 0.0};

class SolarSystemLayerTest : public testing::ChartFixture<> {
 protected:
  SolarSystemLayerTest() : solar(testing::elementFilesIn(dir.path().string())) {
    output.loadStarSizes(600, 20, 1);
    settings.fieldArcmin = 10800;
    transformer.setScale(500, 5400);
  }

  void draw() {
    transformer.setup(area, settings);
    SolarSystemLayer(solar, output, transformer, settings, options, transformer.visibilityLimit()).draw();
  }
  bool drew(const std::string& kind, int id) const {
    return std::any_of(output.discs.begin(), output.discs.end(), [&](const auto& d) { return d.kind == kind && d.id == id; });
  }
  long wrote(const std::string& text) const { return std::count(output.texts.begin(), output.texts.end(), text); }
  void centreOnObject(int32_t id) {
    StarPosition place;
    ASSERT_TRUE(solar.objectPosition(id, -1, place));
    centreOn(place);
  }
  void starLimit(int32_t hundredths) {
    settings.starLimitHundredths = hundredths;
    output.loadStarSizes(hundredths, 20, 1);
  }
  // The diameter of the disc drawn for `id`, -1 when none was.
  int discDiameter(int id) const {
    const auto disc = std::find_if(output.discs.begin(), output.discs.end(), [&](const auto& d) { return d.id == id; });
    return disc == output.discs.end() ? -1 : disc->diameter;
  }

  testing::ScratchDir dir;
  SolarSystem solar;
  TransformerOrthographic transformer;
};

TEST_F(SolarSystemLayerTest, ATrackReplacesTheDiscAndDatesEverySecondMark) {
  settings.planetTracks.bodies[kMars] = 1;
  solar.update(kChartDate);
  solar.computeTracks(kChartDate, settings.planetTracks);
  centreOn({0, solar.bodyPosition(kMars)->raRad, solar.bodyPosition(kMars)->decRad});
  draw();
  int marks = 0;
  for (const auto& d : output.discs) {
    if (d.kind == "planet" && d.id == kMars) {
      EXPECT_EQ(d.mark, marks++);  // the marks only, no disc of the body itself
    }
  }
  EXPECT_EQ(marks, 10);
  const auto first = std::find(output.texts.begin(), output.texts.end(), "Mars 2007.6.15");
  ASSERT_NE(first, output.texts.end());
  EXPECT_EQ(*(first + 1), "2007.7.25");
  EXPECT_EQ(wrote("Mars"), 0);

  // Without date labels the track still says whose it is.
  settings.planetTracks.dateLabels = 0;
  solar.computeTracks(kChartDate, settings.planetTracks);
  output.texts.clear();
  draw();
  EXPECT_EQ(wrote("Mars"), 1);

  settings.showPlanets = 0;
  output.discs.clear();
  draw();
  EXPECT_FALSE(drew("planet", kMars));
}

// Ceres on 2022-08-09 is of magnitude 8.53 (PyEphem, for the shared element
// line): beyond a naked-eye chart's stars, the size of an 8.5 star on a
// deeper one.
TEST_F(SolarSystemLayerTest, AsteroidsShowWithinTheStarLimitAtTheirMagnitudesSize) {
  testing::writeBytes(dir.file("Soft00Bright.txt"), testing::kCeres + "\n");
  const ChartDate date{2022, 8, 9, 0, 0, 0};
  solar.loadLists({1, 0, 0, 0}, false, date);
  solar.update(date);
  settings.minorPlanetLists = {1, 0, 0, 0};
  settings.asteroidTrack.object = -1;
  const int32_t ceres = objectId(kBrightList, 0);
  centreOnObject(ceres);
  starLimit(600);
  draw();
  EXPECT_FALSE(drew("minor", ceres));
  EXPECT_EQ(wrote("(1) Ceres"), 0);
  starLimit(900);
  draw();
  ASSERT_TRUE(drew("minor", ceres));
  EXPECT_EQ(discDiameter(ceres), output.starDiameterForMagnitude(853));
}

// The user's asteroid with the example elements of Ceres is of magnitude
// 9.06 on 2025-03-01 (PyEphem): left off an 8.0 chart like a listed one,
// unless it is the selected asteroid.
TEST_F(SolarSystemLayerTest, TheUsersAsteroidKeepsTheStarLimitUnlessSelected) {
  const ChartDate date{2025, 3, 1, 20, 0, 0};
  solar.userAsteroid().shown = 1;
  solar.update(date);
  const int32_t id = objectId(kUserAsteroid, 0);
  centreOnObject(id);
  settings.starLimitHundredths = 800;
  draw();
  EXPECT_FALSE(drew("minor", id));
  settings.asteroidTrack.object = id;
  draw();
  EXPECT_TRUE(drew("minor", id));
}

// 12P on 2024-04-21 is of magnitude 4.95 by its law (PyEphem's gk model for
// the elements below): the disc of a 4.95 star, larger than the least one.
TEST_F(SolarSystemLayerTest, ACometIsTheSizeOfAStarOfItsMagnitude) {
  testing::writeBytes(dir.file("CometEls.txt"),
                      "0012P         2024 04 21.1400  0.780800  0.954600  198.9900  255.8600   74.1900  20220824   5.0  "
                      "4.0  12P/Pons-Brooks\n");
  ASSERT_EQ(solar.loadCometList(), 0);
  solar.update({2024, 4, 21, 0, 0, 0});
  starLimit(900);
  settings.cometTrack.object = objectId(kCometList, 0);
  centreOnObject(settings.cometTrack.object);
  draw();
  EXPECT_GT(output.starDiameterForMagnitude(495), settings.cometDiscs.fixedMinimum);
  EXPECT_EQ(discDiameter(objectId(kCometList, 0)), output.starDiameterForMagnitude(495));
}

TEST_F(SolarSystemLayerTest, ACometWithoutAPositionIsNotDrawn) {
  // Open orbit, perihelion 1000 days before the chart: libnova's series gives no number.
  testing::writeBytes(dir.file("CometEls.txt"),
                      "    CK04A010  2004 09 18.0000  1.000000  1.500000   20.0000   30.0000   10.0000  20220824  "
                      "10.0  4.0  C/2004 A1 (Test)\n");
  ASSERT_EQ(solar.loadCometList(), 0);
  solar.update(kChartDate);
  solar.userComet().shown = 1;
  solar.userComet().name = "177P/Barnard";
  settings.cometTrack.object = objectId(kCometList, 0);
  StarPosition none;
  EXPECT_FALSE(solar.objectPosition(settings.cometTrack.object, -1, none));
  centreOnObject(objectId(kUserComet, 0));
  draw();
  EXPECT_FALSE(drew("comet", objectId(kCometList, 0)));
  EXPECT_TRUE(drew("comet", objectId(kUserComet, 0)));
  EXPECT_GT(wrote("177P/Barnard"), 0);

}

// Pluto, of magnitude 14.4 in July 2026 (PyEphem), is as faint as the
// minor planets and obeys the star limit as they do.
TEST_F(SolarSystemLayerTest, PlutoIsDrawnWithinTheStarLimit) {
  solar.update({2026, 7, 20, 22, 0, 0.0});
  centreOnObject(objectId(kMajorBody, kPluto));
  settings.showPlanets = true;
  for (const auto& [limit, drawn] : {std::pair{1420, false}, {1460, true}}) {
    settings.starLimitHundredths = limit;
    draw();
    EXPECT_EQ(drew("planet", kPluto), drawn) << limit;
  }
}

}  // namespace
}  // namespace celvaro
