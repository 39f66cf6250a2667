// An equatorial mount (the simulator, on port 1 of a scratch program
// directory) linked to a TelescopeControl of type 4 and tracking, with every
// command it received and when: what a guiding client's corrections become
// on the mount's wire.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "mount_simulator.h"
#include "protocol_bench.h"
#include "telescope/basic_command_sender.h"
#include "telescope/mount_types.h"
#include "telescope/telescope_control.h"
#include "test_files.h"
#include "waiting_listener.h"

namespace celvaro::testing {

// A motor-controller command as the mount received it, without its CR, and
// the monotonic time of the read that completed it.
struct TimedCommand { int64_t microseconds; std::string text; };

// The 24-bit value of a motor-controller command such as ":I19D0100", or -1.
inline int64_t motorValue(const std::string& command) {
  uint32_t value = 0;
  return command.size() == 9 && readMotorValue(command.c_str() + 3, 6, value) ? int64_t(value) : -1;
}

class GuidedMount {
  // First, so that it outlives the simulator's thread that writes into it.
  std::mutex mutex_;
  std::vector<TimedCommand> commands_;
  std::string partial_;

 public:
  // Counts per revolution of the simulated mount: at this size the motor
  // controller's guide periods are 413 (west) and 1240 (east), the sidereal
  // period 620.
  static constexpr uint32_t kCountsPerRevolution = 9024000;
  static constexpr int64_t kSiderealPeriod = 620, kWestGuidePeriod = 413;

  explicit GuidedMount(const std::filesystem::path& programDir) : controller(listener, sky, programDir.string()) {
    mountsim::MountOptions options;
    options.kind = mountsim::MountKind::Equatorial;
    options.countsPerRevolution = {kCountsPerRevolution, kCountsPerRevolution};
    options.log = [this](const mountsim::LogRecord& r) { if (r.incoming) take(r); };
    simulator = std::make_unique<mountsim::MountSimulator>(options);
    if (!simulator->start()) return;
    std::filesystem::create_directories(programDir / "ports");
    std::filesystem::create_symlink(simulator->slavePath(), programDir / "ports" / "COM1");
    controller.start({});
  }
  ~GuidedMount() { stopHeartbeats(); }

  // Connects, waits for the link and starts sidereal tracking.
  bool linkAndTrack() {
    controller.connect(kMountMotorEquatorial, 1);
    if (!listener.waitFor("link " + std::to_string(linkEstablishedCode(kMountMotorEquatorial)))) return false;
    controller.setTracking(1);
    return waitForCommand(":J1", 0) >= 0;
  }
  // The clock's heartbeat, once a second as the program gives it.
  void startHeartbeats() {
    beating_ = true;
    heart_ = std::thread([this] {
      while (beating_) {
        controller.heartBeat();
        for (int i = 0; i < 100 && beating_; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    });
  }
  void stopHeartbeats() {
    beating_ = false;
    if (heart_.joinable()) heart_.join();
  }

  std::vector<TimedCommand> commands() {
    std::lock_guard lock(mutex_);
    return commands_;
  }
  // The index of the first command at or after `from` that satisfies
  // `match`, waiting for it up to `timeout`; -1 when none came.
  int waitForCommand(const std::function<bool(const std::string&)>& match, size_t from,
                     std::chrono::milliseconds timeout = std::chrono::milliseconds(3000)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
      const std::vector<TimedCommand> all = commands();
      for (size_t i = from; i < all.size(); ++i) {
        if (match(all[i].text)) return static_cast<int>(i);
      }
      if (std::chrono::steady_clock::now() >= end) return -1;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  int waitForCommand(const std::string& text, size_t from,
                     std::chrono::milliseconds timeout = std::chrono::milliseconds(3000)) {
    return waitForCommand([&](const std::string& c) { return c == text; }, from, timeout);
  }
  size_t commandCount() {
    std::lock_guard lock(mutex_);
    return commands_.size();
  }

  // A declination move from `from` on: the time from the command that
  // starts axis 2 (":J2") to the one that stops it (":K2"), in
  // milliseconds; the direction digit of its ":G2" (0 north, 1 south).
  struct Move { double milliseconds = -1; int direction = -1; int64_t period = -1; };
  Move declinationMove(size_t from, std::chrono::milliseconds timeout) {
    Move move;
    const int set = waitForCommand([](const std::string& c) { return c.rfind(":G21", 0) == 0; }, from, timeout);
    if (set < 0) return move;
    const int start = waitForCommand(":J2", set, timeout);
    const int stop = start < 0 ? -1 : waitForCommand(":K2", start, timeout);
    if (stop < 0) return move;
    const auto all = commands();
    move.direction = all[set].text.size() > 4 ? all[set].text[4] - '0' : -1;
    move.milliseconds = (all[stop].microseconds - all[start].microseconds) / 1000.0;
    return move;
  }
  // A right-ascension guide move while tracking: the step period of axis 1
  // leaves the sidereal one (":I1" with the guide period) and comes back
  // (":I1" with the sidereal period, or axis 1 stopped with ":K1").
  Move rightAscensionMove(size_t from, std::chrono::milliseconds timeout) {
    Move move;
    const auto periodCommand = [](const std::string& c) { return c.rfind(":I1", 0) == 0 && motorValue(c) >= 0; };
    const int start = waitForCommand(
        [&](const std::string& c) { return periodCommand(c) && motorValue(c) != kSiderealPeriod; }, from, timeout);
    if (start < 0) return move;
    const int stop = waitForCommand(
        [&](const std::string& c) { return (periodCommand(c) && motorValue(c) == kSiderealPeriod) || c == ":K1"; },
        start + 1, timeout);
    if (stop < 0) return move;
    const auto all = commands();
    move.period = motorValue(all[start].text);
    move.milliseconds = (all[stop].microseconds - all[start].microseconds) / 1000.0;
    return move;
  }

  WaitingListener listener;
  FixedSiderealTime sky;
  TelescopeControl controller;
  // Last, so that its thread stops before what it logs into goes.
  std::unique_ptr<mountsim::MountSimulator> simulator;

 private:
  void take(const mountsim::LogRecord& record) {
    std::lock_guard lock(mutex_);
    for (char c : record.bytes) {
      if (c != '\r') {
        partial_ += c;
        continue;
      }
      commands_.push_back({record.microseconds, partial_});
      partial_.clear();
    }
  }

  std::atomic<bool> beating_{false};
  std::thread heart_;
};

}  // namespace celvaro::testing
