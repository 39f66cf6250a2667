// The projections: the centre at the origin, the antipode, each radial law against great-circle distances, and
// the unit-vector path against the angle path.
#include "projection/transformer.h"

#include <gtest/gtest.h>

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
