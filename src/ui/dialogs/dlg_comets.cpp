#include "ui/dialogs/dlg_comets.h"

#include <QGridLayout>

#include "app/text_ids.h"
#include "astro/text_forms.h"
#include "platform/number_text.h"

namespace celvaro {

std::array<DecimalRow, 5> DlgComets::elementRows() {
  return {{{kFirstElement, 14524, "Perihelion distance q (AU)", &comet_.q},
           {kFirstElement + 1, 14525, "Eccentricity e", &comet_.e},
           {kFirstElement + 2, 14526, "Inclination i (degrees)", &comet_.iDeg},
           {kFirstElement + 3, 14527, "Argument of perihelion \u03c9 (degrees)", &comet_.wDeg},
           {kFirstElement + 4, 14528, "Longitude of the ascending node \u03a9 (degrees)", &comet_.nodeDeg}}};
}

void DlgComets::onInitDialog() {
  window()->setWindowTitle(text(text_id::kUserCometTitle, "User comet"));
  labelledEdit(kName, text(14520, "Name"), QString::fromStdString(comet_.name), 0);
  labelledEdit(kYear, text(14521, "Perihelion year"), QString::number(comet_.year), 1);
  labelledEdit(kMonth, text(14522, "Perihelion month"), QString::number(comet_.month), 2);
  labelledEdit(kDay, text(14523, "Perihelion day"), QString::fromStdString(showFixed(comet_.dayTenThousandths, 4)), 3);
  const int row = decimalFields(elementRows(), 4);
  grid()->addWidget(checkBox(kShown, text(14529, "Show on the chart"), comet_.shown != 0), row, 0);
  grid()->addWidget(checkBox(kEditElements, text(14530, "Edit the orbital elements"), false), row, 1);
  enableElements();
  addOkCancel();
}

void DlgComets::enableElements() {
  const bool on = isChecked(kEditElements);
  for (int id : {kYear, kMonth, kDay}) control(id)->setEnabled(on);
  for (const DecimalRow& r : elementRows()) control(r.id)->setEnabled(on);
}

void DlgComets::onCommand(int id, int code, QWidget* control) {
  if (id == kEditElements) enableElements();
  if (id == kIdOk) readBack();
  FwDialogBase::onCommand(id, code, control);
}

// Fields that do not parse read as 0.
void DlgComets::readBack() {
  comet_.name = itemText(kName);
  comet_.year = leadingInt(itemText(kYear));
  comet_.month = leadingInt(itemText(kMonth));
  comet_.dayTenThousandths = readFixed(itemText(kDay), 4);
  readDecimals(elementRows());
  comet_.shown = isChecked(kShown) ? 1 : 0;
}

}  // namespace celvaro
