#include "simulated_mount.h"

namespace celvaro::mountsim {

std::string SimulatedMount::reply(const std::string& command, double now) {
  for (SimulatedAxis& axis : axes_) axis.advance(now - clock_);
  if (now > clock_) clock_ = now;
  return answer(command);
}

}  // namespace celvaro::mountsim
