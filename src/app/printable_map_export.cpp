#include "app/printable_map_export.h"

#include "app/app_model.h"

namespace celvaro {

bool exportPrintableMap(AppModel& model, const PrintableMap& map) {
  const ChartSources sources{model.catalogs(), &model.ecliptic, &model.horizon, &model.route,
                             model.resources().languageId()};
  return exportChart(printableMapExport(map, model.chart, sources, programPrintColours(model.programDir())));
}

}  // namespace celvaro
