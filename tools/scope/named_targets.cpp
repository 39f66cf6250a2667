#include "tools/scope/named_targets.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/app_model.h"
#include "app/configuration.h"
#include "app/object_finder.h"
#include "app/startup.h"
#include "app/ui_resources.h"

namespace celvaro::scope {

bool findNamedTargets(ScopeScript& script, const std::string& programDir, std::string& error) {
  const auto named = [](const ScopeCommand& c) { return !c.object.empty(); };
  if (std::none_of(script.commands.begin(), script.commands.end(), named)) return true;
  UiResources resources;
  resources.setProgramDir(programDir);
  const int chosen = resources.readLanguageChoice();
  resources.loadLanguage(chosen != kLanguageNone ? chosen : kEnglish);
  AppModel model(programDir, configurationPath(programDir), resources);
  model.loadConfiguration();
  applyPlaceOptions(script.placeTime, model.place);
  model.setUniversalDate(instantOf(script.placeTime));
  if (!loadChartData(model)) {
    error = "no star catalog in " + programDir + "/data (--program-dir names the directory that holds data/)";
    return false;
  }
  ObjectFinder finder(*model.catalogs(), model.chart.minorPlanetLists, resources.languageId());
  for (ScopeCommand& command : script.commands) {
    if (!named(command)) continue;
    const auto found = finder.find(command.object);
    if (!found) {
      error = "no object called '" + command.object + "'";
      return false;
    }
    command.designation = found->designation;
    command.raHours = std::fmod(found->position.raRad * 12 / std::numbers::pi + 24, 24);
    command.decDeg = found->position.decRad * 180 / std::numbers::pi;
  }
  return true;
}

}  // namespace celvaro::scope
