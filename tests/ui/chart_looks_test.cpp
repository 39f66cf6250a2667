// What the chart looks like, measured on the pictures celvaro-chart draws:
// star discs at a device pixel ratio, variable stars, comet tails and the
// Moon's phase.
#include "ui/ui_test_support.h"

#include "output/color_table.h"

namespace celvaro {
namespace {

using namespace testing;

// The 60-degree Orion chart over Berlin, drawn at a device pixel ratio.
class OrionAtScale : public OrionChart {
 protected:
  QImage paintAt(double scale) {
    request.latitudeDeg = 52.52;
    request.longitudeDeg = 13.40;
    request.scale = scale;
    prepare();
    return paint();
  }
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
const QRgb kWhite = qRgb(255, 255, 255);

TEST_F(OrionAtScale, DiscsAreTwiceAsWideAtTwiceThePixelRatio) {
  const QImage single = paintAt(1);
  const int sirius1 = discWidth(single, where(kSiriusRa, kSiriusDec), kWhite);
  const int betelgeuse1 = discWidth(single, where(kBetelgeuseRa, kBetelgeuseDec), kWhite);
  const QImage twice = paintAt(2);
  const int sirius2 = discWidth(twice, where(kSiriusRa, kSiriusDec), kWhite);
  const int betelgeuse2 = discWidth(twice, where(kBetelgeuseRa, kBetelgeuseDec), kWhite);
  std::printf("Sirius %d and %d pixels, Betelgeuse %d and %d pixels wide\n", sirius1, sirius2, betelgeuse1, betelgeuse2);
  ASSERT_GE(sirius1, 8);
  EXPECT_NEAR(sirius2, 2.0 * sirius1, 1);
  EXPECT_NEAR(betelgeuse2, 2.0 * betelgeuse1, 1);
}

TEST_F(OrionAtScale, AVariableStarIsAFilledDiscInARing) {
  const QImage image = paintAt(1);
  const QPoint at = where(kBetelgeuseRa, kBetelgeuseDec);
  ASSERT_EQ(image.pixel(at), kWhite) << "filled at its centre";
  // Outward along the row: the disc, a dark gap, the white ring.
  int x = at.x();
  while (image.pixel(x, at.y()) == kWhite) ++x;
  const int discEdge = x;
  while (image.pixel(x, at.y()) != kWhite && x < discEdge + 6) ++x;
  EXPECT_GT(x, discEdge) << "a gap";
  EXPECT_EQ(image.pixel(x, at.y()), kWhite) << "the ring";
}

// The picture celvaro-chart writes of an object, with the options given.
QImage pictureOf(const std::vector<std::string>& options) {
  const ScratchDir scratch;
  std::vector<std::string> args = options;
  args.insert(args.end(), {"--out", scratch.file("chart.png")});
  const ChartRun run = runChartProgram(args);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  return QImage(QString::fromStdString(scratch.file("chart.png")));
}

// NEOWISE (C/2020 F3) on 2020-07-16 20:00 UT from Berlin: PyEphem (Debian's
// python3-ephem) from the comet list's elements,
//   ephem.readdb("C/2020 F3,p,07/03.6175/2020,129.0405,37.3288,0.295417,61.0461,2000,g7.5,5.2")
// puts the Sun at position angle 195.7 degrees from the comet, so the
// tail points to 15.7 degrees (north through east, east left on the chart).
TEST(CometTail, NeowiseShowsALongTailAwayFromTheSun) {
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  const QImage image = pictureOf({"--utc", "2020-07-16T20:00", "--lat", "52.52", "--lon", "13.40", "--object",
                                  "C/2020 F3", "--field", "600", "--size", "600x600"});
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

// --- the Moon's phase, against the Moon's illuminated fraction and the
// position angle of its bright limb from PyEphem (Debian's python3-ephem),
// computed for Budapest (47.5 N, 19.04 E) with
//   o = ephem.Observer(); o.lat = '47.5'; o.lon = '19.04'; o.pressure = 0
//   o.date = D; m = ephem.Moon(o); s = ephem.Sun(o); m.moon_phase, degrees(m.radius) * 60
//   degrees(atan2(cos(s.dec) sin(s.ra - m.ra),
//                 sin(s.dec) cos(m.dec) - cos(s.dec) sin(m.dec) cos(s.ra - m.ra)))
// 2025/2/1 17:00: phase 0.129, semidiameter 16.39', bright limb at 247.5 degrees;
// 2025/2/12 14:00: phase 0.999, semidiameter 15.17', bright limb at 37.5 degrees.

const std::vector<std::string> kMoonChart = {"--lat", "47.5", "--lon", "19.04", "--tz", "0", "--object", "Moon", "--field", "60"};
constexpr int kSize = 300;  // pixels; a 60' field, so 5 pixels an arcminute

struct LitPart {
  double fraction;      // of the disc
  double directionDeg;  // of the lit pixels' centroid from the centre, position angle (east left)
};

// Lit pixels are the bright ones near the centre, where the disc of `radius`
// pixels is drawn (within a few pixels: the search centres the chart on
// the Moon seen from the Earth's centre, the chart draws it from the place).
LitPart litPart(const std::string& utc, double radius) {
  std::vector<std::string> args = kMoonChart;
  args.insert(args.end(), {"--size", "300x300", "--utc", utc});
  const QImage image = pictureOf(args);
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
  const double pa = std::atan2(-sx, -sy) / kRad;  // north (up) through east (left)
  return {lit / (std::numbers::pi * radius * radius), std::fmod(pa + 360, 360)};
}

using MoonPhase = BuiltData;

TEST_F(MoonPhase, TheChartLightsThePartOfTheDiscTowardTheSun) {
  const LitPart crescent = litPart("2025-02-01T17:00", 16.39 * 5);
  EXPECT_GT(crescent.fraction, 0.08);
  EXPECT_LT(crescent.fraction, 0.20);
  EXPECT_NEAR(std::remainder(crescent.directionDeg - 247.5, 360), 0, 15);
  const LitPart full = litPart("2025-02-12T14:00", 15.17 * 5);
  EXPECT_GT(full.fraction, 0.90);
  std::printf("Moon lit: %.3f toward %.1f degrees on 2025-02-01, %.3f on 2025-02-12\n", crescent.fraction,
              crescent.directionDeg, full.fraction);
}

// The printed Moon is a positive: on the page pdftoppm renders, the dark
// part of the crescent of 2025-02-01 is the bodies' mid grey, and just past
// its terminator toward the bright limb (position angle 247.5 degrees, east
// left) the lit part is as light as the paper.
TEST_F(MoonPhase, ThePrintedMoonIsLitWhereTheSunShines) {
  CELVARO_SKIP_WITHOUT("pdftoppm");
  const ScratchDir scratch;
  std::vector<std::string> args = kMoonChart;
  args.insert(args.end(), {"--utc", "2025-02-01T17:00", "--format", "pdf", "--out", scratch.file("moon.pdf")});
  const ChartRun run = runChartProgram(args);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ASSERT_EQ(runCommand("pdftoppm -r 50 -gray -png -singlefile '" + scratch.file("moon.pdf") + "' '" +
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
  const double ux = -std::sin(247.5 * kRad), uy = -std::cos(247.5 * kRad);
  double x = sx / dark, y = sy / dark;
  while (qGray(page.pixel(static_cast<int>(x), static_cast<int>(y))) <= 155) x += ux, y += uy;
  x += 3 * ux, y += 3 * uy;
  EXPECT_GE(qGray(page.pixel(static_cast<int>(x), static_cast<int>(y))), 240) << "the lit part past the terminator";
}

}  // namespace
}  // namespace celvaro
