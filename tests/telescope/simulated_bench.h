// A motor-controller protocol on the bench against the simulated mount's
// controller in simulated time. Every byte on the line takes its time at
// 9600 baud, ten bits a byte, so a protocol that asks more often pays for
// it as on a real line; heartbeats fall a chosen number of seconds apart.
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "motor_controller_mount.h"
#include "protocol_bench.h"
#include "telescope/basic_command_sender.h"

namespace celvaro::testing {

class SimulatedBench {
 public:
  static constexpr double kSecondsPerByte = 10.0 / 9600;

  SimulatedBench(int mountType, bool equatorial, uint32_t countsPerRevolution, int eastWestSwapPosition = 0)
      : bench(mountType, eastWestSwapPosition, [this] { return steadyNow(); }),
        mount(equatorial, {countsPerRevolution, countsPerRevolution}, {0x800000, 0x800000}) {}

  // Connects and answers the handshake.
  void linkUp() {
    bench.protocol->connect();
    answerAll();
    bench.reported();
    commands.clear();
  }
  // Serves the line until the protocol waits for something, at most until
  // the next heartbeat is due.
  void answerAll() { serve(std::max(now, beat) + interval); }
  // Runs the line until `beat` falls `seconds` after the last one, then
  // gives the protocol its heartbeat and serves the line again.
  void heartbeat(double seconds) {
    interval = seconds;
    beat = std::max(beat + seconds, now);
    serve(beat);
    now = std::max(now, beat);
    bench.protocol->tick();
    serve(beat + seconds);
  }
  void command(std::initializer_list<uint8_t> payload, const SharedTelescopeValues& shared = {}) {
    bench.command(payload, shared);
    answerAll();
  }
  // The commands the mount received for this one, answered.
  std::vector<std::string> commandsFor(std::initializer_list<uint8_t> payload,
                                       const SharedTelescopeValues& shared = {}) {
    commands.clear();
    command(payload, shared);
    return commands;
  }
  // The commands the mount received for a guide move or stop, answered.
  std::vector<std::string> guideCommands(bool move, int direction) {
    commands.clear();
    move ? bench.protocol->guideMove(direction) : bench.protocol->guideStop(direction);
    answerAll();
    return commands;
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
  // Sets both axes' counts, as if the mount had been turned there by hand.
  void place(int32_t axis1, int32_t axis2) {
    for (const auto& [axis, counts] : {std::pair{1, axis1}, {2, axis2}}) {
      mount.reply(motorValueBytes(axis, 'E', static_cast<uint32_t>(counts)).substr(1, 8), now);
    }
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

  // The simulated time as the protocol measures motions in it.
  ProtocolContext::SteadyTime steadyNow() const {
    return ProtocolContext::SteadyTime{} +
           std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(now));
  }

  ProtocolBench bench;
  mountsim::MotorControllerMount mount;
  double now = 0;
  double beat = 0;       // when the last heartbeat fell
  double interval = 1;   // seconds between heartbeats
  std::vector<std::string> commands;
  // Both axes' counts the moment each stop command arrived.
  std::vector<std::array<int32_t, 2>> stops;

 private:
  // Each command reaches the mount after its bytes, and its reply the
  // protocol after the reply's bytes.
  void serve(double until) {
    for (std::string wire = bench.sent(); !wire.empty(); wire = bench.sent()) {
      now += wire.size() * kSecondsPerByte;
      for (const std::string& command : mount.takeCommands(wire)) {
        commands.push_back(command);
        const std::string reply = mount.reply(command, now);
        if (command[0] == 'L' || command[0] == 'K') stops.push_back({position(1), position(2)});
        now += reply.size() * kSecondsPerByte;
        bench.receive(reply);
      }
      if (now >= until) return;
    }
  }
};

}  // namespace celvaro::testing
