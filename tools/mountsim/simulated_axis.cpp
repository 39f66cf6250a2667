#include "simulated_axis.h"

#include <cmath>

namespace celvaro::mountsim {

void SimulatedAxis::setPosition(double position) {
  stop();
  position_ = position;
}

void SimulatedAxis::run(double velocity) {
  target_.reset();
  velocity_ = velocity;
}

void SimulatedAxis::slewTo(double target, double speed) {
  velocity_ = 0;
  target_ = target;
  speed_ = std::fabs(speed);
}

void SimulatedAxis::stop() {
  velocity_ = 0;
  target_.reset();
}

void SimulatedAxis::advance(double seconds) {
  if (seconds <= 0) return;
  position_ += velocity_ * seconds;
  if (!target_) return;
  const double left = *target_ - position_;
  const double step = speed_ * seconds;
  if (std::fabs(left) <= step) {
    position_ = *target_;
    target_.reset();
  } else {
    position_ += left > 0 ? step : -step;
  }
}

}  // namespace celvaro::mountsim
