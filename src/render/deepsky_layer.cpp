#include "render/deepsky_layer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>

#include "catalog/deepsky_data.h"
#include "model/chart_settings.h"
#include "output/render_options.h"
#include "output/rendering_output.h"
#include "projection/transformer.h"

namespace celvaro {
namespace {

// Half the major axis, per hundredth of an arcminute of the full axis: 0.3".
constexpr double kHalfAxisRadPerHundredthArcmin = 1.45444104e-06;
constexpr int32_t kMaxGalaxyLabelOffset = 500;
// Objects wider than this share of the chart's shorter side, or than this
// many smallest nebula symbols, are outlined: a square that size would
// hide the stars it holds.
constexpr int32_t kLargeShareOfChart = 16, kLargeNebulaSymbols = 3;

// The line style of each type's symbol (by the type whose settings it uses).
int lineStyleOf(int type) {
  switch (type) {
    case kGalaxy: return 10;
    case kGlobularCluster: return 11;
    case kOpenCluster: case kAsterism: return 12;
    case kClusterWithNebula: return 14;
    case kPlanetaryNebula: return 15;
    case kBrightNebula: return 16;
    case kSupernovaRemnant: return 17;
    case kDarkNebula: return 18;
    case kGalaxyCluster: return 19;
    default: return 20;
  }
}

}  // namespace

DeepskyLayer::DeepskyLayer(iDeepskyData& catalog, RenderingOutput& output, iTransformer& transformer,
                           const OutputArea& area, const ChartSettings& settings, const RenderOptions& options,
                           double visibilityLimit, int language)
    : catalog_(catalog),
      output_(output),
      transformer_(transformer),
      area_(area),
      settings_(settings),
      options_(options),
      visibilityLimit_(visibilityLimit),
      language_(language) {}

void DeepskyLayer::draw() {
  catalog_.setIdentifierSettings(settings_.deepskyIdentifiers);
  catalog_.prepareDraw(settings_, area_, transformer_);
  DeepskyObject object;
  bool label = false, secondLabel = false;
  for (int index; (index = catalog_.nextVisible(object, label, secondLabel)) >= 0;) {
    if (object.type < 1 || object.type >= kDeepskyTypeSlots) continue;
    ProjectedPoint p;
    if (!transformer_.project(object.raRad, object.decRad, p) || p.depth <= visibilityLimit_ ||
        !output_.isInsideOutput(p.x, p.y)) {
      continue;
    }
    const int32_t offset = symbol(index, object, p.x, p.y);
    if (!label || offset < 0) continue;
    std::u16string text;
    if (catalog_.formatDesignation(index, text, language_, false, secondLabel) && !text.empty()) {
      output_.wideText(p.x, p.y, offset + options_.deepskyLabelDx, options_.deepskyLabelDy, kDeepskyLargeText, text);
    }
  }
}

int32_t DeepskyLayer::symbol(int index, const DeepskyObject& object, int32_t x, int32_t y) {
  const int type = deepskySettingsType(object.type);
  const int32_t size = transformer_.tenthArcminToPixels(object.majorAxis / 10);
  const RenderOptions& o = options_;
  output_.selectPen(lineStyleOf(type));
  Axes axes;
  int32_t labelOffset;
  if (hasOutline(type) && isLarge(size) &&
      axesToScale(object, x, y, object.minorAxis > 0 ? object.minorAxis : object.majorAxis, axes, labelOffset)) {
    output_.largeOutline(index, x, y, object.magnitude, axes.ux, axes.uy, axes.vx, axes.vy);
    return labelOffset;
  }
  auto atLeast = [size](int32_t minimum) { return std::max(size, minimum); };
  int32_t drawn = 0;
  switch (type) {
    case kGalaxy: return galaxy(index, object, x, y, size);
    case kGlobularCluster: output_.globularCluster(index, x, y, object.magnitude, drawn = atLeast(o.minGlobularSize)); break;
    case kOpenCluster:
    case kClusterWithNebula: output_.openCluster(index, x, y, object.magnitude, drawn = atLeast(o.minOpenClusterSize)); break;
    case kAsterism: output_.openCluster(index, x, y, object.magnitude, drawn = o.minOpenClusterSize); break;
    case kPlanetaryNebula: output_.planetaryNebula(index, x, y, object.magnitude, drawn = atLeast(o.minPlanetarySize)); break;
    case kBrightNebula:
    case kSupernovaRemnant:
    case kDarkNebula: output_.diffuseNebula(index, x, y, object.magnitude, drawn = atLeast(o.minNebulaSize)); break;
    case kGalaxyCluster: output_.pentagonSymbol(index, x, y, (drawn = atLeast(o.minGalaxyClusterSize)) / 2); break;
    case kQuasar: output_.crossTickSymbol(index, x, y); drawn = o.minPlanetarySize; break;
    default: return -1;
  }
  return drawn / 2;
}

int32_t DeepskyLayer::galaxy(int index, const DeepskyObject& object, int32_t x, int32_t y, int32_t size) {
  Axes axes;
  int32_t offset;
  if (size < options_.galaxyShapeThreshold || !axesToScale(object, x, y, std::max(object.minorAxis, 1), axes, offset)) {
    output_.galaxyEllipse(index, x, y, object.magnitude, options_.smallGalaxyWidth, options_.smallGalaxyHeight);
    return options_.smallGalaxyWidth / 2;
  }
  output_.rotatedGalaxyEllipse(index, x, y, axes.ux, axes.uy, axes.vx, axes.vy);
  return offset;
}

// Every symbol drawn at the object's size; the asterisms' and quasars' are
// marks of a fixed size, and galaxies are drawn to scale already.
bool DeepskyLayer::hasOutline(int type) {
  return type != kGalaxy && type != kAsterism && type != kQuasar;
}

bool DeepskyLayer::isLarge(int32_t size) const {
  return size > std::min(std::min(area_.width, area_.height) / kLargeShareOfChart,
                         kLargeNebulaSymbols * options_.minNebulaSize);
}

bool DeepskyLayer::axesToScale(const DeepskyObject& object, int32_t x, int32_t y, int32_t minorAxis, Axes& axes,
                               int32_t& labelOffset) const {
  ProjectedPoint north;
  const double northDec = object.decRad + object.majorAxis * kHalfAxisRadPerHundredthArcmin;
  if (object.majorAxis <= 0 || !transformer_.project(object.raRad, northDec, north)) return false;
  // The position angle turns from north through east; a mirrored chart
  // shows east on the other side of north.
  ProjectedPoint east;
  const double eastRa = object.raRad + object.majorAxis * kHalfAxisRadPerHundredthArcmin /
                                           std::max(std::cos(object.decRad), 0.01);
  const bool mirrored = transformer_.project(eastRa, object.decRad, east) &&
                        int64_t{north.x - x} * (east.y - y) - int64_t{north.y - y} * (east.x - x) < 0;
  labelOffset = galaxyAxes(north.x - x, north.y - y, object.majorAxis, minorAxis,
                           mirrored ? -object.positionAngle : object.positionAngle, axes);
  return true;
}

int32_t DeepskyLayer::galaxyAxes(int32_t northX, int32_t northY, int32_t majorAxis, int32_t minorAxis,
                                 int positionAngleDeg, Axes& axes) {
  const int64_t ux = northX, uy = northY;
  const int64_t vx = uy * minorAxis / majorAxis, vy = -ux * minorAxis / majorAxis;
  const int32_t offset = static_cast<int32_t>(std::max(std::llabs(ux), std::llabs(vx)));
  // Turned counter-clockwise on the chart: from north through east when
  // east lies to the left of north.
  const double t = positionAngleDeg * std::numbers::pi / 180, c = std::cos(t), s = std::sin(t);
  auto turned = [c, s](int64_t x, int64_t y, int32_t& outX, int32_t& outY) {
    outX = static_cast<int32_t>(std::lround(x * c - y * s));
    outY = static_cast<int32_t>(std::lround(x * s + y * c));
  };
  turned(ux, uy, axes.ux, axes.uy);
  turned(vx, vy, axes.vx, axes.vy);
  return offset <= kMaxGalaxyLabelOffset ? offset : 0;
}

}  // namespace celvaro
