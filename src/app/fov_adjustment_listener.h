// The field-of-view overlay's two sides: the model that moves the overlay
// on the chart, and the adjustment dialog that edits it.
#pragma once

namespace celvaro {

// Told by the adjustment dialog that the edited overlay changed: the shown
// overlay becomes the edited one, keeping its centre when `keepCentre` is
// set, and moves on the screen without a chart repaint.
class iFovAdjustmentListener {
 public:
  virtual ~iFovAdjustmentListener() = default;
  virtual void fovAdjusted(bool keepCentre) = 0;
};

// Told by the model that the overlay was placed anew on the selection, with
// shifts and rotations of 0, so that the dialog's controls show them.
class FovOverlayDlgListener {
 public:
  virtual ~FovOverlayDlgListener() = default;
  virtual void overlayPlaced() = 0;
};

}  // namespace celvaro
