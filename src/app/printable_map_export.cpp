#include "app/printable_map_export.h"

#include <utility>

#include "app/app_model.h"
#include "app/map_title.h"

namespace celvaro {

bool exportPrintableMap(AppModel& model, const PrintableMap& map) {
  const ChartSources sources{model.catalogs(), &model.ecliptic, &model.horizon, &model.route,
                             model.resources().languageId()};
  ChartExport job = printableMapExport(map, model.chart, sources, programPrintColours(model.programDir()));
  job.titleLines = mapTitleLines(mapTitleOf(model), model.resources());
  job.fovOverlay = model.fov.shown;
  return exportChart(std::move(job));
}

}  // namespace celvaro
