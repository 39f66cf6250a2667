// The sky catalogs: registering star catalogs and choosing among them by
// field and limit, the catalog file types, the sky regions a chart walks, and
// the main star catalog in zones of one magnitude.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <numbers>
#include <tuple>

#include "catalog/catalog_file_type.h"
#include "catalog/large_star_catalogs.h"
#include "catalog/sky_catalogs.h"
#include "catalog/sky_regions.h"
#include "catalog/star_data_simple.h"
#include "catalog_writers.h"
#include "model/chart_settings.h"
#include "output/counting_output.h"
#include "output/output_area.h"
#include "platform/binary_file.h"
#include "projection/transformer_orthographic.h"
#include "render/magnitude_limits.h"
#include "segmented_catalog_writer.h"
#include "test_charts.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::ScratchDir;
using testing::writeBytes;

class SkyCatalogsTest : public ::testing::Test {
 protected:
  SkyCatalogsTest() : catalogs(dir.path().string()) {
    std::filesystem::create_directories(dir.path() / "data");
    writeBytes(dir.file("data/stars.dat"), starCatalogBytes(zonedStarCatalog({{1, 100, 0.1, 0.1, 0}}, {600})));
  }
  ScratchDir dir;
  SkyCatalogs catalogs;
};

TEST_F(SkyCatalogsTest, RegistrationResults) {
  EXPECT_EQ(catalogs.registerStarCatalog(5, 3, "data/stars.dat", "Five", 0, 0), 3);
  EXPECT_EQ(catalogs.slotsInUse(), 0);
  EXPECT_EQ(catalogs.registerStarCatalog(0, 3, "data/none.dat", "None", 0, 0), 4);
  writeBytes(dir.file("data/other.dat"), "type = s_usnosa\n");
  EXPECT_EQ(catalogs.registerStarCatalog(0, 3, "data/other.dat", "Other", 0, 0), 1);
  EXPECT_EQ((std::tuple{catalogs.currentStarCatalog(), catalogs.currentDisplayName()}), (std::tuple{nullptr, ""}));
  EXPECT_EQ(catalogs.registerStarCatalog(0, 3, "data/stars.dat", "Hipparcos", 0, 0), 0);
  EXPECT_EQ(catalogs.currentStarCatalog()->starCount(), 1);
}

TEST_F(SkyCatalogsTest, TheDeepestSlotTheViewAdmitsIsChosen) {
  catalogs.selectStarCatalog(900, 3600);
  EXPECT_EQ(catalogs.currentSlot(), 0);
  catalogs.registerStarCatalog(0, 3, "data/stars.dat", "A", 0, 0);
  catalogs.selectStarCatalog(2000, 1);
  EXPECT_EQ(catalogs.currentSlot(), 0);  // one slot in use: always slot 0
  catalogs.registerStarCatalog(1, 0, "data/stars.dat", "B", 800, 600);
  catalogs.registerStarCatalog(2, 0, "data/stars.dat", "C", 1100, 120);
  // Slot 2's minimum 1100 is not below 900; at 700' slot 1's field is too narrow.
  for (auto [limit, field, slot] : {std::tuple{900, 300, 1}, {1200, 100, 2}, {1200, 700, 0}}) {
    catalogs.selectStarCatalog(limit, field);
    EXPECT_EQ(catalogs.currentSlot(), slot) << limit << " " << field;
  }
  EXPECT_EQ(catalogs.currentDisplayName(), "A");
}

// Zooming in switches to the deeper catalogs and zooming out back.
TEST_F(SkyCatalogsTest, LargeCatalogsTakeTheNextFreeSlots) {
  catalogs.registerStarCatalog(0, 3, "data/stars.dat", "Hipparcos", 0, 0);
  EXPECT_EQ(registerLargeStarCatalogs(catalogs), 0);  // no headers
  writeBytes(dir.file("data/stars_deep.hdr"), segmentedHeaderText(0));
  writeBytes(dir.file("data/usnoa2.hdr"), "type = s_usnoa\n");
  std::filesystem::create_directories(dir.path() / "data" / "usnoa2");
  writeBytes(dir.file("data/usnoa2.dat"), "");
  EXPECT_EQ(registerLargeStarCatalogs(catalogs), 2);  // no GSC: USNO-A2.0 follows in slot 2
  EXPECT_EQ(catalogs.slotsInUse(), 3);
  for (auto [field, slot] : {std::pair{600, 0}, {120, 1}, {30, 2}, {3600, 0}, {120, 1}}) {
    catalogs.selectStarCatalog(automaticStarLimit(field), field);
    EXPECT_EQ(catalogs.currentSlot(), slot) << field;
  }
  EXPECT_EQ(catalogs.currentIdentifierKind(), kIdentifierHipparcos);  // the deep stars
}

std::string magic(const char* name, uint32_t version) {
  std::string bytes(name, 8);
  appendU32(bytes, version);
  appendU32(bytes, 0);
  return bytes;
}

TEST(CatalogFileType, BinaryMagicsAndTextHeaders) {
  const std::pair<std::string, int> files[] = {
      {magic("CLV_STD1", 77), kFileStarsSimple}, {magic("CLV_GCVS", 3), kFileVariablesV3},
      {magic("CLV_GCVS", 4), kFileVariablesV4}, {magic("CLV_GCVS", 5), kFileVariablesV5},
      {magic("CLV_WDSC", 4), kFileDoublesV4}, {magic("CLV_DSCN", 3), kFileDeepskyV3},
      {magic("CLV_DSCN", 6), kFileUnknown},  // unlisted version, binary text
      {"# a comment\ntype = s_gsc\r\n", kFileStarsGsc}, {"type = s_gscx\n", kFileUnknown},
      {"  type = s_gsc\n", kFileUnknown},  // skipped like a comment; nothing follows
      {"  type = s_gsc\ntype=s2\n", kFileStarsSegmented}, {"type\t==\ts_usnoa", kFileStarsUsnoA},
      {"type s1\n", kFileStarsSimple}, {"type = s_usnosa\n", kFileStarsUsnoSa}, {"kind = s1\n", kFileUnknown},
      {"", kFileUnknown},
  };
  testing::ScratchDir dir;
  for (const auto& [bytes, type] : files) {
    testing::writeBytes(dir.file("f"), bytes);
    EXPECT_EQ(detectCatalogFileType(dir.file("f")), type) << bytes;
  }
  EXPECT_EQ(detectCatalogFileType(dir.file("missing")), kFileCannotOpen);
}

constexpr double kDeg = std::numbers::pi / 180;

SkyRegion box(double ra1, double ra2, double dec1, double dec2) {
  return {0, 0, ra1 * kDeg, ra2 * kDeg, dec1 * kDeg, dec2 * kDeg};
}

// A chart centred on right ascension 0, declination 0.
std::vector<bool> visibleOnChart(const std::vector<SkyRegion>& regions, int fieldArcmin) {
  testing::TestChart chart(0, 0, fieldArcmin);
  return visibleRegions(regions, chart.area, chart.transformer);
}

TEST(SkyRegions, OnlyRegionsThatMayReachTheChartAreWalked) {
  const std::vector<SkyRegion> regions = {
      box(-10, 10, -10, 10),   // holds the centre
      box(20, 40, -10, 10),    // beside a narrow chart, in front
      box(150, 210, -10, 10),  // on the far side of the sky
      box(60, 120, -30, 0),    // reaches from behind round to 60 degrees away
  };
  EXPECT_EQ(visibleOnChart(regions, 120), (std::vector<bool>{true, false, false, false}));
  // On a whole-sky chart the region reaching round from behind is on it.
  EXPECT_EQ(visibleOnChart(regions, 10800), (std::vector<bool>{true, true, false, true}));
}

TEST(SkyRegions, BoundsBeyondTheSkyMakeTheRegionsUnusable) {
  // Such bounds, read from a damaged deep-sky file, had the visibility test
  // sample a border some 10^69 steps long.
  for (const SkyRegion& bad : {box(0, 1e71, 0, 10), box(0, 10, -91, 0), box(20, 10, 0, 10), box(0, 10, 10, 0),
                               box(-10, 360, 0, 10), box(-400, -380, 0, 10), SkyRegion{0, 0, 0, std::nan(""), 0, 0.1}}) {
    EXPECT_FALSE(regionBoundsSound(bad));
    uint8_t bytes[kRegionRecordBytes] = {};
    std::memcpy(bytes + 8, &bad.ra1, 8), std::memcpy(bytes + 16, &bad.ra2, 8);
    std::memcpy(bytes + 24, &bad.dec1, 8), std::memcpy(bytes + 32, &bad.dec2, 8);
    std::vector<SkyRegion> regions;
    EXPECT_FALSE(decodeRegions(bytes, 1, 1, regions));
  }
  EXPECT_TRUE(regionBoundsSound(box(0, 360, -90, 90)));
  EXPECT_TRUE(regionBoundsSound(box(10, 10, 0, 0)));
  EXPECT_TRUE(regionBoundsSound(box(-10, 10, -5, 5)));  // across right ascension 0
}

using testing::CountingOutput;

// A star near the chart centre (ra 0, dec 0) so that it is visible.
CatalogStar starAt(int32_t hip, int16_t magnitude, uint8_t colour = 0) {
  return {hip, magnitude, 0.001 * (hip % 100), 0.001 * (hip % 77), colour};
}

class StarDataSimpleTest : public ::testing::Test {
 protected:
  StarDataSimpleTest() { catalog.setDataDirectory(dir.path().string()); }
  int load(const std::string& bytes) {
    writeBytes(dir.file("stars.dat"), bytes);
    return catalog.open("stars.dat");
  }
  void draw(int32_t limit, bool indices = false) {
    catalog.draw(output, chart.transformer, settings, chart.area, limit, indices);
  }

  ScratchDir dir;
  StarDataSimple catalog;
  testing::TestChart chart{0, 0, 10800};
  ChartSettings& settings = chart.settings;
  CountingOutput& output = chart.output;
};

TEST_F(StarDataSimpleTest, DamagedFilesLoadEmpty) {
  const std::string good = starCatalogBytes({{{600, 0, 2}}, {starAt(1, 500), starAt(2, 550)}});
  ASSERT_EQ(load(good), 0);
  EXPECT_EQ(catalog.starCount(), 2);
  auto withCounts = [&](int32_t zones, int32_t stars) {
    return testing::patched(testing::patched(good, 12, zones), 16, stars);
  };
  const std::string damaged[] = {
      withCounts(0, 1), withCounts(76, 1), withCounts(1, 0), withCounts(1, 1000001),
      good.substr(0, good.size() - 1),  // one colour byte short
      starCatalogBytes({{{600, 1, 2}}, {starAt(1, 500), starAt(2, 550)}}),
      starCatalogBytes({{{600, -1, 1}}, {starAt(1, 500)}}), "CLV_STD2",
  };
  for (const std::string& bytes : damaged) {
    EXPECT_EQ(load(bytes), 0);
    EXPECT_EQ(std::pair(catalog.starCount(), catalog.zoneCount()), std::pair(0, 0)) << &bytes - damaged;
  }
  draw(2000);  // an empty catalog draws nothing
  EXPECT_TRUE(output.count.empty());
  EXPECT_EQ(catalog.open("missing.dat"), 4);
}

TEST_F(StarDataSimpleTest, ZeroDiametersDrawAtTenColourZonesUseTheStarsClassAndVectorsTheZones) {
  load(starCatalogBytes(zonedStarCatalog({starAt(1, 100, 6), starAt(2, 900, 3)}, {200, 1000})));
  draw(2000);  // the output's size table is all zeros
  EXPECT_EQ(std::tuple(output.lastDiameter, output.lastRadius), std::tuple(10, 5));
  output.loadStarSizes(1000, 8, 2);
  settings.starColouring = 1;
  settings.colourLimitHundredths = 500;
  output.count.clear();
  draw(2000, true);
  EXPECT_EQ(std::tuple(output.count["colouredIndexed"], output.lastColour), std::tuple(1, 6));
  EXPECT_EQ(output.count["indexed"], 1);
  EXPECT_EQ(output.count["selectBrush2"], 1);  // back to the plain fill after the coloured zone
  EXPECT_EQ(output.lastIndex, 1);
  EXPECT_EQ(output.lastDiameter, output.starDiameter(20));  // drawn at the zone's 10.00
  CountingOutput pdf(true);
  pdf.begin("", {}, chart.area);
  catalog.draw(pdf, chart.transformer, settings, chart.area, 2000, false);
  EXPECT_EQ(std::pair(pdf.lastDiameter, pdf.lastRadius), std::pair(20, 0));  // the class of the zone's 10.00
}

TEST_F(StarDataSimpleTest, DesignationsAreAppendedWithTheMagnitude) {
  load(starCatalogBytes(zonedStarCatalog({starAt(32349, -146), starAt(7, 500)}, {0, 600})));
  std::string designation = "> ";
  EXPECT_TRUE(catalog.getDesignation(0, designation));
  EXPECT_EQ(designation, "> HIP 32349 [-146]");
  StarPosition position;
  EXPECT_FALSE(catalog.getPosition(2, position));
}

}  // namespace
}  // namespace celvaro
