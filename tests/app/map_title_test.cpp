#include "app/map_title.h"

#include <gtest/gtest.h>

#include <numbers>

#include "app/ui_resources.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

// Fields as the field dialog reads them, degrees and minutes.
TEST(MapTitle, TheFieldIsWrittenInDegreesAndMinutes) {
  const struct {
    int arcmin;
    const char* text;
  } cases[] = {{300, "5°"}, {90, "1°30'"}, {65, "1°05'"}, {45, "45'"}, {5400, "90°"}};
  for (const auto& c : cases) EXPECT_EQ(fieldText(c.arcmin), c.text) << c.arcmin;
}

// The deep-sky catalog's level edges as its builder documents them: level L
// shows prominences up to the L-th of 4, 5, 6, 8, 10, 11, 12, 13.5, 14.5 and
// 15.5, and level 10 every object.
TEST(MapTitle, TheDeepSkyLimitIsTheLevelsEdge) {
  const struct {
    int level;
    const char* text;
  } cases[] = {{0, "4.0"}, {3, "8.0"}, {7, "13.5"}, {9, "15.5"}, {10, ""}};
  for (const auto& c : cases) EXPECT_EQ(deepskyLimitText(c.level), c.text) << c.level;
}

// Without a language file the captions are the English ones; an object and
// a city are named, else the centre and the place go by their numbers.
TEST(MapTitle, NamesWhatItKnowsAndGivesPositionsOtherwise) {
  UiResources texts;
  MapTitle title;
  title.raRad = (5 + 55 / 60.0 + 10.3 / 3600) * 15 * kRadPerDeg;  // 05h55m10.3s
  title.decRad = (7 + 24 / 60.0 + 25.4 / 3600) * kRadPerDeg;      // +07°24'25.4"
  title.local = {2024, 1, 15, 21, 0, 0.0};
  title.universal = {2024, 1, 15, 20, 0, 0.0};
  title.latitudeDeg = -33.8688;
  title.longitudeDeg = 151.2093;
  title.fieldArcmin = 1800;
  title.projectionId = 3;
  title.starLimitHundredths = 850;
  title.deepskyLevel = 10;
  EXPECT_EQ(mapTitleLines(title, texts),
            (std::vector<std::string>{
                "Centre: RA 05:55:10   Dec 07:24:25   Epoch J2000.0",
                "Local time: 2024.01.15 21:00   UT: 2024.01.15 20:00   Observing place: Latitude -33.87°, "
                "Longitude 151.21°",
                "Field of view: 30°   Projection: Stereographic   Limiting magnitude: stars 8.50, deep-sky objects all"}));
  title.objectName = "Betelgeuse";
  title.placeName = "Sydney";
  const std::vector<std::string> named = mapTitleLines(title, texts);
  EXPECT_EQ(named[0], "Object: Betelgeuse   RA 05:55:10   Dec 07:24:25   Epoch J2000.0");
  EXPECT_EQ(named[1], "Local time: 2024.01.15 21:00   UT: 2024.01.15 20:00   Observing place: Sydney");
}

}  // namespace
}  // namespace celvaro
