#include "ui/dialogs/dlg_comets.h"

#include <QGridLayout>
#include <QLineEdit>

#include <cmath>

#include "astro/calendar.h"
#include "astro/text_forms.h"
#include "model/text_ids.h"

namespace celvaro {

namespace {

constexpr DateFieldNames kPerihelionNames{14521, {"Perihelion year", "Perihelion month", "Perihelion day"}};
// The day keeps four decimals: the last moment of a month's last day.
constexpr double kLastDayFraction = 0.9999;

}  // namespace

// A comet's perihelion lies beyond the Sun's surface; an eccentricity above
// 1 is a hyperbolic orbit, and comets seen so far stay well below 10.
std::array<DecimalRow, 5> DlgComets::elementRows() {
  return {{{kFirstElement, 14524, "Perihelion distance q (AU)", &comet_.q, {0.0001, 1000}},
           {kFirstElement + 1, 14525, "Eccentricity e", &comet_.e, {0, 10}},
           {kFirstElement + 2, 14526, "Inclination i (degrees)", &comet_.iDeg, {0, 180}},
           {kFirstElement + 3, 14527, "Argument of perihelion \u03c9 (degrees)", &comet_.wDeg, {0, 360}},
           {kFirstElement + 4, 14528, "Longitude of the ascending node \u03a9 (degrees)", &comet_.nodeDeg, {0, 360}}}};
}

void DlgComets::onInitDialog() {
  window()->setWindowTitle(text(text_id::kUserCometTitle, "User comet"));
  labelledEdit(kName, text(14520, "Name"), QString::fromStdString(comet_.name), 0);
  const auto name = [this](int field) { return text(kPerihelionNames.firstTextId + field, kPerihelionNames.english[field]); };
  labelledEdit(kYear, name(0), QString::number(comet_.year), 1);
  labelledEdit(kMonth, name(1), QString::number(comet_.month), 2);
  labelledEdit(kDay, name(2), QString::fromStdString(showFixed(comet_.dayTenThousandths, 4)), 3);
  const int row = decimalFields(elementRows(), 4);
  grid()->addWidget(checkBox(kShown, text(14529, "Show on the chart"), comet_.shown != 0), row, 0);
  grid()->addWidget(checkBox(kEditElements, text(14530, "Edit the orbital elements"), false), row, 1);
  if (outdatedAt(comet_, julianDayOf(chartDate_))) {
    grid()->addWidget(label(kOutdated, text(text_id::kOutdatedElements, kOutdatedEnglish)), row + 1, 0, 1, 2);
  }
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
  if (id == kIdOk && !readBack()) return;
  FwDialogBase::onCommand(id, code, control);
}

// A perihelion date that does not exist (30 February, a 13th month) or an
// element off its range is refused by name, and the comet stays as it was.
// The day may carry a fraction: 28.6884 is 16:30 on the 28th.
bool DlgComets::readBack() {
  const std::vector<std::string> fields = {control<QLineEdit>(kYear)->text().toStdString(),
                                           control<QLineEdit>(kMonth)->text().toStdString()};
  const std::optional<ChartDate> date = acceptDate(window(), resources(), fields, kPerihelionNames);
  if (!date) return false;
  const ValueRange days{1, daysInChartMonth(date->year, date->month) + kLastDayFraction};
  const std::optional<double> day = typedNumber(kDay, {days, kPerihelionNames.firstTextId + 2, kPerihelionNames.english[2]});
  if (!day || !readDecimals(elementRows())) return false;
  comet_.name = itemText(kName);
  comet_.year = date->year;
  comet_.month = date->month;
  comet_.dayTenThousandths = static_cast<int>(std::lround(*day * 10000));
  comet_.shown = isChecked(kShown) ? 1 : 0;
  return true;
}

}  // namespace celvaro
