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
  AreaRings clip(const std::vector<const SkyRing*>& rings) {
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

// Areas on the orthographic hemisphere of radius R = 1000 units, whichever
// way the chart is mirrored, from circle geometry. North of +30 degrees:
// the segment above y = R / 2, R^2 (theta - sin theta) / 2 with theta = 120
// degrees, 0.614185 R^2; south of it the rest of the disc. With a hundred
// points a degree the points lie a seventh of a unit apart along the
// 1732-unit chord and about one a unit is kept. The band between -10 and
// +10 (two rings, each with the band on its left) joins into one ring: the
// strip |y| <= h, h = R sin 10 degrees, 2 (h sqrt(R^2 - h^2) + R^2 asin(h /
// R)) = 0.691085 R^2 less the slivers at the edge; cut at a 1000-unit chart
// (512 units either side with the margin) it is 1024 by 2 h. A circle 5
// degrees across at right ascension 60 lies near x = R sin 60 = 866, beyond
// the side of that chart: nothing.
TEST_F(Clipper, AreasOfParallelsAndBandsFollowCircleGeometry) {
  const SkyRing north30(30, true), south30(30, false), dense(30, true, 100), north10(10, false), south10(-10, true);
  SkyRing beyond;
  const double c = std::cos(60 * kRadPerDeg), s = std::sin(60 * kRadPerDeg), r = 2.5 * kRadPerDeg;
  for (int k = 0; k < 360; ++k) {
    const double east = std::sin(r) * std::cos(k * kRadPerDeg), north = std::sin(r) * std::sin(k * kRadPerDeg);
    beyond.x.push_back(std::cos(r) * c - east * s);
    beyond.y.push_back(std::cos(r) * s + east * c);
    beyond.z.push_back(north);
  }
  const struct {
    const char* name;
    std::vector<const SkyRing*> rings;
    int32_t side;
    double area, tolerance;
    size_t maxPoints;
    int32_t maxCoordinate;
  } kCases[] = {
      {"north of +30", {&north30}, 4000, 0.614185e6, 0.002e6, 5000, 2000},
      {"south of +30", {&south30}, 4000, (kPi - 0.614185) * 1e6, 0.004e6, 5000, 2000},
      {"a hundred points a degree", {&dense}, 4000, 0.614185e6, 0.002e6, 2200, 2000},
      {"the band", {&north10, &south10}, 4000, 0.691085e6, 0.004e6, 5000, 2000},
      {"the band on a 1000-unit chart", {&north10, &south10}, 1000, 1024 * 2 * 173.648, 1500, 5000, 512},
      {"beyond the chart's side", {&beyond}, 1000, 0, 0, 0, 0},
  };
  for (const auto& row : kCases) {
    for (uint32_t mirror : {kMirrorNone, kMirrorCentral, kMirrorVertical, kMirrorHorizontal}) {
      SCOPED_TRACE(::testing::Message() << row.name << ", mirror " << mirror);
      frame(kProjectionOrthographic, mirror, row.side);
      const AreaRings area = clip(row.rings);
      EXPECT_NEAR(enclosedArea(area), row.area, row.tolerance);
      EXPECT_LE(area.ends.size(), 1u);
      EXPECT_LE(area.x.size(), row.maxPoints);
      for (size_t i = 0; i < area.x.size(); ++i) {
        EXPECT_LE(std::max(std::abs(area.x[i]), std::abs(area.y[i])), row.maxCoordinate);
      }
    }
  }
}

// In every projection and mirror mode the band covers the sky points in it
// and none beyond it, on both sides and near the edge of what is drawn.
TEST_F(Clipper, ABandCoversItsOwnPointsInEveryProjection) {
  const SkyRing north(10, false), south(-10, true);
  struct Point { double raDeg, decDeg; bool inBand; };
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
