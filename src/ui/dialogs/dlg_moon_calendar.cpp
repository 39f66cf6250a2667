#include "ui/dialogs/dlg_moon_calendar.h"

#include <QLineEdit>

#include <cstdio>

#include "app/app_model.h"
#include "astro/zone_time.h"
#include "model/text_ids.h"
#include "ui/dialogs/moon_calendar_panel.h"
#include "ui/dialogs/range_check.h"

namespace celvaro {

void DlgMoonCalendar::onInitDialog() {
  window()->setWindowTitle(text(text_id::kMoonCalendarTitle, "Moon phase calendar"));
  grid()->addWidget(label(90, text(text_id::kAidLabelFirst, "Month (yyyy.mm)")), 0, 0);
  grid()->addWidget(edit(kMonth, ""), 0, 1);
  grid()->addWidget(button(kUpdate, text(text_id::kAidLabelFirst + 1, "Show")), 0, 2);
  grid()->addWidget(button(kPrevious, "<"), 0, 3);
  grid()->addWidget(button(kNext, ">"), 0, 4);
  grid()->addWidget(new MoonCalendarPanel(resources(), model_.moonImage, model_.moonCalendar, window()), 1, 0, 1, 5);
  grid()->addWidget(label(kQuarters, ""), 2, 0, 1, 5);
  grid()->setRowStretch(1, 1);
  static_cast<QPushButton*>(control(kUpdate))->setDefault(true);
  showMonth(model_.local.year, model_.local.month);
}

// A month before the first or after the last year is refused.
bool DlgMoonCalendar::showMonth(int year, int month) {
  if (month < 1) --year, month = 12;
  if (month > 12) ++year, month = 1;
  const RangedField yearField{kCalendarYearRange, kDateFieldNames.firstTextId, kDateFieldNames.english[0]};
  if (!acceptInRange(window(), resources(), year, yearField)) {
    return false;
  }
  char monthText[32];
  std::snprintf(monthText, sizeof monthText, "%04d.%02d", year, month);
  shownMonth_ = monthText;
  setItemText(kMonth, shownMonth_);
  model_.moonCalendar = moonMonth(year, month);
  control(MoonCalendarPanel::kControlId)->update();
  setItemText(kQuarters, quartersText(year, month));
  return true;
}

// "Local time" and a line for each quarter of the month: its name, the
// date and the clock time.
std::string DlgMoonCalendar::quartersText(int year, int month) {
  constexpr int kLocalTime = 8, kFirstQuarterName = 22;
  constexpr const char* kNames[4] = {"New Moon", "First quarter", "Full Moon", "Last quarter"};
  std::string lines = text(text_id::kAidLabelFirst + kLocalTime, "Local time").toStdString();
  for (const MoonPhaseInstant& p : moonPhasesOf(year, month, model_.place)) {
    lines += "\n" + text(text_id::kAidLabelFirst + kFirstQuarterName + p.quarter, kNames[p.quarter]).toStdString() +
             ": " + dateTimeText(p.julianDateUt, &model_.place).substr(0, 16);
  }
  return lines;
}

// The typed month ("2026.02"), or the one before or after it; a month that
// does not exist leaves the month shown, and its text, as they were.
void DlgMoonCalendar::update(int step) {
  const auto fields = dateFields(control<QLineEdit>(kMonth)->text().toStdString(), kDateSeparators, 2);
  const std::optional<ChartDate> typed = acceptDate(window(), resources(), fields, kDateFieldNames, kCalendarYearRange);
  if (!typed || !showMonth(typed->year, typed->month + step)) setItemText(kMonth, shownMonth_);
}

void DlgMoonCalendar::onCommand(int id, int code, QWidget* control) {
  if (id == kUpdate) update(0);
  else if (id == kPrevious || id == kNext) update(id == kNext ? 1 : -1);
  else FwDialogBase::onCommand(id, code, control);
}

}  // namespace celvaro
