#include "render/layer_statistics.h"

namespace celvaro {
namespace {

constexpr int kRouteLineStyle = 23;

// The line layers by their group names.
const std::map<std::string, std::string, std::less<>> kLineGroups = {
    {"constlines", "constlines"}, {"constboundaries", "constboundaries"}, {"equatorialgrid", "grid"},
    {"ecliptic line", "ecliptic"}, {"horizon", "horizon"}};

}  // namespace

const std::vector<std::string>& LayerStatistics::layerNames() {
  static const std::vector<std::string> names = {
      "stars",    "starlabels", "doubles",         "variables",  "deepsky",  "solarsystem", "constlines",
      "constboundaries", "constnames", "grid", "ecliptic", "horizon", "route", "milkyway"};
  return names;
}

int LayerStatistics::count(const std::string& layer) const {
  auto found = counts_.find(layer);
  return found == counts_.end() ? 0 : found->second;
}

bool LayerStatistics::begin(const std::string& fileName, PageSize page, const OutputArea& area) {
  const bool begun = inner_.begin(fileName, page, area);
  setClipRectangle(-area.width / 2, -area.height / 2, area.width / 2, area.height / 2);
  starSizes_ = inner_.starSizes();
  return begun;
}

void LayerStatistics::selectPen(int lineStyle) {
  lineStyle_ = lineStyle;
  inner_.selectPen(lineStyle);
}

void LayerStatistics::segment() {
  if (auto found = kLineGroups.find(group()); found != kLineGroups.end()) {
    ++counts_[found->second];
  } else if (group().empty() && lineStyle_ == kRouteLineStyle) {
    ++counts_["route"];
  }
}

void LayerStatistics::polyLineTo(int32_t x, int32_t y) {
  segment();
  inner_.polyLineTo(x, y);
}

void LayerStatistics::polyFinish(int32_t x, int32_t y, bool close) {
  segment();
  inner_.polyFinish(x, y, close);
}

void LayerStatistics::line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  segment();
  inner_.line(x1, y1, x2, y2);
}

void LayerStatistics::text(int32_t x, int32_t y, int32_t dx, int32_t dy, int textClass, std::string_view text) {
  if (textClass == kConstellationNames) ++counts_["constnames"];
  inner_.text(x, y, dx, dy, textClass, text);
}

}  // namespace celvaro
