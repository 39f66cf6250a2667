// A printable map of the chart a model shows, written without any window.
#pragma once

#include "render/chart_export.h"

namespace celvaro {

class AppModel;

// Writes the printable map of the chart on screen: the model's chart
// settings, catalogs, lines and print colours, its title in the model's
// language and the field-of-view overlay when it is on the chart. False
// when the file could not be written whole.
bool exportPrintableMap(AppModel& model, const PrintableMap& map);

}  // namespace celvaro
