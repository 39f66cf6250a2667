// The deep-sky and double-star layers drawn from the built catalogs
// through the chart renderer. Skipped where the data have not been built.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "catalog/sky_catalogs.h"
#include "projection/transformer_orthographic.h"
#include "render/chart_fixture.h"
#include "render/magnitude_limits.h"
#include "sky_separation.h"
#include "test_files.h"

namespace celvaro {
namespace {

constexpr double kRad = std::numbers::pi / 180;

// Writes down where galaxies and double stars are drawn.
class SymbolOutput : public testing::CountingOutput {
 public:
  struct Symbol { int index; int32_t x, y; };
  void rotatedGalaxyEllipse(int index, int32_t x, int32_t y, int32_t, int32_t, int32_t, int32_t) override {
    galaxies.push_back({index, x, y});
  }
  bool dashMarker(int index, int32_t x, int32_t y, int32_t) override {
    doubles.push_back({index, x, y});
    return true;
  }
  std::vector<Symbol> galaxies, doubles;
};

class BuiltLayers : public testing::ChartFixture<SymbolOutput> {
 protected:
  void SetUp() override {
    CELVARO_SKIP_WITHOUT_BUILT_DATA();
    catalogs.loadDeepsky();
    catalogs.loadDoubleStars();
  }
  // A chart of the field centred on the position, with the limits the
  // field brings.
  void drawAround(const StarPosition& centre, int fieldArcmin) {
    centreOn(centre);
    settings.fieldArcmin = fieldArcmin;
    computeMagnitudeLimits(settings);
    output.loadStarSizes(settings.starLimitHundredths, 9, 1);
    transformer.setScale(500, fieldArcmin / 2);
    drawChart(&catalogs, transformer);
  }

  // The chart centre is kept in whole arcminutes: an object it is centred
  // on may lie up to an arcminute off in each coordinate.
  int32_t centringSlack() const { return static_cast<int32_t>(std::ceil(1000.0 / settings.fieldArcmin)) + 1; }

  SkyCatalogs catalogs{CELVARO_RUN_DIR};
  TransformerOrthographic transformer;
};

// M 31 on a five-degree field, Mizar and Albireo on two-degree ones.
TEST_F(BuiltLayers, ObjectsAreDrawnWhereTheyAreFound) {
  const struct {
    const char* designation;
    bool galaxy;
    int fieldArcmin;
  } kObjects[] = {{"M 31", true, 300}, {"STF 1744", false, 120}, {"STFA 43", false, 120}};
  for (const auto& object : kObjects) {
    SCOPED_TRACE(object.designation);
    StarPosition found;
    ASSERT_TRUE(object.galaxy ? catalogs.deepsky()->findByDesignation(object.designation, found)
                              : catalogs.doubleStars()->findByDesignation(object.designation, found) == kDoubleFound);
    output.galaxies.clear();
    output.doubles.clear();
    drawAround(found, object.fieldArcmin);
    const auto& drawn = object.galaxy ? output.galaxies : output.doubles;
    EXPECT_TRUE(std::any_of(drawn.begin(), drawn.end(), [&](const auto& d) {
      return d.index == found.index && std::abs(d.x) <= centringSlack() && std::abs(d.y) <= centringSlack();
    }));
  }
}

TEST_F(BuiltLayers, ANarrowFieldWalksOnlyTheRegionsOnTheChart) {
  iDeepskyData& deepsky = *catalogs.deepsky();
  StarPosition m13;
  ASSERT_TRUE(deepsky.findByDesignation("M 13", m13));
  settings.fieldArcmin = 120;
  settings.deepskyLevel = 10;  // every object of a walked region is handed out
  centreOn(m13);
  transformer.setScale(500, 60);
  transformer.setup(area, settings);
  deepsky.prepareDraw(settings, area, transformer);
  DeepskyObject object;
  bool label, second;
  int walked = 0;
  while (deepsky.nextVisible(object, label, second) >= 0) {
    ++walked;
    // Every object handed out lies in one of the few regions around the
    // chart (30 degrees of declination by up to 60 of right ascension).
    EXPECT_LT(testing::separationDeg(object.raRad / kRad, object.decRad / kRad, m13.raRad / kRad, m13.decRad / kRad),
              60);
  }
  EXPECT_GT(walked, 0);
  EXPECT_LT(walked, deepsky.objectCount() / 10) << "the walk touched " << walked << " objects";
}

}  // namespace
}  // namespace celvaro
