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
#include "projection/sky_destination.h"
#include "projection/transformer_equal_area.h"
#include "projection/transformer_equidistant.h"
#include "projection/transformer_gnomonic.h"
#include "projection/transformer_orthographic.h"
#include "projection/transformer_stereographic.h"
#include "sky_separation.h"

namespace celvaro {
namespace {

using testing::destination;
using testing::SkyPlace;

constexpr double kPi = std::numbers::pi;
constexpr double kRad = kPi / 180;

struct Frame {
  ChartSettings settings;
  OutputArea area;
  Frame(bool horizontal, uint32_t mirror, int32_t verticalOffset = 0)
      : area{.width = 800, .height = 600, .verticalOffset = verticalOffset} {
    settings.centreRaArcmin = 4321;
    settings.centreDecArcmin = 1234;
    settings.horizontalMode = horizontal;
    settings.mirrorMode = mirror;
    settings.chartDate = {2025, 6, 15, 22, 0, 0.0};
    settings.centreAzArcmin = 3333;
    settings.centreAltArcmin = 1800;
  }
  // Scales the transformer and sets it up on this frame.
  void apply(iTransformer& t, double halfExtentPx = 300, int32_t halfFieldArcmin = 1800) const {
    t.setScale(halfExtentPx, halfFieldArcmin);
    t.setup(area, settings);
  }
  std::unique_ptr<iTransformer> transformer(uint32_t id, double halfExtentPx = 300, int32_t halfField = 1800) const {
    auto t = createTransformer(id);
    apply(*t, halfExtentPx, halfField);
    return t;
  }
  // The centre as right ascension and declination.
  SkyPlace centre() const {
    const double ra = settings.centreRaArcmin * kPi / 10800, dec = settings.centreDecArcmin * kPi / 10800;
    if (!settings.horizontalMode) return {ra, dec};
    const EquatorialPosition c = LocalSky(julianDateOf(settings.chartDate), settings.latitudeDeg, settings.longitudeDeg)
                                     .j2000Of(settings.centreAltArcmin / 60.0, settings.centreAzArcmin / 60.0);
    return {c.raRad, c.decRad};
  }
  // The place `distance` from the centre toward the bearing.
  SkyPlace off(double distance, double bearing) const { return destination(centre(), distance, bearing); }
};

TEST(Transformer, TheCentreProjectsToTheOriginInEveryProjectionAndMirrorMode) {
  for (uint32_t id = 0; id <= 4; ++id) {
    for (uint32_t mirror = 0; mirror <= 4; ++mirror) {
      for (bool horizontal : {false, true}) {
        SCOPED_TRACE(::testing::Message() << id << " " << mirror << " " << horizontal);
        const Frame frame(horizontal, mirror, 37);
        ProjectedPoint p;
        ASSERT_TRUE(frame.transformer(id)->project(frame.centre().ra, frame.centre().dec, p));
        EXPECT_NEAR(p.depth, 1.0, 1e-12);
        EXPECT_EQ(p.x, 0);
        // In the horizontal frame three projections shift the centre down.
        const int32_t expectedY = horizontal && (id == 1 || id == 2 || id == 3) ? -37 : 0;
        EXPECT_EQ(p.y, (mirror == 1 || mirror == 2) ? -expectedY : expectedY);
      }
    }
  }
}

TEST(Transformer, GnomonicRejectsBeyond84Degrees) {
  const Frame frame(false, 0);
  auto t = frame.transformer(kProjectionGnomonic);
  ProjectedPoint p{123, 456, 9};
  const SkyPlace far = frame.off(85 * kRad, 1.0), near = frame.off(84 * kRad, 1.0);
  EXPECT_FALSE(t->project(far.ra, far.dec, p));
  EXPECT_EQ(p.x, 123);  // untouched
  ASSERT_TRUE(t->project(near.ra, near.dec, p));
  EXPECT_LT(p.depth, t->visibilityLimit());
  // The horizontal frame rejects nothing.
  const Frame horizontal(true, 0);
  t->setup(horizontal.area, horizontal.settings);
  const SkyPlace behind = horizontal.off(100 * kRad, 1.0);
  EXPECT_TRUE(t->project(behind.ra, behind.dec, p));
}

TEST(Transformer, EqualAreaRejectsTheAntipode) {
  for (bool horizontal : {false, true}) {
    const Frame frame(horizontal, 0);
    auto t = frame.transformer(kProjectionEqualArea);
    const SkyPlace antipode = frame.off(kPi, 0.3);
    ProjectedPoint p;
    EXPECT_FALSE(t->project(antipode.ra, antipode.dec, p));
    EXPECT_EQ(t->northAngle(antipode.ra, antipode.dec), 0.0);
  }
}

// The antipode and the places just short of it whichever way lie at pi radians.
TEST(Transformer, EquidistantPutsTheAntipodeAtRadiusScaleTimesPi) {
  TransformerEquidistant t;
  const Frame frame(false, 3);
  frame.apply(t, 1000, 1800);
  const SkyPlace c = frame.centre();
  for (const SkyPlace q : {SkyPlace{c.ra + kPi, -c.dec}, frame.off(kPi - 1e-9, 0.1), frame.off(kPi - 1e-9, 2.0),
                           frame.off(kPi - 1e-9, 4.0), frame.off(kPi - 1e-9, 6.0)}) {
    ProjectedPoint p;
    ASSERT_TRUE(t.project(q.ra, q.dec, p));
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
  equidistant.setScale(1e6, 5400);
  EXPECT_EQ(equidistant.scale(), 636619);
  // Toward zero: 59.99 pixels are 59, -59.99 are -59; an arcminute is 185.19.
  EXPECT_EQ(equidistant.arcsecToPixels(59.99 * 206264.806 / 636619), 59);
  EXPECT_EQ(equidistant.arcsecToPixels(-59.99 * 206264.806 / 636619), -59);
  EXPECT_EQ(equidistant.tenthArcminToPixels(10), 185);
  ortho.setScale(206264, 5400);  // 206264 px per radian: one pixel is just over an arcsecond
  EXPECT_EQ((std::tuple{ortho.pixelsToArcsec(59), ortho.pixelsToArcsec(-1)}), (std::tuple{59, -1}));
}

TEST(Transformer, MirrorModesTurnThePlaneOffset) {
  // A point whose orthographic plane offset is (10, 20) at scale 1000.
  const double dec = std::asin(0.0200005), ra = std::asin(0.0100005 / std::cos(dec));
  const std::pair<int, int> expected[] = {{-10, 20}, {10, -20}, {-10, -20}, {10, 20}, {10, 20}};
  for (uint32_t mirror = 0; mirror <= 4; ++mirror) {
    Frame frame(false, mirror);
    frame.settings.centreRaArcmin = 0;
    frame.settings.centreDecArcmin = 0;
    ProjectedPoint p;
    ASSERT_TRUE(frame.transformer(kProjectionOrthographic, 1000, 5400)->project(ra, dec, p));
    EXPECT_EQ(std::pair(p.x, p.y), expected[mirror]) << "mirror " << mirror;
  }
}

// The batch writes from index zero; a point the law rejects keeps its x and
// y but has its depth written, except in the horizontal frame.
TEST(Transformer, ProjectManyWritesFromIndexZeroAndKeepsRejectedPoints) {
  const Frame frame(false, 0);
  auto t = frame.transformer(kProjectionGnomonic);
  const SkyPlace c = frame.centre(), far = frame.off(89 * kRad, 1), near = frame.off(10 * kRad, 1);
  const double ra[] = {0, 0, near.ra, far.ra, c.ra}, dec[] = {0, 0, near.dec, far.dec, c.dec};
  int32_t x[3] = {-7, -7, -7}, y[3] = {-7, -7, -7};
  double depth[3] = {9, 9, 9};
  t->projectMany(ra, dec, 2, 3, x, y, depth);
  ProjectedPoint p;
  t->project(near.ra, near.dec, p);
  EXPECT_EQ(std::tuple(x[0], y[0], x[1], x[2]), std::tuple(p.x, p.y, -7, 0));
  EXPECT_NEAR(depth[1], std::cos(89 * kRad), 1e-12);
  const Frame horizontal(true, 0);
  auto equalArea = horizontal.transformer(kProjectionEqualArea);
  const SkyPlace behind = horizontal.off(170 * kRad, 0.5);
  int32_t bx = -7, by = -7;
  equalArea->projectMany(&behind.ra, &behind.dec, 0, 1, &bx, &by, depth);
  EXPECT_NE(bx, -7);
  EXPECT_FALSE(equalArea->project(behind.ra, behind.dec, p));
}

TEST(Transformer, EquatorialPlainAndNorthAngle) {
  const Frame frame(true, 2, 50);  // horizontal and mirrored: projectEquatorialPlain ignores both
  const double ra = frame.settings.centreRaArcmin * kPi / 10800, dec = frame.settings.centreDecArcmin * kPi / 10800;
  ProjectedPoint plain;
  ASSERT_TRUE(frame.transformer(kProjectionEquidistant)->projectEquatorialPlain(ra + 0.1, dec, plain));
  EXPECT_LT(plain.x, 0);  // east to the left
  for (uint32_t id : {0u, 1u, 3u, 4u}) EXPECT_FALSE(createTransformer(id)->projectEquatorialPlain(ra, dec, plain));
  // North points straight up at the centre of an equatorial chart.
  const Frame equatorial(false, 0);
  for (uint32_t id : {kProjectionEqualArea, kProjectionEquidistant}) {
    auto t = equatorial.transformer(id);
    EXPECT_NEAR(t->northAngle(ra, dec), 0.0, 1e-12);
    EXPECT_GT(std::fabs(t->northAngle(ra + 0.5, dec)), 0.01);  // off-centre meridians lean
  }
  for (uint32_t id : {0u, 3u, 4u}) EXPECT_EQ(createTransformer(id)->northAngle(ra + 0.5, dec), 0.0);
}

// A setting file's id without a law of its own draws orthographically.
TEST(Transformer, IdsWithoutALawDrawOrthographically) {
  for (uint32_t id : {5u, 6u, 7u, 99u}) {
    auto t = Frame(false, 0).transformer(id, 100, 6000);
    ProjectedPoint p;
    EXPECT_EQ(t->visibilityLimit(), 0.0);
    EXPECT_TRUE(t->project(1, 0.2, p));
  }
}

// The distance from the centre recovered from the plane offset with each
// projection's radial law is the great-circle distance (haversine).
template <class Transformer>
void checkRadialLaw(double (*inverse)(double), double maxDistance) {
  std::mt19937 random(17);
  std::uniform_real_distribution<double> distance(0, maxDistance), angle(0, 2 * kPi);
  for (bool horizontal : {false, true}) {
    Transformer t;
    const Frame frame(horizontal, 0);
    frame.apply(t, 1000, 1800);
    const SkyPlace c = frame.centre();
    for (int i = 0; i < 2000; ++i) {
      const SkyPlace point = frame.off(distance(random), angle(random));
      const auto offset = t.planeOffset(point.ra, point.dec);
      const double recovered = inverse(std::hypot(offset.x, offset.y) / t.scale());
      const double separation = testing::separationDeg(c.ra / kRad, c.dec / kRad, point.ra / kRad, point.dec / kRad);
      ASSERT_NEAR(recovered, separation * kRad, 1e-9) << horizontal;
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
      SCOPED_TRACE(::testing::Message() << id << " " << horizontal);
      auto t = Frame(horizontal, 1, 20).transformer(id, 540, 3600);
      std::vector<int32_t> x1(500, 0), y1(500, 0), x2(500, 0), y2(500, 0);
      std::vector<double> d1(500), d2(500);
      t->projectMany(ras.data(), decs.data(), 0, 500, x1.data(), y1.data(), d1.data());
      t->projectManyVectors(ux.data(), uy.data(), uz.data(), 0, 500, x2.data(), y2.data(), d2.data());
      for (int i = 0; i < 500; ++i) {
        ASSERT_NEAR(d1[i], d2[i], 1e-12);
        if (d1[i] <= t->visibilityLimit()) continue;
        ASSERT_NEAR(x1[i], x2[i], 1);  // rounding may cross a pixel edge
        ASSERT_NEAR(y1[i], y2[i], 1);
      }
    }
  }
}

}  // namespace
}  // namespace celvaro
