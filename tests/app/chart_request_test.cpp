// celvaro-chart's command line: what is refused and why, and what a taken
// request asks for; and the title lines over a map.
#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include "app/chart_request.h"
#include "app/map_title.h"
#include "app/ui_resources.h"

namespace celvaro {
namespace {

std::string parseError(std::vector<std::string> args) {
  std::string error;
  EXPECT_FALSE(parseChartRequest(args, error));
  return error;
}

TEST(ChartRequest, BadCommandLinesNameTheOption) {
  EXPECT_EQ(parseError({"--out", "a.png", "--frobnicate", "1"}), "unknown option --frobnicate");
  EXPECT_EQ(parseError({"--field", "wide", "--out", "a.png"}), "bad value for --field: wide");
  // The place takes what the program's own dialog and configuration take.
  EXPECT_EQ(parseError({"--out", "a.png", "--lon", "200"}), "bad value for --lon: 200");
  EXPECT_EQ(parseError({"--out", "a.png", "--utc", "2024-13-01T00:00"}),
            "bad value for --utc: 2024-13-01T00:00 (the month must be between 1 and 12)");
  EXPECT_EQ(parseError({"--out", "a.png", "--format", "gif"}), "bad value for --format: gif");
  EXPECT_EQ(parseError({"--out"}), "--out needs a value");
  EXPECT_EQ(parseError({"--object", "--out", "a.png"}), "--object needs a value");
  EXPECT_EQ(parseError({"--out", "-", "--stats"}),
            "--out - goes without --stats, --info, --timings and --bench, which print there too");
  // Dates the calendar does not have, the Julian calendar's before 1583.
  EXPECT_EQ(parseError({"--out", "a.png", "--utc", "2026-02-30T12:00"}),
            "bad value for --utc: 2026-02-30T12:00 (the day must be between 1 and 28)");
  EXPECT_EQ(parseError({"--out", "a.png", "--utc", "1700-02-29T12:00"}),
            "bad value for --utc: 1700-02-29T12:00 (the day must be between 1 and 28)");
  EXPECT_EQ(parseError({"--out", "a.png", "--utc", "2026-04-31T00:00"}),
            "bad value for --utc: 2026-04-31T00:00 (the day must be between 1 and 30)");
  EXPECT_EQ(parseError({"--out", "a.png", "--utc", "2026-01-01T24:00"}),
            "bad value for --utc: 2026-01-01T24:00 (the hour must be between 0 and 23)");
  for (const char* leapDay : {"2024-02-29T12:00", "2000-02-29T12:00", "1500-02-29T12:00"}) {
    std::string error;
    EXPECT_TRUE(parseChartRequest({"--out", "a.png", "--utc", leapDay}, error)) << leapDay << ": " << error;
  }
  EXPECT_EQ(parseError({"--ra", "5.5", "--out", "a.png"}), "--ra and --dec go together");
  EXPECT_EQ(parseError({"--field", "60"}), "--out FILE is required");
  EXPECT_EQ(parseError({"--info", "--out", "a.png"}), "--info goes with --object");
  EXPECT_EQ(parseError({"--object", "Vega", "--ra", "1", "--dec", "2", "--stats"}),
            "--object takes the place of --ra/--dec and --az/--alt");
  EXPECT_EQ(parseError({"--object", "Vega", "--info", "--language", "fr"}), "bad value for --language: fr");
  EXPECT_EQ(parseError({"--format", "svg", "--page", "10x297", "--out", "a"}), "bad value for --page: 10x297");
  EXPECT_EQ(parseError({"--format", "svg", "--margin", "-1", "--out", "a"}), "bad value for --margin: -1");
  EXPECT_EQ(parseError({"--format", "svg", "--margin", "105", "--out", "a"}),
            "--margin leaves no room for the chart on the page");
  EXPECT_EQ(parseError({"--format", "pdf", "--stats", "--out", "a"}), "--stats goes with --format png");
  std::string error;
  auto request = parseChartRequest({"--utc", "2024-01-15T20:00:30", "--lat", "-33.9", "--size", "640x480",
                                    "--az", "90", "--alt", "30", "--out", "x.png", "--stats"},
                                   error);
  ASSERT_TRUE(request) << error;
}

TEST(ChartRequest, FileFormatsTakeAPageInMillimetresAndAMargin) {
  std::string error;
  const auto request =
      parseChartRequest({"--format", "eps", "--page", "279.4x215.9", "--margin", "12.5", "--out", "m.eps"}, error);
  ASSERT_TRUE(request) << error;
  const auto pageOf = [](const ChartRequest& r) {
    const PrintableMap map = printableMapOf(r);
    return std::tuple(map.format, map.pageWidth, map.pageHeight, map.margin, map.fileName);
  };
  EXPECT_EQ(pageOf(*request), std::tuple(kExportEps, 27940, 21590, 1250, std::string("m.eps")));
  // A finder chart is a PDF unless asked otherwise, by default in the current directory.
  const auto finder = parseChartRequest({"--finder", "M 13"}, error);
  ASSERT_TRUE(finder) << error;
  EXPECT_EQ(std::tuple(finder->object, finder->out), std::tuple("M 13", "finder-M-13.pdf"));
}

constexpr double kRadPerDeg = std::numbers::pi / 180;

// The deep-sky catalog's level edges as its builder documents them: level L
// shows prominences up to the L-th of 4, 5, 6, 8, 10, 11, 12, 13.5, 14.5 and
// 15.5, and level 10 every object.
TEST(MapTitle, TheDeepSkyLimitIsTheLevelsEdge) {
  const struct { int level; const char* text; } cases[] = {{0, "4.0"}, {3, "8.0"}, {7, "13.5"}, {9, "15.5"}, {10, ""}};
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
