#include "nexstar_mount.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace celvaro::mountsim {
namespace {

constexpr double kMoveDegreesPerSecond[10] = {0, 0.008, 0.017, 0.033, 0.067, 0.133, 0.5, 1.0, 2.0, 4.0};
constexpr uint8_t kRightAscensionMotor = 16;
constexpr uint8_t kDeclinationMotor = 17;
constexpr uint8_t kMoveUp = 36;
constexpr uint8_t kMoveDown = 37;
constexpr uint8_t kHighestTrackingMode = 3;

size_t commandLength(char first) {
  switch (first) {
    case 'E':
    case 'M':
      return 1;
    case 'K':
    case 'T':
      return 2;
    case 'P':
      return 8;
    case 'R':
      return 10;
    default:
      return 0;
  }
}

std::string turnDigits(double degrees) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const long fraction = std::lround(degrees / 360.0 * 65536.0) & 0xFFFF;
  std::string digits;
  for (int shift = 12; shift >= 0; shift -= 4) digits += kHex[(fraction >> shift) & 0xF];
  return digits;
}

bool readTurnDigits(std::string_view digits, double& degrees) {
  unsigned fraction = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + 4, fraction, 16);
  if (error != std::errc() || end != digits.data() + 4) return false;
  degrees = fraction * 360.0 / 65536.0;
  return true;
}

}  // namespace

NexStarMount::NexStarMount(double rightAscensionHours, double declinationDegrees)
    : SkyTrackingMount(rightAscensionHours, declinationDegrees) {}

std::vector<std::string> NexStarMount::takeCommands(std::string_view bytes) {
  std::vector<std::string> commands;
  for (char byte : bytes) {
    if (pending_.empty() && commandLength(byte) == 0) continue;
    pending_ += byte;
    if (pending_.size() == commandLength(pending_[0])) {
      commands.push_back(pending_);
      pending_.clear();
    }
  }
  return commands;
}

std::string NexStarMount::answer(const std::string& command) {
  switch (command[0]) {
    case 'K':
      return std::string(1, command[1]) + "#";
    case 'E':
      return turnDigits(rightAscension()) + "," + turnDigits(declination()) + "#";
    case 'R':
      return gotoPosition(command);
    case 'P':
      return passThrough(command);
    case 'T':
      return static_cast<uint8_t>(command[1]) <= kHighestTrackingMode ? "#" : "";
    case 'M':  // cancels a goto: both motors stop
      axes_[0].stop();
      axes_[1].stop();
      return "#";
    default:
      return "";
  }
}

std::string NexStarMount::gotoPosition(const std::string& command) {
  double rightAscensionDegrees = 0, declinationDegrees = 0;
  const std::string_view text(command);
  if (text[5] == ',' && readTurnDigits(text.substr(1, 4), rightAscensionDegrees) &&
      readTurnDigits(text.substr(6, 4), declinationDegrees)) {
    slewTo(rightAscensionDegrees, std::remainder(declinationDegrees, 360.0));
  }
  return "#";
}

std::string NexStarMount::passThrough(const std::string& command) {
  const uint8_t motor = command[2], direction = command[3], rate = command[4];
  const bool known = (motor == kRightAscensionMotor || motor == kDeclinationMotor) &&
                     (direction == kMoveUp || direction == kMoveDown) && rate <= 9;
  if (!known) return "#";
  const int axis = motor == kRightAscensionMotor ? 0 : 1;
  if (rate == 0) {
    axes_[axis].stop();
  } else {
    move(axis, direction == kMoveUp ? 1 : -1, kMoveDegreesPerSecond[rate]);
  }
  return "#";
}

}  // namespace celvaro::mountsim
