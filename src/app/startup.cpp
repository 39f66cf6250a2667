#include "app/startup.h"

#include "app/app_model.h"
#include "app/ui_resources.h"

namespace celvaro {

void loadStartLanguage(UiResources& resources, const std::function<int()>& askUser) {
  int language = resources.readLanguageChoice();
  if (language == kLanguageNone) language = askUser ? askUser() : kLanguageNone;
  if (language == kLanguageNone) language = kEnglish;
  resources.loadLanguage(language);
}

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
  model.resources().saveLanguageChoice();
  model.saveConfiguration();
  model.clock().clearListeners();
}

}  // namespace celvaro
