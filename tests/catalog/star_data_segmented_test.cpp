#include "catalog/star_data_segmented.h"

#include <gtest/gtest.h>

#include <tuple>

#include "catalog/star_id_format.h"
#include "large_star_files.h"
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

class StarDataSegmentedTest : public ::testing::Test {
 protected:
  StarDataSegmentedTest() {
    std::filesystem::create_directories(dir.path() / "data");
    catalog.setDataDirectory(dir.path().string());
  }
  std::string base() const { return dir.file("data/deep"); }
  void write(const std::vector<StarSegment>& segments, const std::string& header = "") {
    writeBytes(base() + ".hdr", header.empty() ? segmentedHeaderText(segments.size()) : header);
    writeBytes(base() + "_idx.dat", segmentIndexBytes(segments));
    for (size_t i = 0; i < segments.size(); ++i) {
      writeBytes(StarDataSegmented::segmentPath(base(), static_cast<int>(i)), segmentBytes(segments[i].stars));
    }
  }
  int open() { return catalog.open("data/deep.hdr"); }

  ScratchDir dir;
  StarBuffer buffer;
  StarDataSegmented catalog{buffer};
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
  ASSERT_EQ(testing::readBytes(path).size(), 46u);
  ASSERT_EQ(open(), 0);
  TestChart chart(0, 0, 600);
  chart.draw(catalog);
  EXPECT_EQ(catalog.starCount(), 2);
  writeBytes(path, segmentBytes(two) + std::string(22, '\x7f'));  // 68 bytes: still two stars
  ASSERT_EQ(open(), 0);
  chart.draw(catalog);
  ASSERT_EQ(catalog.starCount(), 2);
  EXPECT_EQ(buffer.magnitude(1), 600);
  writeBytes(path, std::string(22, '\0'));  // less than one star
  ASSERT_EQ(open(), 0);
  chart.draw(catalog);
  EXPECT_EQ(catalog.starCount(), 0);
}

TEST_F(StarDataSegmentedTest, SegmentFilesAreReadOnceAndKeptForFiveDrawings) {
  write({segment(-10, 10, -10, 10, {star(0, 0, 500)}), segment(170, 190, -10, 10, {star(180, 0, 500)})});
  ASSERT_EQ(open(), 0);
  TestChart chart(0, 0, 120);
  for (int i = 0; i < 5; ++i) chart.draw(catalog);
  EXPECT_EQ(catalog.segmentReads(), 1);  // opened once for five drawings on it
  EXPECT_EQ(catalog.starCount(), 1);
  chart.aim(180, 0, 120);
  for (int away = 1; away <= 4; ++away) chart.draw(catalog);
  EXPECT_EQ(catalog.segmentReads(), 2);
  EXPECT_TRUE(catalog.isLoaded(0));  // four drawings off the chart: still kept
  chart.aim(0, 0, 120);
  chart.draw(catalog);
  EXPECT_EQ(catalog.segmentReads(), 2);  // back on the fifth: not read again
  chart.aim(180, 0, 120);
  for (int away = 1; away <= 5; ++away) chart.draw(catalog);
  EXPECT_FALSE(catalog.isLoaded(0));  // freed on the fifth drawing off the chart
  EXPECT_EQ(catalog.loadedCount(), 1);
  chart.aim(0, 0, 120);
  chart.draw(catalog);
  EXPECT_EQ(catalog.segmentReads(), 3);
}

TEST_F(StarDataSegmentedTest, SegmentsWithin60ArcminutesOfTheChartAreRead) {
  // A 2 degree chart reaches 1 degree from its centre; segments beginning
  // 1.9 and 2.1 degrees away lie inside and outside the 60' margin.
  write({segment(1.9, 5, -1, 1, {star(3, 0, 500)}), segment(-5, -2.1, -1, 1, {star(-3, 0, 500)})});
  ASSERT_EQ(open(), 0);
  TestChart chart(0, 0, 120);
  chart.draw(catalog);
  EXPECT_TRUE(catalog.isLoaded(0));
  EXPECT_FALSE(catalog.isLoaded(1));
  EXPECT_EQ(catalog.starCount(), 0);  // its star is off the chart
}

// Near the pole a segment's corners can all lie beyond one side of the
// chart while its edge of constant declination curves through it.
TEST_F(StarDataSegmentedTest, APolarSegmentIsReadWhereItsCurvedEdgeCrossesTheChart) {
  write({segment(0, 120, 80, 90, {star(60, 80.2, 500)})});
  ASSERT_EQ(open(), 0);
  TestChart chart(60, 79.6, 120);  // the edge at declination 80 passes 0.4 degrees above the centre
  chart.draw(catalog);
  EXPECT_TRUE(catalog.isLoaded(0));
  EXPECT_EQ(catalog.starCount(), 1);
}

TEST_F(StarDataSegmentedTest, StarsAreDrawnByBandsInColourAndWithIndicesOnTheScreen) {
  const uint32_t tycho = static_cast<uint32_t>(starid::packTycho(4774, 933, 1));
  write({segment(-10, 10, -10, 10,
                 {star(0.1, 0, 720, 0, 5), star(0.2, 0, 150, tycho, 6), star(0.3, 0, 1200), star(0.4, 0, 690, 0, 4)})});
  ASSERT_EQ(open(), 0);
  TestChart chart(0, 0, 120);
  testing::StarListOutput screen(false, true);
  screen.begin("", {}, chart.area);
  screen.loadStarSizes(1200, 9, 1);
  chart.settings.starColouring = 1;
  chart.settings.colourLimitHundredths = 700;
  catalog.draw(screen, chart.transformer, chart.settings, chart.area, 1100, false);
  ASSERT_EQ(screen.stars.size(), 3u);  // 12.00 is fainter than the limit
  // Band 2 (1.50), band 7 (6.90), band 8 (7.20), the last beyond the colour limit.
  EXPECT_EQ(screen.stars[0].kind, "colouredIndexed");
  EXPECT_EQ(screen.stars[0].colour, 6);
  EXPECT_EQ(screen.stars[0].diameter, screen.starDiameter(magnitudeClass(200)));
  EXPECT_EQ(screen.stars[1].colour, 4);
  EXPECT_EQ(screen.stars[1].diameter, screen.starDiameter(magnitudeClass(700)));
  EXPECT_EQ(screen.stars[2].kind, "indexed");
  EXPECT_EQ(screen.count["selectBrush2"], 1);
  // The indices are the buffer's: they find the stars' positions and names.
  StarPosition p;
  ASSERT_TRUE(catalog.getPosition(screen.stars[2].index, p));
  EXPECT_DOUBLE_EQ(p.raRad, 0.1 * kDeg);
  std::string name;
  EXPECT_TRUE(catalog.getDesignation(screen.stars[0].index, name));
  EXPECT_EQ(name, "Tycho 4774-933-1 [150]");
  name.clear();
  EXPECT_TRUE(catalog.getDesignation(screen.stars[2].index, name));
  EXPECT_EQ(name, "J000024.0+000000 [720]");  // 0.1 degrees is 24 seconds of time
  int kind = 0;
  int32_t n1 = 0, n2 = 0, n3 = 0, n4 = -1;
  EXPECT_TRUE(catalog.getCatalogNumbers(screen.stars[0].index, kind, n1, n2, n3, n4));
  EXPECT_EQ(kind, kIdentifierTycho);
  EXPECT_EQ((std::vector<int32_t>{n1, n2, n3, n4}), (std::vector<int32_t>{4774, 933, 1, 0}));
  EXPECT_FALSE(catalog.getCatalogNumbers(screen.stars[1].index, kind, n1, n2, n3, n4));
  EXPECT_FALSE(catalog.getPosition(3, p));
}

TEST_F(StarDataSegmentedTest, VectorOutputsGetTheBandsMagnitudeClass) {
  write({segment(-10, 10, -10, 10, {star(0.1, 0, 320), star(0.2, 0, -146)})});
  ASSERT_EQ(open(), 0);
  TestChart chart(0, 0, 120);
  testing::StarListOutput pdf(true);
  pdf.begin("", {}, chart.area);
  catalog.draw(pdf, chart.transformer, chart.settings, chart.area, 1000, true);
  ASSERT_EQ(pdf.stars.size(), 2u);
  EXPECT_EQ(pdf.stars[0].diameter, magnitudeClass(0));  // -1.46 is drawn with the brightest
  EXPECT_EQ(pdf.stars[1].diameter, magnitudeClass(400));  // band 4
}

TEST_F(StarDataSegmentedTest, AHipparcosCatalogNamesItsStarsByNumberOrByPosition) {
  // Vega, and a star without a number south of the equator.
  const std::vector<StarSegment> segments = {
      segment(270, 290, -45, 45, {star(279.2347, 38.7837, 3, 91262), star(279.2347, -38.7837, 1012)})};
  write(segments, segmentedHeaderText(1, true));
  ASSERT_EQ(open(), 0);
  TestChart chart(279.2347, 0, 6000);
  chart.draw(catalog);
  ASSERT_EQ(catalog.starCount(), 2);
  std::string vega, other;
  EXPECT_TRUE(catalog.getDesignation(0, vega) && catalog.getDesignation(1, other));
  EXPECT_EQ(vega, "HIP 91262 [3]");
  EXPECT_EQ(other, "J183656.3-384701 [1012]");  // 18h36m56.33s, 38 47' 01.3"
  int kind = 0;
  int32_t n1 = 0, n2 = -1, n3 = -1, n4 = -1;
  EXPECT_TRUE(catalog.getCatalogNumbers(0, kind, n1, n2, n3, n4));
  EXPECT_EQ(kind, kIdentifierHipparcos);
  EXPECT_EQ((std::vector<int32_t>{n1, n2, n3, n4}), (std::vector<int32_t>{91262, 0, 0, 0}));
  EXPECT_FALSE(catalog.getCatalogNumbers(1, kind, n1, n2, n3, n4));
}

}  // namespace
}  // namespace celvaro
