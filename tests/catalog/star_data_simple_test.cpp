#include "catalog/star_data_simple.h"

#include <gtest/gtest.h>

#include "catalog_writers.h"
#include "model/chart_settings.h"
#include "output/counting_output.h"
#include "output/output_area.h"
#include "projection/transformer_orthographic.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::CountingOutput;
using testing::ScratchDir;
using testing::writeBytes;

// An orthographic projection that writes down its batches.
class CountingTransformer : public TransformerWithLaw<OrthographicLaw> {
 public:
  void projectManyVectors(const double* ux, const double* uy, const double* uz, int first, int count,
                          int32_t* x, int32_t* y, double* depth) override {
    batches.push_back(count);
    TransformerWithLaw::projectManyVectors(ux, uy, uz, first, count, x, y, depth);
    lastDepth = depth[count - 1];
  }
  double visibilityLimit() const override { return limit; }
  std::vector<int> batches;
  double lastDepth = 0;
  double limit = 0;
};

// A star near the chart centre (ra 0, dec 0) so that it is visible.
CatalogStar starAt(int32_t hip, int16_t magnitude, uint8_t colour = 0) {
  return {hip, magnitude, 0.001 * (hip % 100), 0.001 * (hip % 77), colour};
}

class StarDataSimpleTest : public ::testing::Test {
 protected:
  StarDataSimpleTest() {
    catalog.setDataDirectory(dir.path().string());
    transformer.setScale(500, 5400);
    area.width = area.height = 1000;
    transformer.setup(area, settings);
    output.begin("", {}, area);
  }
  int load(const std::string& bytes) {
    writeBytes(dir.file("stars.dat"), bytes);
    return catalog.open("stars.dat");
  }
  void draw(int32_t limit, bool indices = false) {
    catalog.draw(output, transformer, settings, area, limit, indices);
  }

  ScratchDir dir;
  StarDataSimple catalog;
  CountingTransformer transformer;
  ChartSettings settings;
  OutputArea area;
  CountingOutput output;
};

TEST_F(StarDataSimpleTest, HeaderBoundsGiveAnEmptyCatalog) {
  StarCatalogContents good{{{600, 0, 1}}, {starAt(1, 500)}};
  EXPECT_EQ(load(starCatalogBytes(good)), 0);
  EXPECT_EQ(catalog.starCount(), 1);
  auto withCounts = [&](uint32_t zones, uint32_t stars) {
    std::string bytes = starCatalogBytes(good);
    bytes.replace(12, 4, std::string(reinterpret_cast<char*>(&zones), 4));
    bytes.replace(16, 4, std::string(reinterpret_cast<char*>(&stars), 4));
    return bytes;
  };
  for (auto [zones, stars] : {std::pair{0u, 1u}, {76u, 1u}, {1u, 0u}, {1u, 1000001u}}) {
    EXPECT_EQ(load(withCounts(zones, stars)), 0);
    EXPECT_EQ(catalog.starCount(), 0) << zones << " " << stars;
    EXPECT_EQ(catalog.zoneCount(), 0);
  }
  EXPECT_EQ(catalog.open("missing.dat"), 4);
}

TEST_F(StarDataSimpleTest, TruncatedOrLyingFilesLoadEmpty) {
  const std::string bytes = starCatalogBytes({{{600, 0, 2}}, {starAt(1, 500), starAt(2, 550)}});
  EXPECT_EQ(load(bytes.substr(0, bytes.size() - 1)), 0);  // one colour byte short
  EXPECT_EQ(catalog.starCount(), 0);
  EXPECT_EQ(load(starCatalogBytes({{{600, 1, 2}}, {starAt(1, 500), starAt(2, 550)}})), 0);  // zone past the stars
  EXPECT_EQ(catalog.starCount(), 0);
  EXPECT_EQ(load(starCatalogBytes({{{600, -1, 1}}, {starAt(1, 500)}})), 0);
  EXPECT_EQ(catalog.starCount(), 0);
  EXPECT_EQ(load("CLV_STD2"), 0);
  EXPECT_EQ(catalog.starCount(), 0);
  draw(2000);  // an empty catalog draws nothing
  EXPECT_TRUE(output.count.empty());
}

TEST_F(StarDataSimpleTest, ZonesAreProjectedInBatchesAndStopAtTheLimit) {
  std::vector<CatalogStar> stars;
  for (int i = 0; i < 25000; ++i) stars.push_back(starAt(i, 600));
  stars.push_back(starAt(99, 651));
  load(starCatalogBytes({{{600, 0, 25000}, {651, 25000, 1}}, stars}));
  draw(650);
  EXPECT_EQ(transformer.batches, (std::vector<int>{10000, 10000, 5000}));
  EXPECT_EQ(output.count["plain"], 25000);
  transformer.batches.clear();
  draw(651);
  EXPECT_EQ(transformer.batches.size(), 4u);
}

TEST_F(StarDataSimpleTest, ZeroDiametersDrawAtTenAndColourZonesUseTheStarsClass) {
  load(starCatalogBytes(zonedStarCatalog({starAt(1, 100, 6), starAt(2, 900, 3)}, {200, 1000})));
  draw(2000);  // the output's size table is all zeros
  EXPECT_EQ(output.lastDiameter, 10);
  EXPECT_EQ(output.lastRadius, 5);
  output.loadStarSizes(1000, 8, 2);
  settings.starColouring = 1;
  settings.colourLimitHundredths = 500;
  output.count.clear();
  draw(2000, true);
  EXPECT_EQ(output.count["colouredIndexed"], 1);
  EXPECT_EQ(output.lastColour, 6);
  EXPECT_EQ(output.count["indexed"], 1);
  EXPECT_EQ(output.count["selectBrush2"], 1);  // back to the plain fill after the coloured zone
  EXPECT_EQ(output.lastIndex, 1);
  EXPECT_EQ(output.lastDiameter, output.starDiameter(20));  // drawn at the zone's 10.00
}

TEST_F(StarDataSimpleTest, VectorOutputsGetTheMagnitudeClass) {
  CountingOutput pdf(true);
  pdf.begin("", {}, area);
  load(starCatalogBytes(zonedStarCatalog({starAt(1, 320)}, {400})));
  catalog.draw(pdf, transformer, settings, area, 1150, false);
  EXPECT_EQ(pdf.lastDiameter, 8);  // the zone magnitude 4.00 is class 8
  EXPECT_EQ(pdf.lastRadius, 0);
}

TEST_F(StarDataSimpleTest, AStarExactlyAtTheVisibilityLimitIsNotDrawn) {
  load(starCatalogBytes(zonedStarCatalog({starAt(1, 100)}, {200})));
  draw(2000);
  ASSERT_EQ(output.count["plain"], 1);
  transformer.limit = transformer.lastDepth;  // the star's own depth
  draw(2000);
  EXPECT_EQ(output.count["plain"], 1);
}

TEST_F(StarDataSimpleTest, Queries) {
  load(starCatalogBytes(zonedStarCatalog({starAt(32349, -146), starAt(7, 500)}, {0, 600})));
  std::string designation = "> ";
  EXPECT_TRUE(catalog.getDesignation(0, designation));
  EXPECT_EQ(designation, "> HIP 32349 [-146]");
  StarPosition position;
  EXPECT_TRUE(catalog.getPosition(1, position));
  EXPECT_EQ(position.index, 1);
  EXPECT_FALSE(catalog.getPosition(2, position));
  int kind = 0;
  int32_t n1 = 0, n2 = 0, n3 = 0, n4 = 0;
  EXPECT_FALSE(catalog.getCatalogNumbers(-1, kind, n1, n2, n3, n4));
  EXPECT_EQ(kind, kIdentifierHipparcos);
  EXPECT_TRUE(catalog.getCatalogNumbers(0, kind, n1, n2, n3, n4));
  EXPECT_EQ(n1, 32349);
}

}  // namespace
}  // namespace celvaro
