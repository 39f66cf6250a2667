#include "ui/chart_command.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <fstream>
#include <tuple>
#include <numbers>

#include "app/app_model.h"
#include "app/configuration.h"
#include "app/ui_resources.h"
#include "render/layer_statistics.h"
#include "ui/qt_canvas.h"

namespace celvaro {
namespace {

constexpr double kRad = std::numbers::pi / 180;

std::string parseError(std::vector<std::string> args) {
  std::string error;
  EXPECT_FALSE(parseChartRequest(args, error));
  return error;
}

TEST(ChartCommand, BadCommandLinesNameTheOption) {
  EXPECT_EQ(parseError({"--out", "a.png", "--frobnicate", "1"}), "unknown option --frobnicate");
  EXPECT_EQ(parseError({"--field", "wide", "--out", "a.png"}), "bad value for --field: wide");
  EXPECT_EQ(parseError({"--out", "a.png", "--mirror", "4"}), "bad value for --mirror: 4");
  // The place takes what the program's own dialog and configuration take.
  EXPECT_EQ(parseError({"--out", "a.png", "--lon", "200"}), "bad value for --lon: 200");
  EXPECT_EQ(parseError({"--out", "a.png", "--utc", "2024-13-01T00:00"}), "bad value for --utc: 2024-13-01T00:00");
  EXPECT_EQ(parseError({"--out", "a.png", "--size", "10x10"}), "bad value for --size: 10x10");
  EXPECT_EQ(parseError({"--out", "a.png", "--format", "gif"}), "bad value for --format: gif");
  EXPECT_EQ(parseError({"--out"}), "bad value for --out");
  EXPECT_EQ(parseError({"--ra", "5.5", "--out", "a.png"}), "--ra and --dec go together");
  EXPECT_EQ(parseError({"--stats"}), "--out FILE is required");
  std::string error;
  auto request = parseChartRequest({"--utc", "2024-01-15T20:00:30", "--lat", "-33.9", "--size", "640x480",
                                    "--az", "90", "--alt", "30", "--out", "x.png", "--stats"},
                                   error);
  ASSERT_TRUE(request) << error;
  EXPECT_EQ(request->utc->seconds, 30);
  EXPECT_EQ(request->width, 640);
  EXPECT_TRUE(request->stats);
}

class OrionChart : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::string(CELVARO_RUN_DIR) + "/data/.built")) GTEST_SKIP() << "no built data";
    resources.setProgramDir(CELVARO_RUN_DIR);
    request.programDir = CELVARO_RUN_DIR;
    request.utc = ChartDate{2024, 1, 15, 20, 0, 0.0};
    request.raHours = 5.6;
    request.decDeg = 3;
    request.fieldArcmin = 3600;
    request.width = 1200;
    request.height = 900;
  }
  // Device position of a star on the chart.
  QPoint where(AppModel& model, double raDeg, double decDeg) {
    ProjectedPoint p;
    model.projection().project(raDeg * kRad, decDeg * kRad, p);
    return {request.width / 2 + p.x, request.height / 2 - p.y};
  }
  QImage paint(AppModel& model) {
    QImage image(request.width, request.height, QImage::Format_RGB32);
    QtCanvas canvas(image);
    model.paintChart(canvas);
    return image;
  }
  // Bright stars that vary are drawn as rings: white at their edge.
  bool whiteNear(const QImage& image, QPoint at) {
    for (int dy = -6; dy <= 6; ++dy)
      for (int dx = -6; dx <= 6; ++dx)
        if (image.valid(at + QPoint(dx, dy)) && image.pixel(at + QPoint(dx, dy)) == qRgb(255, 255, 255)) return true;
    return false;
  }
  bool hasColour(const QImage& image, QRgb colour) {
    for (int y = 0; y < image.height(); y += 2)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) == colour) return true;
    return false;
  }

  UiResources resources;
  ChartRequest request;
};

TEST_F(OrionChart, EastIsLeftAndNorthUpUnlessMirrored) {
  AppModel model(CELVARO_RUN_DIR, configurationPath("/nonexistent"), resources);
  prepareChartModel(model, request);
  const QImage image = paint(model);
  const QPoint betelgeuse = where(model, 88.7929, 7.4071), rigel = where(model, 78.6345, -8.2016);
  EXPECT_LT(betelgeuse.x(), rigel.x());  // larger right ascension, further east: left
  EXPECT_LT(betelgeuse.y(), rigel.y());  // further north: up
  EXPECT_TRUE(whiteNear(image, betelgeuse));
  EXPECT_TRUE(whiteNear(image, rigel));
  EXPECT_TRUE(hasColour(image, qRgb(180, 0, 0)));  // figures
  EXPECT_TRUE(hasColour(image, qRgb(64, 64, 0)));  // grid

  request.mirror = 3;
  AppModel mirrored(CELVARO_RUN_DIR, configurationPath("/nonexistent"), resources);
  prepareChartModel(mirrored, request);
  const QImage flipped = paint(mirrored);
  const QPoint b2 = where(mirrored, 88.7929, 7.4071), r2 = where(mirrored, 78.6345, -8.2016);
  EXPECT_GT(b2.x(), r2.x());
  EXPECT_EQ(b2.x(), request.width - betelgeuse.x());
  EXPECT_TRUE(whiteNear(flipped, b2));
}

TEST_F(OrionChart, StatisticsFollowTheLimits) {
  auto statistics = [&](int field, const char* settingsText) {
    request.fieldArcmin = field;
    const std::string settings = ::testing::TempDir() + "/limits.clv";
    std::ofstream(settings) << settingsText;
    request.settingsFile = settings;
    AppModel model(CELVARO_RUN_DIR, configurationPath("/nonexistent"), resources);
    prepareChartModel(model, request);
    LayerStatistics stats(model.screenOutput());
    model.setCurrentOutput(&stats);
    paint(model);
    return std::tuple{stats.count("stars"), model.chart.starLimitHundredths, stats.count("constlines")};
  };
  const auto [stars, limit, lines] = statistics(3600, "");
  const auto [fainter, fainterLimit, sameLines] = statistics(3600, "starmagnlimitauto=100\r\n");
  const auto [narrow, narrowLimit, narrowLines] = statistics(1800, "");
  EXPECT_EQ(limit, 700);
  EXPECT_EQ(fainterLimit, 800);
  EXPECT_GT(fainter, stars * 2);  // a magnitude fainter roughly triples the stars
  EXPECT_EQ(sameLines, lines);
  EXPECT_EQ(narrowLimit, 800);
  const auto [noFigures, noLimit, noLines] = statistics(3600, "needeconstlines=0\r\n");
  EXPECT_EQ(noLines, 0);
  EXPECT_EQ(noFigures, stars);
}

}  // namespace
}  // namespace celvaro
