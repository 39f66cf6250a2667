// Rings on the sky cut at the edge of what each projection draws and at the
// chart's rectangle: the areas measured against circle geometry, and points
// known to lie inside or outside a band tested on the chart.
#include "render/sky_area_clipper.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "model/chart_settings.h"
#include "output/output_area.h"
#include "render/area_checks.h"

namespace celvaro {
namespace {

using testing::covers;
using testing::enclosedArea;

constexpr double kPi = std::numbers::pi;
constexpr double kRadPerDeg = kPi / 180;

// A parallel of the sky as a ring of unit vectors, one point a degree or
// more, running toward increasing right ascension (its area to the north,
// seen from outside) or against it (its area to the south).
struct SkyRing {
  std::vector<double> x, y, z;
  SkyRing() = default;
  SkyRing(double decDeg, bool eastward, int perDegree = 1) {
    for (int k = 0; k < 360 * perDegree; ++k) {
      const double ra = (eastward ? k : -k) * kRadPerDeg / perDegree, dec = decDeg * kRadPerDeg;
      x.push_back(std::cos(dec) * std::cos(ra));
      y.push_back(std::cos(dec) * std::sin(ra));
      z.push_back(std::sin(dec));
    }
  }
};

class Clipper : public ::testing::Test {
 protected:
  // A chart centred on right ascension and declination 0 whose edge (the
  // orthographic hemisphere's) has a radius of 1000 units.
  void frame(uint32_t projection, uint32_t mirror, int32_t side) {
    transformer = createTransformer(projection);
    settings.mirrorMode = mirror;
    settings.projectionId = projection;
    area.width = area.height = side;
    transformer->setup(area, settings);
    transformer->setScale(1000, 5400);
  }
  AreaRings clip(std::initializer_list<const SkyRing*> rings) {
    SkyAreaClipper clipper(*transformer, transformer->visibilityLimit(), area);
    for (const SkyRing* r : rings) clipper.addRing(r->x.data(), r->y.data(), r->z.data(), static_cast<int>(r->x.size()));
    AreaRings out;
    clipper.takeArea(out);
    return out;
  }

  std::unique_ptr<iTransformer> transformer;
  ChartSettings settings;
  OutputArea area;
};

// On the orthographic hemisphere centred on the equator a parallel is the
// straight line y = R sin(dec): north of +30 degrees is the circular segment
// above y = R / 2, R^2 (theta - sin theta) / 2 with theta = 120 degrees,
// 0.614185 R^2; south of it the rest of the disc, (pi - 0.614185) R^2. The
// area must come out the same whichever way the chart is mirrored.
TEST_F(Clipper, APartOfAParallelIsClosedAlongTheHemisphere) {
  const SkyRing northward(30, true), southward(30, false);
  for (uint32_t mirror : {kMirrorNone, kMirrorCentral, kMirrorVertical, kMirrorHorizontal}) {
    SCOPED_TRACE(mirror);
    frame(kProjectionOrthographic, mirror, 4000);
    EXPECT_NEAR(enclosedArea(clip({&northward})), 0.614185e6, 0.002e6);
    EXPECT_NEAR(enclosedArea(clip({&southward})), (kPi - 0.614185) * 1e6, 0.004e6);
  }
}

// With a hundred points a degree the parallel's points in sight lie a
// seventh of a unit apart along its 1732-unit chord; the area keeps about
// one a unit and the same size.
TEST_F(Clipper, PointsCloserThanAUnitAreLeftOut) {
  const SkyRing dense(30, true, 100);
  frame(kProjectionOrthographic, kMirrorNone, 4000);
  const AreaRings north = clip({&dense});
  EXPECT_LT(north.x.size(), 2200u);
  EXPECT_NEAR(enclosedArea(north), 0.614185e6, 0.002e6);
}

// A circle 5 degrees across around right ascension 60 degrees on the
// equator lies near x = R sin 60 = 866 units, beyond the side of a
// 1000-unit chart at 512.
TEST_F(Clipper, ARingBeyondASideOfTheChartAddsNothing) {
  SkyRing circle;
  const double c = std::cos(60 * kRadPerDeg), s = std::sin(60 * kRadPerDeg), r = 2.5 * kRadPerDeg;
  for (int k = 0; k < 360; ++k) {
    const double east = std::sin(r) * std::cos(k * kRadPerDeg), north = std::sin(r) * std::sin(k * kRadPerDeg);
    circle.x.push_back(std::cos(r) * c - east * s);
    circle.y.push_back(std::cos(r) * s + east * c);
    circle.z.push_back(north);
  }
  frame(kProjectionOrthographic, kMirrorNone, 1000);
  EXPECT_TRUE(clip({&circle}).empty());
}

// The band between declinations -10 and +10 (two rings, each with the band
// on its left): the strip |y| <= h of the disc, h = R sin 10 degrees, is
// 2 (h sqrt(R^2 - h^2) + R^2 asin(h / R)) = 0.691085 R^2, less the slivers
// a chord cuts where the parallels meet the edge.
TEST_F(Clipper, TheTwoEdgesOfABandJoinIntoOneArea) {
  const SkyRing north(10, false), south(-10, true);
  frame(kProjectionOrthographic, kMirrorNone, 4000);
  const AreaRings band = clip({&north, &south});
  EXPECT_EQ(band.ends.size(), 1u);
  EXPECT_NEAR(enclosedArea(band), 0.691085e6, 0.004e6);
}

// Cut at the chart's rectangle (a 1000-unit square, widened by the margin
// of 2 + 1 percent: 512 units either side), the band is the rectangle's
// strip |y| <= h: 1024 by 2 h = 355.6 units.
TEST_F(Clipper, TheAreaStopsAtTheChartsRectangle) {
  const SkyRing north(10, false), south(-10, true);
  frame(kProjectionOrthographic, kMirrorNone, 1000);
  const AreaRings band = clip({&north, &south});
  EXPECT_NEAR(enclosedArea(band), 1024 * 2 * 173.648, 1500);
  for (size_t i = 0; i < band.x.size(); ++i) {
    EXPECT_LE(std::abs(band.x[i]), 512);
    EXPECT_LE(std::abs(band.y[i]), 512);
  }
}

// In every projection and mirror mode the band covers the sky points in it
// and none beyond it, on both sides and near the edge of what is drawn.
TEST_F(Clipper, ABandCoversItsOwnPointsInEveryProjection) {
  const SkyRing north(10, false), south(-10, true);
  struct Point {
    double raDeg, decDeg;
    bool inBand;
  };
  const Point points[] = {{0, 0, true},    {60, 5, true},   {-60, -5, true}, {0, 40, false},
                          {0, -40, false}, {50, 20, false}, {-50, -20, false}};
  for (uint32_t projection = 0; projection <= kProjectionGnomonic; ++projection) {
    for (uint32_t mirror : {kMirrorNone, kMirrorVertical, kMirrorHorizontal}) {
      SCOPED_TRACE(::testing::Message() << "projection " << projection << " mirror " << mirror);
      frame(projection, mirror, 8000);
      const AreaRings band = clip({&north, &south});
      for (const Point& p : points) {
        ProjectedPoint at;
        ASSERT_TRUE(transformer->project(p.raDeg * kRadPerDeg, p.decDeg * kRadPerDeg, at));
        EXPECT_EQ(covers(band, at.x + 0.5, at.y + 0.5), p.inBand) << p.raDeg << " " << p.decDeg;
      }
    }
  }
}

}  // namespace
}  // namespace celvaro
