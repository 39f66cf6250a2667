#include "telescope/motor_command_sequence.h"

#include "telescope/basic_command_sender.h"

namespace celvaro {
namespace {

char axisDigit(int axis) { return static_cast<char>('0' + axis); }

void send(const MotorCommand& c, iTelescopeBasicCommandSender& sender) {
  if (c.withValue) sender.sendMotorValue(c.axis, c.command, c.value);
  else sender.sendMotorCommand(c.command, axisDigit(c.axis), c.mode, c.direction);
}

}  // namespace

void sendAtOnce(std::initializer_list<MotorCommand> commands, iTelescopeBasicCommandSender& sender) {
  for (const MotorCommand& c : commands) send(c, sender);
}

void MotorCommandSequence::start(std::initializer_list<MotorCommand> commands,
                                 iTelescopeBasicCommandSender& sender) {
  count_ = 0;
  sent_ = 0;
  for (const MotorCommand& c : commands) {
    if (count_ < kCapacity) commands_[count_++] = c;
  }
  sendNext(sender);
}

bool MotorCommandSequence::sendNext(iTelescopeBasicCommandSender& sender) {
  if (allSent()) return false;
  send(commands_[sent_++], sender);
  return true;
}

}  // namespace celvaro
