#include "telescope/alignment_model.h"

#include <cmath>

namespace celvaro {
namespace {

// Points further apart than this in azimuth, and mostly so, give a
// two-point model.
constexpr double kTwoPointAzimuthDeg = 30.0;
constexpr double kAzimuthToAltitudeRatio = 3.0;
// The axis-1 scale two points may measure, as a part of the nominal one.
constexpr double kLeastScale = 0.5;
constexpr double kMostScale = 2.0;
// How far axis 1 may turn either way from the base point's count, in
// revolutions of counts: the cables' limit.
constexpr double kCableLimitTurns = 0.75;

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
// point when both are valid, spread in azimuth, and their axis-1 counts
// measure a scale within half to twice the nominal one (points whose counts
// disagree with the sky that much were not taken where the mount stood).
// Slot 2 takes no part.
void AlignmentModel::recompute() {
  const ReferencePoint& first = points_[0];
  const ReferencePoint& second = points_[1];
  mode_ = kNoModel;
  if (!first.valid && !second.valid) return;
  base_ = first.valid ? first : second;
  mode_ = kOnePoint;
  if (!first.valid || !second.valid) return;
  // The azimuths differ by some whole turns more or less than the folded
  // values do: as many as brings them nearest the turn the counts show.
  const double counted = static_cast<double>(second.counts.axis1) - first.counts.axis1;
  const double folded = second.azimuthDeg - first.azimuthDeg;
  const double span = folded + 360.0 * std::round((counted * 180.0 / halfRevolution1_ - folded) / 360.0);
  const double altitudeSpan = second.altitudeDeg - first.altitudeDeg;
  const double nominal = halfRevolution1_ * span / 180.0;
  if (!spreadInAzimuth(span, altitudeSpan) || counted / nominal < kLeastScale || counted / nominal > kMostScale) {
    return;
  }
  mode_ = kTwoPoints;
  azimuthSpan_ = span;
  correction1_ = counted - nominal;
  correction2_ = (second.counts.axis2 - first.counts.axis2) - halfRevolution2_ * altitudeSpan / 180.0;
}

bool AlignmentModel::spreadInAzimuth(double azimuthSpan, double altitudeSpan) {
  const double dAz = std::fabs(azimuthSpan);
  return dAz > kTwoPointAzimuthDeg && dAz > kAzimuthToAltitudeRatio * std::fabs(altitudeSpan);
}

double AlignmentModel::axis1PerDegree() const {
  return halfRevolution1_ / 180.0 + (mode_ == kTwoPoints ? correction1_ / azimuthSpan_ : 0.0);
}

double AlignmentModel::axis2PerDegreeOfAzimuth() const {
  return mode_ == kTwoPoints ? correction2_ / azimuthSpan_ : 0.0;
}

MotorCounts AlignmentModel::countsAt(double azimuthFromBase, double altitudeDeg) const {
  MotorCounts counts{nearest(halfRevolution1_ * azimuthFromBase / 180.0) + base_.counts.axis1,
                     nearest(halfRevolution2_ * (altitudeDeg - base_.altitudeDeg) / 180.0) + base_.counts.axis2};
  if (mode_ == kTwoPoints) {
    counts.axis1 += nearest(correction1_ * azimuthFromBase / azimuthSpan_);
    counts.axis2 += nearest(azimuthFromBase * correction2_ / azimuthSpan_);
  }
  return counts;
}

bool AlignmentModel::horizontalToCounts(const HorizontalPosition& position, int32_t axis1Now,
                                        MotorCounts& counts) const {
  if (mode_ == kNoModel) return false;
  const double fromBase = foldAzimuth(position.azimuthDeg) - base_.azimuthDeg;
  const double perTurn = 360.0 * axis1PerDegree();
  // The whole turns that bring axis 1 nearest a count.
  const auto turnsToward = [&](int32_t axis1) {
    return std::round((axis1 - (base_.counts.axis1 + fromBase * axis1PerDegree())) / perTurn);
  };
  counts = countsAt(fromBase + 360.0 * turnsToward(axis1Now), position.altitudeDeg);
  const double cableLimit = kCableLimitTurns * 2.0 * halfRevolution1_;
  if (std::fabs(static_cast<double>(counts.axis1) - base_.counts.axis1) > cableLimit) {
    counts = countsAt(fromBase + 360.0 * turnsToward(base_.counts.axis1), position.altitudeDeg);
  }
  return true;
}

bool AlignmentModel::countsToHorizontal(const MotorCounts& counts, HorizontalPosition& position) const {
  if (mode_ == kNoModel) return false;
  const MotorCounts offset = offsetFromBase(counts);
  const double fromBase = offset.axis1 / axis1PerDegree();
  position.azimuthDeg = normaliseDegrees(base_.azimuthDeg + fromBase);
  position.altitudeDeg =
      base_.altitudeDeg + (offset.axis2 - fromBase * axis2PerDegreeOfAzimuth()) * 180.0 / halfRevolution2_;
  return true;
}

MotorCounts AlignmentModel::offsetFromBase(const MotorCounts& counts) const {
  return {counts.axis1 - base_.counts.axis1, counts.axis2 - base_.counts.axis2};
}

}  // namespace celvaro
