// A mount protocol driven by a script, as the controller's command thread
// drives it: the connect routine, command frames, heartbeats, bytes from
// the mount and guide commands, in any order. The mount targets read their
// input as such a script; the seed writer writes scripts from sessions with
// the simulated mounts.
//
// A script is a run of steps, each a step byte (taken modulo kStepCount)
// and its operands: a command's length byte (modulo 32) and payload, the
// received bytes' length byte and the bytes, a guide move's direction or
// a guide stop's axis byte. An operand cut short by the end of the input
// is taken as far as it goes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/clock_listener.h"
#include "telescope/basic_command_sender.h"
#include "telescope/mount_protocol.h"
#include "telescope/telescope_listener.h"

namespace celvaro::fuzz {

enum MountStep : uint8_t { kStepConnect, kStepCommand, kStepTick, kStepReceive, kStepGuideMove, kStepGuideStop,
                           kStepCount };

// Keeps what the protocol puts on the port as bytes.
class WireSender final : public iTelescopeBasicCommandSender {
 public:
  void setControlLines(int) override {}
  void sendText(const char* text) override;
  void sendByte(uint8_t byte) override { wire += static_cast<char>(byte); }
  void sendBytes(const uint8_t* bytes, int count) override;
  void sendMotorCommand(char c1, char c2, char c3, char c4) override { wire += motorCommandBytes(c1, c2, c3, c4); }
  void sendMotorValue(int axis, char command, uint32_t value) override {
    wire += motorValueBytes(axis, command, value);
  }
  std::string wire;
};

class QuietListener final : public TelescopeListener {
 public:
  void onLinkStatus(int) override {}
  void onMountPosition(double, double, int32_t, int32_t) override {}
  void onSpiralSearchOffset(int, int) override {}
  void onDslrSeriesStatus(int, int, int, int) override {}
  void onGuiderPortStatus(int) override {}
  void onGuiderMovement(int32_t) override {}
  void onMountMessage(const std::string&) override {}
};

class StillSiderealTime final : public iSiderealTime {
 public:
  double julianDate() const override { return 2451545.0; }
  double greenwichSiderealHours() const override { return 5.0; }
  double localSiderealHours() const override { return 6.25; }
};

// One protocol object with its port, listener and clock.
class MountUnderTest {
 public:
  explicit MountUnderTest(int mountType);
  // Carries out one step; `operand` is the payload, the received bytes or
  // the argument byte as the step needs.
  void step(MountStep step, std::string_view operand);
  // The protocol's bytes since the last call.
  std::string takeSent();

 private:
  WireSender sender_;
  QuietListener listener_;
  StillSiderealTime clock_;
  std::unique_ptr<iMountProtocol> protocol_;
};

// Runs a whole script against a new protocol object of the type.
void runMountScript(int mountType, std::string_view script);

// Appends a step to a script.
void appendStep(std::string& script, MountStep step, std::string_view operand = {});

}  // namespace celvaro::fuzz
