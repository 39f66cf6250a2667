#include "render/deepsky_layer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>
#include <vector>

#include "catalog/deepsky_data.h"
#include "projection/transformer_orthographic.h"
#include "render/chart_fixture.h"

namespace celvaro {
namespace {

TEST(DeepskyLayer, GalaxyAxesTurnWithThePositionAngle) {
  DeepskyLayer::Axes a;
  // Half the major axis 40 units north; b/a = 1/2.
  EXPECT_EQ(DeepskyLayer::galaxyAxes(0, 40, 200, 100, 0, a), 20);
  EXPECT_EQ(std::tuple(a.ux, a.uy, a.vx, a.vy), std::tuple(0, 40, 20, 0));
  // At 90 degrees the major axis lies horizontal (toward the east, left).
  DeepskyLayer::galaxyAxes(0, 40, 200, 100, 90, a);
  EXPECT_EQ(std::tuple(a.ux, a.uy, a.vx, a.vy), std::tuple(-40, 0, 0, 20));
  // A label offset beyond 500 units is dropped.
  EXPECT_EQ(DeepskyLayer::galaxyAxes(0, 600, 200, 200, 0, a), 0);
}

// Hands out a fixed list of objects; labels only the first.
class ListCatalog : public iDeepskyData {
 public:
  std::vector<DeepskyObject> objects;
  size_t cursor = 0;
  void selectNameList(int) override {}
  int nextName() override { return -1; }
  std::optional<NamedObject> getNamedObject(int) const override { return std::nullopt; }
  std::optional<std::u16string> getName(int) const override { return std::nullopt; }
  void setDataDirectory(const std::string&) override {}
  int open(const std::string&) override { return 0; }
  void setInfoFile(const std::string&) override {}
  void prepareDraw(const ChartSettings&, const OutputArea&, iTransformer&) override { cursor = 0; }
  int nextVisible(DeepskyObject& object, bool& label, bool& second) override {
    if (cursor >= objects.size()) return -1;
    object = objects[cursor];
    label = cursor == 0;
    second = false;
    return static_cast<int>(cursor++);
  }
  bool getObject(int, DeepskyObject&) const override { return false; }
  bool getPrimaryIds(int, int32_t&, int32_t&) const override { return false; }
  bool findByDesignation(std::string_view, StarPosition&) const override { return false; }
  bool findById(int, int32_t, StarPosition&) const override { return false; }
  void setIdentifierSettings(const DeepskyIdentifierSettings&) override {}
  bool formatDesignation(int index, std::u16string& text, int, bool, bool) const override {
    text += u"object " + std::u16string(1, static_cast<char16_t>(u'0' + index));
    return true;
  }
  std::u16string nameOf(int, int) const override { return {}; }
  bool readObjectInfo(int, std::vector<StarInfoItem>&) const override { return false; }
  int objectCount() const override { return static_cast<int>(objects.size()); }
};

DeepskyObject at(int type, double raRad, int32_t majorAxis) {
  DeepskyObject o;
  o.type = static_cast<uint16_t>(type);
  o.raRad = raRad;
  o.majorAxis = majorAxis;
  o.minorAxis = majorAxis / 2;
  return o;
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
