#include "app/model_object_info.h"

#include "app/app_model.h"
#include "app/chart_navigator.h"
#include "app/object_finder.h"
#include "solarsystem/ephemeris.h"

namespace celvaro {
namespace {

// What names a picked object as the status bar shows it; empty before the
// catalogs are loaded.
std::string designationOf(AppModel& model, const PickResult& pick) {
  std::string text;
  if (SkyCatalogs* catalogs = model.catalogs()) appendObjectText(*catalogs, pick, model.resources().languageId(), text);
  return text;
}

}  // namespace

ObjectInfoInputs objectInfoInputs(AppModel& model) {
  return ObjectInfoInputs{model.resources(), julianDayOf(model.universal), model.place,    model.chartSky(),
                          model.catalogs(),  model.starInfo,             model.starHops, model.programDir()};
}

std::optional<ObjectInformation> objectInformation(AppModel& model) {
  if (!model.selectionValid || !model.lastCentringTarget.valid) return std::nullopt;
  const Selection& selection = model.selection;
  const CentringTarget& target = model.lastCentringTarget;
  PickResult pick{true, selection.kind, selection.index, selection.subIndex};
  pick.raRad = target.raRad;
  pick.decRad = target.decRad;
  return objectInformation(objectInfoInputs(model), pick, designationOf(model, pick));
}

// A find the catalogs know is named as the chart names it; without the
// catalogs, and for a find that is no catalog object, by the search's own
// designation.
ObjectInformation objectInformation(AppModel& model, const FoundObject& found) {
  PickResult pick{true, found.pickKind, found.position.index, -1};
  pick.raRad = found.position.raRad;
  pick.decRad = found.position.decRad;
  const ObjectInfoInputs inputs = objectInfoInputs(model);
  if (inputs.catalogs && found.star) return objectInformation(inputs, pick, *found.star);
  const bool named = inputs.catalogs && found.pickKind != kPickNothing;
  return objectInformation(inputs, pick, named ? designationOf(model, pick) : found.designation);
}

std::string starHopRouteText(AppModel& model, int route) { return starHopRouteText(objectInfoInputs(model), route); }

}  // namespace celvaro
