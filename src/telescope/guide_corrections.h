// The corrections an autoguider program asks for on the guider port, as
// the command thread keeps them: which directions are on now, which were on
// at any moment since the last heartbeat (what the monitor shows for that
// second), and when each timed pulse ends. A move replaces the other
// direction of its axis; a stop ends its axis' move and any pulse on it.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace celvaro {

class GuideCorrections {
 public:
  using Clock = std::chrono::steady_clock;
  // Stop axes as the mount protocols take them.
  static constexpr int kDeclinationAxis = 0, kRightAscensionAxis = 2, kBothAxes = 4;

  // What a guide event asks of the mount: a move in direction 0..3 (north,
  // south, west, east) or a stop of an axis.
  struct Request {
    int move = -1;
    int stopAxis = -1;
  };

  // Nothing on, nothing seen.
  void reset();
  // Guide event 1..7 (":Mw#", ":Me#", ":Mn#", ":Ms#", the west-east stop,
  // the north-south stop, the stop of all); a move lasts pulseMs when that
  // is above 0. Other codes ask nothing.
  Request event(int code, int pulseMs, Clock::time_point now);
  // The stop axes of the pulses that have run their length by `now`.
  std::vector<int> endedPulses(Clock::time_point now);
  // When the next pulse ends; none while no pulse runs.
  std::optional<Clock::time_point> nextPulseEnd() const;
  // The stop axes of every move that is on, which are then forgotten.
  std::vector<int> stopAll();
  // Whether a move without an end of its own is on.
  bool openEndedMoveOn() const;
  // The monitor's movement for the second that ends now:
  // (dy << 16) | (dx & 0xFFFF), dx 5 west, -5 east (east wins), dy 5 north,
  // -5 south (south wins); the moves still on count for the next second.
  int32_t heartbeat();

 private:
  struct Axis {
    uint32_t bits;  // its two direction bits
    int stopAxis;
    std::optional<Clock::time_point> pulseEnd;
  };

  void stop(Axis& axis);

  std::array<Axis, 2> axes_{Axis{0x03, kRightAscensionAxis, {}}, Axis{0x0C, kDeclinationAxis, {}}};
  uint32_t on_ = 0;
  uint32_t seen_ = 0;
};

}  // namespace celvaro
