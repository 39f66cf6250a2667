#include "app/finder_chart.h"

#include <algorithm>
#include <utility>

#include "aids/star_hop_guides.h"
#include "app/app_model.h"
#include "app/map_title.h"
#include "app/model_object_info.h"
#include "astro/coordinates.h"
#include "platform/data_paths.h"
#include "render/chart_renderer.h"
#include "render/fov_overlay.h"

namespace celvaro {
namespace {

// The information's lines as "caption: value", the route's taken out: it
// goes over the wide chart that draws it.
struct FinderTexts {
  std::vector<std::string> notes;
  std::string route;
};

FinderTexts finderTexts(AppModel& model, const FoundObject& found, int route) {
  const std::string routeWords = route >= 0 ? starHopRouteText(model, route) : std::string();
  FinderTexts texts;
  for (const ObjectProperty& p : informationLines(objectInformation(model, found), model.resources())) {
    std::string& into = !routeWords.empty() && p.value == routeWords ? texts.route : texts.notes.emplace_back();
    into = p.caption + ": " + p.value;
  }
  return texts;
}

// One of the page's charts: the map's export with the area and field given.
ChartExport finderPart(const ChartExport& map, const OutputArea& area, int fieldArcmin) {
  ChartExport part = map;
  part.area = area;
  part.settings.fieldArcmin = fieldArcmin;
  part.settings.scaleHalfFieldArcmin = part.settings.scaleHalfExtent = 0;
  return part;
}

}  // namespace

int closeFieldArcmin(const FovOverlay& overlay) {
  if (!overlay.shown) return FinderFields::kCloseArcmin;
  const int widest = std::max({overlay.cameraWidth, overlay.cameraHeight, 2 * overlay.totalFieldRadius});
  if (widest <= 0) return FinderFields::kCloseArcmin;
  return std::clamp(widest * 2 / 100, 1, FinderFields::kWideArcmin);  // hundredths of an arcminute
}

int routeEndingAt(const StarHopGuides& routes, double raRad, double decRad) {
  for (int route = 0; route < routes.routeCount(); ++route) {
    const std::vector<StarHopPoint> points = routes.routePoints(route);
    if (!points.empty() && separationAndAngle(points.back().raRad, points.back().decRad, raRad, decRad, false).arcmin < 1) {
      return route;
    }
  }
  return -1;
}

std::vector<ChartExport> finderChartParts(AppModel& model, const FoundObject& found, const PrintableMap& map,
                                          SkyPolylines& routeLine) {
  model.starHops.loadStarHops(resolveDataPath(model.programDir(), StarHopGuides::kRoutesPath));
  const int route = routeEndingAt(model.starHops, found.position.raRad, found.position.decRad);
  routeLine.clear();
  if (route >= 0) model.starHops.routeLine(route, routeLine);
  FinderTexts texts = finderTexts(model, found, route);
  std::vector<std::string> title = mapTitleLines(mapTitleOf(model, FinderFields::kWideArcmin), model.resources());
  if (!texts.route.empty()) title.push_back(texts.route);
  const int closeField = closeFieldArcmin(model.fov.shown);
  // The close chart's own field and limits come first among its notes.
  texts.notes.insert(texts.notes.begin(), mapTitleLines(mapTitleOf(model, closeField), model.resources()).back());
  const int noteRows = 1 + static_cast<int>(texts.notes.size()) / 2;  // the field's line across both columns
  const StackedAreas areas = stackedAreas(map, static_cast<int>(title.size()), noteRows);
  if (areas.lower.height <= 0) return {};

  const ChartSources sources{model.catalogs(), &model.ecliptic, &model.horizon, &routeLine,
                             model.resources().languageId()};
  const ChartExport page = printableMapExport(map, model.chart, sources, programPrintColours(model.programDir()));
  std::vector<ChartExport> parts{finderPart(page, areas.upper, FinderFields::kWideArcmin),
                                 finderPart(page, areas.lower, closeField)};
  for (ChartExport& part : parts) {
    part.settings.showRoute = route >= 0 ? 1 : 0;
    part.fovOverlay = model.fov.shown;
    part.fovOverlay.centreRaRad = found.position.raRad;
    part.fovOverlay.centreDecRad = found.position.decRad;
  }
  parts[0].titleLines = std::move(title);
  parts[1].titleLines = std::move(texts.notes);
  parts[1].titleColumns = 2;
  return parts;
}

bool exportFinderChart(AppModel& model, const FoundObject& found, const PrintableMap& map) {
  SkyPolylines routeLine;
  std::vector<ChartExport> parts = finderChartParts(model, found, map, routeLine);
  return !parts.empty() && exportCharts(std::move(parts));
}

}  // namespace celvaro
