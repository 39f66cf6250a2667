// What the telescope controller reports, called on its command thread. The
// listener must not block and must not touch a window.
#pragma once

#include <cstdint>
#include <string>

namespace celvaro {

class TelescopeListener {
 public:
  virtual ~TelescopeListener() = default;
  virtual void onLinkStatus(int code) = 0;
  // Position (right ascension and declination, radians) and the two raw
  // motor counts behind it.
  virtual void onMountPosition(double raRad, double decRad, int32_t rawA, int32_t rawB) = 0;
  // Offsets of the two axes from the spiral's start, in motor counts.
  virtual void onSpiralSearchOffset(int x, int y) = 0;
  virtual void onDslrSeriesStatus(int state, int framesLeft, int exposureLeft, int pauseLeft) = 0;
  // 0 closed, 1 open failed, 2 was not open, 3 open.
  virtual void onGuiderPortStatus(int code) = 0;
  // (dy << 16) | (dx & 0xFFFF), dx and dy each -5, 0 or 5.
  virtual void onGuiderMovement(int32_t packed) = 0;
  // What the mount said when it refused a request ("Object Below Horizon"),
  // told right after the status code of the refusal.
  virtual void onMountMessage(const std::string& text) = 0;
};

}  // namespace celvaro
