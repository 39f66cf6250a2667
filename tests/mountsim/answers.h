// Drives a simulated mount directly: bytes in, every reply out.
#pragma once

#include <string>
#include <string_view>

#include "simulated_mount.h"

namespace celvaro::mountsim {

inline std::string answers(SimulatedMount& mount, std::string_view bytes, double now = 0) {
  std::string replies;
  for (const std::string& command : mount.takeCommands(bytes)) replies += mount.reply(command, now);
  return replies;
}

}  // namespace celvaro::mountsim
