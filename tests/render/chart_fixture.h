// A chart of the layer tests: its area, settings and options, and an output
// (a counting one or one derived from it) begun on the area.
#pragma once

#include <gtest/gtest.h>

#include <numbers>

#include "astro/star_position.h"
#include "model/chart_settings.h"
#include "output/counting_output.h"
#include "output/output_area.h"
#include "output/render_options.h"
#include "render/chart_renderer.h"

namespace celvaro::testing {

template <typename Output = CountingOutput>
class ChartFixture : public ::testing::Test {
 protected:
  explicit ChartFixture(int32_t width = 1000, int32_t height = 1000) {
    area.width = width;
    area.height = height;
    output.begin("", {}, area);
  }
  // The chart's centre is kept in whole arcminutes.
  void centreOn(const StarPosition& place) {
    settings.centreRaArcmin = static_cast<int>(place.raRad * 10800 / std::numbers::pi);
    settings.centreDecArcmin = static_cast<int>(place.decRad * 10800 / std::numbers::pi);
  }
  void drawChart(SkyCatalogs* catalogs, iTransformer& transformer) {
    ChartRenderer(catalogs, &output, &transformer, &area, &settings, &options).drawChart({});
  }

  OutputArea area;
  ChartSettings settings;
  RenderOptions options;
  Output output;
};

}  // namespace celvaro::testing
