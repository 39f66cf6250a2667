// A motor-controller protocol on the bench against the simulated mount's
// controller, answered at once in simulated time: each heartbeat moves the
// clock on by a chosen number of seconds.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "motor_controller_mount.h"
#include "protocol_bench.h"
#include "telescope/basic_command_sender.h"

namespace celvaro::testing {

class SimulatedBench {
 public:
  SimulatedBench(int mountType, bool equatorial, uint32_t countsPerRevolution, int eastWestSwapPosition = 0)
      : bench(mountType, eastWestSwapPosition),
        mount(equatorial, {countsPerRevolution, countsPerRevolution}, {0x800000, 0x800000}) {}

  // Connects and answers the handshake.
  void linkUp() {
    bench.protocol->connect();
    answerAll();
    bench.reported();
    commands.clear();
  }
  // Answers every command the protocol sends until it waits for something.
  void answerAll() {
    for (std::string wire = bench.sent(); !wire.empty(); wire = bench.sent()) {
      for (const std::string& command : mount.takeCommands(wire)) {
        commands.push_back(command);
        const std::string reply = mount.reply(command, now);
        if (command[0] == 'L' || command[0] == 'K') stops.push_back({position(1), position(2)});
        bench.receive(reply);
      }
    }
  }
  void heartbeat(double seconds) {
    now += seconds;
    bench.protocol->tick();
    answerAll();
  }
  void command(std::initializer_list<uint8_t> payload, const SharedTelescopeValues& shared = {}) {
    bench.command(payload, shared);
    answerAll();
  }
  // Heartbeats until `code` is reported (true) or `most` have passed.
  bool beatUntil(int code, double seconds, int most) {
    for (int i = 0; i < most; ++i) {
      for (int reported : bench.listener.statuses) {
        if (reported == code) return true;
      }
      heartbeat(seconds);
    }
    return false;
  }
  int32_t position(int axis) {
    const std::string reply = mount.reply(std::string("j") + char('0' + axis), now);
    uint32_t value = 0;
    readMotorValue(reply.c_str() + 1, 6, value);
    return static_cast<int32_t>(value);
  }
  std::string status(int axis) { return mount.reply(std::string("f") + char('0' + axis), now).substr(1, 3); }
  // The commands received that begin with `prefix`, in order.
  std::vector<std::string> commandsStarting(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& c : commands) {
      if (c.rfind(prefix, 0) == 0) found.push_back(c);
    }
    return found;
  }

  ProtocolBench bench;
  mountsim::MotorControllerMount mount;
  double now = 0;
  std::vector<std::string> commands;
  // Both axes' counts right after each stop command.
  std::vector<std::array<int32_t, 2>> stops;
};

}  // namespace celvaro::testing
