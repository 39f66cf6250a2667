#include "render/fov_overlay.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "output/rendering_output.h"
#include "projection/transformer.h"

namespace celvaro {
namespace {

constexpr double kHundredthArcminPerRad = 1080000.0 / std::numbers::pi;
constexpr double kRadPerArcmin = std::numbers::pi / 10800.0;
constexpr double kRadPerDegree = std::numbers::pi / 180.0;

// The angle a focal-plane length (hundredths of a millimetre) from the
// optical axis spans at the focal length (millimetres), in hundredths of an
// arcminute: a radius or an offset once, the half of a side centred on the
// axis twice.
int angleOf(double length, int focalLength, int times = 1) {
  if (focalLength <= 0) return 0;
  return static_cast<int>(std::lround(times * std::atan(length / (100.0 * focalLength)) * kHundredthArcminPerRad));
}

// Within 0..2 pi: a shift west of right ascension 0 wraps to 24 h.
double wrappedRa(double raRad) {
  constexpr double kFullCircle = 2 * std::numbers::pi;
  if (raRad < 0) return raRad + kFullCircle;
  return raRad >= kFullCircle ? raRad - kFullCircle : raRad;
}

// Where the shifted overlay points: as far from its centre on the sky as
// the shifts say, west by the shift in right ascension and north by the one
// in declination (the point that distance away along the great circle that
// leaves the centre in that direction), so that the frame drawn there and
// the pointing are one place on every chart, near the poles and mirrored.
void pointingOf(const FovOverlay& overlay, double& raRad, double& decRad) {
  const double east = -overlay.shiftRa * kRadPerArcmin, north = overlay.shiftDec * kRadPerArcmin;
  const double distance = std::hypot(east, north), direction = std::atan2(east, north);
  const double sinDec0 = std::sin(overlay.centreDecRad), cosDec0 = std::cos(overlay.centreDecRad);
  const double sinDec = sinDec0 * std::cos(distance) + cosDec0 * std::sin(distance) * std::cos(direction);
  decRad = std::asin(std::clamp(sinDec, -1.0, 1.0));
  raRad = wrappedRa(overlay.centreRaRad + std::atan2(std::sin(direction) * std::sin(distance) * cosDec0,
                                                     std::cos(distance) - sinDec0 * sinDec));
}

struct Point {
  int32_t x, y;
};

// A frame of half sizes (hw, hh) whose centre sits `offset` above the
// overlay centre before the frame is turned about the overlay centre.
void drawFrame(RenderingOutput& output, Point centre, int32_t hw, int32_t hh, int32_t offset, int rotationDeg) {
  const double angle = rotationDeg * kRadPerDegree;
  const double c = std::cos(angle), s = std::sin(angle);
  const std::array<Point, 4> corners{{{-hw, offset - hh}, {-hw, offset + hh}, {hw, offset + hh}, {hw, offset - hh}}};
  std::array<Point, 4> turned;
  for (size_t i = 0; i < corners.size(); ++i) {
    const Point p = corners[i];
    turned[i] = {centre.x + static_cast<int32_t>(std::lround(p.x * c - p.y * s)),
                 centre.y + static_cast<int32_t>(std::lround(p.x * s + p.y * c))};
  }
  output.polyStart(turned[0].x, turned[0].y);
  for (size_t i = 1; i < turned.size(); ++i) output.polyLineTo(turned[i].x, turned[i].y);
  output.polyEnd(true);
}

}  // namespace

void schemeToOverlay(const FovScheme& scheme, FovOverlay& overlay) {
  const int f = scheme.focalLength;
  overlay.elementFlags = scheme.flags;
  overlay.cameraWidth = angleOf(scheme.cameraWidth / 2.0, f, 2);
  overlay.cameraHeight = angleOf(scheme.cameraHeight / 2.0, f, 2);
  overlay.totalFieldRadius = angleOf(scheme.totalFieldRadius, f);
  overlay.guiderWidth = angleOf(scheme.guiderWidth / 2.0, f, 2);
  overlay.guiderHeight = angleOf(scheme.guiderHeight / 2.0, f, 2);
  overlay.guiderOffset = angleOf(scheme.guiderOffset, f);
  overlay.shiftRa = overlay.shiftDec = 0;
  overlay.cameraRotation = overlay.guiderRotation = 0;
}

std::optional<FovOverlayPlacement> drawFovOverlay(const FovOverlay& overlay, RenderingOutput& output,
                                                  iTransformer& transformer) {
  FovOverlayPlacement placement;
  pointingOf(overlay, placement.pointingRaRad, placement.pointingDecRad);
  ProjectedPoint projected;
  if (!transformer.project(placement.pointingRaRad, placement.pointingDecRad, projected) ||
      projected.depth <= transformer.visibilityLimit()) {
    return std::nullopt;
  }
  // Sizes in hundredths of an arcminute become tenths before the scale applies.
  auto px = [&transformer](int tenths) { return transformer.tenthArcminToPixels(tenths); };
  const Point centre{projected.x, projected.y};
  if (overlay.elementFlags & FovScheme::kCamera) {
    drawFrame(output, centre, px(overlay.cameraWidth / 10) / 2, px(overlay.cameraHeight / 10) / 2, 0,
              overlay.cameraRotation);
  }
  if (overlay.elementFlags & FovScheme::kGuider) {
    drawFrame(output, centre, px(overlay.guiderWidth / 10) / 2, px(overlay.guiderHeight / 10) / 2,
              px(overlay.guiderOffset / 10), overlay.guiderRotation);
  }
  if (overlay.elementFlags & FovScheme::kTotalField) output.circle(centre.x, centre.y, px(overlay.totalFieldRadius / 10));
  placement.onDevice = output.toDevice(centre.x, centre.y, placement.deviceX, placement.deviceY);
  return placement;
}

}  // namespace celvaro
