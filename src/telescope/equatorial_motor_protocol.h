// MountType 4: a German equatorial mount driven through its motor
// controller, axis 1 in right ascension and axis 2 in declination. The
// handshake reads both axes' counts per revolution and declares the mount
// to stand at its park position.
#pragma once

#include "telescope/equatorial_axes.h"
#include "telescope/motor_controller_protocol.h"

namespace celvaro {

// The east-west swap position: a value clamped to -30..30, as hours
// (-value / 15).
double eastWestSwapHours(int value);

class EquatorialMotorProtocol : public MotorControllerProtocol {
 public:
  EquatorialMotorProtocol(const ProtocolContext& context, int eastWestSwapPosition);

  int connect() override;

 private:
  enum class Task { kIdle, kHandshake };

  int onCommand(const uint8_t* payload, const SharedTelescopeValues& shared) override;
  int onReply(const ReplyBuffer& reply) override;
  int onHeartbeat() override;
  bool inHandshake() const override { return task_ == Task::kHandshake; }
  void goIdle() override { task_ = Task::kIdle; }
  bool takeHandshakeReply(int index, const ReplyBuffer& reply) override;
  bool handshakeAnswered() override;

  EquatorialAxes axes_;
  double eastWestSwapHours_;
  Task task_ = Task::kIdle;
  // The handshake runs in two parts: the second sets positions that depend
  // on the counts per revolution the first reads.
  bool countsRead_ = false;
};

}  // namespace celvaro
