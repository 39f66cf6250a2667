#include "app/fov_overlay_control.h"

#include "app/app_model.h"

namespace celvaro {

void selectOverlayStyle(RenderingOutput& output) {
  constexpr int kOverlayLine = 24, kNoFill = 1;
  output.selectBrush(kNoFill);
  output.selectPen(kOverlayLine);
}

void FovOverlayControl::drawInPass(RenderingOutput& output) {
  if (shown.shown) draw(output, shown, true);
}

// Remembering keeps where the overlay points and where it can be picked;
// an overlay off the screen cannot be picked.
void FovOverlayControl::draw(RenderingOutput& output, const FovOverlay& overlay, bool remember) {
  const auto placed = drawFovOverlay(overlay, output, model_.projection());
  if (!remember) return;
  if (placed) correctedPointing = {placed->pointingRaRad, placed->pointingDecRad, true};
  if (placed && placed->onDevice) model_.hits.setOverlayPosition(placed->deviceX, placed->deviceY);
  else model_.hits.forgetOverlayPosition();
}

// On the chart window's picture outside a chart pass, whose pen and brush
// the screen output no longer knows.
void FovOverlayControl::drawInXor(const FovOverlay& overlay, bool remember) {
  RenderingOutputDisplay& display = model_.screenOutput();
  display.forgetStyles();
  selectOverlayStyle(display);
  draw(display, overlay, remember);
}

void FovOverlayControl::fovAdjusted(bool keepCentre) {
  const FovOverlay previous = shown;
  shown = edited;
  if (keepCentre) {
    shown.centreRaRad = previous.centreRaRad;
    shown.centreDecRad = previous.centreDecRad;
  }
  if (!shown.shown) model_.hits.forgetOverlayPosition();
  iChartView* chartWindow = model_.chartView();
  if (!chartWindow) return;
  chartWindow->drawOnChart([&](Canvas& canvas) {
    RenderingOutputDisplay& display = model_.screenOutput();
    display.setCanvas(&canvas);
    if (previous.shown) drawInXor(previous, false);
    if (shown.shown) drawInXor(shown, true);
    display.setCanvas(nullptr);
  });
}

void FovOverlayControl::showAtSelection() {
  const CentringTarget& target = model_.lastCentringTarget;
  if (!target.valid) return;
  schemeToOverlay(schemes.scheme, edited);
  edited.shown = 1;
  edited.centreRaRad = target.raRad;
  edited.centreDecRad = target.decRad;
  fovAdjusted(false);
  if (dialog) dialog->overlayPlaced();
}

}  // namespace celvaro
