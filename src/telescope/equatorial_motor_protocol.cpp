#include "telescope/equatorial_motor_protocol.h"

#include <algorithm>

#include "telescope/mount_types.h"

namespace celvaro {
namespace {

constexpr int kWatchdogHeartbeats = 16;
// The handshake commands whose replies carry axis 1's and axis 2's counts
// per revolution.
constexpr int kAxis1CountsReply = 2;
constexpr int kAxis2CountsReply = 3;
// Any count the 24-bit value can hold but 0, which would leave the axis
// without a scale.
constexpr uint32_t kLowestCountsPerRevolution = 1;
constexpr uint32_t kHighestCountsPerRevolution = 0xFFFFFF;
constexpr int kSwapLimit = 30;

}  // namespace

double eastWestSwapHours(int value) { return -std::clamp(value, -kSwapLimit, kSwapLimit) / 15.0; }

EquatorialMotorProtocol::EquatorialMotorProtocol(const ProtocolContext& context, int eastWestSwapPosition)
    : MotorControllerProtocol(context, kMountMotorEquatorial, kWatchdogHeartbeats),
      eastWestSwapHours_(eastWestSwapHours(eastWestSwapPosition)) {}

int EquatorialMotorProtocol::connect() {
  axes_ = EquatorialAxes();
  countsRead_ = false;
  task_ = Task::kHandshake;
  startHandshake({plainCommand('c', 1), plainCommand('c', 2), plainCommand('a', 1), plainCommand('a', 2)});
  return kKeepLink;
}

bool EquatorialMotorProtocol::takeHandshakeReply(int index, const ReplyBuffer& reply) {
  if (countsRead_ || (index != kAxis1CountsReply && index != kAxis2CountsReply)) return true;
  uint32_t counts = 0;
  if (!readCountsPerRevolution(reply, kLowestCountsPerRevolution, kHighestCountsPerRevolution, counts)) {
    return false;
  }
  axes_.setCountsPerRevolution(index == kAxis1CountsReply ? 1 : 2, counts);
  return true;
}

// Axis 1 goes to home and axis 2 a quarter turn below: the park position.
bool EquatorialMotorProtocol::handshakeAnswered() {
  if (countsRead_) return false;
  countsRead_ = true;
  run({plainCommand('b', 1), plainCommand('g', 1), plainCommand('s', 1), plainCommand('j', 2),
       plainCommand('j', 1), plainCommand('f', 1), valueCommand('E', 1, EquatorialAxes::kHome),
       valueCommand('E', 2, static_cast<uint32_t>(axes_.parkAxis2())), plainCommand('j', 2),
       plainCommand('j', 1), plainCommand('F', 1), plainCommand('F', 2)});
  return true;
}

// The east-west swap position travels as one byte, negative values in two's
// complement. The mount's operations (moves, stops, goto and park, tracking,
// synchronisation, guiding and the spiral) join this dispatch with them.
int EquatorialMotorProtocol::onCommand(const uint8_t* payload, const SharedTelescopeValues& /*shared*/) {
  if (payload[0] == kCmdEastWestSwap) eastWestSwapHours_ = eastWestSwapHours(static_cast<int8_t>(payload[1]));
  return kKeepLink;
}

int EquatorialMotorProtocol::onReply(const ReplyBuffer& /*reply*/) { return kKeepLink; }

int EquatorialMotorProtocol::onHeartbeat() { return kKeepLink; }

}  // namespace celvaro
