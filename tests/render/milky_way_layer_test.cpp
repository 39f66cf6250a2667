// The Milky Way layer drawn from the built outline through the chart
// renderer. Skipped where the data have not been built.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numbers>

#include "catalog/sky_catalogs.h"
#include "projection/transformer.h"
#include "render/area_checks.h"
#include "render/chart_fixture.h"
#include "test_files.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

// Keeps the areas of the Milky Way's levels.
class AreaOutput : public testing::CountingOutput {
 public:
  void milkyWayArea(double brightness, const AreaRings& area) override {
    if (!area.empty()) levels.push_back({brightness, area});
  }
  struct Level { double brightness; AreaRings area; };
  std::vector<Level> levels;
};

class MilkyWayLayer : public testing::ChartFixture<AreaOutput> {
 protected:
  MilkyWayLayer() : ChartFixture(1920, 1080) {}
  void SetUp() override {
    CELVARO_SKIP_WITHOUT_BUILT_DATA();
    ASSERT_EQ(catalogs.loadMilkyWay(), MilkyWay::kLoaded);
  }
  // A 60-degree chart centred on the place, in arcminutes.
  void draw(uint32_t projection, int32_t raArcmin, int32_t decArcmin) {
    output.levels.clear();
    transformer = createTransformer(projection);
    settings.projectionId = projection;
    settings.centreRaArcmin = raArcmin;
    settings.centreDecArcmin = decArcmin;
    settings.fieldArcmin = 3600;
    transformer->setScale(540, 1800);
    drawChart(&catalogs, *transformer);
  }
  void drawSagittarius(uint32_t projection) { draw(projection, 18 * 900 + 180, -25 * 60); }  // 18.2 h, -25
  // Whether the area covers the place, which must be on the chart.
  bool covers(const AreaRings& area, double raDeg, double decDeg) {
    ProjectedPoint p;
    EXPECT_TRUE(transformer->project(raDeg * kRadPerDeg, decDeg * kRadPerDeg, p)) << raDeg << " " << decDeg;
    return testing::covers(area, p.x + 0.5, p.y + 0.5);
  }
  bool anyLevelCovers(double raDeg, double decDeg) {
    return std::any_of(output.levels.begin(), output.levels.end(),
                       [&](const AreaOutput::Level& level) { return covers(level.area, raDeg, decDeg); });
  }

  SkyCatalogs catalogs{CELVARO_RUN_DIR};
  std::unique_ptr<iTransformer> transformer;
};

// The galactic centre (Reid and Brunthaler 2004: Sgr A* at 17h 45m 40.04s,
// -29 00' 28.1") lies in the faintest level in every projection; a point
// in Microscopium 40 degrees below the galactic plane (21 h, -40 degrees;
// galactic latitude -44 degrees from the IAU pole at 12h 51.4m, +27.13)
// lies in none.
TEST_F(MilkyWayLayer, TheFaintestLevelCoversTheGalacticCentreAndNotMicroscopium) {
  for (uint32_t projection = 0; projection <= kProjectionGnomonic; ++projection) {
    SCOPED_TRACE(projection);
    drawSagittarius(projection);
    ASSERT_EQ(output.levels.size(), 5u);
    EXPECT_TRUE(covers(output.levels.front().area, 266.4168, -29.0078));
    EXPECT_FALSE(covers(output.levels.front().area, 315, -40));
  }
  settings.needMilkyWay = 0;  // its switch hides it
  drawSagittarius(kProjectionEqualArea);
  EXPECT_TRUE(output.levels.empty());
}

// On a chart of Cassiopeia, where both edges of the faintest level's band
// run round the celestial pole, the band holds the galactic plane at
// l = 120 degrees (0h 25.8m, +62 43.5') but not the north celestial pole
// (galactic latitude +27) nor Polaris (2h 31m 49s, +89 15' 51").
TEST_F(MilkyWayLayer, OnACassiopeiaChartThePoleLiesOutsideTheBand) {
  for (uint32_t projection = 0; projection <= kProjectionGnomonic; ++projection) {
    SCOPED_TRACE(projection);
    draw(projection, 900, 60 * 60);  // 1 h, +60
    ASSERT_FALSE(output.levels.empty());
    EXPECT_TRUE(anyLevelCovers(6.4508, 62.7257));
    EXPECT_FALSE(anyLevelCovers(0, 90));
    EXPECT_FALSE(anyLevelCovers(37.9545, 89.2641));
  }
}

}  // namespace
}  // namespace celvaro
