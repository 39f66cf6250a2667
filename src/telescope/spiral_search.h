// The square spiral a motor-controller mount drives around the place it
// stands at: one axis moves at a time, and every second leg the arm grows
// by one step, so the legs end +1, +1, -2, -2, +3, +3, -4, -4 ... steps from
// the start (axis 1, axis 2, axis 1, axis 2, ...). The mount types differ
// in the mode of a leg, the command that ends it and how the position is
// read; a SpiralForm holds those.
//
// A leg ends on the read that finds its axis at the target, or once it has
// run the time its length takes at the rate its axis made on its leg
// before, whichever comes first. Far from the end the position is read once
// a heartbeat; within a heartbeat's travel of it (and while that travel is
// not known yet) it is read on every reply, so a leg stops within about one
// read's travel past its count, and on a line whose replies come late the
// time ends it. Read once a second, legs shorter than a heartbeat's travel
// overshot by half a step and more.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>

#include "telescope/motor_command_sequence.h"

namespace celvaro {

struct SpiralForm {
  char modeDigit;              // the :G mode digit of every leg
  char stopCommand;            // the command that ends a leg: 'L' or 'K'
  int secondReadAxis;          // the position is read as :j<moving axis>, then :j<this axis>
  std::array<int, 6> periods;  // the step period by speed index 0..5
};

class SpiralSearch {
 public:
  static constexpr int kFewestTurns = 1;
  static constexpr int kMostTurns = 10;
  static constexpr int kHighestSpeedIndex = 5;

  // A new spiral in `form`: the step in motor counts, the turns (clamped to
  // 1..10) and the speed index (above 5 runs as 5).
  void setUp(const SpiralForm& form, int32_t stepCounts, int turns, int speedIndex);
  // The counts the spiral starts from; the first leg runs axis 1 forward.
  void startAt(int32_t axis1, int32_t axis2);

  int turns() const { return turns_; }
  int period() const { return period_; }
  int movingAxis() const { return legDirection_ % 2 == 0 ? 1 : 2; }
  int legsRun() const { return legsRun_; }

  // The current leg: :G with the mode and direction digits, :I with the
  // period, :J; and the command that ends it.
  MotorCommand legMotion() const;
  MotorCommand legPeriod() const;
  MotorCommand legStart() const { return plainCommand('J', movingAxis()); }
  MotorCommand legStop() const { return plainCommand(form_->stopCommand, movingAxis()); }
  // The two position reads of a heartbeat: 0 the moving axis, 1 the form's
  // second axis. Each count is taken for the axis it was read from; a read
  // on every reply asks for the moving axis alone (index 0).
  MotorCommand positionRead(int index) const { return plainCommand('j', readAxis(index)); }
  using Clock = std::chrono::steady_clock;
  void takeCount(int index, int32_t count, Clock::time_point now);
  // A heartbeat passed while the leg ran: the moving axis's travel from the
  // heartbeat before, in the same leg, is the travel of a heartbeat.
  void beatPassed();
  // After a read that did not end the leg: whether to read again at once
  // rather than at the next heartbeat. Near the end, or while a heartbeat's
  // travel is not known, yes, unless the last reads, over a tenth of a
  // second, found the axis standing.
  bool readAgainAtOnce() const;

  // The latest offset of axis 1 or 2 from the start, in motor counts.
  int32_t offset(int axis) const { return latest_[axis - 1] - start_[axis - 1]; }
  // Whether the moving axis reached the leg's target.
  bool legDone() const;
  // The leg's motion started (its start command was answered).
  void legStarted(Clock::time_point now);
  // Whether the leg has run the time its length takes at the rate its axis
  // made on its last leg; never while that rate is not known.
  bool timeUp(Clock::time_point now) const;
  // Counts from the latest read to the leg's target, in the leg's direction.
  int64_t leftToGo() const;
  // The moving axis is at the leg's target: a leg run for the time its
  // length takes, with no position read.
  void reachTarget() { latest_[movingAxis() - 1] = target_[movingAxis() - 1]; }
  // Counts the leg that ended, takes its axis's rate, and aims the next one.
  void nextLeg();
  // After a leg ended: every turn has been run.
  bool finished() const { return turns_ < (legsRun_ >> 2); }

 private:
  int readAxis(int index) const { return index == 0 ? movingAxis() : form_->secondReadAxis; }
  void startLeg();

  const SpiralForm* form_ = nullptr;
  int32_t step_ = 0;
  int turns_ = kFewestTurns;
  int period_ = 0;
  int legsRun_ = 0;
  int legDirection_ = 0;  // 0 axis 1 forward, 1 axis 2 forward, 2 axis 1 back, 3 axis 2 back
  std::array<int32_t, 2> start_{};
  std::array<int32_t, 2> latest_{};
  std::array<int32_t, 2> target_{};
  // The moving axis's count at the last heartbeat of this leg, if any.
  bool beatMarked_ = false;
  int32_t beatMark_ = 0;
  int32_t travelPerBeat_ = -1;  // -1 while not known
  int unchangedReads_ = 0;      // reads in a row that found the moving axis where it was
  Clock::time_point unchangedSince_;
  bool standing_ = false;
  // The moving axis's latest read and when it came; where and when the leg
  // started; each axis's counts a second on its last leg (0 while unknown).
  Clock::time_point latestAt_;
  bool legTimed_ = false;
  Clock::time_point legStartedAt_;
  int32_t legStartCount_ = 0;
  std::array<double, 2> countsPerSecond_{};
};

}  // namespace celvaro
