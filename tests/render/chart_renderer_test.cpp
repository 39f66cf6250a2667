#include "render/chart_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>

#include "projection/transformer_orthographic.h"
#include "render/chart_fixture.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(ChartRenderer, GridLabelTexts) {
  for (const auto& [arcmin, text] :
       {std::pair{45, "0 45'"}, {-45, "-0 45'"}, {-60, "-1"}, {5370, "89 30'"}, {0, "0"}}) {
    EXPECT_EQ(ChartRenderer::declinationLabel(arcmin), text) << arcmin;
  }
  for (const auto& [arcmin, text] : {std::pair{905, "01:00:20"}, {915, "01:01"}, {0, "00:00"}}) {
    EXPECT_EQ(ChartRenderer::hourLabel(arcmin), text) << arcmin;
  }
}

class RendererTest : public testing::ChartFixture<> {
 protected:
  RendererTest() : ChartFixture(800, 600), renderer(nullptr, &output, &transformer, &area, &settings, &options) {}
  bool wrote(const char* text) const { return std::find(output.texts.begin(), output.texts.end(), text) != output.texts.end(); }

  TransformerOrthographic transformer;
  ChartRenderer renderer;
};

TEST_F(RendererTest, PolylinesDrawOnlyBetweenVisiblePointsAndMoveOnPenZero) {
  transformer.setScale(300, 2700);
  renderer.drawChart({});
  output.polyCalls.clear();
  SkyPolylines line;
  line.add(1, 0.01, 0.0);  // pen 1 first: opens at itself, draws from the next point
  line.add(1, 0.02, 0.0);
  line.add(0, 0.10, 0.10);  // a move ends the line
  line.add(1, 0.11, 0.10);
  line.add(1, kPi, 0.0);    // behind: ends the second line there
  renderer.polylineLayer(line, false);
  std::vector<std::string> ops;
  for (const auto& c : output.polyCalls) ops.push_back(c.op);
  EXPECT_EQ(ops, (std::vector<std::string>{"start", "to", "end", "start", "to", "finish"}));
}

TEST_F(RendererTest, GridNumberingWritesDeclinationsAndHours) {
  settings.fieldArcmin = 3600;
  settings.decGridStepArcmin = 600;
  settings.raGridStepArcmin = 900;
  settings.centreRaArcmin = 900;
  options.fontSizes.fill(12);  // numbers that fit the 800-unit chart
  transformer.setScale(300, 1800);
  renderer.drawChart({});
  for (const char* text : {"0", "20", "-20", "01:00", "02:00"}) EXPECT_TRUE(wrote(text)) << text;
  EXPECT_FALSE(wrote("12:00"));  // on the far side
}

}  // namespace
}  // namespace celvaro
