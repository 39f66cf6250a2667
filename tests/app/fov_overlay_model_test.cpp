// The field-of-view overlay in the application model: placed on the
// selection, moved by XOR drawing without a repaint, drawn with every
// repaint while it is on, picked where it stands, and its scheme file.
#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>
#include <tuple>

#include "app/app_model.h"
#include "app/chart_navigator.h"
#include "app/startup.h"
#include "app_model_fakes.h"
#include "test_files.h"

namespace celvaro {
namespace {

using namespace celvaro::testing;
constexpr double kPi = std::numbers::pi;

class FakeFovDialog : public FovOverlayDlgListener {
 public:
  void overlayPlaced() override { ++placings; }
  int placings = 0;
};

// A chart 800 by 600 pixels, 10 degrees across, painted once, with its
// centre (right ascension and declination 0) as the selection.
class FovOverlayModel : public ModelWithFakeWindows {
 protected:
  FovOverlayModel() {
    model.fovDialog = &dialog;
    model.chart.fieldArcmin = 600;
    model.setChartSize(800, 600);
    model.applyView();
    paint();
    model.lastCentringTarget = {0, 0, true};
  }
  std::vector<std::string> paint() {
    RecordingCanvas canvas;
    model.paintChart(canvas);
    return canvas.calls;
  }
  // The calls drawn over the picture since the last look.
  std::vector<std::string> drawnOver() {
    std::vector<std::string> calls;
    calls.swap(chartView.picture.calls);
    return calls;
  }
  static std::vector<std::string> polylines(const std::vector<std::string>& calls) {
    std::vector<std::string> lines;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(lines),
                 [](const std::string& c) { return c.rfind("polyline", 0) == 0; });
    return lines;
  }

  FakeFovDialog dialog;
};

TEST_F(FovOverlayModel, TheCommandOnTheSelectionShowsItThereWithoutARepaint) {
  model.showFovOverlayAtSelection();
  const auto& shown = model.shownOverlay;
  EXPECT_EQ(std::tuple(shown.shown, shown.cameraWidth, shown.centreRaRad), std::tuple(1, 6302, 0.0));
  EXPECT_EQ(chartView.repaints, 0);
  const auto calls = drawnOver();
  EXPECT_EQ(calls.front(), "brush none");
  EXPECT_EQ(calls[1], "pen 127;255;127 xor");
  EXPECT_EQ(polylines(calls).size(), 2u);  // the camera and the guider frame
  EXPECT_TRUE(model.correctedPointing.valid);
  EXPECT_EQ(dialog.placings, 1);
  int m = 10;
  EXPECT_TRUE(model.hits.queryOverlay(400, 300, m));
}

TEST_F(FovOverlayModel, WithoutASelectionTheCommandDoesNothing) {
  model.lastCentringTarget.valid = false;
  model.showFovOverlayAtSelection();
  EXPECT_EQ(model.shownOverlay.shown, 0);
  EXPECT_TRUE(drawnOver().empty());
}

// Picking the overlay selects where it points, for the telescope to go to,
// and names its frames: the default 22 x 16 mm camera and 8 x 8 mm guider at
// 1200 mm span 2 atan(11/1200) = 63.02', 2 atan(8/1200) = 45.84' and 22.92'.
TEST_F(FovOverlayModel, APickOnTheOverlayCentreSelectsItsPointing) {
  model.showFovOverlayAtSelection();
  model.editedOverlay.shiftDec = 30;
  model.fovAdjusted(true);
  const int32_t y = 300 - model.projection().tenthArcminToPixels(300);
  ChartNavigator navigator(model);
  std::string description;
  ASSERT_TRUE(navigator.selectAt(400, y, description));
  EXPECT_EQ(model.selection.kind, kPickFovOverlay);
  EXPECT_EQ(description, "Field-of-view overlay: CCD 63.0′×45.8′, Guider 22.9′×22.9′");
  EXPECT_NEAR(model.lastCentringTarget.decRad, 30 * kPi / 10800, 1e-12);
}

TEST_F(FovOverlayModel, TheSchemeFileIsReadAtConstructionAndWrittenAtShutdownOnlyWhenEdited) {
  const std::string path = dir.file("fovschemes.dat");
  writeBytes(path, "focallength=600\n");
  AppModel other(dir.path().string(), dir.file("celvaro.cfg"), resources);
  EXPECT_EQ(other.fovSchemes.scheme.focalLength, 600);
  runShutdown(other);
  EXPECT_EQ(readBytes(path), "focallength=600\n");
  EXPECT_EQ(readBytes(dir.file("locale.inf")), "EN");  // the shutdown writes nothing elsewhere
  other.fovSchemes.scheme.flags = 7;
  other.fovSchemes.markModified();
  runShutdown(other);
  EXPECT_EQ(readBytes(path).substr(0, 9), "flags=7\r\n");
}

}  // namespace
}  // namespace celvaro
