// The spiral-search panel (window class "control_scope_spiralsearch"): a
// black field with a dotted grid where a cross shows how far the mount has
// gone from the spiral's start, one pixel for 12 motor counts.
#pragma once

#include <QPoint>
#include <QWidget>

namespace celvaro {

class SpiralSearchPanel : public QWidget {
 public:
  static constexpr const char* kWindowClass = "control_scope_spiralsearch";
  static constexpr int kCountsPerPixel = 12;

  explicit SpiralSearchPanel(QWidget* parent);

  // Switched on or off with the mount's spiral search; the cross goes back
  // to the centre.
  void setActive(bool active);
  bool active() const { return active_; }
  // The offsets of axis 1 and axis 2 from the spiral's start, in counts.
  void showOffset(int x, int y);
  QPoint marker() const { return marker_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool active_ = false;
  QPoint marker_;
};

}  // namespace celvaro
