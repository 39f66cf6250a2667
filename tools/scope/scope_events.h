// What the telescope controller reports on its command thread, kept in
// order for celvaro-scope's script, which takes the events one at a time.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

#include "telescope/telescope_listener.h"

namespace celvaro::scope {

struct ScopeEvent {
  enum Kind { kStatus, kPosition, kMessage } kind = kStatus;
  int code = 0;                  // kStatus: the link status code
  double raRad = 0, decRad = 0;  // kPosition: J2000
  std::string text;              // kMessage: what the mount said
};

class ScopeEvents : public TelescopeListener {
 public:
  void onLinkStatus(int code) override { push({ScopeEvent::kStatus, code, 0, 0, {}}); }
  void onMountPosition(double raRad, double decRad, int32_t, int32_t) override {
    push({ScopeEvent::kPosition, 0, raRad, decRad, {}});
  }
  void onMountMessage(const std::string& text) override { push({ScopeEvent::kMessage, 0, 0, 0, text}); }
  // The spiral's offsets, the DSLR series and the guider port are not the script's.
  void onSpiralSearchOffset(int, int) override {}
  void onDslrSeriesStatus(int, int, int, int) override {}
  void onGuiderPortStatus(int) override {}
  void onGuiderMovement(int32_t) override {}

  // The oldest event not yet taken, waiting for one until the deadline.
  std::optional<ScopeEvent> next(std::chrono::steady_clock::time_point deadline);

 private:
  void push(ScopeEvent event);

  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<ScopeEvent> events_;
};

}  // namespace celvaro::scope
