#include "ui/spiral_search_panel.h"

#include <QPainter>

#include <algorithm>

namespace celvaro {
namespace {

constexpr int kGridStep = 4;
constexpr int kCrossArm = 8;
// Red alone, so the graph is as safe for the dark-adapted eye as night vision.
const QColor kGridColour(96, 0, 0);
const QColor kAxisColour(160, 0, 0);
const QColor kCrossColour(255, 0, 0);
const QColor kEndedCrossColour(112, 0, 0);

}  // namespace

SpiralSearchPanel::SpiralSearchPanel(QWidget* parent) : QWidget(parent) {
  setProperty("windowClass", kWindowClass);
  setMinimumSize(96, 96);
}

void SpiralSearchPanel::setActive(bool active) {
  active_ = active;
  running_ = ended_ = false;
  marker_ = {};
  update();
}

void SpiralSearchPanel::setRunning(bool running) {
  if (running) {
    marker_ = {};
    ended_ = false;
  } else if (running_) {
    ended_ = true;
  }
  running_ = running;
  update();
}

void SpiralSearchPanel::showOffset(int x, int y) {
  if (ended_) return;
  marker_ = {x / kCountsPerPixel, y / kCountsPerPixel};
  update();
}

// The centre is at (width / 2, height / 2); the cross stays on the field.
QPoint SpiralSearchPanel::marker() const {
  const int left = -(width() / 2), top = -(height() / 2);
  return {std::clamp(marker_.x(), left, left + width() - 1), std::clamp(marker_.y(), top, top + height() - 1)};
}

// The grid's dots run outwards from the centre into all four quadrants.
void SpiralSearchPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  const QPoint centre(width() / 2, height() / 2);
  painter.setPen(kGridColour);
  for (int dx = 0; centre.x() + dx < width(); dx += kGridStep) {
    for (int dy = 0; centre.y() + dy < height(); dy += kGridStep) {
      for (const QPoint& p : {centre + QPoint(dx, dy), centre + QPoint(-dx, dy), centre + QPoint(dx, -dy),
                              centre + QPoint(-dx, -dy)}) {
        painter.drawPoint(p);
      }
    }
  }
  if (!active_) return;
  painter.setPen(kAxisColour);
  painter.drawLine(0, centre.y(), width(), centre.y());
  painter.drawLine(centre.x(), 0, centre.x(), height());
  painter.setPen(ended_ ? kEndedCrossColour : kCrossColour);
  const QPoint at = centre + marker();
  painter.drawLine(at - QPoint(kCrossArm, 0), at + QPoint(kCrossArm, 0));
  painter.drawLine(at - QPoint(0, kCrossArm), at + QPoint(0, kCrossArm));
}

}  // namespace celvaro
