#include "ui/dialogs/dlg_telescope_control.h"

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>

#include "app/app_model.h"
#include "app/text_ids.h"
#include "astro/zone_time.h"
#include "ui/telescope_readouts.h"

namespace celvaro {

DlgTelescopeControl::DlgTelescopeControl(UiResources& resources, AppModel& model)
    : TelescopeDialogBase(resources, model, model.dialogListeners.controlPanel) {}

void DlgTelescopeControl::onInitDialog() {
  window()->setWindowTitle(text(text_id::kTelescopeControlTitle, "Controlling telescope"));
  int row = addTelescopeControls(0);
  row = addClockRows(row);
  grid()->addWidget(label(kTransparency - 1, text(14715, "Transparency")), row, 0);
  grid()->addWidget(scrollSlider(kTransparency, 0, kMaxTransparency, 0), row, 1);
  grid()->addWidget(button(kIdCancel, text(text_id::kButtonClose, "Close")), row + 1, 1);
  QObject::connect(window(), &QDialog::finished, window(), [this] { detach(); });
}

// "Local time:", "UT:", "JD:" and "Local Sidereal time:" with their values;
// the captions carry the ids of the values + 10.
int DlgTelescopeControl::addClockRows(int row) {
  const char* captions[] = {"Local time:", "UT:", "JD:", "Local Sidereal time:"};
  auto* box = new QGroupBox(window());
  auto* clock = new QGridLayout(box);
  for (int i = 0; i < 4; ++i) {
    clock->addWidget(label(kLocalTime + 10 + i, text(14716 + i, captions[i])), i, 0);
    clock->addWidget(label(kLocalTime + i, ""), i, 1);
  }
  grid()->addWidget(box, row, 0, 1, 2);
  return row + 1;
}

void DlgTelescopeControl::onHScroll(int id, int position) {
  if (id == kTransparency) window()->setWindowOpacity(1.0 - position / 100.0);
}

void DlgTelescopeControl::showClock(double localSiderealHours, double julianDate) {
  setItemText(kLocalTime, clockDateText(clockDate(julianDate, zoneOffset(model().place))));
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
