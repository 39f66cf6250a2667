// What the controller reports on its command thread, gathered for tests
// that wait for an event to arrive.
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "telescope/telescope_listener.h"

namespace celvaro::testing {

class WaitingListener : public TelescopeListener {
 public:
  struct Position { double raRad, decRad; int32_t rawA, rawB; };

  void onLinkStatus(int code) override { record("link " + std::to_string(code)); }
  void onMountPosition(double raRad, double decRad, int32_t rawA, int32_t rawB) override {
    std::lock_guard lock(mutex_);
    positions.push_back({raRad, decRad, rawA, rawB});
    events.push_back("position");
    changed_.notify_all();
  }
  void onSpiralSearchOffset(int, int) override { record("offset"); }
  void onDslrSeriesStatus(int state, int, int, int) override { record("dslr " + std::to_string(state)); }
  void onGuiderPortStatus(int code) override { record("guider " + std::to_string(code)); }
  void onGuiderMovement(int32_t packed) override { record("movement " + std::to_string(packed)); }
  void onMountMessage(const std::string& text) override { record("message " + text); }

  // True once the event has been reported `times` times in all; `meanwhile`
  // runs every 20 ms while waiting (a test's heartbeat, for instance).
  bool waitFor(const std::string& event, int times = 1, std::chrono::milliseconds timeout = std::chrono::seconds(5),
               const std::function<void()>& meanwhile = {}) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    std::unique_lock lock(mutex_);
    for (;;) {
      if (std::count(events.begin(), events.end(), event) >= times) return true;
      if (std::chrono::steady_clock::now() >= end) return false;
      changed_.wait_for(lock, std::chrono::milliseconds(20));
      if (meanwhile) {
        lock.unlock();
        meanwhile();
        lock.lock();
      }
    }
  }
  Position lastPosition() {
    std::lock_guard lock(mutex_);
    return positions.empty() ? Position{0, 0, 0, 0} : positions.back();
  }
  // Every event so far, in the order reported.
  std::vector<std::string> history() {
    std::lock_guard lock(mutex_);
    return events;
  }
  int count(const std::string& event) {
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count(events.begin(), events.end(), event));
  }

 private:
  void record(const std::string& event) {
    std::lock_guard lock(mutex_);
    events.push_back(event);
    changed_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> events;
  std::vector<Position> positions;
};

}  // namespace celvaro::testing
