#include "ui/dialogs/dlg_moon_calendar.h"

#include <cstdio>

#include "app/app_model.h"
#include "app/text_ids.h"
#include "astro/text_forms.h"
#include "ui/dialogs/moon_calendar_panel.h"

namespace celvaro {

void DlgMoonCalendar::onInitDialog() {
  window()->setWindowTitle(text(text_id::kMoonCalendarTitle, "Moon phase calendar"));
  grid()->addWidget(label(90, text(text_id::kAidLabelFirst, "Month (yyyy.mm)")), 0, 0);
  grid()->addWidget(edit(kMonth, ""), 0, 1);
  grid()->addWidget(button(kUpdate, text(text_id::kAidLabelFirst + 1, "Show")), 0, 2);
  grid()->addWidget(button(kPrevious, "<"), 0, 3);
  grid()->addWidget(button(kNext, ">"), 0, 4);
  grid()->addWidget(new MoonCalendarPanel(resources(), model_.moonImage, model_.moonCalendar, window()), 1, 0, 1, 5);
  grid()->setRowStretch(1, 1);
  static_cast<QPushButton*>(control(kUpdate))->setDefault(true);
  showMonth(model_.local.year, model_.local.month);
}

void DlgMoonCalendar::showMonth(int year, int month) {
  if (month < 1) --year, month = 12;
  if (month > 12) ++year, month = 1;
  char monthText[32];
  std::snprintf(monthText, sizeof monthText, "%04d.%02d", year, month);
  setItemText(kMonth, monthText);
  model_.moonCalendar = moonMonth(year, month);
  control(MoonCalendarPanel::kControlId)->update();
}

// Year and month as the date fields read them; a month outside 1..12 is
// brought into the year.
void DlgMoonCalendar::update() {
  const ChartDate typed = readDateTime(itemText(kMonth), std::nullopt);
  showMonth(typed.year, std::clamp(typed.month, 1, 12));
}

void DlgMoonCalendar::onCommand(int id, int code, QWidget* control) {
  if (id == kUpdate) update();
  else if (id == kPrevious || id == kNext) {
    update();
    const ChartDate shown = readDateTime(itemText(kMonth), std::nullopt);
    showMonth(shown.year, shown.month + (id == kNext ? 1 : -1));
  } else FwDialogBase::onCommand(id, code, control);
}

}  // namespace celvaro
