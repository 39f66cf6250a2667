#include "catalog/star_data_gsc.h"

#include <gtest/gtest.h>

#include "large_star_files.h"

namespace celvaro {
namespace {

using testing::kDeg;
using testing::ScratchDir;
using testing::TestChart;
using testing::writeBytes;

// Regions 1 and 2 (zone N0000) centred on the chart at 10h 3d, region 3 ten
// degrees away; their values are 1/100000 degree above (9, 2).
class StarDataGscTest : public ::testing::Test {
 protected:
  StarDataGscTest() {
    std::filesystem::create_directories(dir.path() / "data");
    std::filesystem::create_directories(dir.path() / "gsc" / "N0000");
    writeBytes(dir.file("data/gsc.dat"), gscRegionTable({{10, 3}, {10.2, 3}, {20, 3}}));
    header(dir.file("gsc"));
    catalog.setDataDirectory(dir.path().string());
  }
  void header(const std::string& directory) {
    writeBytes(dir.file("data/gsc.hdr"), "type = s_gsc\ngscdir = " + directory + "\n");
  }
  void region(int number, int32_t count, const std::vector<std::string>& records) {
    char name[32];
    std::snprintf(name, sizeof name, "gsc/N0000/%04d.gsc", number);
    writeBytes(dir.file(name), gscRegionFile(number, count, 9, 2, records));
  }
  int open() { return catalog.open("data/gsc.hdr"); }
  // The stars of a 1 degree chart on the regions at the limit.
  std::vector<std::pair<StarPosition, std::string>> drawn(int32_t limit = 2000) {
    chart.draw(catalog, limit);
    std::vector<std::pair<StarPosition, std::string>> stars;
    for (int i = 0; i < catalog.starCount(); ++i) {
      StarPosition p;
      std::string name;
      EXPECT_TRUE(catalog.getPosition(i, p));
      EXPECT_TRUE(catalog.getDesignation(i, name));
      stars.emplace_back(p, name);
    }
    return stars;
  }

  ScratchDir dir;
  StarBuffer buffer;
  StarDataGsc catalog{buffer};
  TestChart chart{10, 3, 60};
};

TEST_F(StarDataGscTest, RegionFilesInTheirPublishedForm) {
  region(1, 4,
         {gscRecord(100000, 100000, 850), gscRecord(100100, 100000, 900, 0x10),  // not a star
          gscRecord(100200, 100000, 0),                                           // no magnitude
          gscRecord(110000, 105000, 1210)});
  ASSERT_EQ(open(), 0);
  EXPECT_FALSE(catalog.isPacked());
  const auto stars = drawn();
  ASSERT_EQ(stars.size(), 2u);
  EXPECT_NEAR(stars[0].first.raRad, 10 * kDeg, 1e-12);
  EXPECT_NEAR(stars[0].first.decRad, 3 * kDeg, 1e-12);
  EXPECT_EQ(stars[0].second, "[850]");
  EXPECT_NEAR(stars[1].first.raRad, 10.1 * kDeg, 1e-12);
  EXPECT_NEAR(stars[1].first.decRad, 3.05 * kDeg, 1e-12);
  EXPECT_EQ(stars[1].second, "[1210]");
  EXPECT_EQ(drawn(1000).size(), 1u);  // 12.10 is fainter than the limit
  int kind = -1;
  int32_t n = 0;
  EXPECT_FALSE(catalog.getCatalogNumbers(0, kind, n, n, n, n));
}

TEST_F(StarDataGscTest, ARegionFileShorterThanItsHeaderGivesItsWholeRecords) {
  const std::string records = gscRecord(100000, 100000, 850) + gscRecord(100000, 100100, 860);
  region(1, 9, {records, gscRecord(100000, 100200, 870).substr(0, 7)});
  ASSERT_EQ(open(), 0);
  EXPECT_EQ(drawn().size(), 2u);
  writeBytes(dir.file("gsc/N0000/0001.gsc"), "000 header of no length" + records);
  EXPECT_EQ(drawn().size(), 0u);
  writeBytes(dir.file("gsc/N0000/0001.gsc"), "064 2 0001");  // a header cut short
  EXPECT_EQ(drawn().size(), 0u);
}

TEST_F(StarDataGscTest, OnlyRegionsCentredWithinTheFieldPlusTwoDegreesAreRead) {
  region(1, 1, {gscRecord(100000, 100000, 850)});
  // Region 3's centre is 10 degrees away, though its file holds a star on the chart.
  writeBytes(dir.file("gsc/N0000/0003.gsc"), gscRegionFile(3, 1, 9, 2, {gscRecord(100000, 100050, 850)}));
  ASSERT_EQ(open(), 0);
  EXPECT_EQ(drawn().size(), 1u);
  chart.aim(10, 3, 600);  // 10 + 2 degrees reach it
  EXPECT_EQ(drawn().size(), 2u);
}

TEST_F(StarDataGscTest, PackedZonesWithTheirIndex) {
  std::filesystem::create_directories(dir.path() / "packed");
  header(dir.file("packed"));
  // Region 1: records 2 and 3; region 2: records 3 to 7 of a file holding
  // four; region 3 (far away) in no zone.
  writeBytes(dir.file("packed/gsc_idx.dat"), gscPackedIndex({{0, 2, 2, 9, 2}, {0, 3, 5, 9, 2}, {30, 0, 1, 9, 2}}));
  writeBytes(dir.file("packed/N0000.dat"), std::string(8, 'x') + gscZoneRecord(1, 1, 1) + gscZoneRecord(1, 1, 1) +
                                                gscZoneRecord(100000, 100000, 850) + gscZoneRecord(120000, 95000, 1000));
  ASSERT_EQ(open(), 0);
  EXPECT_TRUE(catalog.isPacked());
  const auto stars = drawn();
  ASSERT_EQ(stars.size(), 3u);
  EXPECT_NEAR(stars[0].first.raRad, 10 * kDeg, 1e-12);
  EXPECT_EQ(stars[0].second, "[850]");
  EXPECT_NEAR(stars[1].first.raRad, 10.2 * kDeg, 1e-12);
  EXPECT_NEAR(stars[1].first.decRad, 2.95 * kDeg, 1e-12);
  EXPECT_EQ(stars[2].second, "[1000]");  // region 2's one record inside the file
  // An index cut inside region 2's record: only region 1 remains.
  writeBytes(dir.file("packed/gsc_idx.dat"), gscPackedIndex({{0, 2, 2, 9, 2}, {0, 3, 5, 9, 2}}).substr(0, 16 + 88 + 40));
  ASSERT_EQ(open(), 0);
  EXPECT_EQ(drawn().size(), 2u);
}

TEST_F(StarDataGscTest, DirectoriesAndTheRegionTable) {
  EXPECT_EQ(catalog.open("data/none.hdr"), 4);
  header("");
  EXPECT_EQ(open(), 4);  // no gscdir, and no data/gsc
  header(dir.file("gsc"));
  ASSERT_EQ(open(), 0);
  EXPECT_EQ(catalog.regionDirectory(), dir.file("gsc"));
  std::filesystem::create_directories(dir.path() / "data" / "gsc");
  header(dir.file("elsewhere"));
  ASSERT_EQ(open(), 0);  // a directory that does not exist falls back to data/gsc
  EXPECT_EQ(catalog.regionDirectory(), dir.file("data/gsc"));
  writeBytes(dir.file("data/gsc.dat"), gscRegionTable({}).substr(0, 9537 * 8));
  EXPECT_EQ(open(), 4);  // a region table without the declinations
}

TEST(GscFormat, ZonesOfRegions) {
  for (const auto& [region, zone] :
       {std::pair{593, "N0000"}, {594, "N0730"}, {4662, "N8230"}, {4663, "S0000"}, {9537, "S8230"}}) {
    EXPECT_STREQ(gsc::zoneName(gsc::zoneOfRegion(region)), zone) << region;
  }
  for (int region : {0, 9538}) EXPECT_EQ(gsc::zoneOfRegion(region), -1) << region;
}

TEST(GscFormat, RegionHeaders) {
  int32_t count = 0;
  gsc::RegionScales s;
  ASSERT_TRUE(gsc::parseRegionHeader("048 2 0042   123 358.5 0 -7.25 0 0.5 100000 90000 0 100", count, s));
  EXPECT_EQ(count, 123);
  EXPECT_EQ((std::vector<double>{s.raOffset, s.decOffset, s.magOffset, s.raScale, s.decScale, s.magScale}),
            (std::vector<double>{358.5, -7.25, 0.5, 100000, 90000, 100}));
  EXPECT_FALSE(gsc::parseRegionHeader("048 2 0042   123 358.5 0 -7.25 0 0.5 100000 90000 0", count, s));
  EXPECT_FALSE(gsc::parseRegionHeader("048 2 0042   123 358.5 0 -7.25 0 0.5 100000 0 0 100", count, s));
  EXPECT_EQ(gsc::headerLength("512"), 0);
  EXPECT_EQ(gsc::headerLength("511"), 511);
  // Right ascensions wrap into 0..360; magnitudes are at least 0.
  gsc::Star star;
  ASSERT_TRUE(gsc::decodeRegionRecord(
      reinterpret_cast<const uint8_t*>(gscRecord(200000, 0, 1).data()), s, star));
  EXPECT_NEAR(star.raDeg, 0.5, 1e-9);
  EXPECT_EQ(star.magHundredths, 51);
  s.magOffset = -5;
  ASSERT_TRUE(gsc::decodeRegionRecord(reinterpret_cast<const uint8_t*>(gscRecord(0, 0, 1).data()), s, star));
  EXPECT_EQ(star.magHundredths, 0);
}

}  // namespace
}  // namespace celvaro
