// One axis of a simulated mount: a position that stands, runs at a steady
// velocity, or slews to a target and stops exactly on it.
#pragma once

#include <optional>

namespace celvaro::mountsim {

class SimulatedAxis {
 public:
  explicit SimulatedAxis(double position = 0) : position_(position) {}

  double position() const { return position_; }
  // Places the axis and stops it.
  void setPosition(double position);
  bool moving() const { return velocity_ != 0 || target_.has_value(); }
  // Runs at a signed velocity (units per second) until stopped.
  void run(double velocity);
  // Runs toward the target at the given speed and stops on it.
  void slewTo(double target, double speed);
  void stop();
  void advance(double seconds);

 private:
  double position_;
  double velocity_ = 0;
  double speed_ = 0;
  std::optional<double> target_;
};

}  // namespace celvaro::mountsim
