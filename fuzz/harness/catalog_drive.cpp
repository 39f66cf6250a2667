#include "catalog_drive.h"

#include <algorithm>
#include <vector>

#include "catalog/deepsky_data.h"
#include "catalog/double_star_data.h"
#include "catalog/star_info_file.h"
#include "catalog/variable_star_data.h"
#include "fuzz_chart.h"
#include "fuzz_files.h"
#include "render/chart_renderer.h"
#include "render/magnitude_limits.h"

namespace celvaro::fuzz {
namespace {

constexpr int kQueriedObjects = 32;

// Everything on: all deep-sky levels with both labels and the per-type
// rules, double- and variable-star labels with every part.
void switchEverythingOn(ChartSettings& s) {
  s.deepskyMode = 2, s.deepskyManualLevel = 10;
  s.deepskySecondLabels = 1, s.deepskyPerType = 1, s.deepskyPerTypeLabels = 1;
  s.needDoubleLabels = 1;
  s.variableLabelWithType = 1, s.variableLabelWithRange = 1;
  s.needStarFlamsteed = 1, s.needStarAbbreviation = 1;
}

template <typename Catalog>
void queryObjects(const Catalog& catalog) {
  const int count = std::min(catalog.count(), kQueriedObjects);
  std::vector<StarInfoItem> items;
  for (int index = -1; index <= count; ++index) {
    StarPosition position;
    catalog.getPosition(index, position);
    std::string designation;
    catalog.getDesignation(index, designation);
    catalog.readObjectInfo(index, items);
  }
}

void queryDeepsky(const iDeepskyData& deepsky) {
  std::vector<StarInfoItem> items;
  std::u16string text;
  for (int index = -1; index <= kQueriedObjects; ++index) {
    for (int language = 1; language <= 4; ++language) deepsky.formatDesignation(index, text, language, true, true);
    deepsky.readObjectInfo(index, items);
  }
}

}  // namespace

SkyCatalogs catalogsFromParts(std::string_view input, std::initializer_list<const char*> paths) {
  const auto parts = splitParts(input, paths.size());
  size_t part = 0;
  for (const char* path : paths) writeScratchFile(path, parts[part++]);
  return SkyCatalogs(scratchDirectory());
}

void drawCatalogCharts(SkyCatalogs& catalogs, SkyFocus focus) {
  for (const int fieldArcmin : {10800, 600, 60}) {
    FuzzChart chart(focus.raDeg, focus.decDeg, fieldArcmin);
    switchEverythingOn(chart.settings);
    computeMagnitudeLimits(chart.settings);
    chart.output.loadStarSizes(chart.settings.starLimitHundredths, 9, 1);
    ChartRenderer renderer(&catalogs, &chart.output, &chart.transformer, &chart.area, &chart.settings,
                           &chart.options);
    renderer.drawChart({true});
  }
}

void queryCatalogs(SkyCatalogs& catalogs, std::initializer_list<const char*> designations) {
  StarPosition found;
  for (const char* text : designations) {
    if (catalogs.deepsky()) catalogs.deepsky()->findByDesignation(text, found);
    if (catalogs.doubleStars()) catalogs.doubleStars()->findByDesignation(text, found);
    if (catalogs.variableStars()) catalogs.variableStars()->findByDesignation(text, found);
  }
  if (catalogs.deepsky()) queryDeepsky(*catalogs.deepsky());
  if (catalogs.doubleStars()) queryObjects(*catalogs.doubleStars());
  if (catalogs.variableStars()) queryObjects(*catalogs.variableStars());
}

}  // namespace celvaro::fuzz
