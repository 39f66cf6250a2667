// The square spiral a motor-controller mount drives around the place it
// stands at: one axis moves at a time, and every second leg the arm grows
// by one step, so the legs end +1, +1, -2, -2, +3, +3, -4, -4 ... steps from
// the start (axis 1, axis 2, axis 1, axis 2, ...). The mount types differ
// in the mode of a leg, the command that ends it and how the position is
// read; a SpiralForm holds those.
#pragma once

#include <array>
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
  // second axis. Each count is taken for the axis it was read from.
  MotorCommand positionRead(int index) const { return plainCommand('j', readAxis(index)); }
  void takeCount(int index, int32_t count);

  // The latest offset of axis 1 or 2 from the start, in motor counts.
  int32_t offset(int axis) const { return latest_[axis - 1] - start_[axis - 1]; }
  // Whether the moving axis reached the leg's target.
  bool legDone() const;
  // Counts the leg that ended and aims the next one.
  void nextLeg();
  // After a leg ended: every turn has been run.
  bool finished() const { return turns_ < (legsRun_ >> 2); }

 private:
  int readAxis(int index) const { return index == 0 ? movingAxis() : form_->secondReadAxis; }

  const SpiralForm* form_ = nullptr;
  int32_t step_ = 0;
  int turns_ = kFewestTurns;
  int period_ = 0;
  int legsRun_ = 0;
  int legDirection_ = 0;  // 0 axis 1 forward, 1 axis 2 forward, 2 axis 1 back, 3 axis 2 back
  std::array<int32_t, 2> start_{};
  std::array<int32_t, 2> latest_{};
  std::array<int32_t, 2> target_{};
};

}  // namespace celvaro
