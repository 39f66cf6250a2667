#include "ui/dialogs/dlg_telescope_settings.h"

#include <cmath>

#include "app/text_ids.h"

namespace celvaro {

void DlgTelescopeSettings::onInitDialog() {
  window()->setWindowTitle(text(text_id::kTelescopeSettingsTitle, "Telescope settings"));
  const int row = addScopeRows(0);
  labelledEdit(kEastWestSwap, text(text_id::kEastWestSwapLabel, "East-west swap position (hours)"),
               QString::number(settings().eastWestSwapPosition), row);
  addOkCancel();
}

void DlgTelescopeSettings::onCommand(int id, int code, QWidget* control) {
  if (id == kIdOk) settings().eastWestSwapPosition = static_cast<int>(std::lround(decimalValue(kEastWestSwap)));
  DlgTelescopeConnect::onCommand(id, code, control);
}

}  // namespace celvaro
