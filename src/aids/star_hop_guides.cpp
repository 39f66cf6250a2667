#include "aids/star_hop_guides.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "astro/coordinates.h"
#include "catalog/sky_polylines.h"
#include "platform/binary_file.h"

namespace celvaro {
namespace {

constexpr int kMinRouteFieldArcmin = 600, kMaxRouteFieldArcmin = 6000;
constexpr double kRouteFieldMargin = 2.6;  // the field's width over the route's radius

const uint8_t* recordOf(const AidFileBlocks& blocks, const AidFileFormat& format, int index) {
  if (index < 0 || static_cast<uint32_t>(index) >= blocks.recordCount) return nullptr;
  return blocks.records.data() + size_t{format.recordBytes} * index;
}

}  // namespace

// The centre is the mean of the steps' directions.
RouteView routeView(const std::vector<StarHopPoint>& points) {
  if (points.empty()) return {};
  double x = 0, y = 0, z = 0;
  for (const StarHopPoint& p : points) {
    x += std::cos(p.decRad) * std::cos(p.raRad), y += std::cos(p.decRad) * std::sin(p.raRad), z += std::sin(p.decRad);
  }
  RouteView view;
  view.raRad = std::atan2(y, x);
  if (view.raRad < 0) view.raRad += 2 * std::numbers::pi;
  view.decRad = std::atan2(z, std::hypot(x, y));
  double radius = 0;
  for (const StarHopPoint& p : points) {
    radius = std::max(radius, separationAndAngle(view.raRad, view.decRad, p.raRad, p.decRad, false).arcmin);
  }
  view.fieldArcmin = std::clamp(static_cast<int>(radius * kRouteFieldMargin), kMinRouteFieldArcmin, kMaxRouteFieldArcmin);
  return view;
}

int StarHopGuides::loadStarHops(const std::string& path) { return readAidFile(path, kStarHopFormat, routes_); }

int StarHopGuides::loadSkyGuide(const std::string& path) {
  selection_.clear();
  return readAidFile(path, kSkyGuideFormat, guide_);
}

int32_t StarHopGuides::routeObject(int route) const {
  const uint8_t* record = recordOf(routes_, kStarHopFormat, route);
  return record ? static_cast<int32_t>(loadU32(record + 8)) : 0;
}

int StarHopGuides::routeTo(int32_t object) const {
  for (int route = 0; route < routeCount(); ++route) {
    if (routeObject(route) == object) return route;
  }
  return -1;
}

std::vector<StarHopPoint> StarHopGuides::routePoints(int route) const {
  const uint8_t* record = recordOf(routes_, kStarHopFormat, route);
  if (!record) return {};
  const uint64_t first = loadU32(record), count = loadU32(record + 4);
  if (count < 2 || first + count > routes_.unitCount) return {};
  std::vector<StarHopPoint> points;
  for (uint64_t i = first; i < first + count; ++i) {
    const uint8_t* point = routes_.units.data() + i * kStarHopFormat.unitBytes;
    points.push_back({loadF64(point), loadF64(point + 8)});
  }
  return points;
}

void StarHopGuides::routeLine(int route, SkyPolylines& line) const {
  line.clear();
  const std::vector<StarHopPoint> points = routePoints(route);
  for (size_t i = 0; i < points.size(); ++i) line.add(i == 0 ? 0 : 1, points[i].raRad, points[i].decRad);
}

SkyGuideEntry StarHopGuides::entry(int index) const {
  const uint8_t* record = recordOf(guide_, kSkyGuideFormat, index);
  if (!record) return {};
  SkyGuideEntry e;
  e.difficulty = record[0];
  e.type = record[1];
  if (e.type == kSuggestDouble) {
    // Byte 11 ends the key, whatever it holds.
    e.doubleStarKey.assign(reinterpret_cast<const char*>(record + 4), 7);
    e.doubleStarKey.resize(std::strlen(e.doubleStarKey.c_str()));
  } else {
    e.deepskyCode = static_cast<int32_t>(loadU32(record + 4));
    e.deepskyNumber = static_cast<int32_t>(loadU32(record + 8));
  }
  e.name = nameAt(loadU32(record + 12));
  return e;
}

std::u16string StarHopGuides::nameAt(uint32_t offset) const {
  std::u16string name;
  for (size_t unit = offset; unit < guide_.unitCount; ++unit) {
    const char16_t c = loadU16(guide_.units.data() + 2 * unit);
    if (c == 0) return name;
    name += c;
  }
  return {};  // no end inside the text block
}

}  // namespace celvaro
