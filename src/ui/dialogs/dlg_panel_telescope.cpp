#include "ui/dialogs/dlg_panel_telescope.h"

#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>

#include "app/app_model.h"
#include "astro/zone_time.h"
#include "model/text_ids.h"
#include "ui/dialogs/control_texts.h"
#include "ui/telescope_readouts.h"

namespace celvaro {
namespace {

constexpr ControlText kTexts[] = {
    {DlgPanelTelescope::kEditPlace, text_id::kObservingPlaceTitle, "Observing place"},  // no Alt key: the menus own them
    {DlgPanelTelescope::kTime - 10, 14716, "Local time:"},
};

// Escape would close a dialog; the panel is part of the main window and
// stays until its menu command hides it.
class KeepOpen : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject*, QEvent* event) override {
    return event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
  }
};

}  // namespace

DlgPanelTelescope::DlgPanelTelescope(UiResources& resources, AppModel& model)
    : TelescopeDialogBase(resources, model, model.handOver.dialogListeners.telescopePanel) {}

void DlgPanelTelescope::onInitDialog() {
  grid()->addWidget(label(kPlace, ""), 0, 0);
  grid()->addWidget(button(kEditPlace, {}), 0, 1);
  grid()->addWidget(label(kTime - 10, {}), 1, 0);
  grid()->addWidget(label(kTime, ""), 1, 1);
  addTelescopeControls(2);
  showOwnTexts();
  grid()->setRowStretch(grid()->rowCount(), 1);
  observingPlaceChanged();
}

QWidget* DlgPanelTelescope::embed(QWidget* parent) {
  QDialog* panel = create(parent);
  panel->setWindowFlags(Qt::Widget);
  panel->installEventFilter(new KeepOpen(panel));
  panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  return panel;
}

void DlgPanelTelescope::setShown(bool shown) {
  window()->setVisible(shown);
  if (shown) attach();
  else detach();
}

void DlgPanelTelescope::showOwnTexts() { showControlTexts(*this, resources(), kTexts); }

bool DlgPanelTelescope::drivenByGamepad() { return model().handOver.dialogListeners.controlPanel == nullptr; }

void DlgPanelTelescope::onCommand(int id, int code, QWidget* control) {
  if (id != kEditPlace) {
    TelescopeDialogBase::onCommand(id, code, control);
  } else if (iMainWindowCallback* main = model().mainWindow()) {
    main->editObservingPlace();
    main->refresh();
  }
}

void DlgPanelTelescope::showClock(double, double julianDate) {
  setItemText(kTime, clockDateText(clockDate(julianDate, zoneOffset(model().place, julianDate))));
}

void DlgPanelTelescope::observingPlaceChanged() {
  const ObservingPlace& place = model().place;
  setItemText(kPlace, QString::asprintf("%.2f\u00b0, %.2f\u00b0", place.latitudeDeg, place.longitudeDeg).toStdString());
}

}  // namespace celvaro
