// The chart window: paints the chart through the application model into a
// backing image, and turns keys, the wheel and the mouse into navigation,
// picking, the pointer's tooltip and the context menu.
#pragma once

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include "app/chart_navigator.h"
#include "app/main_window_callback.h"
#include "ui/text_layouts.h"

namespace celvaro {

class AppModel;

class ChartWindow final : public QWidget, public iChartView {
 public:
  static constexpr int kTooltipTickMs = 200;
  static constexpr int kTooltipCountdown = 5;
  static constexpr int kDragThreshold = 9;  // pixels, larger of |dx| and |dy|
  static constexpr int kTooltipLeave = 6;

  // Context-menu commands.
  enum Command { kCentre = 100, kCentreField30 = 101, kCentreField5 = 102, kObjectInfo = 103, kFovOverlay = 107 };

  ChartWindow(AppModel& model, QWidget* parent);

  // iChartView: draws the chart into the backing image and shows it at once.
  void repaintNow() override;
  void drawOnChart(const std::function<void(Canvas&)>& draw) override;

  ChartNavigator& navigator() { return navigator_; }
  const QImage& image() const { return image_; }
  // Runs a context-menu command at a point of the chart window.
  void contextCommand(int command, QPoint at);
  // Runs a navigation key (Page Up and Down, the arrows, the keypad's plus
  // and minus); false for any other key.
  bool navigateByKey(const QKeyEvent& event);
  // Where the pointer is stays unknown until it moves on the chart again,
  // as after a dialog opened or closed; a shown tooltip goes.
  void forgetPointer();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool event(QEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  enum class TooltipState { kOff, kReady, kWaiting, kShown, kSuppressed };
  bool imageFitsWindow() const;
  void render();
  // After a view change: repaint now and let the main window rewrite the status bar.
  void afterNavigation(bool changed);
  void tooltipTick();
  void hideTooltip();
  // The chart changed under the pointer: a shown name no longer applies.
  void chartChanged();

  AppModel& model_;
  ChartNavigator navigator_;
  QImage image_;
  TextLayouts layouts_;  // the labels' texts, kept from one drawing to the next
  bool leftDown_ = false;
  QPoint pressAt_;
  QTimer tooltipTimer_;
  TooltipState tooltipState_ = TooltipState::kOff;
  int countdown_ = 0;
  bool pointerKnown_ = false;
  QPoint pointer_, lastTickPointer_, shownAt_{-1, -1};
};

}  // namespace celvaro
