#include "app/clock.h"

#include "astro/calendar.h"
#include "astro/sidereal_time.h"

namespace celvaro {

Clock::Clock(std::chrono::milliseconds period, TimeSource now) : period_(period), now_(now) {}

Clock::~Clock() { stop(); }

void Clock::start() {
  std::lock_guard guard(stopLock_);
  if (running_ || thread_.joinable()) return;
  stopRequested_ = false;
  running_ = true;
  thread_ = std::thread(&Clock::run, this);
}

void Clock::stop() {
  std::unique_lock guard(stopLock_);
  if (!thread_.joinable()) return;
  stopRequested_ = true;
  stopSignal_.notify_all();
  bool ended = stopSignal_.wait_for(guard, kStopWait, [this] { return !running_; });
  guard.unlock();
  if (ended) thread_.join();
  else thread_.detach();
}

void Clock::run() {
  std::unique_lock guard(stopLock_);
  while (!stopSignal_.wait_for(guard, period_, [this] { return stopRequested_; })) {
    guard.unlock();
    tick();
    guard.lock();
  }
  running_ = false;
  stopSignal_.notify_all();
}

void Clock::tick() {
  CalendarTime t = now_();
  double jd = celvaro::julianDate(t.year, t.month, t.day, t.hour, t.minute, t.second);
  double gst = greenwichSiderealTime(jd);
  std::lock_guard guard(lock_);
  julianDate_ = jd;
  greenwichHours_ = gst;
  localHours_ = localSiderealTime(gst, longitudeDeg_);
  if (clockListener_) clockListener_->clockTick(localHours_, julianDate_);
  if (heartBeatListener_) heartBeatListener_->heartBeat();
}

void Clock::setLongitude(double longitudeDeg) {
  std::lock_guard guard(lock_);
  longitudeDeg_ = longitudeDeg;
}

void Clock::setClockListener(ClockListener* listener) {
  std::lock_guard guard(lock_);
  clockListener_ = listener;
}

void Clock::setHeartBeatListener(iHeartBeatListener* listener) {
  std::lock_guard guard(lock_);
  heartBeatListener_ = listener;
}

void Clock::clearListeners() {
  std::lock_guard guard(lock_);
  clockListener_ = nullptr;
  heartBeatListener_ = nullptr;
}

double Clock::julianDate() const {
  std::lock_guard guard(lock_);
  return julianDate_;
}

double Clock::greenwichSiderealHours() const {
  std::lock_guard guard(lock_);
  return greenwichHours_;
}

double Clock::localSiderealHours() const {
  std::lock_guard guard(lock_);
  return localHours_;
}

}  // namespace celvaro
