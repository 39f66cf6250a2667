// A series of timed exposures with a camera whose shutter cable is wired to
// the RTS line of the mount port: the shutter opens for the exposure
// seconds, closes for the pause seconds, and so on for the frames asked,
// counted in whole seconds on the heartbeat. Each step is reported with a
// state whose bits say which counters to show and which status text to
// show (text number in bits 4..11).
#pragma once

#include <cstdint>

namespace celvaro {

class iTelescopeBasicCommandSender;
class TelescopeListener;

class DslrSeries {
 public:
  // Reported states.
  static constexpr int kStarted = 59;    // frames and exposure shown, text 3
  static constexpr int kExposing = 3;    // frames and exposure seconds left
  static constexpr int kPausing = 5;     // frames and pause seconds left
  static constexpr int kFinished = 72;   // text 4
  static constexpr int kStopped = 40;    // text 2, stopped by the user
  // setControlLines: RTS on and DTR off opens the shutter; both off close it.
  static constexpr int kShutterOpen = 2;
  static constexpr int kShutterClosed = 0;

  DslrSeries(iTelescopeBasicCommandSender& sender, TelescopeListener& listener)
      : sender_(sender), listener_(listener) {}

  // Opens the shutter for the first frame. A series with no frame or no
  // exposure time is finished at once with the shutter closed; a pause of
  // 0 seconds lasts one heartbeat, so the camera sees the shutter close.
  void start(int frames, int exposureSeconds, int pauseSeconds);
  // Closes the shutter and ends the series.
  void stop();
  // One second has passed.
  void heartbeat();
  // Forgets the series, as a new connection does; the shutter line went
  // with the port.
  void reset();

  int framesLeft() const { return framesLeft_; }
  int exposureLeft() const { return exposureLeft_; }
  int pauseLeft() const { return pauseLeft_; }

 private:
  void exposureSecond();
  void pauseSecond();
  void report(int state, int frames, int exposure, int pause);

  iTelescopeBasicCommandSender& sender_;
  TelescopeListener& listener_;
  int framesLeft_ = 0;
  int exposureSeconds_ = 0;
  int pauseSeconds_ = 0;
  int exposureLeft_ = 0;
  int pauseLeft_ = 0;
};

}  // namespace celvaro
