// The field-of-view adjustment dialog's preview: the scheme's focal-plane
// geometry, unrotated, white on black around the panel's centre. Sizes are
// the scheme's hundredths of a millimetre times the preview scale over
// 1000, so scale 20 draws 2 pixels a millimetre.
#pragma once

#include <QWidget>

#include "render/fov_schemes.h"

namespace celvaro {

class FovPreviewPanel final : public QWidget {
 public:
  static constexpr const char* kWindowClass = "control_adjustfov_drawingpanel";
  static constexpr int kStartScale = 20;

  FovPreviewPanel(const FovScheme& scheme, QWidget* parent);

  int scale() const { return scale_; }
  // Sets the scale and repaints.
  void setScale(int scale);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const FovScheme& scheme_;
  int scale_ = kStartScale;
};

}  // namespace celvaro
