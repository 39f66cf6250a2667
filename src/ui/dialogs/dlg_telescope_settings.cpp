#include "ui/dialogs/dlg_telescope_settings.h"

#include <cmath>

#include "app/settings_records.h"
#include "app/text_ids.h"
#include "ui/dialogs/range_check.h"

namespace celvaro {
namespace {

// Degrees of hour angle either side of the meridian.
constexpr const char* kEastWestSwapEnglish = "East-west swap position (degrees)";

}  // namespace

void DlgTelescopeSettings::onInitDialog() {
  window()->setWindowTitle(text(text_id::kTelescopeSettingsTitle, "Telescope settings"));
  const int row = addScopeRows(0);
  labelledEdit(kEastWestSwap, text(text_id::kEastWestSwapLabel, kEastWestSwapEnglish),
               QString::number(settings().eastWestSwapPosition), row);
  addOkCancel();
}

// A swap position the mount does not take is refused by name, and the
// dialog stays.
void DlgTelescopeSettings::onCommand(int id, int code, QWidget* control) {
  if (id == kIdOk) {
    const int swap = static_cast<int>(std::lround(decimalValue(kEastWestSwap)));
    const RangedField field{kEastWestSwapRange, text_id::kEastWestSwapLabel, kEastWestSwapEnglish};
    if (!acceptInRange(window(), resources(), swap, field)) return;
    settings().eastWestSwapPosition = swap;
  }
  DlgTelescopeConnect::onCommand(id, code, control);
}

}  // namespace celvaro
