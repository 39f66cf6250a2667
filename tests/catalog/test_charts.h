// What the catalog tests draw on: test charts, outputs that write down
// each star, marker, symbol and text drawn, and the stars a drawing read.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "astro/constellation_list.h"
#include "catalog/sky_regions.h"
#include "catalog/star_buffer.h"
#include "catalog/star_data.h"
#include "catalog_writers.h"
#include "large_catalog_writers.h"
#include "model/chart_settings.h"
#include "output/counting_output.h"
#include "output/output_area.h"
#include "platform/binary_file.h"
#include "projection/transformer_orthographic.h"
#include "test_files.h"

namespace celvaro::testing {

constexpr double kDeg = std::numbers::pi / 180;

// The number of the constellation of this Latin name or IAU abbreviation; -1 for none.
inline int constellationNumber(std::string_view nameOrAbbreviation) {
  for (int n = 0; n < kConstellationCount; ++n) {
    if (constellationName(n) == nameOrAbbreviation || constellationAbbreviation(n) == nameOrAbbreviation) return n;
  }
  return -1;
}

// A star's designation, and its kind of catalog number with the four
// numbers; kind -1 for a star without one.
inline std::string designationOf(const iStarData& stars, int index) {
  std::string name;
  EXPECT_TRUE(stars.getDesignation(index, name)) << index;
  return name;
}

// The stars a drawing read: designation, right ascension and declination in degrees.
inline std::vector<std::string> starsOf(const iStarData& stars) {
  std::vector<std::string> out;
  for (int i = 0; i < stars.starCount(); ++i) {
    StarPosition p;
    EXPECT_TRUE(stars.getPosition(i, p)) << i;
    char at[48];
    std::snprintf(at, sizeof at, " %.4f %.4f", p.raRad / kDeg, p.decRad / kDeg);
    out.push_back(designationOf(stars, i) + at);
  }
  return out;
}
inline std::array<int32_t, 5> catalogNumbersOf(const iStarData& stars, int index) {
  int kind = 0;
  int32_t n[4] = {};
  if (!stars.getCatalogNumbers(index, kind, n[0], n[1], n[2], n[3])) return {-1, 0, 0, 0, 0};
  return {kind, n[0], n[1], n[2], n[3]};
}

// --- drawing -------------------------------------------------------------------

// Writes down every star drawn, in order.
class StarListOutput : public CountingOutput {
 public:
  explicit StarListOutput(bool byClass = false, bool screen = false) : CountingOutput(byClass), screen_(screen) {}
  struct Star { std::string kind; int index; int32_t x, y, diameter; int colour; };
  bool isScreen() const override { return screen_; }
  bool drawStarIndexed(int index, int32_t x, int32_t y, int32_t d, int32_t r) override {
    stars.push_back({"indexed", index, x, y, d, -1});
    return CountingOutput::drawStarIndexed(index, x, y, d, r);
  }
  bool drawColouredStarIndexed(int index, int32_t x, int32_t y, int32_t d, int32_t r, int c) override {
    stars.push_back({"colouredIndexed", index, x, y, d, c});
    return CountingOutput::drawColouredStarIndexed(index, x, y, d, r, c);
  }
  bool drawStar(int32_t x, int32_t y, int32_t d, int32_t r) override {
    stars.push_back({"plain", -1, x, y, d, -1});
    return CountingOutput::drawStar(x, y, d, r);
  }
  bool drawColouredStar(int32_t x, int32_t y, int32_t d, int32_t r, int c) override {
    stars.push_back({"coloured", -1, x, y, d, c});
    return CountingOutput::drawColouredStar(x, y, d, r, c);
  }
  std::vector<Star> stars;

 private:
  bool screen_;
};

// A 1000 by 1000 pixel orthographic chart of the given field on a centre.
struct TestChart {
  TestChart(double raDeg, double decDeg, int fieldArcmin) {
    area.width = area.height = 1000;
    aim(raDeg, decDeg, fieldArcmin);
    output.begin("", {}, area);
  }
  void aim(double raDeg, double decDeg, int fieldArcmin) {
    settings.centreRaArcmin = static_cast<int>(std::lround(raDeg * 60));
    settings.centreDecArcmin = static_cast<int>(std::lround(decDeg * 60));
    settings.fieldArcmin = fieldArcmin;
    transformer.setScale(500, fieldArcmin / 2);
    transformer.setup(area, settings);
  }
  template <typename Catalog>
  void draw(Catalog& catalog, int32_t limit = 2000) {
    output.stars.clear();
    catalog.draw(output, transformer, settings, area, limit, false);
  }

  OutputArea area;
  ChartSettings settings;
  TransformerOrthographic transformer;
  StarListOutput output;
};

class StarSymbolOutput : public CountingOutput {
 public:
  using CountingOutput::CountingOutput;

  struct Symbol { int index; int32_t size, radius; };
  struct Text { int32_t dx, dy; int textClass; std::string text; };

  bool dashMarker(int index, int32_t, int32_t, int32_t halfLength) override {
    symbols.push_back({index, halfLength, 0});
    return true;
  }
  bool variableStar(int index, int32_t, int32_t, int32_t diameter, int32_t radius) override {
    symbols.push_back({index, diameter, radius});
    return true;
  }
  void text(int32_t, int32_t, int32_t dx, int32_t dy, int textClass, std::string_view t) override {
    labels.push_back({dx, dy, textClass, std::string(t)});
  }

  std::vector<int> indices() const {
    std::vector<int> out;
    for (const Symbol& s : symbols) out.push_back(s.index);
    return out;
  }
  void forget() { symbols.clear(), labels.clear(); }

  std::vector<Symbol> symbols;
  std::vector<Text> labels;
};

class StarChartTest : public ::testing::Test {
 protected:
  StarChartTest() {
    transformer.setScale(500, 5400);
    area.width = area.height = 1000;
    transformer.setup(area, settings);
    std::array<int32_t, StarSizeTable::kClasses> diameters{};
    for (int c = 0; c < StarSizeTable::kClasses; ++c) diameters[c] = 100 - c;  // class 6 (3.00..3.49) is 94
    for (StarSymbolOutput* o : {&output, &byClass}) {
      o->begin("", {}, area);
      o->copyStarSizes(diameters.data(), StarSizeTable::kClasses);
    }
  }

  // Writes the bytes as the catalog's file and opens it.
  template <typename Catalog>
  int load(Catalog& catalog, const std::string& bytes, const std::string& name = "catalog.dat") {
    writeBytes(dir.file(name), bytes);
    catalog.setDataDirectory(dir.path().string());
    return catalog.open(name);
  }

  // A damaged file and the code the catalog refuses it with.
  template <typename Catalog>
  struct RejectedFile { Catalog& catalog; std::string bytes; int code; };
  // Each file is refused with its code and leaves its catalog empty.
  template <typename Catalog>
  void expectRejected(const std::vector<RejectedFile<Catalog>>& files) {
    for (size_t row = 0; row < files.size(); ++row) {
      EXPECT_EQ(load(files[row].catalog, files[row].bytes), files[row].code) << "row " << row;
      EXPECT_EQ(files[row].catalog.count(), 0) << "row " << row;
    }
  }

  // Four regions over runs of the given lengths: a box round the chart
  // centre for each run in front, one on the far side of the sky for a
  // run marked behind.
  static std::vector<SkyRegion> regions(const std::vector<std::pair<int32_t, bool>>& runs) {
    std::vector<SkyRegion> out;
    int32_t first = 0;
    for (auto [count, behind] : runs) {
      const double ra = behind ? 3.1 : 0;
      out.push_back({first, count, ra - 0.2, ra + 0.2, -0.2, 0.2});
      first += count;
    }
    while (out.size() < 4) out.push_back({first, 0, 3.0, 3.2, -0.2, 0.2});
    return out;
  }

  ScratchDir dir;
  TransformerOrthographic transformer;
  OutputArea area;
  ChartSettings settings;
  StarSymbolOutput output, byClass{true};
};

// A little-endian int32 written over `bytes` at `offset`.
inline std::string patched(std::string bytes, size_t offset, int32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
  return bytes;
}

}  // namespace celvaro::testing
