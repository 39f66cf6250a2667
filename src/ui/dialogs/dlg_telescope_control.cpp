#include "ui/dialogs/dlg_telescope_control.h"

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>

#include "app/app_model.h"
#include "astro/zone_time.h"
#include "model/text_ids.h"
#include "ui/dialogs/control_texts.h"
#include "ui/telescope_readouts.h"

namespace celvaro {
namespace {

using D = DlgTelescopeControl;

// The clock captions carry the ids of their values + 10.
constexpr ControlText kTexts[] = {
    {kWindowTitle, text_id::kTelescopeControlTitle, "Controlling telescope"},
    {D::kLocalTime + 10, 14716, "Local time:"},
    {D::kUniversalTime + 10, 14717, "UT:"},
    {D::kJulianDate + 10, 14718, "JD:"},
    {D::kSiderealTime + 10, 14719, "Local Sidereal time:"},
    {D::kTransparency - 1, 14715, "Transparency"},
    {kIdCancel, text_id::kButtonClose, "Close"},
};

}  // namespace

DlgTelescopeControl::DlgTelescopeControl(UiResources& resources, AppModel& model)
    : TelescopeDialogBase(resources, model, model.handOver.dialogListeners.controlPanel) {}

void DlgTelescopeControl::onInitDialog() {
  int row = addTelescopeControls(0);
  row = addClockRows(row);
  grid()->addWidget(label(kTransparency - 1, {}), row, 0);
  grid()->addWidget(scrollSlider(kTransparency, 0, kMaxTransparency, 0), row, 1);
  grid()->addWidget(button(kIdCancel, {}), row + 1, 1);
  showOwnTexts();
  QObject::connect(window(), &QDialog::finished, window(), [this] { detach(); });
}

void DlgTelescopeControl::showOwnTexts() { showControlTexts(*this, resources(), kTexts); }

// The local time, UT, the Julian date and the local sidereal time.
int DlgTelescopeControl::addClockRows(int row) {
  auto* box = new QGroupBox(window());
  auto* clock = new QGridLayout(box);
  for (int i = 0; i < 4; ++i) {
    clock->addWidget(label(kLocalTime + 10 + i, {}), i, 0);
    clock->addWidget(label(kLocalTime + i, ""), i, 1);
  }
  grid()->addWidget(box, row, 0, 1, 2);
  return row + 1;
}

void DlgTelescopeControl::onHScroll(int id, int position) {
  if (id == kTransparency) window()->setWindowOpacity(1.0 - position / 100.0);
}

void DlgTelescopeControl::showClock(double localSiderealHours, double julianDate) {
  setItemText(kLocalTime, clockDateText(clockDate(julianDate, zoneOffset(model().place, julianDate))));
  setItemText(kUniversalTime, clockDateText(clockDate(julianDate, 0)));
  setItemText(kJulianDate, julianText(julianDate));
  setItemText(kSiderealTime, siderealText(localSiderealHours));
}

void DlgTelescopeControl::showOver(QWidget* parent) {
  create(parent);
  attach();
  window()->show();
  window()->raise();
  window()->activateWindow();
}

}  // namespace celvaro
