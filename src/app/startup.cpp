#include "app/startup.h"

#include "app/app_model.h"

namespace celvaro {

void runDataLoad(AppModel& model) {
  // The clock runs for the telescope side, from the observing place's longitude.
  model.clock().setLongitude(model.place.longitudeDeg);
  model.clock().start();
  model.displaySwitches.fill(1);
  model.chart.latitudeDeg = model.place.latitudeDeg;
  model.chart.longitudeDeg = model.place.longitudeDeg;
  model.timeChanged();
  model.applyView();
}

void runShutdown(AppModel& model) {
  model.saveConfiguration();
  model.clock().clearListeners();
}

}  // namespace celvaro
