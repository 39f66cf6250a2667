#include "telescope/spiral_search.h"

#include <algorithm>

namespace celvaro {

void SpiralSearch::setUp(const SpiralForm& form, int32_t stepCounts, int turns, int speedIndex) {
  form_ = &form;
  step_ = stepCounts;
  turns_ = std::clamp(turns, kFewestTurns, kMostTurns);
  period_ = form.periods[std::clamp(speedIndex, 0, kHighestSpeedIndex)];
  legsRun_ = 0;
  legDirection_ = 0;
}

void SpiralSearch::startAt(int32_t axis1, int32_t axis2) {
  start_ = latest_ = target_ = {axis1, axis2};
  target_[0] = axis1 + step_;
}

// Legs 0 and 1 run forward, 2 and 3 back.
MotorCommand SpiralSearch::legMotion() const {
  return motionCommand(movingAxis(), form_->modeDigit, legDirection_ < 2 ? '0' : '1');
}

MotorCommand SpiralSearch::legPeriod() const {
  return valueCommand('I', movingAxis(), static_cast<uint32_t>(period_));
}

void SpiralSearch::takeCount(int index, int32_t count) { latest_[readAxis(index) - 1] = count; }

bool SpiralSearch::legDone() const {
  const int axis = movingAxis() - 1;
  return legDirection_ < 2 ? latest_[axis] >= target_[axis] : latest_[axis] <= target_[axis];
}

// The arm of leg n (from 1) is (n / 2) + 1 steps: forward legs 0 and 1,
// backward legs 2 and 3.
void SpiralSearch::nextLeg() {
  ++legsRun_;
  legDirection_ = (legDirection_ + 1) % 4;
  const int32_t arm = ((legsRun_ >> 1) + 1) * step_;
  const int axis = movingAxis() - 1;
  target_[axis] = start_[axis] + (legDirection_ < 2 ? arm : -arm);
}

}  // namespace celvaro
