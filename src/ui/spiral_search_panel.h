// The spiral-search panel (window class "control_scope_spiralsearch"): a
// black field with a dotted grid where a cross shows how far the mount has
// gone from the spiral's start, one pixel for 12 motor counts, kept within
// the field. While a spiral runs the cross follows it; when it ends the
// cross stays, dimmed, where the spiral ended.
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
  // From the spiral's start until it ends or is replaced.
  void setRunning(bool running);
  bool running() const { return running_; }
  // The offsets of axis 1 and axis 2 from the spiral's start, in counts;
  // taken only while a spiral runs or before any ran.
  void showOffset(int x, int y);
  // The cross's offset from the centre in pixels, within the field.
  QPoint marker() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool active_ = false;
  bool running_ = false;
  bool ended_ = false;  // a spiral ran and ended: later offsets are stale
  QPoint marker_;
};

}  // namespace celvaro
