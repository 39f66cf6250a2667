// What the chart looks like, measured on the pictures celvaro-chart draws:
// star discs at a device pixel ratio, variable stars, comet tails.
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>

#include "app/app_model.h"
#include "app/configuration.h"
#include "app/ui_resources.h"
#include "output/color_table.h"
#include "test_files.h"
#include "ui/chart_command.h"
#include "ui/chart_program.h"
#include "ui/qt_canvas.h"

namespace celvaro {
namespace {

constexpr double kRad = std::numbers::pi / 180;

bool haveBuiltData() { return std::filesystem::exists(std::string(CELVARO_RUN_DIR) + "/data/.built"); }

// The 60-degree Orion chart over Berlin, drawn at a device pixel ratio.
class OrionAtScale : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!haveBuiltData()) GTEST_SKIP() << "no built data";
    resources.setProgramDir(CELVARO_RUN_DIR);
    request = testing::orionRequest();
    request.latitudeDeg = 52.52;
    request.longitudeDeg = 13.40;
  }
  // The chart as celvaro-chart --scale draws it, and the picture pixel of a
  // J2000 place on it.
  QImage paint(double scale) {
    request.scale = scale;
    model = std::make_unique<AppModel>(CELVARO_RUN_DIR, configurationPath("/nonexistent"), resources);
    prepareChartModel(*model, request);
    QImage image(request.width, request.height, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    QtCanvas canvas(image);
    model->paintChart(canvas);
    return image;
  }
  QPoint where(double raDeg, double decDeg) {
    ProjectedPoint p;
    model->projection().project(raDeg * kRad, decDeg * kRad, p);
    const double s = request.scale;
    return {static_cast<int>((chartPixels(request.width, s) / 2 + p.x) * s),
            static_cast<int>((chartPixels(request.height, s) / 2 - p.y) * s)};
  }

  UiResources resources;
  ChartRequest request;
  std::unique_ptr<AppModel> model;
};

// The length of the run of `colour` through `at` along the row.
int runAcross(const QImage& image, QPoint at, QRgb colour) {
  if (image.pixel(at) != colour) return 0;
  int left = at.x(), right = at.x();
  while (left > 0 && image.pixel(left - 1, at.y()) == colour) --left;
  while (right + 1 < image.width() && image.pixel(right + 1, at.y()) == colour) ++right;
  return right - left + 1;
}

// The widest run of `colour` on the rows near `at`: the disc's diameter.
int discWidth(const QImage& image, QPoint at, QRgb colour) {
  int widest = 0;
  for (int dy = -3; dy <= 3; ++dy) widest = std::max(widest, runAcross(image, at + QPoint(0, dy), colour));
  return widest;
}

// Sirius (-1.46) and Betelgeuse (0.42, a variable), J2000 places from the
// Hipparcos catalogue.
constexpr double kSiriusRa = 101.2872, kSiriusDec = -16.7161;
constexpr double kBetelgeuseRa = 88.7929, kBetelgeuseDec = 7.4071;

TEST_F(OrionAtScale, DiscsAreTwiceAsWideAtTwiceThePixelRatio) {
  const QRgb white = qRgb(255, 255, 255);
  const QImage single = paint(1);
  const int sirius1 = discWidth(single, where(kSiriusRa, kSiriusDec), white);
  const int betelgeuse1 = discWidth(single, where(kBetelgeuseRa, kBetelgeuseDec), white);
  const QImage twice = paint(2);
  const int sirius2 = discWidth(twice, where(kSiriusRa, kSiriusDec), white);
  const int betelgeuse2 = discWidth(twice, where(kBetelgeuseRa, kBetelgeuseDec), white);
  std::printf("Sirius %d and %d pixels, Betelgeuse %d and %d pixels wide\n", sirius1, sirius2, betelgeuse1, betelgeuse2);
  ASSERT_GE(sirius1, 8);
  EXPECT_NEAR(sirius2, 2.0 * sirius1, 1);
  EXPECT_NEAR(betelgeuse2, 2.0 * betelgeuse1, 1);
}

TEST_F(OrionAtScale, AVariableStarIsAFilledDiscInARing) {
  const QImage image = paint(1);
  const QPoint at = where(kBetelgeuseRa, kBetelgeuseDec);
  const QRgb white = qRgb(255, 255, 255);
  ASSERT_EQ(image.pixel(at), white) << "filled at its centre";
  // Outward along the row: the disc, a dark gap, the white ring.
  int x = at.x();
  while (image.pixel(x, at.y()) == white) ++x;
  const int discEdge = x;
  while (image.pixel(x, at.y()) != white && x < discEdge + 6) ++x;
  EXPECT_GT(x, discEdge) << "a gap";
  EXPECT_EQ(image.pixel(x, at.y()), white) << "the ring";
}

// NEOWISE (C/2020 F3) on 2020-07-16 20:00 UT from Berlin: PyEphem (Debian's
// python3-ephem) from the comet list's elements,
//   ephem.readdb("C/2020 F3,p,07/03.6175/2020,129.0405,37.3288,0.295417,61.0461,2000,g7.5,5.2")
// puts the Sun at position angle 195.7 degrees from the comet, so the
// tail points to 15.7 degrees (north through east, east left on the chart).
TEST(CometTail, NeowiseShowsALongTailAwayFromTheSun) {
  if (!haveBuiltData()) GTEST_SKIP() << "no built data";
  const testing::ScratchDir scratch;
  const std::string file = scratch.file("neowise.png");
  const testing::ChartRun run =
      testing::runChartProgram({"--utc", "2020-07-16T20:00", "--lat", "52.52", "--lon", "13.40", "--object", "C/2020 F3",
                                "--field", "600", "--size", "600x600", "--out", file});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const QImage image(QString::fromStdString(file));
  UiResources resources;
  const Rgb planets = resources.colors().getColor(kColorPlanets);
  const QRgb tail = qRgb(planets.red, planets.green, planets.blue);
  // The tail's pixels beyond the comet's disc, around the centre the chart is on.
  double farthest = 0, sx = 0, sy = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const double dx = x - 300, dy = y - 300, r = std::hypot(dx, dy);
      if (image.pixel(x, y) != tail || r < 10) continue;
      farthest = std::max(farthest, r);
      sx += dx, sy += dy;
    }
  }
  std::printf("NEOWISE's tail reaches %.0f pixels\n", farthest);
  EXPECT_GE(farthest, 20);
  const double paDeg = std::atan2(-sx, -sy) / kRad;  // north up, east left
  EXPECT_NEAR(std::remainder(paDeg - 15.7, 360), 0, 10);
}

}  // namespace
}  // namespace celvaro
