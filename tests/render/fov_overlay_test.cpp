#include "render/fov_overlay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>
#include <sstream>

#include "app/chart_settings.h"
#include "output/recording_canvas.h"
#include "output/rendering_output_display.h"
#include "projection/transformer.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;

struct DevicePointList {
  std::vector<DevicePoint> points;
  int32_t width() const { return extent(&DevicePoint::x); }
  int32_t height() const { return extent(&DevicePoint::y); }
  int32_t extent(int32_t DevicePoint::*axis) const {
    auto [low, high] = std::minmax_element(points.begin(), points.end(),
                                           [axis](const DevicePoint& a, const DevicePoint& b) { return a.*axis < b.*axis; });
    return (*high).*axis - (*low).*axis;
  }
};

// A chart 800 pixels square, 10 degrees across, centred on right ascension
// and declination 0.
class FovOverlayDrawing : public ::testing::Test {
 protected:
  FovOverlayDrawing() : transformer(createTransformer(kProjectionEquidistant)), output(colors) {
    area.width = area.height = 800;
    ChartSettings settings;
    settings.fieldArcmin = 600;
    transformer->setup(area, settings);
    transformer->setScale(400, 300);
    output.setCanvas(&canvas);
    output.begin("", {}, area);
    schemeToOverlay(FovScheme{}, overlay);
    overlay.shown = 1;
  }
  int32_t px(int tenths) const { return transformer->tenthArcminToPixels(tenths); }
  // The points of the n-th polyline drawn.
  DevicePointList polyline(size_t n) const {
    size_t seen = 0;
    for (const std::string& call : canvas.calls) {
      if (call.rfind("polyline", 0) != 0 || seen++ != n) continue;
      DevicePointList list;
      std::istringstream in(call.substr(8));
      int32_t x, y;
      char comma;
      while (in >> x >> comma >> y) list.points.push_back({x, y});
      return list;
    }
    return {};
  }
  size_t countOf(const std::string& kind) const {
    return std::count_if(canvas.calls.begin(), canvas.calls.end(),
                         [&](const std::string& c) { return c.rfind(kind, 0) == 0; });
  }

  std::unique_ptr<iTransformer> transformer;
  ColorTable colors;
  testing::RecordingCanvas canvas;
  OutputArea area;
  RenderingOutputDisplay output;
  FovOverlay overlay;
};

TEST(SchemeToOverlay, TheDefaultSchemeGivesItsAnglesInHundredthsOfAnArcminute) {
  FovOverlay overlay;
  overlay.shown = 1;
  overlay.shiftRa = 5, overlay.shiftDec = -7, overlay.cameraRotation = 30, overlay.guiderRotation = -45;
  overlay.centreRaRad = 1.25, overlay.centreDecRad = -0.5;
  schemeToOverlay(FovScheme{}, overlay);
  EXPECT_EQ(overlay.elementFlags, 6);
  EXPECT_EQ(overlay.cameraWidth, 6302);   // a 63.02 x 45.83 arcminute frame
  EXPECT_EQ(overlay.cameraHeight, 4583);
  EXPECT_EQ(overlay.totalFieldRadius, 7161);
  EXPECT_EQ(overlay.guiderWidth, 2292);
  EXPECT_EQ(overlay.guiderHeight, 2292);
  EXPECT_EQ(overlay.guiderOffset, 5156);
  EXPECT_EQ(std::tuple(overlay.shiftRa, overlay.shiftDec, overlay.cameraRotation, overlay.guiderRotation),
            std::tuple(0, 0, 0, 0));
  EXPECT_EQ(overlay.shown, 1);
  EXPECT_EQ(overlay.centreRaRad, 1.25);
  EXPECT_EQ(overlay.centreDecRad, -0.5);
}

TEST(SchemeToOverlay, AFocalLengthOfZeroGivesSizesOfZero) {
  FovScheme scheme;
  scheme.focalLength = 0;
  FovOverlay overlay;
  schemeToOverlay(scheme, overlay);
  EXPECT_EQ(overlay.cameraWidth, 0);
  EXPECT_EQ(overlay.totalFieldRadius, 0);
  EXPECT_EQ(overlay.guiderOffset, 0);
}

TEST_F(FovOverlayDrawing, TheCameraFrameIsItsAngularSizeAroundTheCentre) {
  overlay.elementFlags = FovScheme::kCamera;
  ASSERT_TRUE(drawFovOverlay(overlay, output, *transformer));
  const int32_t hw = px(630) / 2, hh = px(458) / 2;
  ASSERT_GT(hw, hh);
  const std::vector<DevicePoint> expected = {
      {400 - hw, 400 + hh}, {400 - hw, 400 - hh}, {400 + hw, 400 - hh}, {400 + hw, 400 + hh}, {400 - hw, 400 + hh}};
  const DevicePointList frame = polyline(0);
  ASSERT_EQ(frame.points.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(frame.points[i].x, expected[i].x) << i;
    EXPECT_EQ(frame.points[i].y, expected[i].y) << i;
  }
  EXPECT_EQ(countOf("polyline"), 1u);
  EXPECT_EQ(countOf("ellipse"), 0u);
}

TEST_F(FovOverlayDrawing, ARotationOfNinetyPutsTheLongSideAlongY) {
  overlay.elementFlags = FovScheme::kCamera;
  overlay.cameraRotation = 90;
  drawFovOverlay(overlay, output, *transformer);
  const DevicePointList frame = polyline(0);
  EXPECT_EQ(frame.width(), px(458) / 2 * 2);
  EXPECT_EQ(frame.height(), px(630) / 2 * 2);
}

// North is up on the screen: the guider frame stands above the centre until
// it is turned half round.
TEST_F(FovOverlayDrawing, TheGuiderFrameSitsAtItsOffsetAndTurnsAboutTheCentre) {
  overlay.elementFlags = FovScheme::kGuider;
  drawFovOverlay(overlay, output, *transformer);
  const int32_t o = px(515), hh = px(229) / 2;
  DevicePointList frame = polyline(0);
  auto top = std::min_element(frame.points.begin(), frame.points.end(),
                              [](const DevicePoint& a, const DevicePoint& b) { return a.y < b.y; });
  EXPECT_EQ(top->y, 400 - o - hh);
  overlay.guiderRotation = 180;
  drawFovOverlay(overlay, output, *transformer);
  frame = polyline(1);
  auto bottom = std::max_element(frame.points.begin(), frame.points.end(),
                                 [](const DevicePoint& a, const DevicePoint& b) { return a.y < b.y; });
  EXPECT_EQ(bottom->y, 400 + o + hh);
}

TEST_F(FovOverlayDrawing, TheTotalFieldIsACircleOfItsRadius) {
  overlay.elementFlags = FovScheme::kTotalField;
  drawFovOverlay(overlay, output, *transformer);
  const int32_t r = px(716);
  ASSERT_EQ(canvas.calls.size(), 1u);
  EXPECT_EQ(canvas.calls[0], "ellipse " + std::to_string(400 - r) + " " + std::to_string(400 - r) + " " +
                                 std::to_string(400 + r) + " " + std::to_string(400 + r));
}

// A shift of 60' in declination points one degree north, and the overlay
// is drawn, and can be picked, there.
TEST_F(FovOverlayDrawing, AShiftInDeclinationPointsThatFarNorth) {
  overlay.elementFlags = FovScheme::kTotalField;
  overlay.centreRaRad = 0.01;
  overlay.centreDecRad = 0.02;
  overlay.shiftDec = 60;
  const auto north = drawFovOverlay(overlay, output, *transformer);
  ASSERT_TRUE(north);
  EXPECT_NEAR(north->pointingDecRad - overlay.centreDecRad, kPi / 180, 1e-12);
  EXPECT_NEAR(north->pointingRaRad, 0.01, 1e-12);
  ProjectedPoint pointing;
  ASSERT_TRUE(transformer->project(north->pointingRaRad, north->pointingDecRad, pointing));
  EXPECT_TRUE(north->onDevice);
  EXPECT_EQ(north->deviceX, 400 + pointing.x);
  EXPECT_EQ(north->deviceY, 400 - pointing.y);
  const int32_t r = px(716);
  EXPECT_EQ(canvas.calls.back(), "ellipse " + std::to_string(north->deviceX - r) + " " +
                                     std::to_string(north->deviceY - r) + " " + std::to_string(north->deviceX + r) +
                                     " " + std::to_string(north->deviceY + r));
}

TEST_F(FovOverlayDrawing, BehindTheVisibleSideNothingIsDrawnOrPlaced) {
  overlay.centreRaRad = kPi;
  EXPECT_FALSE(drawFovOverlay(overlay, output, *transformer));
  EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(FovOverlayDrawing, ACentreOffTheChartIsPlacedButNotOnTheDevice) {
  overlay.centreDecRad = 8 * kPi / 180;  // above the chart's top edge at 5 degrees
  const auto placed = drawFovOverlay(overlay, output, *transformer);
  ASSERT_TRUE(placed);
  EXPECT_FALSE(placed->onDevice);
}

}  // namespace
}  // namespace celvaro
