// A scrolling graph of guide corrections (window class
// "control_autoguider_difference_graph"): a ring of the last 2560 samples,
// drawn newest at the right, one pixel a sample and a unit a pixel, up
// positive; until the window is full the trace grows from the left.
#pragma once

#include <QPoint>
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

namespace celvaro {

class DifferenceGraph : public QWidget {
 public:
  static constexpr const char* kWindowClass = "control_autoguider_difference_graph";
  static constexpr int kRingSize = 2560;
  static constexpr int kMostCounted = kRingSize - 1;

  explicit DifferenceGraph(QWidget* parent);

  // Adds a sample, kept as a signed 8-bit value, and repaints.
  void addSample(int value);
  int count() const { return count_; }
  int writePosition() const { return write_; }
  // The sample `age` places before the newest (0 the newest), age < count().
  int newest(int age) const;
  // The trace's points, newest first, for a window of that size.
  std::vector<QPoint> trace(int width, int height) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::array<int8_t, kRingSize> ring_{};
  int write_ = 0;
  int count_ = 0;
};

}  // namespace celvaro
