#include "app/reference_points.h"

#include <algorithm>

#include "app/app_model.h"

namespace celvaro {

void ReferencePoints::showReferencePoint(int index) {
  if (index >= 0 && index < kCount && points[index].set) {
    const ReferencePoint& point = points[index];
    model_.centreOn(point.raRad, point.decRad, kFieldArcmin, kFieldArcmin, false);
    model_.redrawChart();
  } else if (model_.redrawPending) {
    model_.redrawChart();
  }
}

void ReferencePoints::clearReferencePoint(int index) {
  if (index == -1) {
    for (ReferencePoint& point : points) point.set = false;
  } else if (index >= 0 && index < kCount) {
    points[index].set = false;
  } else {
    return;
  }
  if (iTelescopeControl* telescope = model_.telescope()) {
    telescope->deleteReferencePoint(index == -1 ? iTelescopeControl::kAllReferencePoints : index);
  }
  notifyListener(index);
  model_.redrawPending = true;
  model_.redrawChart();
}

void ReferencePoints::store(int index, double raRad, double decRad) {
  if (index < 0 || index >= kCount) return;
  points[index] = {raRad, decRad, true};
  if (iTelescopeControl* telescope = model_.telescope()) {
    telescope->setReferencePoint(model_.place.latitudeDeg, model_.place.longitudeDeg, raRad, decRad, index);
  }
  notifyListener(index);
  model_.redrawPending = true;
}

void ReferencePoints::drawMarks(RenderingOutput& output, iTransformer& transformer) const {
  constexpr int32_t kCrossArm = 8;
  if (!marksShown) return;
  const double visible = transformer.visibilityLimit();
  ProjectedPoint p;
  for (const ReferencePoint& point : points) {
    if (!point.set || !transformer.project(point.raRad, point.decRad, p) || p.depth <= visible) continue;
    output.line(p.x - kCrossArm, p.y, p.x + kCrossArm, p.y);
    output.line(p.x, p.y - kCrossArm, p.x, p.y + kCrossArm);
  }
}

void ReferencePoints::notifyListener(int index) {
  ReferencePointDlgListener* listener = model_.handOver.dialogListeners.referencePoints;
  if (!listener) return;
  ReferencePoint copy[kCount];
  std::copy(points.begin(), points.end(), copy);
  listener->referencePointsChanged(copy, index);
}

}  // namespace celvaro
