#include "render/fov_overlay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <numbers>
#include <tuple>

#include "model/chart_settings.h"
#include "output/recorded_screen.h"
#include "projection/transformer.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;

using Points = std::vector<DevicePoint>;

// The width or height of the points' box.
int32_t extent(const Points& points, int32_t DevicePoint::*axis) {
  auto [low, high] = std::minmax_element(points.begin(), points.end(),
                                         [axis](const DevicePoint& a, const DevicePoint& b) { return a.*axis < b.*axis; });
  return (*high).*axis - (*low).*axis;
}
int32_t width(const Points& points) { return extent(points, &DevicePoint::x); }
int32_t height(const Points& points) { return extent(points, &DevicePoint::y); }

// A chart 800 pixels square, 10 degrees across, centred on right ascension
// and declination 0.
class FovOverlayDrawing : public testing::RecordedScreen {
 protected:
  FovOverlayDrawing() : RecordedScreen(800, 800), transformer(createTransformer(kProjectionEquidistant)) {
    ChartSettings settings;
    settings.fieldArcmin = 600;
    transformer->setup(area, settings);
    transformer->setScale(400, 300);
    schemeToOverlay(FovScheme{}, overlay);
    overlay.shown = 1;
  }
  // The points of the n-th polyline drawn.
  Points polyline(size_t n) const { return n < canvas.polylines.size() ? canvas.polylines[n] : Points{}; }

  std::unique_ptr<iTransformer> transformer;
  FovOverlay overlay;
};

// A sensor's side spans twice the angle of its half at the focal length:
// 36 x 24 mm behind a 50 mm lens, the photographers' 39.6 x 27.0 degrees
// (2 atan(18/50), 2 atan(12/50)); a radius spans atan(r/f), 35.75 degrees
// for 36 mm. A focal length of 0 gives sizes of 0.
TEST(SchemeToOverlay, ASensorSpansTwiceTheAngleOfItsHalf) {
  FovScheme scheme;
  scheme.cameraWidth = 3600, scheme.cameraHeight = 2400, scheme.totalFieldRadius = 3600, scheme.focalLength = 50;
  FovOverlay overlay;
  schemeToOverlay(scheme, overlay);
  EXPECT_NEAR(overlay.cameraWidth / 6000.0, 39.6, 0.01);
  EXPECT_NEAR(overlay.cameraHeight / 6000.0, 27.0, 0.01);
  EXPECT_NEAR(overlay.totalFieldRadius / 6000.0, 35.75, 0.01);
  scheme.focalLength = 0;
  schemeToOverlay(scheme, overlay);
  EXPECT_EQ(std::tuple(overlay.cameraWidth, overlay.totalFieldRadius, overlay.guiderOffset), std::tuple(0, 0, 0));
}

// At 800 pixels for 600' (4/3 pixel an arcminute) the default scheme's
// 63.02' x 45.84' camera frame is 84 x 61 pixels around the centre, its
// guider frame (22.92' square, 51.56' off) stands above it, north being up,
// and the total field's 71.61' radius is 95 pixels, each within the two
// pixels whole half sizes lose; turned by 90 degrees the camera frame stands
// upright, turned half round the guider hangs below.
TEST_F(FovOverlayDrawing, TheElementsSpanTheirAngularSizesAndTurn) {
  overlay.elementFlags = FovScheme::kCamera | FovScheme::kGuider | FovScheme::kTotalField;
  ASSERT_TRUE(drawFovOverlay(overlay, output, *transformer));
  const Points camera = polyline(0), guider = polyline(1);
  ASSERT_EQ(camera.size(), 5u);
  EXPECT_NEAR(width(camera), 84, 2);
  EXPECT_NEAR(height(camera), 61, 2);
  auto byY = [](const DevicePoint& a, const DevicePoint& b) { return a.y < b.y; };
  EXPECT_NEAR(std::min_element(guider.begin(), guider.end(), byY)->y, 400 - (51.56 + 11.46) * 4 / 3, 2);
  EXPECT_NEAR(width(guider), 31, 2);
  int32_t left, top, right, bottom;
  ASSERT_EQ(std::sscanf(canvas.calls.back().c_str(), "ellipse %d %d %d %d", &left, &top, &right, &bottom), 4);
  EXPECT_NEAR((right - left) / 2.0, 95.5, 2);
  EXPECT_EQ(std::tuple(left + right, top + bottom), std::tuple(800, 800));

  overlay.cameraRotation = 90;
  overlay.guiderRotation = 180;
  drawFovOverlay(overlay, output, *transformer);
  EXPECT_EQ((std::tuple{width(polyline(2)), height(polyline(2))}), (std::tuple{height(camera), width(camera)}));
  const Points turned = polyline(3);
  EXPECT_NEAR(std::max_element(turned.begin(), turned.end(), byY)->y, 400 + (51.56 + 11.46) * 4 / 3, 2);
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
  // 0.01 rad (34.4') east, drawn left, and 0.02 rad + 60' (128.8') north of
  // the chart's centre at 4/3 pixel an arcminute.
  EXPECT_TRUE(north->onDevice);
  EXPECT_NEAR(north->deviceX, 400 - 34.4 * 4 / 3, 1);
  EXPECT_NEAR(north->deviceY, 400 - 128.8 * 4 / 3, 1);
  int32_t left, top, right, bottom;
  ASSERT_EQ(std::sscanf(canvas.calls.back().c_str(), "ellipse %d %d %d %d", &left, &top, &right, &bottom), 4);
  EXPECT_EQ(std::tuple(left + right, top + bottom), std::tuple(2 * north->deviceX, 2 * north->deviceY));
}

// Behind the visible side nothing is drawn or placed; a centre off the
// chart is placed, but not on the device.
TEST_F(FovOverlayDrawing, BehindTheVisibleSideNothingIsPlacedAndOffTheChartNothingOnTheDevice) {
  overlay.centreRaRad = kPi;
  EXPECT_FALSE(drawFovOverlay(overlay, output, *transformer));
  EXPECT_TRUE(canvas.calls.empty());
  overlay.centreRaRad = 0;
  overlay.centreDecRad = 8 * kPi / 180;  // above the chart's top edge at 5 degrees
  const auto placed = drawFovOverlay(overlay, output, *transformer);
  ASSERT_TRUE(placed);
  EXPECT_FALSE(placed->onDevice);
}

}  // namespace
}  // namespace celvaro
