// The one-second clock: a thread that reads the computer's time once a
// second, keeps the Julian date and sidereal time of it, and drives the
// telescope controller and the telescope dialogs' clocks. It never redraws
// the chart, whose time is separate.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "model/clock_listener.h"
#include "platform/system_time.h"

namespace celvaro {

class Clock : public iSiderealTime {
 public:
  // What the clock reads: the computer's time, or a clock set to another instant.
  using TimeSource = std::function<CalendarTime()>;
  static constexpr std::chrono::milliseconds kTickPeriod{1000};
  static constexpr std::chrono::milliseconds kStopWait{20000};

  explicit Clock(std::chrono::milliseconds period = kTickPeriod,
                 TimeSource now = systemUniversalTime);
  ~Clock();
  Clock(const Clock&) = delete;
  Clock& operator=(const Clock&) = delete;

  void start();
  // Signals the thread and waits up to 20 s for it to end; a thread that
  // does not end in time is left to finish on its own.
  void stop();

  void setLongitude(double longitudeDeg);
  void setClockListener(ClockListener* listener);
  void setHeartBeatListener(iHeartBeatListener* listener);
  // Clears both listeners; once this returns no tick reaches either.
  void clearListeners();

  double julianDate() const override;
  double greenwichSiderealHours() const override;
  double localSiderealHours() const override;

 private:
  void run();
  void tick();

  const std::chrono::milliseconds period_;
  const TimeSource now_;

  mutable std::mutex lock_;  // the clock lock: values and listeners
  double longitudeDeg_ = 0;
  double julianDate_ = 0;
  double greenwichHours_ = 0;
  double localHours_ = 0;
  ClockListener* clockListener_ = nullptr;
  iHeartBeatListener* heartBeatListener_ = nullptr;

  std::mutex stopLock_;  // the stop event and the thread's end
  std::condition_variable stopSignal_;
  bool stopRequested_ = false;
  bool running_ = false;
  std::thread thread_;
};

}  // namespace celvaro
