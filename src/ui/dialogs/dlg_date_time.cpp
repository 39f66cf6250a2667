#include "ui/dialogs/dlg_date_time.h"

#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>

#include <cstdio>

#include "astro/calendar.h"
#include "astro/text_forms.h"
#include "astro/zone_time.h"
#include "model/text_ids.h"
#include "platform/system_time.h"
#include "solarsystem/ephemeris.h"
#include "ui/dialogs/range_check.h"

namespace celvaro {

std::string dateTimeText(const ChartDate& d) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d.%02d.%02d/%02d:%02d", d.year, d.month, d.day, d.hour, d.minute);
  return text;
}

// --- one date and time --------------------------------------------------------------

namespace {

// The last minute of the last year the date fields take, 9999-12-31 23:59.
constexpr double kLastJulianDate = 5373484.5 - 1.0 / 1440;

}  // namespace

void DlgSetDateTime::onInitDialog() {
  window()->setWindowTitle(text(text_id::kSetDateTimeTitle, "Set date and time"));
  const int values[] = {date_.year, date_.month, date_.day, date_.hour, date_.minute};
  for (int i = 0; i < 5; ++i) {
    grid()->addWidget(label(90 + i, text(kDateFieldNames.firstTextId + i, kDateFieldNames.english[i])), 0, i);
    grid()->addWidget(edit(kYear + i, QString::number(values[i])), 1, i);
  }
  addOkCancel();
}

// A date that does not exist (a 13th month, a 31st of June, 29 February of
// a common year, an hour of 24) is refused field by field, naming the field
// and its range, so the date shown is always the date used.
bool DlgSetDateTime::readDate() {
  std::vector<std::string> fields;
  for (int i = 0; i < 5; ++i) fields.push_back(control<QLineEdit>(kYear + i)->text().toStdString());
  const std::optional<ChartDate> date = acceptDate(window(), resources(), fields);
  if (date) date_ = *date;
  return date.has_value();
}

void DlgSetDateTime::onCommand(int id, int code, QWidget* control) {
  if (id == kIdOk && !readDate()) return;
  FwDialogBase::onCommand(id, code, control);
}

// --- the chart's date and time ----------------------------------------------------

void DlgDateTime::onInitDialog() {
  window()->setWindowTitle(text(text_id::kDateTimeTitle, "Date and time"));
  grid()->addWidget(label(90, text(14200, "Local time")), 0, 0);
  grid()->addWidget(label(kLocalText, ""), 0, 1);
  grid()->addWidget(button(kSetLocal, text(14202, "Set local time...")), 0, 2);
  grid()->addWidget(label(91, text(14201, "Universal time (UT)")), 1, 0);
  grid()->addWidget(label(kUniversalText, ""), 1, 1);
  grid()->addWidget(button(kSetUniversal, text(14203, "Set universal time...")), 1, 2);
  grid()->addWidget(checkBox(kDaylightSaving, text(14206, "Daylight saving time"), place_.daylightSaving != 0), 2, 0);
  grid()->addWidget(button(kByJulianDate, text(14204, "By Julian date...")), 2, 1);
  grid()->addWidget(button(kSystemTime, text(14205, "Computer clock")), 2, 2);
  showDates();
  addOkCancel();
}

// A place with a named zone shows the daylight saving its rules give for
// the instant, which the box cannot change.
void DlgDateTime::showDates() {
  setItemText(kLocalText, dateTimeText(local_));
  setItemText(kUniversalText, dateTimeText(universal_));
  if (place_.timeZoneName.empty()) return;
  ObservingPlace ruled = place_;
  followZoneRules(ruled, julianDayOf(universal_));
  setChecked(kDaylightSaving, ruled.daylightSaving != 0);
  control(kDaylightSaving)->setEnabled(false);
}

ObservingPlace DlgDateTime::currentPlace() {
  ObservingPlace place = place_;
  place.daylightSaving = isChecked(kDaylightSaving) ? 1 : 0;
  return place;
}

// The universal instant stays; the local clock follows the zone and the
// daylight-saving box.
void DlgDateTime::setUniversal(const ChartDate& universal) {
  universal_ = universal;
  local_ = universalToLocal(universal_, currentPlace());
}

// The Julian date is typed like every other number of the dialogs (a
// decimal comma or point), starting from the chart's; a refused text is
// offered again to mend.
std::optional<double> DlgDateTime::askJulianDate() {
  const RangedField field{{0, kLastJulianDate}, text_id::kJulianDateTitle, "Julian date"};
  QString typed = QString::number(julianDayOf(universal_), 'f', 5);
  for (;;) {
    bool ok = false;
    typed = QInputDialog::getText(window(), text(text_id::kJulianDateTitle, "Julian date"),
                                  text(text_id::kJulianDatePrompt, "Enter the Julian date:"), QLineEdit::Normal, typed,
                                  &ok);
    if (!ok) return std::nullopt;
    if (const std::optional<double> jd = acceptTyped(window(), resources(), typed.toStdString(), field)) return jd;
  }
}

void DlgDateTime::onCommand(int id, int code, QWidget* control) {
  switch (id) {
    case kSetLocal: {
      ChartDate date = local_;
      if (DlgSetDateTime(resources(), date).runModal(window()) == 1) {
        local_ = date;
        universal_ = localToUniversal(local_, currentPlace());
      }
      break;
    }
    case kSetUniversal: {
      ChartDate date = universal_;
      if (DlgSetDateTime(resources(), date).runModal(window()) == 1) setUniversal(date);
      break;
    }
    case kByJulianDate: {
      if (const std::optional<double> jd = askJulianDate()) setUniversal(chartDateOfJulian(*jd));
      break;
    }
    // The computer's zone may not be the place's: its universal time is the
    // instant, and the place's zone gives the local time.
    case kSystemTime: {
      const CalendarTime u = systemUniversalTime();
      setUniversal({u.year, u.month, u.day, u.hour, u.minute, double(u.second)});
      break;
    }
    case kDaylightSaving:
      setUniversal(universal_);
      break;
    case kIdOk:
      place_.daylightSaving = isChecked(kDaylightSaving) ? 1 : 0;
      break;
    default:
      break;
  }
  showDates();
  FwDialogBase::onCommand(id, code, control);
}

}  // namespace celvaro
