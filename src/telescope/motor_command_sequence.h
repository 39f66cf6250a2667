// A run of motor-controller commands sent one at a time: the first at once,
// each further one when the reply to the one before has arrived.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

namespace celvaro {

class iTelescopeBasicCommandSender;

// One command: ':' command axis [mode direction] CR, or with a value
// ':' command axis six-hex-digits CR.
struct MotorCommand {
  char command;
  int axis;
  char mode = 0;
  char direction = 0;
  bool withValue = false;
  uint32_t value = 0;
};

inline MotorCommand plainCommand(char command, int axis) { return {command, axis}; }
// :G with the mode digit and the direction digit.
inline MotorCommand motionCommand(int axis, char mode, char direction) {
  return {'G', axis, mode, direction};
}
inline MotorCommand valueCommand(char command, int axis, uint32_t value) {
  return {command, axis, 0, 0, true, value};
}

// Sends commands one after another without awaiting their replies.
void sendAtOnce(std::initializer_list<MotorCommand> commands, iTelescopeBasicCommandSender& sender);

class MotorCommandSequence {
 public:
  static constexpr int kCapacity = 12;

  // Replaces whatever ran before and sends the first command; commands past
  // the capacity are left out.
  void start(std::initializer_list<MotorCommand> commands, iTelescopeBasicCommandSender& sender);
  // Sends the next command; false when all have been sent.
  bool sendNext(iTelescopeBasicCommandSender& sender);
  // Leaves out the next `count` commands.
  void skip(int count) { sent_ = count_ - sent_ < count ? count_ : sent_ + count; }
  // The index of the command sent last, whose reply is awaited.
  int awaited() const { return sent_ - 1; }
  // That command itself; the first of the run before any was sent.
  const MotorCommand& awaitedCommand() const { return commands_[sent_ > 0 ? sent_ - 1 : 0]; }
  bool allSent() const { return sent_ == count_; }

 private:
  std::array<MotorCommand, kCapacity> commands_{};
  int count_ = 0;
  int sent_ = 0;
};

}  // namespace celvaro
