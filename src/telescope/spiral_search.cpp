#include "telescope/spiral_search.h"

#include <algorithm>
#include <cstdlib>

namespace celvaro {
namespace {

// A leg within one and a half heartbeats' travel of its end is read on
// every reply: the half covers heartbeats that come late.
constexpr int64_t kOneAndAHalfTimesTwo = 3;
// Reads in a row that find the axis where it was, over at least this time,
// find it standing, and the reads wait for a heartbeat again. On a fast line
// replies come back quicker than a moving axis changes its count: the time
// tells those apart from an axis that stands.
constexpr int kStandingReads = 3;
constexpr std::chrono::milliseconds kStandingTime{100};

}  // namespace

void SpiralSearch::setUp(const SpiralForm& form, int32_t stepCounts, int turns, int speedIndex) {
  form_ = &form;
  step_ = stepCounts;
  turns_ = std::clamp(turns, kFewestTurns, kMostTurns);
  period_ = form.periods[std::clamp(speedIndex, 0, kHighestSpeedIndex)];
  legsRun_ = 0;
  legDirection_ = 0;
  travelPerBeat_ = -1;
  countsPerSecond_ = {};
}

void SpiralSearch::startAt(int32_t axis1, int32_t axis2) {
  start_ = latest_ = target_ = {axis1, axis2};
  target_[0] = axis1 + step_;
  startLeg();
}

void SpiralSearch::startLeg() {
  legTimed_ = false;
  beatMarked_ = false;
  unchangedReads_ = 0;
  standing_ = false;
}

// Legs 0 and 1 run forward, 2 and 3 back.
MotorCommand SpiralSearch::legMotion() const {
  return motionCommand(movingAxis(), form_->modeDigit, legDirection_ < 2 ? '0' : '1');
}

MotorCommand SpiralSearch::legPeriod() const {
  return valueCommand('I', movingAxis(), static_cast<uint32_t>(period_));
}

void SpiralSearch::takeCount(int index, int32_t count, Clock::time_point now) {
  const int axis = readAxis(index);
  if (axis == movingAxis()) {
    unchangedReads_ = count == latest_[axis - 1] ? unchangedReads_ + 1 : 0;
    if (unchangedReads_ == 1) unchangedSince_ = now;
    standing_ = unchangedReads_ >= kStandingReads && now - unchangedSince_ >= kStandingTime;
    latestAt_ = now;
  }
  latest_[axis - 1] = count;
}

void SpiralSearch::beatPassed() {
  const int32_t here = latest_[movingAxis() - 1];
  if (beatMarked_) travelPerBeat_ = std::abs(here - beatMark_);
  beatMarked_ = true;
  beatMark_ = here;
}

bool SpiralSearch::readAgainAtOnce() const {
  if (standing_) return false;
  return travelPerBeat_ < 0 || 2 * leftToGo() <= kOneAndAHalfTimesTwo * travelPerBeat_;
}

bool SpiralSearch::legDone() const { return leftToGo() <= 0; }

void SpiralSearch::legStarted(Clock::time_point now) {
  legTimed_ = true;
  legStartedAt_ = now;
  legStartCount_ = latest_[movingAxis() - 1];
}

bool SpiralSearch::timeUp(Clock::time_point now) const {
  const int axis = movingAxis() - 1;
  if (!legTimed_ || countsPerSecond_[axis] <= 0) return false;
  const double length = std::abs(static_cast<double>(target_[axis]) - legStartCount_);
  return std::chrono::duration<double>(now - legStartedAt_).count() * countsPerSecond_[axis] >= length;
}

int64_t SpiralSearch::leftToGo() const {
  const int axis = movingAxis() - 1;
  const int64_t left = int64_t{target_[axis]} - latest_[axis];
  return legDirection_ < 2 ? left : -left;
}

// The arm of leg n (from 1) is (n / 2) + 1 steps: forward legs 0 and 1,
// backward legs 2 and 3.
void SpiralSearch::nextLeg() {
  const int moved = movingAxis() - 1;
  const double seconds = std::chrono::duration<double>(latestAt_ - legStartedAt_).count();
  const double travel = std::abs(static_cast<double>(latest_[moved]) - legStartCount_);
  if (legTimed_ && seconds > 0 && travel > 0) countsPerSecond_[moved] = travel / seconds;
  ++legsRun_;
  legDirection_ = (legDirection_ + 1) % 4;
  const int32_t arm = ((legsRun_ >> 1) + 1) * step_;
  const int axis = movingAxis() - 1;
  target_[axis] = start_[axis] + (legDirection_ < 2 ? arm : -arm);
  startLeg();
}

}  // namespace celvaro
