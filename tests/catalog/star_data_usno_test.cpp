#include "catalog/star_data_usno.h"

#include <gtest/gtest.h>

#include "large_star_files.h"

namespace celvaro {
namespace {

using testing::kDeg;
using testing::ScratchDir;
using testing::TestChart;
using testing::writeBytes;

constexpr int kZone = 12;  // declinations 0 to 7.5 degrees: zone0900.cat

// Cells 0 and 1 of zone 12 (right ascensions 0 to 3.75 and 3.75 to 7.5
// degrees); a 1 degree chart at 5h 3d with its 60' margin reaches both.
class StarDataUSNOTest : public ::testing::Test {
 protected:
  StarDataUSNOTest() {
    std::filesystem::create_directories(dir.path() / "data");
    std::filesystem::create_directories(dir.path() / "usno");
    writeBytes(dir.file("data/usnoa2.hdr"), "type = s_usnoa\nusnodir = " + dir.file("usno") + "\n");
    catalog.setDataDirectory(dir.path().string());
  }
  // The zone file and a cell index giving cells 0 and 1 of the zone these counts.
  void zone(const std::string& records, uint32_t cell0, uint32_t cell1) {
    writeBytes(dir.file("usno/zone0900.cat"), records);
    std::vector<uint32_t> counts(kZone * 96 + 2, 0);
    counts[kZone * 96] = cell0, counts[kZone * 96 + 1] = cell1;
    writeBytes(dir.file("data/usnoa2.dat"), usnoCellIndex(counts));
  }
  // An index with these ends for cells 0 and 1 of the zone, read afresh.
  void cellEnds(uint32_t cell0, uint32_t cell1) {
    std::string index;
    for (int cell = 0; cell < 24 * 96; ++cell) {
      appendU32(index, cell == kZone * 96 ? cell0 : cell == kZone * 96 + 1 ? cell1 : 0);
    }
    writeBytes(dir.file("data/usnoa2.dat"), index);
    ASSERT_EQ(open(), 0);
  }
  int open() { return catalog.open("data/usnoa2.hdr"); }
  std::vector<std::string> drawn(int32_t limit = 2000) {
    chart.draw(catalog, limit);
    std::vector<std::string> names;
    for (int i = 0; i < catalog.starCount(); ++i) {
      std::string name;
      catalog.getDesignation(i, name);
      names.push_back(name);
    }
    return names;
  }

  ScratchDir dir;
  StarBuffer buffer;
  StarDataUSNO catalog{buffer};
  TestChart chart{5, 3, 60};
};

TEST_F(StarDataUSNOTest, BigEndianRecordsAndSkippedMagnitudes) {
  zone(usnoRecord(1, 3, 1100120) +                                        // cell 0, off the chart
           usnoRecord(5, 3, 1100125) + usnoRecord(5.1, 3, -1000000001) +  // skipped
           usnoRecord(5.2, 3, 1) +                                        // skipped
           usnoRecord(5.3, 3.1, -80095),                                  // sign ignored
       1, 4);
  ASSERT_EQ(open(), 0);
  EXPECT_EQ(drawn(), (std::vector<std::string>{"[1250]", "[950]"}));
  StarPosition p;
  ASSERT_TRUE(catalog.getPosition(1, p));
  EXPECT_NEAR(p.raRad, 5.3 * kDeg, 1e-9);
  EXPECT_NEAR(p.decRad, 3.1 * kDeg, 1e-9);
  EXPECT_EQ(drawn(1000), (std::vector<std::string>{"[950]"}));
}

TEST_F(StarDataUSNOTest, AZoneFileShorterThanItsIndexGivesItsWholeRecords) {
  const std::string records = usnoRecord(1, 3, 100) + usnoRecord(5, 3, 110) + usnoRecord(5.1, 3, 120);
  zone(records + usnoRecord(5.2, 3, 130).substr(0, 11), 1, 5);
  ASSERT_EQ(open(), 0);
  // Cell ends running backwards, or far past the file, read nothing wrong
  // and nothing past the end; nor does an index cut short.
  EXPECT_EQ(drawn(), (std::vector<std::string>{"[1100]", "[1200]"}));
  cellEnds(2, 1);
  EXPECT_EQ(drawn(), (std::vector<std::string>{"[1100]"}));  // cell 0 holds records 0 and 1, cell 1 none
  cellEnds(1, 0xFFFFFFFF);
  EXPECT_EQ(drawn(), (std::vector<std::string>{"[1100]", "[1200]"}));
  cellEnds(1, 3);
  const std::string index = testing::readBytes(dir.file("data/usnoa2.dat"));
  writeBytes(dir.file("data/usnoa2.dat"), index.substr(0, 4 * (kZone * 96 + 1) + 2));
  ASSERT_EQ(open(), 0);
  EXPECT_TRUE(drawn().empty());  // cell 0 has no star on the chart; cell 1 lies past the index
}

TEST_F(StarDataUSNOTest, DirectoriesAndTheCellIndex) {
  zone(usnoRecord(5, 3, 110), 0, 1);
  std::filesystem::remove(dir.file("data/usnoa2.dat"));
  EXPECT_EQ(open(), 4);
  writeBytes(dir.file("data/usnoa2.dat"), "");
  ASSERT_EQ(open(), 0);  // an empty index: every cell is empty
  EXPECT_TRUE(drawn().empty());
  writeBytes(dir.file("data/usnoa2.hdr"), "type = s_usnoa\nusnodir = " + dir.file("nowhere") + "\n");
  EXPECT_EQ(open(), 4);
  std::filesystem::create_directories(dir.path() / "data" / "usnoa2");
  ASSERT_EQ(open(), 0);
  EXPECT_EQ(catalog.zoneDirectory(), dir.file("data/usnoa2"));
}

}  // namespace
}  // namespace celvaro
