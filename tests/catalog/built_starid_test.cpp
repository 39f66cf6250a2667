// The star identification database celvaro-catalogs built into the
// program directory: Vega by each of its names and numbers, and the name
// list. Skipped where the data have not been built.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "catalog/constellation_list.h"
#include "catalog/sky_catalogs.h"
#include "catalog/star_id_database.h"

namespace celvaro {
namespace {

constexpr int kLyra = 51, kAlpha = 0;

class BuiltStarIds : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::string(CELVARO_RUN_DIR) + "/data/.built")) {
      GTEST_SKIP() << "the catalog data have not been built";
    }
    ASSERT_EQ(catalogs.loadStarIds(), 0);
  }
  StarIdDatabase& ids() { return catalogs.starIds(); }

  SkyCatalogs catalogs{CELVARO_RUN_DIR};
  StarIdRecord found;
};

TEST_F(BuiltStarIds, VegaByNameAndDesignations) {
  ASSERT_STREQ(constellationAbbreviation(kLyra).data(), "Lyr");
  ASSERT_TRUE(ids().readRecord(ids().findByName("Vega"), found));
  EXPECT_EQ(found.hipparcos, 91262);
  found = {};
  ASSERT_TRUE(ids().findByBayer(kLyra, kAlpha, 0, found));
  EXPECT_EQ(found.hipparcos, 91262);
  found = {};
  ASSERT_TRUE(ids().findByFlamsteed(kLyra, 3, found));
  EXPECT_EQ(found.hipparcos, 91262);
  EXPECT_EQ(found.hd, 172167);
  EXPECT_EQ(found.hr, 7001);
  EXPECT_EQ(found.sao, 67174);
  EXPECT_NEAR(found.raRad, 4.8737, 1e-3);
  EXPECT_NEAR(found.decRad, 0.6769, 1e-3);
  const std::u16string text = ids().describe(found);
  EXPECT_EQ(text.substr(0, 4), u"Vega");
  EXPECT_NE(text.find(u"\r\n3 α(alfa) Lyr\r\nHipparcos:91262\r\nHD:172167\r\nHarvard:7001\r\nSAO:67174\r\nPPM:0"),
            std::u16string::npos);
}

TEST_F(BuiltStarIds, VegaByEachCatalogueNumber) {
  for (auto [code, number] : {std::pair{kCatalogHd, 172167}, {kCatalogHr, 7001}, {kCatalogHipparcos, 91262},
                              {kCatalogSao, 67174}}) {
    found = {};
    ASSERT_TRUE(ids().findByCatalogNumber(code, number, found)) << code;
    EXPECT_EQ(found.hipparcos, 91262) << code;
  }
  EXPECT_FALSE(ids().findByCatalogNumber(kCatalogUnused, 91262, found));
}

TEST_F(BuiltStarIds, ShortPrefixesFindTheProminentStar) {
  ASSERT_TRUE(ids().readRecord(ids().findByName("sir"), found));
  EXPECT_EQ(found.hipparcos, 32349);
  ASSERT_TRUE(ids().readRecord(ids().findByName("BETELG"), found));
  EXPECT_EQ(found.hipparcos, 27989);
  EXPECT_EQ(ids().findByName(""), -1);
}

TEST_F(BuiltStarIds, TheNameListWalksAlphabetically) {
  auto lowered = [](std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return text;
  };
  std::vector<std::string> names;
  std::string name;
  int record;
  ids().restartNames();
  while (ids().nextName(name, record)) {
    EXPECT_TRUE(ids().readRecord(record, found)) << name;
    names.push_back(lowered(name));
  }
  EXPECT_EQ(static_cast<int>(names.size()), ids().nameCount());
  EXPECT_GT(names.size(), 800u);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  EXPECT_TRUE(std::binary_search(names.begin(), names.end(), "vega"));
}

}  // namespace
}  // namespace celvaro
