#include "ui/chart_window.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <cstdlib>

#include "app/app_model.h"
#include "model/text_ids.h"
#include "ui/qt_canvas.h"

namespace celvaro {
namespace {

constexpr int kMouseWheelOff = 0, kMouseWheelZooms = 1;
constexpr int kContextField30 = 1800, kContextField5 = 300;

}  // namespace

ChartWindow::ChartWindow(AppModel& model, QWidget* parent) : QWidget(parent), model_(model), navigator_(model) {
  setObjectName("chartwindow");
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  tooltipTimer_.setInterval(kTooltipTickMs);
  connect(&tooltipTimer_, &QTimer::timeout, this, [this] { tooltipTick(); });
  tooltipTimer_.start();
}

// The backing image has the screen's pixels: the widget's size times the
// device pixel ratio Qt reports, so that discs, lines and labels keep their
// size to the eye on a dense screen and stay sharp.
bool ChartWindow::imageFitsWindow() const {
  const qreal ratio = devicePixelRatioF();
  return image_.devicePixelRatio() == ratio && image_.size() == (QSizeF(size()) * ratio).toSize();
}

void ChartWindow::render() {
  if (!imageFitsWindow()) {
    const qreal ratio = devicePixelRatioF();
    image_ = QImage((QSizeF(size()) * ratio).toSize(), QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
  }
  if (image_.isNull()) return;
  QtCanvas canvas(image_, &layouts_);
  model_.paintChart(canvas);
}

void ChartWindow::repaintNow() {
  render();
  repaint();
  chartChanged();
}

void ChartWindow::drawOnChart(const std::function<void(Canvas&)>& draw) {
  if (image_.isNull()) return;
  {
    QtCanvas canvas(image_);
    draw(canvas);
  }
  repaint();
}

void ChartWindow::paintEvent(QPaintEvent*) {
  if (!imageFitsWindow()) render();
  QPainter(this).drawImage(0, 0, image_);
}

void ChartWindow::resizeEvent(QResizeEvent*) {
  model_.setChartSize(width(), height());
  render();
}

void ChartWindow::afterNavigation(bool changed) {
  if (!changed) return;
  model_.redrawChart();
  if (iMainWindowCallback* main = model_.mainWindow()) main->refresh();
}

void ChartWindow::keyPressEvent(QKeyEvent* event) {
  if (!navigateByKey(*event)) QWidget::keyPressEvent(event);
}

bool ChartWindow::navigateByKey(const QKeyEvent& event) {
  const bool shift = event.modifiers() & Qt::ShiftModifier;
  const bool keypad = event.modifiers() & Qt::KeypadModifier;
  switch (event.key()) {
    case Qt::Key_PageUp: afterNavigation(navigator_.zoom(true)); return true;
    case Qt::Key_PageDown: afterNavigation(navigator_.zoom(false)); return true;
    case Qt::Key_Left: afterNavigation(navigator_.pan(PanDirection::kLeft, shift)); return true;
    case Qt::Key_Right: afterNavigation(navigator_.pan(PanDirection::kRight, shift)); return true;
    case Qt::Key_Up: afterNavigation(navigator_.pan(PanDirection::kUp, shift)); return true;
    case Qt::Key_Down: afterNavigation(navigator_.pan(PanDirection::kDown, shift)); return true;
    case Qt::Key_Plus:
    case Qt::Key_Minus:
      if (!keypad) return false;
      afterNavigation(navigator_.stepStarLimit(event.key() == Qt::Key_Plus ? 1 : -1));
      return true;
    default:
      return false;
  }
}

void ChartWindow::wheelEvent(QWheelEvent* event) {
  const int function = model_.navigation.mouseWheelFunction;
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const int delta = event->angleDelta().y();
  if (function == kMouseWheelOff || (function != kMouseWheelZooms && !ctrl) || delta == 0) return;
  afterNavigation(navigator_.zoom(delta > 0));
}

void ChartWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  leftDown_ = true;
  pressAt_ = event->position().toPoint();
  std::string description;
  const bool had = model_.selectionValid;
  if (navigator_.selectAt(pressAt_.x(), pressAt_.y(), description) || had != model_.selectionValid) {
    if (iMainWindowCallback* main = model_.mainWindow()) {
      main->setStatusText(description);
      main->selectionChanged();
    }
    model_.redrawChart();  // the selection marker moves
  }
}

void ChartWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !leftDown_) return;
  leftDown_ = false;
  setFocus();
  const QPoint moved = event->position().toPoint() - pressAt_;
  if (std::max(std::abs(moved.x()), std::abs(moved.y())) <= kDragThreshold) return;
  afterNavigation(navigator_.dragBy(moved.x(), moved.y()));
}

void ChartWindow::mouseMoveEvent(QMouseEvent* event) {
  pointer_ = event->position().toPoint();
  pointerKnown_ = true;
  if (tooltipState_ == TooltipState::kSuppressed) {
    tooltipState_ = TooltipState::kReady;
  } else if (tooltipState_ == TooltipState::kShown) {
    const QPoint away = pointer_ - shownAt_;
    if (std::max(std::abs(away.x()), std::abs(away.y())) > kTooltipLeave) {
      hideTooltip();
      tooltipState_ = TooltipState::kReady;
    }
  }
}

// The pointer's tooltip: the name of the object under a pointer that has
// rested for five ticks.
void ChartWindow::tooltipTick() {
  if (!pointerKnown_) return;
  switch (tooltipState_) {
    case TooltipState::kReady:
      lastTickPointer_ = pointer_;
      countdown_ = kTooltipCountdown;
      tooltipState_ = TooltipState::kWaiting;
      break;
    case TooltipState::kWaiting: {
      if (pointer_ != lastTickPointer_) {
        lastTickPointer_ = pointer_;
        countdown_ = kTooltipCountdown;
      } else if (countdown_ == 1) {
        const std::string name = navigator_.nameAt(pointer_.x(), pointer_.y());
        const bool moved = pointer_.x() != shownAt_.x() && pointer_.y() != shownAt_.y();
        if (!name.empty() && moved && pointer_.y() > 2) {
          QToolTip::showText(mapToGlobal(pointer_), QString::fromStdString(name), this);
          shownAt_ = pointer_;
          tooltipState_ = TooltipState::kShown;
        } else {
          tooltipState_ = TooltipState::kSuppressed;
        }
      } else {
        --countdown_;
      }
      break;
    }
    default:
      break;
  }
}

void ChartWindow::hideTooltip() { QToolTip::hideText(); }

void ChartWindow::chartChanged() {
  hideTooltip();
  shownAt_ = {-1, -1};
  if (tooltipState_ == TooltipState::kShown || tooltipState_ == TooltipState::kSuppressed) {
    tooltipState_ = TooltipState::kReady;
  }
}

void ChartWindow::forgetPointer() {
  hideTooltip();
  pointerKnown_ = false;
  if (tooltipState_ != TooltipState::kOff) tooltipState_ = TooltipState::kReady;
}

// The main window's activation makes the tooltip usable; deactivation hides it.
bool ChartWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) {
    hideTooltip();
    tooltipState_ = event->type() == QEvent::WindowActivate ? TooltipState::kReady : TooltipState::kOff;
  }
  return QWidget::event(event);
}

void ChartWindow::leaveEvent(QEvent*) { forgetPointer(); }

void ChartWindow::contextMenuEvent(QContextMenuEvent* event) {
  UiResources& r = model_.resources();
  QMenu menu(this);
  const QPoint at = event->pos();
  auto add = [&](int command, int textId, const char* fallback) {
    QAction* action = menu.addAction(QString::fromStdString(r.textOr(textId, fallback)));
    action->setObjectName(QStringLiteral("cmd%1").arg(command));
    connect(action, &QAction::triggered, this, [this, command, at] { contextCommand(command, at); });
    return action;
  };
  add(kCentre, text_id::kContextMenuFirst, "Centre here");
  add(kCentreField30, text_id::kContextMenuFirst + 1, "Centre here, field 30°");
  add(kCentreField5, text_id::kContextMenuFirst + 2, "Centre here, field 5°");
  menu.addSeparator();
  add(kObjectInfo, text_id::kContextMenuFirst + 3, "Object info...");
  add(kFovOverlay, text_id::kContextMenuFovOverlay, "Field of view on the selection")
      ->setEnabled(model_.lastCentringTarget.valid);
  menu.exec(event->globalPos());
}

void ChartWindow::contextCommand(int command, QPoint at) {
  switch (command) {
    case kFovOverlay:
      model_.fov.showAtSelection();
      return;
    case kObjectInfo:
      if (iMainWindowCallback* main = model_.mainWindow()) main->showObjectInfo();
      return;
    case kCentre:
      afterNavigation(navigator_.centreAt(at.x(), at.y()));
      return;
    case kCentreField30:
    case kCentreField5:
      if (!navigator_.centreAt(at.x(), at.y())) return;
      navigator_.setField(command == kCentreField30 ? kContextField30 : kContextField5);
      afterNavigation(true);
      return;
    default:
      return;
  }
}

}  // namespace celvaro
