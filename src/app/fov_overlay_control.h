// The field-of-view overlay on the chart: the scheme it is made from, the
// overlay shown, the one the adjustment dialog edits, and where the shown one
// points once shifted. The overlay is drawn in XOR so that drawing it again
// takes it away, and moves on the chart without a chart repaint.
#pragma once

#include "app/fov_adjustment_listener.h"
#include "app/telescope_hand_over.h"
#include "render/fov_overlay.h"
#include "render/fov_schemes.h"

namespace celvaro {

class AppModel;
class RenderingOutput;

// The overlays' style: XOR lines without a fill.
void selectOverlayStyle(RenderingOutput& output);

class FovOverlayControl : public iFovAdjustmentListener {
 public:
  explicit FovOverlayControl(AppModel& model) : model_(model) {}

  // The shown overlay becomes the edited one and moves on the chart.
  void fovAdjusted(bool keepCentre) override;
  // The edited overlay fresh from the scheme, centred on the last centring
  // target and shown; nothing without a target.
  void showAtSelection();
  // Draws the shown overlay in a chart pass, with the pen and brush of the
  // overlays already selected, and remembers where it points.
  void drawInPass(RenderingOutput& output);

  FovSchemes schemes;
  FovOverlay shown;
  FovOverlay edited;
  // Valid after the shown overlay was first drawn.
  CentringTarget correctedPointing;
  FovOverlayDlgListener* dialog = nullptr;

 private:
  void draw(RenderingOutput& output, const FovOverlay& overlay, bool remember);
  void drawInXor(const FovOverlay& overlay, bool remember);

  AppModel& model_;
};

}  // namespace celvaro
