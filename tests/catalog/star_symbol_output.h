// What the double- and variable-star tests draw on: an output that writes
// down each dash marker, variable-star symbol and text, and a chart of the
// whole visible hemisphere centred on right ascension 0, declination 0.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "catalog/sky_regions.h"
#include "model/chart_settings.h"
#include "output/counting_output.h"
#include "output/output_area.h"
#include "projection/transformer_orthographic.h"
#include "test_files.h"

namespace celvaro::testing {

class StarSymbolOutput : public CountingOutput {
 public:
  using CountingOutput::CountingOutput;

  struct Symbol {
    int index;
    int32_t size, radius;
  };
  struct Text {
    int32_t dx, dy;
    int textClass;
    std::string text;
  };

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
