// The object-information window's contents for the application: the
// model's selection, a search's find and a star-hop route, gathered from
// what the model holds.
#pragma once

#include <optional>
#include <string>

#include "aids/object_info.h"

namespace celvaro {

class AppModel;
struct FoundObject;

// What the information is gathered from at the model's chart instant and
// place, in the current language.
ObjectInfoInputs objectInfoInputs(AppModel& model);

// The information on the model's selection at its last centring target;
// none when nothing is selected.
std::optional<ObjectInformation> objectInformation(AppModel& model);
// The information on a search's find, as the window shows the same object
// picked on the chart; a star found by any of its designations shows its
// identifications and facts.
ObjectInformation objectInformation(AppModel& model, const FoundObject& found);

// The text of star-hop route `route` in the current language.
std::string starHopRouteText(AppModel& model, int route);

}  // namespace celvaro
