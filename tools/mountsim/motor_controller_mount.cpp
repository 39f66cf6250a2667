#include "motor_controller_mount.h"

#include <cmath>

#include "telescope/basic_command_sender.h"

namespace celvaro::mountsim {
namespace {

constexpr uint32_t kTimerFrequency = 64935;
constexpr uint32_t kHighSpeedRatio = 16;
constexpr uint32_t kWormTeeth = 180;
constexpr double kSiderealDaySeconds = 86164.0905;
constexpr double kFastGotoDegreesPerSecond = 5.0;
constexpr double kSlowGotoDegreesPerSecond = 0.5;
constexpr uint32_t kValueMask = 0xFFFFFF;

// Six upper-case hex digits, low byte first: the digits of a value command.
std::string valueDigits(uint32_t value) { return motorValueBytes(1, 'E', value).substr(3, 6); }

uint32_t siderealPeriod(uint32_t countsPerRevolution) {
  return static_cast<uint32_t>(std::lround(kTimerFrequency * kSiderealDaySeconds / countsPerRevolution));
}

std::string ok(const std::string& data) { return "=" + data + "\r"; }
std::string failure(char code) { return std::string("!") + code + "\r"; }

bool isGotoMode(int mode) { return mode == 0 || mode == 2; }

// Counts a second of a rate move.
double rateVelocity(int mode, int direction, uint32_t period) {
  const double speed = kTimerFrequency / double(period == 0 ? 1 : period) * (mode == 3 ? kHighSpeedRatio : 1);
  return direction == 1 ? -speed : speed;
}

}  // namespace

MotorControllerMount::MotorControllerMount(bool equatorial, std::array<uint32_t, 2> countsPerRevolution,
                                           std::array<uint32_t, 2> startPositions)
    : equatorial_(equatorial) {
  for (int axis = 0; axis < 2; ++axis) {
    controllers_[axis].countsPerRevolution = countsPerRevolution[axis];
    controllers_[axis].period = siderealPeriod(countsPerRevolution[axis]);
    axes_[axis].setPosition(startPositions[axis] & kValueMask);
  }
}

std::vector<std::string> MotorControllerMount::takeCommands(std::string_view bytes) {
  std::vector<std::string> commands;
  for (char byte : bytes) {
    if (framer_.feed(byte)) commands.push_back(framer_.command());
  }
  return commands;
}

uint32_t MotorControllerMount::position(int axis) const {
  return static_cast<uint32_t>(std::llround(axes_[axis].position())) & kValueMask;
}

std::string MotorControllerMount::answer(const std::string& command) {
  if (command.size() < 2) return failure('1');
  const int axis = command[1] - '1';
  if (axis != 0 && axis != 1) return failure('3');
  const char letter = command[0];
  const std::string data = command.substr(2);
  switch (letter) {
    case 'F':
      return ok("");
    case 'L':
    case 'K':
      axes_[axis].stop();
      return ok("");
    case 'J':
      start(axis);
      return ok("");
    case 'G':
      return setMotion(axis, data);
    case 'I':
    case 'S':
    case 'H':
    case 'E':
      return setValue(letter, axis, data);
    default:
      return inquiry(letter, axis);
  }
}

std::string MotorControllerMount::inquiry(char letter, int axis) const {
  const Controller& controller = controllers_[axis];
  switch (letter) {
    case 'a':
      return ok(valueDigits(controller.countsPerRevolution));
    case 'b':
      return ok(valueDigits(kTimerFrequency));
    case 'c':
    case 'D':
      return ok(valueDigits(siderealPeriod(controller.countsPerRevolution)));
    case 'g':
      return ok(valueDigits(kHighSpeedRatio));
    case 's':
      return ok(valueDigits(controller.countsPerRevolution / kWormTeeth));
    case 'j':
      return ok(valueDigits(position(axis)));
    case 'f':
      return ok(status(axis));
    default:
      return failure('0');
  }
}

std::string MotorControllerMount::setMotion(int axis, const std::string& digits) {
  if (digits.size() < 2) return failure('1');
  const int mode = digits[0] - '0';
  const int direction = digits[1] - '0';
  if (mode < 0 || mode > 3 || direction < 0 || direction > 1) return failure('3');
  if (axes_[axis].moving()) return failure('2');
  controllers_[axis].mode = mode;
  controllers_[axis].direction = direction;
  return ok("");
}

std::string MotorControllerMount::setValue(char letter, int axis, const std::string& digits) {
  if (digits.size() < 6) return failure('1');
  uint32_t value = 0;
  if (!readMotorValue(digits.data(), static_cast<int>(digits.size()), value)) return failure('3');
  Controller& controller = controllers_[axis];
  switch (letter) {
    case 'I':
      controller.period = value;
      if (axes_[axis].moving() && !isGotoMode(controller.mode)) start(axis);
      break;
    case 'S':
    case 'H':
      controller.gotoValue = value;
      controller.gotoRelative = letter == 'H';
      break;
    default:
      if (axes_[axis].moving()) return failure('2');
      axes_[axis].setPosition(value);
      break;
  }
  return ok("");
}

std::string MotorControllerMount::status(int axis) const {
  const Controller& controller = controllers_[axis];
  const bool modeBit = equatorial_ || !isGotoMode(controller.mode);
  std::string digits;
  digits += static_cast<char>('0' + 2 * controller.direction + (modeBit ? 1 : 0));
  digits += axes_[axis].moving() ? '1' : '0';
  digits += equatorial_ ? '1' : '3';
  return digits;
}

void MotorControllerMount::start(int axis) {
  const Controller& controller = controllers_[axis];
  if (!isGotoMode(controller.mode)) {
    axes_[axis].run(rateVelocity(controller.mode, controller.direction, controller.period));
    return;
  }
  const double here = axes_[axis].position();
  const double distance = controller.direction == 1 ? -double(controller.gotoValue) : double(controller.gotoValue);
  const double target = controller.gotoRelative ? here + distance : controller.gotoValue;
  const double degreesPerSecond = controller.mode == 0 ? kFastGotoDegreesPerSecond : kSlowGotoDegreesPerSecond;
  axes_[axis].slewTo(target, controller.countsPerRevolution * degreesPerSecond / 360.0);
}

}  // namespace celvaro::mountsim
