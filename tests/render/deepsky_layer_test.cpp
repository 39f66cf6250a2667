#include "render/deepsky_layer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "catalog/deepsky_data_d1.h"
#include "projection/transformer_orthographic.h"
#include "render/chart_fixture.h"

namespace celvaro {
namespace {

// Hands out a fixed list of objects; labels only the first.
class ListCatalog : public DeepskyDataD1 {
 public:
  std::vector<DeepskyObject> objects;
  size_t cursor = 0;
  void prepareDraw(const ChartSettings&, const OutputArea&, iTransformer&) override { cursor = 0; }
  int nextVisible(DeepskyObject& object, bool& label, bool& second) override {
    if (cursor >= objects.size()) return -1;
    object = objects[cursor];
    label = cursor == 0;
    second = false;
    return static_cast<int>(cursor++);
  }
  bool formatDesignation(int index, std::u16string& text, int, bool, bool) const override {
    text += u"object " + std::u16string(1, static_cast<char16_t>(u'0' + index));
    return true;
  }
};

DeepskyObject at(int type, double raRad, int32_t majorAxis) {
  return {.type = static_cast<uint16_t>(type), .raRad = raRad, .majorAxis = majorAxis, .minorAxis = majorAxis / 2};
}

// The layer on a 5-degree orthographic chart of 1000 units, 200 units a
// degree at its centre (a 60' galaxy spans 200 units).
class DeepskyLayerDrawing : public testing::ChartFixture<> {
 protected:
  void drawOnFiveDegrees() {
    settings.fieldArcmin = 300;
    TransformerOrthographic transformer;
    transformer.setScale(500, 150);
    transformer.setup(area, settings);
    DeepskyLayer(catalog, output, transformer, area, settings, options, transformer.visibilityLimit(), 2).draw();
  }
  ListCatalog catalog;
};

TEST_F(DeepskyLayerDrawing, SymbolsBySizeAndTypeAndTheirLabels) {
  catalog.objects = {at(kGalaxy, 0, 6000), at(kGalaxy, 0.001, 10), at(kGlobularCluster, 0, 10),
                     at(12, 0, 10), at(0, 0, 10), at(16, 0, 10), at(kOpenCluster, 3.0, 10)};
  drawOnFiveDegrees();
  EXPECT_EQ(output.count["rotatedGalaxy"], 1);
  EXPECT_EQ(output.count["galaxy"], 1);      // too small to scale: the small ellipse
  EXPECT_EQ(output.count["globular"], 1);
  EXPECT_EQ(output.count["diffuse"], 1);     // type 12 draws as a bright nebula
  EXPECT_EQ(output.count["open"], 0);        // on the far side of the sky
  EXPECT_EQ(output.texts, std::vector<std::string>{"object 0"});
}

// An object wider than three smallest nebula symbols (30 units here) or a
// sixteenth of the chart is its dashed outline: an
// ellipse of its axes at its position angle, labelled at its edge. On a
// 5-degree field over 1000 units, 200 units a degree at the centre of the
// orthographic projection, a 120' x 60' nebula at 30 degrees has half
// axes of 200 and 100 units, the major one turned 30 degrees from north
// toward the east (left).
TEST_F(DeepskyLayerDrawing, LargeObjectsAreDashedOutlinesOfTheirShape) {
  DeepskyObject nebula = at(kBrightNebula, 0, 12000);
  nebula.positionAngle = 30;
  catalog.objects = {nebula, at(kBrightNebula, 0, 600)};
  drawOnFiveDegrees();
  EXPECT_EQ(output.count["diffuse"], 1);  // the 6' one, 20 units, keeps its symbol
  // The dashes: every other step of the outline, the rest left open.
  ASSERT_GE(output.lines.size(), 8u);
  double majorX = 0, majorY = 0, minor = 1e9, major = 0;
  for (const auto& dash : output.lines) {
    const double r = std::hypot(dash[0], dash[1]);
    if (r > major) major = r, majorX = dash[0], majorY = dash[1];
    minor = std::min(minor, r);
  }
  EXPECT_NEAR(major, 200, 4);
  EXPECT_NEAR(minor, 100, 4);
  // The major axis at 30 degrees from north toward the east (left) or
  // its opposite end.
  const double angle = std::atan2(-majorX, majorY) * 180 / std::numbers::pi;
  EXPECT_NEAR(std::abs(std::remainder(angle - 30, 180)), 0, 4);
  EXPECT_EQ(output.texts.size(), 1u);
}

}  // namespace
}  // namespace celvaro
