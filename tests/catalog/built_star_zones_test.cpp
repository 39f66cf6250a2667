// The main star catalog celvaro-catalogs built draws each star with its
// zone's magnitude: checked here against the magnitudes of d3-celestial's
// stars.14.json, the catalog's source, read as its makers wrote it.
// Skipped where the data or the source are missing.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

#include "catalog/star_data_simple.h"
#include "large_star_files.h"
#include "source_files.h"

namespace celvaro {
namespace {

class BuiltStarZones : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::string(CELVARO_RUN_DIR) + "/data/.built")) GTEST_SKIP() << "no built data";
    sources = testing::readD3HipparcosStars();
    if (sources.empty()) GTEST_SKIP() << "no d3-celestial source";
    catalog.setDataDirectory(CELVARO_RUN_DIR);
    ASSERT_EQ(catalog.open("data/stars_hip.dat"), 0);
    ASSERT_GT(catalog.starCount(), 100000);
  }
  int sourceHundredths(int index) const {
    return static_cast<int>(std::lround(sources.at(catalog.hipparcosNumber(index)).magnitude * 100));
  }

  std::map<int32_t, testing::HipparcosStar> sources;
  StarDataSimple catalog;
};

TEST_F(BuiltStarZones, NoStarIsDrawnMoreThanATenthOfAMagnitudeFromItsSourceMagnitude) {
  int checked = 0, off = 0;
  for (int z = 0; z < catalog.zoneCount(); ++z) {
    const StarDataSimple::Zone& zone = catalog.zone(z);
    for (int i = zone.first; i < zone.first + zone.count; ++i, ++checked) {
      if (std::abs(zone.magnitude - sourceHundredths(i)) <= 10) continue;
      if (++off <= 5) ADD_FAILURE() << "HIP " << catalog.hipparcosNumber(i) << " at " << sourceHundredths(i)
                                    << " is drawn as " << zone.magnitude;
    }
  }
  EXPECT_EQ(checked, catalog.starCount());
  EXPECT_EQ(off, 0);
}

// The northern sky drawn at several limits: every star brighter than the
// limit by a tenth is there, none fainter than it by a tenth.
TEST_F(BuiltStarZones, ALimitCutsWithinATenthOfAMagnitude) {
  testing::TestChart chart(0, 90, 180 * 60);
  testing::StarListOutput screen(false, true);
  screen.begin("", {}, chart.area);
  screen.loadStarSizes(1400, 9, 1);
  for (int32_t limit : {150, 300, 650, 920, 1150}) {
    screen.stars.clear();
    catalog.draw(screen, chart.transformer, chart.settings, chart.area, limit, true);
    std::set<int> drawn;
    for (const auto& star : screen.stars) drawn.insert(star.index);
    int wrong = 0;
    for (int i = 0; i < catalog.starCount(); ++i) {
      StarPosition at;
      if (!catalog.getPosition(i, at) || at.decRad < 0.1) continue;
      const int m = sourceHundredths(i);
      if ((m <= limit - 10 && !drawn.count(i)) || (m > limit + 10 && drawn.count(i))) {
        if (++wrong <= 3) ADD_FAILURE() << "limit " << limit << ": HIP " << catalog.hipparcosNumber(i) << " at " << m;
      }
    }
    EXPECT_EQ(wrong, 0) << limit;
  }
}

}  // namespace
}  // namespace celvaro
