// Cuts ':'-opened commands out of a byte stream: bytes outside a command
// are dropped, the closer ends a command. Where ':' cannot occur inside a
// command, a ':' restarts it; elsewhere it is part of the command.
#pragma once

#include <string>

namespace celvaro::mountsim {

class CommandFramer {
 public:
  CommandFramer(char closer, bool colonRestarts) : closer_(closer), colonRestarts_(colonRestarts) {}

  // Takes one byte; true when it ended a command, which command() then holds
  // without its ':' and closer.
  bool feed(char byte);
  const std::string& command() const { return command_; }
  bool collecting() const { return collecting_; }

 private:
  static constexpr size_t kLongest = 40;

  char closer_;
  bool colonRestarts_;
  bool collecting_ = false;
  std::string command_;
};

}  // namespace celvaro::mountsim
