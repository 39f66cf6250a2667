#include "command_framer.h"

namespace celvaro::mountsim {

bool CommandFramer::feed(char byte) {
  if (byte == ':' && (colonRestarts_ || !collecting_)) {
    command_.clear();
    collecting_ = true;
    return false;
  }
  if (!collecting_) return false;
  if (byte == closer_) {
    collecting_ = false;
    return true;
  }
  command_ += byte;
  if (command_.size() > kLongest) collecting_ = false;
  return false;
}

}  // namespace celvaro::mountsim
