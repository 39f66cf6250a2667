#include "telescope/alignment_model.h"

#include <cmath>

namespace celvaro {
namespace {

// Points further apart than this in azimuth, and mostly so, give a
// two-point model.
constexpr double kTwoPointAzimuthDeg = 30.0;
constexpr double kAzimuthToAltitudeRatio = 3.0;

int32_t nearest(double value) { return static_cast<int32_t>(std::lround(value)); }

}  // namespace

double AlignmentModel::foldAzimuth(double azimuthDeg) {
  return azimuthDeg > 180.0 ? azimuthDeg - 360.0 : azimuthDeg;
}

void AlignmentModel::setHalfRevolution(int axis, int32_t counts) {
  (axis == 1 ? halfRevolution1_ : halfRevolution2_) = counts;
  recompute();
}

void AlignmentModel::setPoint(int index, const HorizontalPosition& position, const MotorCounts& counts) {
  if (index < 0 || index >= kSlots) return;
  points_[index] = {true, foldAzimuth(position.azimuthDeg), position.altitudeDeg, counts};
  recompute();
}

void AlignmentModel::clearPoint(int index) {
  if (index < 0 || index >= kSlots) return;
  points_[index].valid = false;
  recompute();
}

void AlignmentModel::clearAll() {
  for (ReferencePoint& point : points_) point.valid = false;
  recompute();
}

bool AlignmentModel::anyValid() const {
  for (const ReferencePoint& point : points_) {
    if (point.valid) return true;
  }
  return false;
}

// Slot 0 is the base when valid, else slot 1; slot 1 is also the second
// point when both are valid and spread in azimuth. Slot 2 takes no part.
void AlignmentModel::recompute() {
  const ReferencePoint& first = points_[0];
  const ReferencePoint& second = points_[1];
  mode_ = kNoModel;
  if (!first.valid && !second.valid) return;
  base_ = first.valid ? first : second;
  mode_ = kOnePoint;
  if (!first.valid || !second.valid || !spreadInAzimuth()) return;
  mode_ = kTwoPoints;
  azimuthSpan_ = second.azimuthDeg - first.azimuthDeg;
  const double altitudeSpan = second.altitudeDeg - first.altitudeDeg;
  correction1_ = (second.counts.axis1 - first.counts.axis1) - halfRevolution1_ * azimuthSpan_ / 180.0;
  correction2_ = (second.counts.axis2 - first.counts.axis2) - halfRevolution2_ * altitudeSpan / 180.0;
}

bool AlignmentModel::spreadInAzimuth() const {
  const double dAz = std::fabs(points_[0].azimuthDeg - points_[1].azimuthDeg);
  const double dAlt = std::fabs(points_[0].altitudeDeg - points_[1].altitudeDeg);
  return dAz > kTwoPointAzimuthDeg && dAz > kAzimuthToAltitudeRatio * dAlt;
}

bool AlignmentModel::horizontalToCounts(const HorizontalPosition& position, MotorCounts& counts) const {
  if (mode_ == kNoModel) return false;
  const double dAz = foldAzimuth(position.azimuthDeg) - base_.azimuthDeg;
  counts.axis1 = nearest(halfRevolution1_ * dAz / 180.0) + base_.counts.axis1;
  counts.axis2 =
      nearest(halfRevolution2_ * (position.altitudeDeg - base_.altitudeDeg) / 180.0) + base_.counts.axis2;
  if (mode_ == kTwoPoints) {
    counts.axis1 += nearest(correction1_ * dAz / azimuthSpan_);
    counts.axis2 += nearest(dAz * correction2_ / azimuthSpan_);
  }
  return true;
}

bool AlignmentModel::countsToHorizontal(const MotorCounts& counts, HorizontalPosition& position) const {
  if (mode_ == kNoModel) return false;
  const MotorCounts offset = offsetFromBase(counts);
  position.azimuthDeg = offset.axis1 * 180.0 / halfRevolution1_ + base_.azimuthDeg;
  position.altitudeDeg = offset.axis2 * 180.0 / halfRevolution2_ + base_.altitudeDeg;
  return true;
}

MotorCounts AlignmentModel::offsetFromBase(const MotorCounts& counts) const {
  return {counts.axis1 - base_.counts.axis1, counts.axis2 - base_.counts.axis2};
}

}  // namespace celvaro
