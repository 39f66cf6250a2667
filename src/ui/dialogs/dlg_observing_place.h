// The observing-place dialog: a city from the list, or latitude, longitude
// and time zone typed in, and daylight saving.
#pragma once

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
};

class DlgObservingPlace final : public FwDialogBase {
 public:
  static constexpr int kListMode = 100, kCities = 101, kManualMode = 110;
  static constexpr int kLatitude = 111, kLongitude = 112, kTimeZone = 113, kDaylightSaving = 200;

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
  ObservingPlace& place_;
  const std::vector<CityChoice>& cities_;
};

}  // namespace celvaro
