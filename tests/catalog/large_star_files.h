// What the large star catalog tests share: an output that writes down each
// star it draws, and a chart on a chosen centre.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "catalog/star_buffer.h"
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

// --- drawing -------------------------------------------------------------------

// Writes down every star drawn, in order.
class StarListOutput : public CountingOutput {
 public:
  explicit StarListOutput(bool byClass = false, bool screen = false) : CountingOutput(byClass), screen_(screen) {}
  struct Star {
    std::string kind;
    int index;
    int32_t x, y, diameter;
    int colour;
  };
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

}  // namespace celvaro::testing
