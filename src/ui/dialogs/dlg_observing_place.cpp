#include "ui/dialogs/dlg_observing_place.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>

#include "app/ui_resources.h"
#include "astro/text_forms.h"
#include "model/text_ids.h"
#include "platform/number_text.h"
#include "platform/time_zone_rules.h"

namespace celvaro {

void DlgObservingPlace::onInitDialog() {
  window()->setWindowTitle(text(text_id::kObservingPlaceTitle, "Observing place"));
  const bool fromList = place_.cityIndex >= 0;
  grid()->addWidget(radioButton(kListMode, text(14400, "A city from the list"), fromList), 0, 0);
  QComboBox* cities = comboBox(kCities);
  for (size_t i = 0; i < cities_.size(); ++i) cities->addItem(QString::fromStdString(cities_[i].name), static_cast<int>(i));
  grid()->addWidget(cities, 0, 1);
  grid()->addWidget(radioButton(kManualMode, text(14401, "Typed in"), !fromList), 1, 0);
  const char* names[] = {"Latitude (degrees, north +)", "Longitude (degrees, east +)", "Time zone (hours, east +)"};
  const double values[] = {place_.latitudeDeg, place_.longitudeDeg, place_.timeZoneHours};
  for (int i = 0; i < 3; ++i) {
    grid()->addWidget(label(95 + i, text(14402 + i, names[i])), 2 + i, 0);
    grid()->addWidget(edit(kLatitude + i, QString::fromStdString(formatSixDecimals(values[i]))), 2 + i, 1);
  }
  grid()->addWidget(label(98, text(text_id::kZoneNameLabel, "Time-zone rules (e.g. Europe/Budapest)")), 5, 0);
  grid()->addWidget(edit(kZoneName, QString::fromStdString(place_.timeZoneName)), 5, 1);
  grid()->addWidget(checkBox(kDaylightSaving, text(14206, "Daylight saving time"), place_.daylightSaving != 0), 6, 1);
  if (fromList && place_.cityIndex < cities->count()) cities->setCurrentIndex(place_.cityIndex);
  enableMode();
  control(kManualMode)->setFocus();
  addOkCancel();
}

void DlgObservingPlace::enableMode() {
  const bool fromList = isChecked(kListMode);
  control(kCities)->setEnabled(fromList);
  for (int id : {kLatitude, kLongitude, kTimeZone, kZoneName}) control(id)->setEnabled(!fromList);
  enableZoneFields();
}

void DlgObservingPlace::enableZoneFields() {
  const bool ruled = !control<QLineEdit>(kZoneName)->text().trimmed().isEmpty();
  control(kTimeZone)->setEnabled(!ruled && isChecked(kManualMode));
  control(kDaylightSaving)->setEnabled(!ruled);
}

// An empty name leaves the zone and daylight saving as typed; another must
// name a zone of the computer's time-zone database.
std::optional<std::string> DlgObservingPlace::typedZoneName() {
  const std::string name = control<QLineEdit>(kZoneName)->text().trimmed().toStdString();
  if (!name.empty() && !TimeZoneRules::named(name)) {
    const QString message = QString::fromStdString(
        resources().textOr(text_id::kUnknownZoneMessage, "%1 is no time zone of this computer's time-zone database."));
    QMessageBox::warning(window(), QString::fromStdString(resources().textOr(text_id::kErrorCaption, "Error")),
                         message.arg(QString::fromStdString(name)));
    return std::nullopt;
  }
  return name;
}

// A city's place: latitude and longitude in hundredths of a degree, the time
// zone in minutes shown as hundredths of an hour.
void DlgObservingPlace::showCity(int index) {
  if (index < 0 || static_cast<size_t>(index) >= cities_.size()) return;
  const CityChoice& city = cities_[index];
  setItemText(kLatitude, showFixed(city.latitudeHundredthDeg, 2));
  setItemText(kLongitude, showFixed(city.longitudeHundredthDeg, 2));
  setItemText(kTimeZone, showFixed(city.timeZoneMinutes * 100 / 60, 2));
  setItemText(kZoneName, city.timeZone);
  enableZoneFields();
}

// A text that is not wholly a number ("Budapest", "47.5x") or a number off
// the Earth or beyond its time zones is refused, naming the field; the
// decimal comma counts as the point ("47,5" is 47.5).
bool DlgObservingPlace::readPlace() {
  const DecimalRow fields[] = {
      {kLatitude, text_id::kLatitudeName, "Latitude", &place_.latitudeDeg, kLatitudeRange},
      {kLongitude, text_id::kLongitudeName, "Longitude", &place_.longitudeDeg, kLongitudeRange},
      {kTimeZone, text_id::kTimeZoneName, "Time zone", &place_.timeZoneHours, kTimeZoneRange}};
  const std::optional<std::string> zone = typedZoneName();
  if (!zone || !readDecimals(fields)) return false;
  place_.timeZoneName = *zone;
  place_.cityIndex = isChecked(kManualMode) ? -1 : control<QComboBox>(kCities)->currentIndex();
  place_.daylightSaving = isChecked(kDaylightSaving) ? 1 : 0;
  return true;
}

void DlgObservingPlace::onCommand(int id, int code, QWidget* control) {
  if (id == kListMode || id == kManualMode) enableMode();
  if (id == kCities && code == kSelectionChanged) showCity(this->control<QComboBox>(kCities)->currentIndex());
  if (id == kZoneName && code == kTextChanged) enableZoneFields();
  if (id == kIdOk && !readPlace()) return;
  FwDialogBase::onCommand(id, code, control);
}

}  // namespace celvaro
