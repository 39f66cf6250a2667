#include "ui/difference_graph.h"

#include <QPainter>

namespace celvaro {
namespace {

constexpr int kGridStep = 4;
// Red alone, so the graph is as safe for the dark-adapted eye as night vision.
const QColor kGridColour(96, 0, 0);
const QColor kZeroColour(160, 0, 0);
const QColor kTraceColour(255, 0, 0);

}  // namespace

DifferenceGraph::DifferenceGraph(QWidget* parent) : QWidget(parent) {
  setProperty("windowClass", kWindowClass);
  setMinimumSize(200, 64);
}

void DifferenceGraph::addSample(int value) {
  ring_[write_] = static_cast<int8_t>(value);
  write_ = (write_ + 1) % kRingSize;
  if (count_ < kMostCounted) ++count_;
  update();
}

int DifferenceGraph::newest(int age) const { return ring_[(write_ - 1 - age + 2 * kRingSize) % kRingSize]; }

std::vector<QPoint> DifferenceGraph::trace(int width, int height) const {
  std::vector<QPoint> points;
  const int middle = height / 2;
  const int start = count_ >= width ? width - 1 : count_;
  for (int age = 0; age < count_ && start - age >= 0; ++age) points.emplace_back(start - age, middle - newest(age));
  return points;
}

// Dots every 4 pixels from the zero line up and down.
void DifferenceGraph::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  const int middle = height() / 2;
  painter.setPen(kGridColour);
  for (int x = 0; x < width(); x += kGridStep) {
    for (int dy = kGridStep; middle + dy < height(); dy += kGridStep) {
      painter.drawPoint(x, middle + dy);
      painter.drawPoint(x, middle - dy);
    }
  }
  painter.setPen(kZeroColour);
  painter.drawLine(0, middle, width(), middle);
  const std::vector<QPoint> points = trace(width(), height());
  painter.setPen(kTraceColour);
  if (points.size() > 1) painter.drawPolyline(points.data(), static_cast<int>(points.size()));
}

}  // namespace celvaro
