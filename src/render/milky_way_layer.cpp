#include "render/milky_way_layer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "catalog/sky_regions.h"
#include "output/rendering_output.h"
#include "projection/transformer.h"
#include "render/sky_area_clipper.h"

namespace celvaro {

MilkyWayLayer::MilkyWayLayer(const MilkyWay& milkyWay, RenderingOutput& output, iTransformer& transformer,
                             const OutputArea& area, double visibilityLimit)
    : milkyWay_(milkyWay), output_(output), transformer_(transformer), area_(area), visibilityLimit_(visibilityLimit) {}

namespace {

// Refraction lifts a point by at most 35' across the horizon of a
// horizontal chart.
constexpr double kHorizonSlackRad = std::numbers::pi / 180;

}  // namespace

// A ring adds nothing to the chart when all of it lies beyond the chart's
// reach and wholly on one side of the horizon of the projection: in sight,
// it falls outside the chart; out of sight, it is not drawn. A ring that
// crosses the horizon is joined along it, and may enclose the chart.
bool MilkyWayLayer::mayShow(const MilkyWay::Ring& ring, double reach, double horizon) const {
  int32_t x = 0, y = 0;
  double depth = 0;
  transformer_.projectManyVectors(&ring.centre[0], &ring.centre[1], &ring.centre[2], 0, 1, &x, &y, &depth);
  const double distance = std::acos(std::clamp(depth, -1.0, 1.0));
  const bool beyondReach = distance - ring.radiusRad > reach;
  const bool inSight = distance + ring.radiusRad < horizon - kHorizonSlackRad;
  const bool outOfSight = distance - ring.radiusRad > horizon + kHorizonSlackRad;
  return !beyondReach || !(inSight || outOfSight);
}

// Level k of n has the brightness k / n, the brightest 1.
void MilkyWayLayer::draw() {
  const std::vector<MilkyWay::Level>& levels = milkyWay_.levels();
  SkyAreaClipper clipper(transformer_, visibilityLimit_, area_);
  const double reach = chartReachRadians(area_, transformer_);
  const double horizon = std::acos(std::clamp(visibilityLimit_, -1.0, 1.0));
  AreaRings area;
  for (size_t k = 0; k < levels.size(); ++k) {
    for (const MilkyWay::Ring& ring : levels[k]) {
      if (mayShow(ring, reach, horizon)) clipper.addRing(ring.x.data(), ring.y.data(), ring.z.data(), ring.size());
    }
    clipper.takeArea(area);
    output_.milkyWayArea(static_cast<double>(k + 1) / levels.size(), area);
  }
}

}  // namespace celvaro
