// The large star catalogs read region by region into one star buffer: the
// segmented deep catalog, the Guide Star Catalog and USNO-A2.0, each from
// small files written here, their damaged files read only as far as their
// whole records go; and the buffer's bands.
#include <gtest/gtest.h>

#include <tuple>

#include "catalog/star_buffer.h"
#include "catalog/star_data_gsc.h"
#include "catalog/star_data_segmented.h"
#include "catalog/star_data_usno.h"
#include "catalog/star_id_format.h"
#include "test_charts.h"
#include "segmented_catalog_writer.h"

namespace celvaro {
namespace {

using testing::kDeg;
using testing::ScratchDir;
using testing::TestChart;
using testing::writeBytes;

SegmentedStar star(double raDeg, double decDeg, int16_t magnitude, uint32_t identifier = 0, uint8_t colour = 0) {
  return {identifier, magnitude, raDeg * kDeg, decDeg * kDeg, colour};
}

StarSegment segment(double ra1, double ra2, double dec1, double dec2, std::vector<SegmentedStar> stars) {
  return {ra1 * kDeg, ra2 * kDeg, dec1 * kDeg, dec2 * kDeg, std::move(stars)};
}

// A catalog reading into a star buffer from a scratch program directory,
// drawn on a 1 degree chart at the given centre.
template <typename Catalog>
class LargeCatalogTest : public ::testing::Test {
 protected:
  LargeCatalogTest(double raDeg, double decDeg) : chart(raDeg, decDeg, 60) {
    std::filesystem::create_directories(dir.path() / "data");
    catalog.setDataDirectory(dir.path().string());
  }
  // The stars of the chart at the limit.
  std::vector<std::string> drawn(int32_t limit = 2000) {
    chart.draw(catalog, limit);
    return testing::starsOf(catalog);
  }

  ScratchDir dir;
  StarBuffer buffer;
  Catalog catalog{buffer};
  TestChart chart;
};

class StarDataSegmentedTest : public LargeCatalogTest<StarDataSegmented> {
 protected:
  StarDataSegmentedTest() : LargeCatalogTest(0, 0) {}
  std::string base() const { return dir.file("data/deep"); }
  void write(const std::vector<StarSegment>& segments, const std::string& header = "") {
    writeBytes(base() + ".hdr", header.empty() ? segmentedHeaderText(segments.size()) : header);
    writeBytes(base() + "_idx.dat", segmentIndexBytes(segments));
    for (size_t i = 0; i < segments.size(); ++i) {
      writeBytes(StarDataSegmented::segmentPath(base(), static_cast<int>(i)), segmentBytes(segments[i].stars));
    }
  }
  int open() { return catalog.open("data/deep.hdr"); }
};

TEST_F(StarDataSegmentedTest, HeaderAndIndex) {
  EXPECT_EQ(open(), 4);
  write({segment(10, 20, -5, 5, {})}, "# deep stars\nx\ntype = s2\nsegments=2000\n");
  ASSERT_EQ(open(), 0);
  EXPECT_EQ(catalog.segmentCount(), StarDataSegmented::kMaxSegments);
  // The index holds one segment's bounds, not a thousand: none are read.
  EXPECT_EQ(catalog.bounds(0).ra2, 0);
  write({segment(10, 20, -5, 5, {}), segment(20, 30, 5, 15, {})});
  ASSERT_EQ(open(), 0);
  ASSERT_EQ(catalog.segmentCount(), 2);
  const auto& b = catalog.bounds(1);
  EXPECT_EQ(std::tuple(b.ra1, b.ra2, b.dec1, b.dec2), std::tuple(20 * kDeg, 30 * kDeg, 5 * kDeg, 15 * kDeg));
  std::filesystem::remove(base() + "_idx.dat");
  ASSERT_EQ(open(), 0);  // a missing index leaves the bounds at 0
  EXPECT_EQ(catalog.bounds(1).dec2, 0);
  // Bounds beyond the sky are not taken; the sound segment's are.
  write({segment(10, 20, -5, 5, {}), segment(20, 3e70, 5, 15, {})});
  ASSERT_EQ(open(), 0);
  EXPECT_DOUBLE_EQ(catalog.bounds(0).ra2, 20 * kDeg);
  EXPECT_EQ(catalog.bounds(1).ra2, 0);
}

TEST_F(StarDataSegmentedTest, ASegmentFileHoldsOnlyItsWholeStars) {
  const std::vector<SegmentedStar> two = {star(0.1, 0.1, 500), star(0.2, 0.2, 600)};
  write({segment(-10, 10, -10, 10, two)});
  const std::string path = StarDataSegmented::segmentPath(base(), 0);
  ASSERT_EQ(open(), 0);
  chart.aim(0, 0, 600);
  EXPECT_EQ(drawn().size(), 2u);
  writeBytes(path, segmentBytes(two) + std::string(22, '\x7f'));  // 68 bytes: still two stars
  ASSERT_EQ(open(), 0);
  ASSERT_EQ(drawn().size(), 2u);
  EXPECT_EQ(buffer.magnitude(1), 600);
  writeBytes(path, std::string(22, '\0'));  // less than one star
  ASSERT_EQ(open(), 0);
  EXPECT_TRUE(drawn().empty());
}

TEST_F(StarDataSegmentedTest, ASegmentIsReadOnceForManyDrawingsAndFreedWhenLongOffTheChart) {
  write({segment(-10, 10, -10, 10, {star(0, 0, 500)}), segment(170, 190, -10, 10, {star(180, 0, 500)})});
  ASSERT_EQ(open(), 0);
  chart.aim(0, 0, 120);
  for (int i = 0; i < 5; ++i) chart.draw(catalog);
  EXPECT_EQ(std::pair(catalog.segmentReads(), catalog.starCount()), std::pair(1, 1));
  chart.aim(180, 0, 120);
  for (int away = 0; away < StarDataSegmented::kKeptDrawings; ++away) chart.draw(catalog);
  EXPECT_EQ(std::pair(catalog.isLoaded(0), catalog.loadedCount()), std::pair(false, 1));
  chart.aim(0, 0, 120);
  chart.draw(catalog);
  EXPECT_EQ(catalog.segmentReads(), 3);
}

TEST_F(StarDataSegmentedTest, SegmentsWithin60ArcminutesOfTheChartAreRead) {
  // A 2 degree chart reaches 1 degree from its centre; segments beginning
  // 1.9 and 2.1 degrees away lie inside and outside the 60' margin.
  write({segment(1.9, 5, -1, 1, {star(3, 0, 500)}), segment(-5, -2.1, -1, 1, {star(-3, 0, 500)})});
  ASSERT_EQ(open(), 0);
  chart.aim(0, 0, 120);
  EXPECT_TRUE(drawn().empty());  // the near segment's star is off the chart
  EXPECT_EQ(std::pair(catalog.isLoaded(0), catalog.isLoaded(1)), std::pair(true, false));
}

// Near the pole a segment's corners can all lie beyond one side of the
// chart while its edge of constant declination curves through it.
TEST_F(StarDataSegmentedTest, APolarSegmentIsReadWhereItsCurvedEdgeCrossesTheChart) {
  write({segment(0, 120, 80, 90, {star(60, 80.2, 500)})});
  ASSERT_EQ(open(), 0);
  chart.aim(60, 79.6, 120);  // the edge at declination 80 passes 0.4 degrees above the centre
  EXPECT_EQ(drawn().size(), 1u);
}

TEST_F(StarDataSegmentedTest, StarsAreDrawnByBandsInColourAndWithIndicesOnTheScreen) {
  const uint32_t tycho = static_cast<uint32_t>(starid::packTycho(4774, 933, 1));
  write({segment(-10, 10, -10, 10,
                 {star(0.1, 0, 720, 0, 5), star(0.2, 0, 150, tycho, 6), star(0.3, 0, 1200), star(0.4, 0, 690, 0, 4)})});
  ASSERT_EQ(open(), 0);
  chart.aim(0, 0, 120);
  testing::StarListOutput screen(false, true);
  screen.begin("", {}, chart.area);
  screen.loadStarSizes(1200, 9, 1);
  chart.settings.starColouring = 1;
  chart.settings.colourLimitHundredths = 700;
  catalog.draw(screen, chart.transformer, chart.settings, chart.area, 1100, false);
  ASSERT_EQ(screen.stars.size(), 3u);  // 12.00 is fainter than the limit
  // Band 2 (1.50), band 7 (6.90), band 8 (7.20), the last beyond the colour limit.
  const auto& s = screen.stars;
  EXPECT_EQ(std::tuple(s[0].kind, s[0].colour, s[0].diameter),
            std::tuple("colouredIndexed", 6, screen.starDiameter(magnitudeClass(200))));
  EXPECT_EQ(std::tuple(s[1].colour, s[1].diameter), std::tuple(4, screen.starDiameter(magnitudeClass(700))));
  EXPECT_EQ(s[2].kind, "indexed");
  EXPECT_EQ(screen.count["selectBrush2"], 1);
  // The indices are the buffer's: they find the stars' positions and names.
  StarPosition p;
  ASSERT_TRUE(catalog.getPosition(screen.stars[2].index, p));
  EXPECT_DOUBLE_EQ(p.raRad, 0.1 * kDeg);
  EXPECT_FALSE(catalog.getPosition(3, p));
  EXPECT_EQ(testing::designationOf(catalog, screen.stars[0].index), "Tycho 4774-933-1 [150]");
  EXPECT_EQ(testing::catalogNumbersOf(catalog, screen.stars[0].index),
            (std::array<int32_t, 5>{kIdentifierTycho, 4774, 933, 1, 0}));
}

TEST_F(StarDataSegmentedTest, AHipparcosCatalogNamesItsStarsByNumberOrByPosition) {
  // Vega, and a star without a number south of the equator.
  const std::vector<StarSegment> segments = {
      segment(270, 290, -45, 45, {star(279.2347, 38.7837, 3, 91262), star(279.2347, -38.7837, 1012)})};
  write(segments, segmentedHeaderText(1, true));
  ASSERT_EQ(open(), 0);
  chart.aim(279.2347, 0, 6000);
  ASSERT_EQ(drawn().size(), 2u);
  EXPECT_EQ(testing::designationOf(catalog, 0), "HIP 91262 [3]");
  EXPECT_EQ(testing::designationOf(catalog, 1), "J183656.3-384701 [1012]");  // 18h36m56.33s, 38 47' 01.3"
  EXPECT_EQ(testing::catalogNumbersOf(catalog, 0), (std::array<int32_t, 5>{kIdentifierHipparcos, 91262, 0, 0, 0}));
  EXPECT_EQ(testing::catalogNumbersOf(catalog, 1)[0], -1);
}

TEST(StarBuffer, BandsAreWholeMagnitudesRoundedUpInTheOrderAdded) {
  StarBuffer buffer;
  for (int16_t m : {650, 0, -146, 601, 700, 701, 2500, 600}) buffer.add(0, 0, m, 0, 0, 0, 0);
  buffer.buildBands();
  auto band = [&](int b) {
    std::vector<int> members;
    for (int i = buffer.bandHead(b); i >= 0; i = buffer.next(i)) members.push_back(i);
    return members;
  };
  // -1.46 with the brightest, 6.01 to 7.00 in the order added, everything from 18.01 on in band 19.
  const std::pair<int, std::vector<int>> bands[] = {{0, {1, 2}}, {1, {}}, {6, {7}}, {7, {0, 3, 4}}, {8, {5}}, {19, {6}}};
  for (const auto& [b, members] : bands) EXPECT_EQ(band(b), members) << b;
  buffer.add(0, 0, 100, 0, 0, 0, 0);
  EXPECT_FALSE(buffer.bandsBuilt());  // a star added since needs new bands
  buffer.reset();
  EXPECT_EQ(buffer.bandHead(7), -1);
}

// Regions 1 and 2 (zone N0000) centred on the chart at 10h 3d, region 3 ten
// degrees away; their values are 1/100000 degree above (9, 2).
class StarDataGscTest : public LargeCatalogTest<StarDataGsc> {
 protected:
  StarDataGscTest() : LargeCatalogTest(10, 3) {
    std::filesystem::create_directories(dir.path() / "gsc" / "N0000");
    writeBytes(dir.file("data/gsc.dat"), gscRegionTable({{10, 3}, {10.2, 3}, {20, 3}}));
    header(dir.file("gsc"));
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
};

TEST_F(StarDataGscTest, RegionFilesInTheirPublishedForm) {
  region(1, 4,
         {gscRecord(100000, 100000, 850), gscRecord(100100, 100000, 900, 0x10),  // not a star
          gscRecord(100200, 100000, 0),                                           // no magnitude
          gscRecord(110000, 105000, 1210)});
  ASSERT_EQ(open(), 0);
  EXPECT_FALSE(catalog.isPacked());
  EXPECT_EQ(drawn(), (std::vector<std::string>{"[850] 10.0000 3.0000", "[1210] 10.1000 3.0500"}));
  EXPECT_EQ(drawn(1000).size(), 1u);  // 12.10 is fainter than the limit
  EXPECT_EQ(testing::catalogNumbersOf(catalog, 0)[0], -1);
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
  // Region 1's two stars, then region 2's one record inside the file: the second again.
  EXPECT_EQ(drawn(),
            (std::vector<std::string>{"[850] 10.0000 3.0000", "[1000] 10.2000 2.9500", "[1000] 10.2000 2.9500"}));
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
  EXPECT_EQ((std::tuple{gsc::headerLength("512"), gsc::headerLength("511")}), (std::tuple{0, 511}));
  // Right ascensions wrap into 0..360; magnitudes are at least 0.
  gsc::Star star;
  ASSERT_TRUE(gsc::decodeRegionRecord(reinterpret_cast<const uint8_t*>(gscRecord(200000, 0, 1).data()), s, star));
  EXPECT_NEAR(star.raDeg, 0.5, 1e-9);
  EXPECT_EQ(star.magHundredths, 51);
  s.magOffset = -5;
  ASSERT_TRUE(gsc::decodeRegionRecord(reinterpret_cast<const uint8_t*>(gscRecord(0, 0, 1).data()), s, star));
  EXPECT_EQ(star.magHundredths, 0);
}

constexpr int kZone = 12;  // declinations 0 to 7.5 degrees: zone0900.cat

// Cells 0 and 1 of zone 12 (right ascensions 0 to 3.75 and 3.75 to 7.5
// degrees); a 1 degree chart at 5h 3d with its 60' margin reaches both.
class StarDataUSNOTest : public LargeCatalogTest<StarDataUSNO> {
 protected:
  StarDataUSNOTest() : LargeCatalogTest(5, 3) {
    std::filesystem::create_directories(dir.path() / "usno");
    writeBytes(dir.file("data/usnoa2.hdr"), "type = s_usnoa\nusnodir = " + dir.file("usno") + "\n");
  }
  // The zone file, and an index ending cells 0 and 1 of the zone at these records.
  void zone(const std::string& records, uint32_t end0, uint32_t end1) {
    writeBytes(dir.file("usno/zone0900.cat"), records);
    cellEnds(end0, end1);
  }
  void cellEnds(uint32_t end0, uint32_t end1) {
    std::vector<uint32_t> counts(kZone * 96 + 2, 0);
    counts[kZone * 96] = end0, counts[kZone * 96 + 1] = end1 - end0;  // wraps for ends running backwards
    writeBytes(dir.file("data/usnoa2.dat"), usnoCellIndex(counts));
  }
  int open() { return catalog.open("data/usnoa2.hdr"); }
};

TEST_F(StarDataUSNOTest, BigEndianRecordsAndSkippedMagnitudes) {
  zone(usnoRecord(1, 3, 1100120) +                                        // cell 0, off the chart
           usnoRecord(5, 3, 1100125) + usnoRecord(5.1, 3, -1000000001) +  // skipped
           usnoRecord(5.2, 3, 1) +                                        // skipped
           usnoRecord(5.3, 3.1, -80095),                                  // sign ignored
       1, 5);
  ASSERT_EQ(open(), 0);
  EXPECT_EQ(drawn(), (std::vector<std::string>{"[1250] 5.0000 3.0000", "[950] 5.3000 3.1000"}));
  EXPECT_EQ(drawn(1000), (std::vector<std::string>{"[950] 5.3000 3.1000"}));
}

TEST_F(StarDataUSNOTest, AZoneFileShorterThanItsIndexGivesItsWholeRecords) {
  const std::string records = usnoRecord(1, 3, 100) + usnoRecord(5, 3, 110) + usnoRecord(5.1, 3, 120);
  zone(records + usnoRecord(5.2, 3, 130).substr(0, 11), 1, 6);
  ASSERT_EQ(open(), 0);
  // Cell ends running backwards, or far past the file, read nothing wrong
  // and nothing past the end; nor does an index cut short.
  EXPECT_EQ(drawn(), (std::vector<std::string>{"[1100] 5.0000 3.0000", "[1200] 5.1000 3.0000"}));
  cellEnds(2, 1);
  ASSERT_EQ(open(), 0);
  EXPECT_EQ(drawn(), (std::vector<std::string>{"[1100] 5.0000 3.0000"}));  // cell 0 holds records 0 and 1, cell 1 none
  cellEnds(1, 0xFFFFFFFF);
  ASSERT_EQ(open(), 0);
  EXPECT_EQ(drawn(), (std::vector<std::string>{"[1100] 5.0000 3.0000", "[1200] 5.1000 3.0000"}));
  cellEnds(1, 3);
  const std::string index = testing::readBytes(dir.file("data/usnoa2.dat"));
  writeBytes(dir.file("data/usnoa2.dat"), index.substr(0, 4 * (kZone * 96 + 1) + 2));
  ASSERT_EQ(open(), 0);
  EXPECT_TRUE(drawn().empty());  // cell 0 has no star on the chart; cell 1 lies past the index
}

TEST_F(StarDataUSNOTest, AMissingOrEmptyCellIndex) {
  zone(usnoRecord(5, 3, 110), 0, 1);
  std::filesystem::remove(dir.file("data/usnoa2.dat"));
  EXPECT_EQ(open(), 4);
  writeBytes(dir.file("data/usnoa2.dat"), "");
  ASSERT_EQ(open(), 0);  // an empty index: every cell is empty
  EXPECT_TRUE(drawn().empty());
}

}  // namespace
}  // namespace celvaro
