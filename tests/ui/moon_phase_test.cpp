// The Moon on the chart shows its phase: measured on the picture
// celvaro-chart writes, against the Moon's illuminated fraction and the
// position angle of its bright limb from PyEphem (Debian's python3-ephem),
// computed for Budapest (47.5 N, 19.04 E) with
//   o = ephem.Observer(); o.lat = '47.5'; o.lon = '19.04'; o.pressure = 0
//   o.date = D; m = ephem.Moon(o); s = ephem.Sun(o); m.moon_phase, degrees(m.radius) * 60
//   degrees(atan2(cos(s.dec) sin(s.ra - m.ra),
//                 sin(s.dec) cos(m.dec) - cos(s.dec) sin(m.dec) cos(s.ra - m.ra)))
// 2025/2/1 17:00: phase 0.129, semidiameter 16.39', bright limb at 247.5 degrees;
// 2025/2/12 14:00: phase 0.999, semidiameter 15.17', bright limb at 37.5 degrees.
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <string>

#include "output/document_checks.h"
#include "test_files.h"
#include "ui/chart_program.h"

namespace celvaro {
namespace {

constexpr int kSize = 300;  // pixels; a 60' field, so 5 pixels an arcminute

// The chart of a 60' field centred on the Moon at the instant.
QImage moonChart(const std::string& utc) {
  const testing::ScratchDir scratch;
  const std::string file = scratch.file("moon.png");
  const testing::ChartRun run = testing::runChartProgram({"--lat", "47.5", "--lon", "19.04", "--tz", "0", "--object", "Moon",
                                                          "--field", "60", "--size", "300x300", "--utc", utc, "--out", file});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  return QImage(QString::fromStdString(file));
}

struct LitPart {
  double fraction;   // of the disc
  double directionDeg;  // of the lit pixels' centroid from the centre, position angle (east left)
};

// Lit pixels are the bright ones near the centre, where the disc of `radius`
// pixels is drawn (within a few pixels: the search centres the chart on
// the Moon seen from the Earth's centre, the chart draws it from the place).
LitPart litPart(const QImage& image, double radius) {
  const double c = kSize / 2.0;
  double lit = 0, sx = 0, sy = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const double dx = x + 0.5 - c, dy = y + 0.5 - c;
      const QRgb p = image.pixel(x, y);
      if (dx * dx + dy * dy > (radius + 10) * (radius + 10) || qRed(p) < 200 || qGreen(p) < 200) continue;
      lit += 1, sx += dx, sy += dy;
    }
  }
  // Position angle: north (up) through east (left).
  const double pa = std::atan2(-sx, -sy) * 180 / std::numbers::pi;
  return {lit / (std::numbers::pi * radius * radius), std::fmod(pa + 360, 360)};
}

TEST(MoonPhase, TheChartLightsThePartOfTheDiscTowardTheSun) {
  if (!std::filesystem::exists(std::string(CELVARO_RUN_DIR) + "/data/.built")) GTEST_SKIP() << "no built data";
  const LitPart crescent = litPart(moonChart("2025-02-01T17:00"), 16.39 * 5);
  EXPECT_GT(crescent.fraction, 0.08);
  EXPECT_LT(crescent.fraction, 0.20);
  EXPECT_NEAR(std::remainder(crescent.directionDeg - 247.5, 360), 0, 15);
  const LitPart full = litPart(moonChart("2025-02-12T14:00"), 15.17 * 5);
  EXPECT_GT(full.fraction, 0.90);
  std::printf("Moon lit: %.3f toward %.1f degrees on 2025-02-01, %.3f on 2025-02-12\n", crescent.fraction,
              crescent.directionDeg, full.fraction);
}

// The printed Moon is a positive: on the page pdftoppm renders, the dark
// part of the crescent of 2025-02-01 is the bodies' mid grey, and just past
// its terminator toward the bright limb (position angle 247.5 degrees, east
// left) the lit part is as light as the paper.
TEST(MoonPhase, ThePrintedMoonIsLitWhereTheSunShines) {
  if (!std::filesystem::exists(std::string(CELVARO_RUN_DIR) + "/data/.built")) GTEST_SKIP() << "no built data";
  CELVARO_SKIP_WITHOUT("pdftoppm");
  const testing::ScratchDir scratch;
  const testing::ChartRun run = testing::runChartProgram({"--lat", "47.5", "--lon", "19.04", "--tz", "0", "--object", "Moon",
                                                          "--field", "60", "--utc", "2025-02-01T17:00", "--format", "pdf",
                                                          "--out", scratch.file("moon.pdf")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ASSERT_EQ(testing::runCommand("pdftoppm -r 50 -gray -png -singlefile '" + scratch.file("moon.pdf") + "' '" +
                                scratch.file("moon") + "'").status, 0);
  const QImage page(QString::fromStdString(scratch.file("moon.png")));
  ASSERT_FALSE(page.isNull());
  // Pixels whose 5 x 5 block is all within the grey range: filled areas, not lines.
  auto solid = [&](int x, int y, int low, int high) {
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx)
        if (!page.valid(x + dx, y + dy) || qGray(page.pixel(x + dx, y + dy)) < low || qGray(page.pixel(x + dx, y + dy)) > high)
          return false;
    return true;
  };
  double dark = 0, lightGrey = 0, sx = 0, sy = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      if (solid(x, y, 100, 155)) dark += 1, sx += x, sy += y;
      if (solid(x, y, 190, 235)) lightGrey += 1;
    }
  }
  ASSERT_GT(dark, 500);
  EXPECT_LT(lightGrey, dark / 100) << "no light-grey part: the dark one is the mid grey";
  const double pa = 247.5 * std::numbers::pi / 180, ux = -std::sin(pa), uy = -std::cos(pa);
  double x = sx / dark, y = sy / dark;
  while (qGray(page.pixel(static_cast<int>(x), static_cast<int>(y))) <= 155) x += ux, y += uy;
  x += 3 * ux, y += 3 * uy;
  EXPECT_GE(qGray(page.pixel(static_cast<int>(x), static_cast<int>(y))), 240) << "the lit part past the terminator";
}

}  // namespace
}  // namespace celvaro
