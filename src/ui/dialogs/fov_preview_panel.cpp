#include "ui/dialogs/fov_preview_panel.h"

#include <QPainter>

#include "ui/night_vision.h"

#include <algorithm>
#include <cstdint>

namespace celvaro {
namespace {

constexpr int kSide = 220;
constexpr int64_t kFarOutside = 100000;  // pixels; typed lengths may be anything

// scale * length / divisor in integers, as far off the panel as it needs.
int scaled(int scale, int length, int divisor) {
  return static_cast<int>(std::clamp<int64_t>(int64_t{scale} * length / divisor, -kFarOutside, kFarOutside));
}

// The outline of the box from (left, top) to (right, bottom), the right and
// bottom edges excluded.
QRect box(int left, int top, int right, int bottom) { return QRect(left, top, right - left - 1, bottom - top - 1); }

void circle(QPainter& painter, int cx, int cy, int radius) {
  painter.drawEllipse(box(cx - radius, cy - radius, cx + radius, cy + radius));
}

}  // namespace

FovPreviewPanel::FovPreviewPanel(const FovScheme& scheme, QWidget* parent) : QWidget(parent), scheme_(scheme) {
  setObjectName(kWindowClass);
  setFixedSize(kSide, kSide);
}

void FovPreviewPanel::setScale(int scale) {
  scale_ = scale;
  update();
}

// The guider frame stands above the centre, inside the ring it sweeps when
// it is turned.
void FovPreviewPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  painter.setPen(QPen(nightSafe(Qt::white), 0));
  painter.setBrush(Qt::NoBrush);
  const int cx = width() / 2, cy = height() / 2, s = scale_;
  const FovScheme& f = scheme_;
  if (f.flags & FovScheme::kCamera) {
    const int hw = scaled(s, f.cameraWidth, 2000), hh = scaled(s, f.cameraHeight, 2000);
    painter.drawRect(box(cx - hw, cy - hh, cx + hw, cy + hh));
  }
  if (f.flags & FovScheme::kTotalField) circle(painter, cx, cy, scaled(s, f.totalFieldRadius, 1000));
  if (f.flags & FovScheme::kGuider) {
    const int o = scaled(s, f.guiderOffset, 1000), hw = scaled(s, f.guiderWidth, 2000);
    const int hh = scaled(s, f.guiderHeight, 2000);
    painter.drawRect(box(cx - hw, cy - o - hh, cx + hw, cy - o + hh));
    circle(painter, cx, cy, o - hh);
    circle(painter, cx, cy, o + hh);
  }
}

}  // namespace celvaro
