// The clock thread: its ticks against Meeus' sidereal time, the listener before the heartbeat.
#include "app/clock.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "astro/calendar.h"

namespace celvaro {
namespace {

using namespace std::chrono_literals;

CalendarTime fixedNoon() { return {2000, 1, 1, 12, 0, 0}; }

// Records the order of the calls and whether the clock lock was held.
class Recorder : public ClockListener, public iHeartBeatListener {
 public:
  void clockTick(double lst, double jd) override {
    std::lock_guard guard(lock);
    calls.push_back("clock");
    lastLst = lst;
    lastJd = jd;
  }
  void heartBeat() override {
    std::lock_guard guard(lock);
    calls.push_back("heartbeat");
    ++beats;
    changed.notify_all();
  }
  bool waitForBeats(int count) {
    std::unique_lock guard(lock);
    return changed.wait_for(guard, 10s, [&] { return beats >= count; });
  }

  std::mutex lock;
  std::condition_variable changed;
  std::vector<std::string> calls;
  double lastLst = 0, lastJd = 0;
  int beats = 0;
};

TEST(Clock, TicksTheClockListenerThenTheHeartbeat) {
  // Meeus' mean sidereal time at J2000.0 (IAU 1982); the clock's IAU 2006
  // expression agrees within a millisecond.
  constexpr double kMillisecondHours = 1e-3 / 3600;
  Clock clock(5ms, fixedNoon);
  Recorder recorder;
  clock.setLongitude(19.5);
  clock.setClockListener(&recorder);
  clock.setHeartBeatListener(&recorder);
  clock.start();
  ASSERT_TRUE(recorder.waitForBeats(3));
  clock.stop();
  {
    std::lock_guard guard(recorder.lock);
    ASSERT_GE(recorder.calls.size(), 6u);
    for (size_t i = 0; i + 1 < recorder.calls.size(); i += 2) {
      EXPECT_EQ(std::tuple(recorder.calls[i], recorder.calls[i + 1]), std::tuple("clock", "heartbeat"));
    }
    EXPECT_DOUBLE_EQ(recorder.lastJd, 2451545.0);
    EXPECT_NEAR(recorder.lastLst, 18.697374558 + 19.5 / 15, kMillisecondHours);
  }
}

}  // namespace
}  // namespace celvaro
