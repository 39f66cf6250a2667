// The observing-place dialog: a city from the list, or latitude, longitude
// and time zone typed in, and daylight saving; or the zone's name in the
// time-zone database, whose rules then give both.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "astro/observing_place.h"
#include "ui/dialog_framework.h"

namespace celvaro {

// A city as the list keeps it.
struct CityChoice {
  std::string name;
  int latitudeHundredthDeg;
  int longitudeHundredthDeg;
  int timeZoneMinutes;
  std::string timeZone{};  // the time-zone database's name, or empty
};

class DlgObservingPlace final : public FwDialogBase {
 public:
  static constexpr int kListMode = 100, kCities = 101, kManualMode = 110;
  static constexpr int kLatitude = 111, kLongitude = 112, kTimeZone = 113, kZoneName = 114, kDaylightSaving = 200;

  DlgObservingPlace(UiResources& resources, ObservingPlace& place, const std::vector<CityChoice>& cities)
      : FwDialogBase(resources), place_(place), cities_(cities) {}
  int resourceId() const override { return 600; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

 private:
  void enableMode();
  // The typed place, written back only when every field holds a number in its range.
  bool readPlace();
  void showCity(int index);
  // With a zone named, its rules set the offset and daylight saving.
  void enableZoneFields();
  // The typed zone name, or none after the message that refuses it.
  std::optional<std::string> typedZoneName();
  ObservingPlace& place_;
  const std::vector<CityChoice>& cities_;
};

}  // namespace celvaro
