// An atlas's pages against spherical trigonometry: every place of the sky
// (or of a box) lies on some page at least half the overlap inside its
// edges, and the page named beyond an edge holds the point just past that
// edge's middle, found by the destination formula from the page's centre.
// The charts are azimuthal equidistant, where a chart distance is an
// angle times the scale: 190 by 255 mm showing 30 degrees across.
#include "render/atlas_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "projection/sky_destination.h"

namespace celvaro {
namespace {

using testing::destination;

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180;
constexpr int32_t kWidth = 19000, kHeight = 25500;
constexpr int kFieldArcmin = 1800, kOverlapArcmin = 180;
// Units per radian: half the width shows 15 degrees.
constexpr double kScale = (kWidth / 2) / (15 * kDeg);
// Half the overlap, a little less for the scale's rounding.
constexpr int32_t kHalfOverlap = static_cast<int32_t>(kScale * kOverlapArcmin / 2 / 60 * kDeg * 0.95);

// The places of the box, every two degrees of declination and about two
// degrees apart along each parallel, that lie on no page at least half the
// overlap inside its edges.
int missedPlaces(const AtlasPlan& plan, double decLow, double decHigh, double raStart, double raSpan) {
  int missed = 0;
  for (double dec = decLow; dec <= decHigh + 1e-9; dec += 2 * kDeg) {
    const double step = 2 * kDeg / std::max(std::cos(dec), 0.02);
    for (double ra = raStart; ra <= raStart + raSpan + 1e-9; ra += step) {
      bool held = false;
      for (int page = 0; page < static_cast<int>(plan.pages().size()) && !held; ++page) {
        held = plan.holds(page, std::fmod(ra, 2 * kPi), dec, kHalfOverlap);
      }
      missed += !held;
    }
  }
  return missed;
}

class AtlasPlanTest : public ::testing::Test {
 protected:
  AtlasPlan plan{kProjectionEquidistant, kWidth, kHeight, kFieldArcmin, kOverlapArcmin};
};

TEST_F(AtlasPlanTest, TheSkysPagesCoverEveryPlaceWithTheOverlapToSpare) {
  ASSERT_TRUE(plan.coverSky());
  const size_t pages = plan.pages().size();
  EXPECT_GE(pages, 40u);
  EXPECT_LE(pages, 80u);
  EXPECT_EQ(missedPlaces(plan, -90 * kDeg, 90 * kDeg, 0, 2 * kPi), 0);
  // A place off the pages' charts is on no page.
  EXPECT_GE(plan.pageOf(0, 0), 0);
  EXPECT_EQ(AtlasPlan(kProjectionEquidistant, kWidth, kHeight, kFieldArcmin, kOverlapArcmin).pageOf(0, 0), -1);
}

TEST_F(AtlasPlanTest, ThePageNamedBeyondAnEdgeHoldsThePointJustPastItsMiddle) {
  ASSERT_TRUE(plan.coverSky());
  const double bearings[4] = {0, 1.5 * kPi, kPi, 0.5 * kPi};  // top north, right west, bottom south, left east
  const double beyond[4] = {kHeight / 2.0, kWidth / 2.0, kHeight / 2.0, kWidth / 2.0};
  for (int page = 0; page < static_cast<int>(plan.pages().size()); ++page) {
    const AtlasPage& p = plan.pages()[page];
    if (std::abs(p.decArcmin) == 5400) continue;  // no north at the pole
    const testing::SkyPlace centre{p.raArcmin * kPi / 10800, p.decArcmin * kPi / 10800};
    const std::array<int, 4> neighbours = plan.neighbours(page);
    for (int edge = 0; edge < 4; ++edge) {
      ASSERT_GE(neighbours[edge], 0) << "page " << page << " edge " << edge;
      const testing::SkyPlace past = destination(centre, (beyond[edge] + 100) / kScale, bearings[edge]);
      EXPECT_TRUE(plan.holds(neighbours[edge], past.ra, past.dec)) << "page " << page << " edge " << edge;
    }
  }
}

TEST_F(AtlasPlanTest, ABoxGetsPagesOfItsOwnAndACapWhereItNearsThePole) {
  // Orion's boundary: 4h41m to 6h39m, -10.9 to +22.9 degrees.
  ASSERT_TRUE(plan.cover({-10.9 * kDeg, 22.9 * kDeg, 70.2 * kDeg, 29.6 * kDeg}));
  EXPECT_EQ(missedPlaces(plan, -10.9 * kDeg, 22.9 * kDeg, 70.2 * kDeg, 29.6 * kDeg), 0);
  EXPECT_LE(plan.pages().size(), 4u);
  // Ursa Minor's reaches the pole: the cap comes first.
  AtlasPlan polar(kProjectionEquidistant, kWidth, kHeight, kFieldArcmin, kOverlapArcmin);
  ASSERT_TRUE(polar.cover({65.4 * kDeg, 90 * kDeg, 0, 2 * kPi}));
  EXPECT_EQ(polar.pages().front().decArcmin, 5400);
  EXPECT_EQ(missedPlaces(polar, 65.4 * kDeg, 90 * kDeg, 0, 2 * kPi), 0);
}

// Fields too small for the sky are refused before their pages are laid out.
TEST(AtlasPlan, ASkyOfMoreThanAThousandPagesIsRefused) {
  for (const int field : {1, 60, 300}) {
    AtlasPlan plan(kProjectionStereographic, kWidth, kHeight, field, field / 10);
    EXPECT_FALSE(plan.coverSky()) << field;
    EXPECT_TRUE(plan.pages().empty());
  }
  AtlasPlan tenDegrees(kProjectionStereographic, kWidth, kHeight, 600, 60);
  EXPECT_TRUE(tenDegrees.coverSky());
}

}  // namespace
}  // namespace celvaro
