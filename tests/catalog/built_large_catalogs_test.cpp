// The deep star catalog celvaro-catalogs built, registered as at start-up.
// Skipped where the data have not been built.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "catalog/large_star_catalogs.h"
#include "catalog/sky_catalogs.h"
#include "catalog/star_data_segmented.h"
#include "large_star_files.h"
#include "render/magnitude_limits.h"

namespace celvaro {
namespace {

class BuiltLargeCatalogs : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::string(CELVARO_RUN_DIR) + "/data/.built")) {
      GTEST_SKIP() << "the catalog data have not been built";
    }
    ASSERT_EQ(catalogs.registerStarCatalog(0, kIdentifierHipparcos, "data/stars_hip.dat", "Hipparcos", 0, 0), 0);
    ASSERT_GE(registerLargeStarCatalogs(catalogs), 1);
  }
  // The stars the current catalog draws on a chart of the Pleiades, faintest first.
  std::vector<int> pleiadesMagnitudes(int fieldArcmin) {
    const int32_t limit = automaticStarLimit(fieldArcmin);
    catalogs.selectStarCatalog(limit, fieldArcmin);
    testing::TestChart chart(56.75, 24.12, fieldArcmin);
    chart.draw(*catalogs.currentStarCatalog(), limit);
    std::vector<int> magnitudes;
    for (int i = 0; i < catalogs.currentStarCatalog()->starCount(); ++i) {
      std::string name;
      catalogs.currentStarCatalog()->getDesignation(i, name);
      magnitudes.push_back(std::stoi(name.substr(name.find('[') + 1)));
    }
    std::sort(magnitudes.rbegin(), magnitudes.rend());
    return magnitudes;
  }

  SkyCatalogs catalogs{CELVARO_RUN_DIR};
};

TEST_F(BuiltLargeCatalogs, TheDeepCatalogHoldsSeveralHundredThousandStarsInAFewHundredSegments) {
  catalogs.selectStarCatalog(automaticStarLimit(120), 120);
  ASSERT_EQ(catalogs.currentSlot(), 1);
  const auto* deep = static_cast<const StarDataSegmented*>(catalogs.currentStarCatalog());
  EXPECT_GE(deep->segmentCount(), 200);
  EXPECT_LE(deep->segmentCount(), 600);
  int64_t stars = 0;
  for (int i = 0; i < deep->segmentCount(); ++i) {
    stars += std::filesystem::file_size(
                 StarDataSegmented::segmentPath(std::string(CELVARO_RUN_DIR) + "/data/stars_deep", i)) /
             StarDataSegmented::kStarBytes;
  }
  EXPECT_GE(stars, 500000);
}

TEST_F(BuiltLargeCatalogs, A2DegreeFieldOnThePleiadesShowsStarsToAbout10AndAHalf) {
  const std::vector<int> deep = pleiadesMagnitudes(120);
  EXPECT_EQ(catalogs.currentDisplayName(), "Deep stars");
  ASSERT_GT(deep.size(), 100u);
  EXPECT_GE(deep.front(), 1000);  // the faintest
  const auto toTenAndAHalf = std::count_if(deep.begin(), deep.end(), [](int m) { return m > 900 && m <= 1050; });
  EXPECT_GT(toTenAndAHalf, 50);
  // Alcyone, the brightest, is there at about 2.9.
  EXPECT_NEAR(deep.back(), 290, 15);
}

TEST_F(BuiltLargeCatalogs, A60DegreeFieldUsesTheMainCatalogAgain) {
  pleiadesMagnitudes(120);
  ASSERT_EQ(catalogs.currentSlot(), 1);
  catalogs.selectStarCatalog(automaticStarLimit(3600), 3600);
  EXPECT_EQ(catalogs.currentSlot(), 0);
  EXPECT_EQ(catalogs.currentDisplayName(), "Hipparcos");
}

}  // namespace
}  // namespace celvaro
