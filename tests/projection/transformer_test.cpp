#include "projection/transformer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "astro/coordinates.h"
#include "astro/local_sky.h"
#include "astro/sidereal_time.h"
#include "model/chart_settings.h"
#include "output/output_area.h"
#include "projection/transformer_equal_area.h"
#include "projection/transformer_equidistant.h"
#include "projection/transformer_gnomonic.h"
#include "projection/transformer_orthographic.h"
#include "projection/transformer_stereographic.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRad = kPi / 180;

struct Frame {
  ChartSettings settings;
  OutputArea area;
  Frame(bool horizontal, uint32_t mirror, int32_t verticalOffset = 0) {
    settings.centreRaArcmin = 4321;
    settings.centreDecArcmin = 1234;
    settings.horizontalMode = horizontal;
    settings.mirrorMode = mirror;
    settings.chartDate = {2025, 6, 15, 22, 0, 0.0};
    settings.latitudeDeg = 47.5;
    settings.longitudeDeg = 19.0;
    settings.centreAzArcmin = 3333;
    settings.centreAltArcmin = 1800;
    area.width = 800;
    area.height = 600;
    area.verticalOffset = verticalOffset;
  }
  // Scales the transformer and sets it up on this frame.
  void apply(iTransformer& t, double halfExtentPx = 300, int32_t halfFieldArcmin = 1800) const {
    t.setScale(halfExtentPx, halfFieldArcmin);
    t.setup(area, settings);
  }
  // The centre as right ascension and declination.
  EquatorialPosition centre() const {
    if (!settings.horizontalMode) {
      return {settings.centreRaArcmin * kPi / 10800, settings.centreDecArcmin * kPi / 10800};
    }
    return LocalSky(julianDateOf(settings.chartDate), settings.latitudeDeg, settings.longitudeDeg)
        .j2000Of(settings.centreAltArcmin / 60.0, settings.centreAzArcmin / 60.0);
  }
};

// A point at `distance` from (ra0, dec0) toward position angle `angle`.
EquatorialPosition offsetPoint(EquatorialPosition from, double distance, double angle) {
  const double dec = std::asin(std::sin(from.decRad) * std::cos(distance) +
                               std::cos(from.decRad) * std::sin(distance) * std::cos(angle));
  const double ra = from.raRad + std::atan2(std::sin(angle) * std::sin(distance) * std::cos(from.decRad),
                                            std::cos(distance) - std::sin(from.decRad) * std::sin(dec));
  return {ra, dec};
}

double greatCircle(EquatorialPosition a, EquatorialPosition b) {
  UnitVector u = unitVector(a.raRad, a.decRad), v = unitVector(b.raRad, b.decRad);
  const double cross = std::hypot(u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x);
  return std::atan2(cross, u.x * v.x + u.y * v.y + u.z * v.z);
}

TEST(Transformer, TheCentreProjectsToTheOriginInEveryProjectionAndMirrorMode) {
  for (uint32_t id = 0; id <= 4; ++id) {
    for (uint32_t mirror = 0; mirror <= 4; ++mirror) {
      for (bool horizontal : {false, true}) {
        auto t = createTransformer(id);
        Frame frame(horizontal, mirror, 37);
        frame.apply(*t);
        EquatorialPosition c = frame.centre();
        ProjectedPoint p;
        ASSERT_TRUE(t->project(c.raRad, c.decRad, p));
        EXPECT_NEAR(p.depth, 1.0, 1e-12);
        EXPECT_EQ(p.x, 0) << id << " " << mirror << " " << horizontal;
        // In the horizontal frame three projections shift the centre down.
        const bool shifted = horizontal && (id == 1 || id == 2 || id == 3);
        const int32_t expectedY = shifted ? -37 : 0;
        EXPECT_EQ(p.y, (mirror == 1 || mirror == 2) ? -expectedY : expectedY) << id << " " << mirror;
      }
    }
  }
}

TEST(Transformer, GnomonicRejectsBeyond84Degrees) {
  TransformerGnomonic t;
  Frame frame(false, 0);
  frame.apply(t);
  ProjectedPoint p{123, 456, 9};
  EquatorialPosition far = offsetPoint(frame.centre(), 85 * kRad, 1.0);
  EXPECT_FALSE(t.project(far.raRad, far.decRad, p));
  EXPECT_EQ(p.x, 123);  // untouched
  EquatorialPosition near = offsetPoint(frame.centre(), 84 * kRad, 1.0);
  ASSERT_TRUE(t.project(near.raRad, near.decRad, p));
  EXPECT_LT(p.depth, t.visibilityLimit());
  // The horizontal frame rejects nothing.
  Frame horizontal(true, 0);
  t.setup(horizontal.area, horizontal.settings);
  EquatorialPosition behind = offsetPoint(horizontal.centre(), 100 * kRad, 1.0);
  EXPECT_TRUE(t.project(behind.raRad, behind.decRad, p));
}

TEST(Transformer, EqualAreaRejectsTheAntipode) {
  TransformerEqualArea t;
  for (bool horizontal : {false, true}) {
    Frame frame(horizontal, 0);
    frame.apply(t);
    EquatorialPosition antipode = offsetPoint(frame.centre(), kPi, 0.3);
    ProjectedPoint p;
    EXPECT_FALSE(t.project(antipode.raRad, antipode.decRad, p));
    EXPECT_EQ(t.northAngle(antipode.raRad, antipode.decRad), 0.0);
  }
}

TEST(Transformer, EquidistantPutsTheAntipodeAtRadiusScaleTimesPi) {
  TransformerEquidistant t;
  Frame frame(false, 3);
  frame.apply(t, 1000, 1800);
  EquatorialPosition c = frame.centre();
  ProjectedPoint p;
  ASSERT_TRUE(t.project(c.raRad + kPi, -c.decRad, p));
  EXPECT_NEAR(std::hypot(p.x, p.y), t.scale() * kPi, 1.5);
  // Just short of the antipode the radius is the same whichever way.
  for (double angle : {0.1, 2.0, 4.0, 6.0}) {
    EquatorialPosition q = offsetPoint(c, kPi - 1e-9, angle);
    ASSERT_TRUE(t.project(q.raRad, q.decRad, p));
    EXPECT_NEAR(std::hypot(p.x, p.y), t.scale() * kPi, 1.5);
  }
}

// Pixels per radian: the half extent over the radial law at half the field,
// truncated; gnomonic fields count as at most 75 degrees, orthographic ones
// as at most 90. Hand-worked: 500 / tan 75 deg = 133.97, 500 / 1.7453 =
// 286.48, 2 sin t / (1 + cos t) is 2 at 90 degrees, 1e6 / (pi / 2) = 636619.8.
TEST(Transformer, ScalesAndUnitConversionsTruncate) {
  TransformerOrthographic ortho;
  ortho.setScale(500, 6000);
  EXPECT_EQ(ortho.scale(), 500);
  TransformerGnomonic gnomonic;
  gnomonic.setScale(500, 6000);
  EXPECT_EQ(gnomonic.scale(), 133);
  TransformerEquidistant equidistant;
  equidistant.setScale(500, 6000);
  EXPECT_EQ(equidistant.scale(), 286);
  TransformerStereographic stereo;
  stereo.setScale(500, 5400);
  EXPECT_EQ(stereo.scale(), 250);
  // Toward zero: 59.99 pixels are 59, -59.99 are -59; an arcminute is 185.19.
  equidistant.setScale(1e6, 5400);
  EXPECT_EQ(equidistant.scale(), 636619);
  EXPECT_EQ(equidistant.arcsecToPixels(59.99 * 206264.806 / 636619), 59);
  EXPECT_EQ(equidistant.arcsecToPixels(-59.99 * 206264.806 / 636619), -59);
  EXPECT_EQ(equidistant.tenthArcminToPixels(10), 185);
  ortho.setScale(206264, 5400);  // 206264 px per radian: one pixel is just over an arcsecond
  EXPECT_EQ(ortho.pixelsToArcsec(59), 59);
  EXPECT_EQ(ortho.pixelsToArcsec(-1), -1);
}

TEST(Transformer, MirrorModesTurnThePlaneOffset) {
  // A point whose orthographic plane offset is (10, 20) at scale 1000.
  const double dec = std::asin(0.0200005), ra = std::asin(0.0100005 / std::cos(dec));
  const std::pair<int, int> expected[] = {{-10, 20}, {10, -20}, {-10, -20}, {10, 20}, {10, 20}};
  for (uint32_t mirror = 0; mirror <= 4; ++mirror) {
    TransformerOrthographic t;
    Frame frame(false, mirror);
    frame.settings.centreRaArcmin = 0;
    frame.settings.centreDecArcmin = 0;
    frame.apply(t, 1000, 5400);
    ProjectedPoint p;
    ASSERT_TRUE(t.project(ra, dec, p));
    EXPECT_EQ(std::pair(p.x, p.y), expected[mirror]) << "mirror " << mirror;
  }
}

TEST(Transformer, ProjectManyWritesFromIndexZeroAndKeepsRejectedPoints) {
  TransformerGnomonic t;
  Frame frame(false, 0);
  frame.apply(t);
  const EquatorialPosition c = frame.centre();
  const EquatorialPosition far = offsetPoint(c, 89 * kRad, 1);
  const EquatorialPosition near = offsetPoint(c, 10 * kRad, 1);
  const double ra[] = {0, 0, near.raRad, far.raRad, c.raRad};
  const double dec[] = {0, 0, near.decRad, far.decRad, c.decRad};
  int32_t x[3] = {-7, -7, -7}, y[3] = {-7, -7, -7};
  double depth[3] = {9, 9, 9};
  t.projectMany(ra, dec, 2, 3, x, y, depth);
  ProjectedPoint p;
  t.project(near.raRad, near.decRad, p);
  EXPECT_EQ(x[0], p.x);
  EXPECT_EQ(y[0], p.y);
  EXPECT_EQ(x[1], -7);  // rejected: kept
  EXPECT_NEAR(depth[1], std::cos(89 * kRad), 1e-12);  // but its depth is written
  EXPECT_EQ(x[2], 0);
  // In the horizontal frame equal-area rejects nothing in projectMany.
  TransformerEqualArea equalArea;
  Frame horizontal(true, 0);
  horizontal.apply(equalArea);
  const EquatorialPosition behind = offsetPoint(horizontal.centre(), 170 * kRad, 0.5);
  const double ra2[] = {behind.raRad}, dec2[] = {behind.decRad};
  int32_t bx = -7, by = -7;
  double bd = 0;
  equalArea.projectMany(ra2, dec2, 0, 1, &bx, &by, &bd);
  EXPECT_NE(bx, -7);
  EXPECT_FALSE(equalArea.project(behind.raRad, behind.decRad, p));
}

TEST(Transformer, EquatorialPlainAndNorthAngle) {
  TransformerEquidistant equidistant;
  Frame frame(true, 2, 50);  // horizontal and mirrored: projectEquatorialPlain ignores both
  frame.apply(equidistant);
  ProjectedPoint plain;
  const double ra = frame.settings.centreRaArcmin * kPi / 10800;
  const double dec = frame.settings.centreDecArcmin * kPi / 10800;
  ASSERT_TRUE(equidistant.projectEquatorialPlain(ra + 0.1, dec, plain));
  EXPECT_LT(plain.x, 0);  // east to the left
  for (uint32_t id : {0u, 1u, 3u, 4u}) {
    EXPECT_FALSE(createTransformer(id)->projectEquatorialPlain(ra, dec, plain));
  }
  // North points straight up at the centre of an equatorial chart.
  Frame equatorial(false, 0);
  for (uint32_t id : {1u, 2u}) {
    auto t = createTransformer(id);
    equatorial.apply(*t);
    EXPECT_NEAR(t->northAngle(ra, dec), 0.0, 1e-12);
    EXPECT_GT(std::fabs(t->northAngle(ra + 0.5, dec)), 0.01);  // off-centre meridians lean
  }
  for (uint32_t id : {0u, 3u, 4u}) EXPECT_EQ(createTransformer(id)->northAngle(ra + 0.5, dec), 0.0);
}

TEST(Transformer, IdsWithoutALawDrawOrthographically) {
  for (uint32_t id : {5u, 6u, 7u, 99u}) {
    auto t = createTransformer(id);
    EXPECT_EQ(t->visibilityLimit(), 0.0);
    t->setScale(100, 6000);
    Frame frame(false, 0);
    t->setup(frame.area, frame.settings);
    ProjectedPoint p;
    EXPECT_TRUE(t->project(1, 0.2, p));
  }
}

// The distance from the centre recovered from the plane offset with each
// projection's radial law is the great-circle distance.
template <class Transformer>
void checkRadialLaw(double (*inverse)(double), double maxDistance) {
  std::mt19937 random(17);
  std::uniform_real_distribution<double> distance(0, maxDistance), angle(0, 2 * kPi);
  for (bool horizontal : {false, true}) {
    Transformer t;
    Frame frame(horizontal, 0);
    frame.apply(t, 1000, 1800);
    for (int i = 0; i < 2000; ++i) {
      const EquatorialPosition point = offsetPoint(frame.centre(), distance(random), angle(random));
      auto offset = t.planeOffset(point.raRad, point.decRad);
      const double recovered = inverse(std::hypot(offset.x, offset.y) / t.scale());
      ASSERT_NEAR(recovered, greatCircle(frame.centre(), point), 1e-9) << horizontal;
    }
  }
}

TEST(Transformer, RadialLawsAgreeWithGreatCircleDistances) {
  checkRadialLaw<TransformerOrthographic>([](double r) { return std::asin(r); }, 1.4);
  checkRadialLaw<TransformerGnomonic>([](double r) { return std::atan(r); }, 1.4);
  checkRadialLaw<TransformerStereographic>([](double r) { return 2 * std::atan(r / 2); }, 3.0);
  checkRadialLaw<TransformerEqualArea>([](double r) { return 2 * std::asin(r / 2); }, 3.0);
  checkRadialLaw<TransformerEquidistant>([](double r) { return r; }, 3.1);
}

TEST(Transformer, UnitVectorsGiveTheSamePixels) {
  std::mt19937 random(23);
  std::uniform_real_distribution<double> ra(0, 2 * kPi), dec(-1.5, 1.5);
  std::vector<double> ras(500), decs(500), ux(500), uy(500), uz(500);
  for (int i = 0; i < 500; ++i) {
    ras[i] = ra(random), decs[i] = dec(random);
    UnitVector u = unitVector(ras[i], decs[i]);
    ux[i] = u.x, uy[i] = u.y, uz[i] = u.z;
  }
  for (uint32_t id = 0; id <= 4; ++id) {
    for (bool horizontal : {false, true}) {
      auto t = createTransformer(id);
      Frame frame(horizontal, 1, 20);
      frame.apply(*t, 540, 3600);
      std::vector<int32_t> x1(500, 0), y1(500, 0), x2(500, 0), y2(500, 0);
      std::vector<double> d1(500), d2(500);
      t->projectMany(ras.data(), decs.data(), 0, 500, x1.data(), y1.data(), d1.data());
      t->projectManyVectors(ux.data(), uy.data(), uz.data(), 0, 500, x2.data(), y2.data(), d2.data());
      for (int i = 0; i < 500; ++i) {
        ASSERT_NEAR(d1[i], d2[i], 1e-12);
        if (d1[i] <= t->visibilityLimit()) continue;
        ASSERT_NEAR(x1[i], x2[i], 1) << id << " " << horizontal;  // rounding may cross a pixel edge
        ASSERT_NEAR(y1[i], y2[i], 1) << id << " " << horizontal;
      }
    }
  }
}

}  // namespace
}  // namespace celvaro
