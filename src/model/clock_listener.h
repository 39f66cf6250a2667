// What the one-second clock calls.
#pragma once

namespace celvaro {

// The telescope dialogs' clocks: called once a second, on the clock thread
// and under the clock lock, so it must not wait for the user-interface thread.
class ClockListener {
 public:
  virtual ~ClockListener() = default;
  virtual void clockTick(double localSiderealHours, double julianDate) = 0;
};

// The sidereal time of the computer's clock, for the telescope protocols.
class iSiderealTime {
 public:
  virtual ~iSiderealTime() = default;
  // The Julian date (Universal Time) the sidereal time belongs to: mounts
  // work in coordinates of the date.
  virtual double julianDate() const = 0;
  virtual double greenwichSiderealHours() const = 0;
  // At the observing place's longitude.
  virtual double localSiderealHours() const = 0;
};

// The telescope controller's periodic work, called right after ClockListener.
class iHeartBeatListener {
 public:
  virtual ~iHeartBeatListener() = default;
  virtual void heartBeat() = 0;
};

}  // namespace celvaro
