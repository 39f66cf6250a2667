// A mount driven through its motor controller, alt-azimuth or equatorial.
//
// Commands are ':' letter axis-digit [data] CR; replies '=' [data] CR, and
// errors '!' code CR with code 0 unknown command, 1 data too short,
// 2 motor not stopped (G and E need a standing axis), 3 bad axis or digit.
// 24-bit values travel as six upper-case hex digits, low byte first.
//
//   F            initialise: '='
//   a            counts per revolution
//   b            step timer frequency (64935 Hz)
//   c, D         the step period of the sidereal rate
//   g            high-speed ratio (16)
//   s            counts per worm revolution (counts per revolution / 180)
//   j            position; both axes count from 0x800000
//   f            status, three decimal digits (below)
//   L, K         stop (both at once here)
//   G md         motion: mode m (0 fast goto, 1 slow rate, 2 slow goto,
//                3 fast rate), direction d (1 runs toward lower counts)
//   I value      step period; a rate move runs at 64935 / period counts a
//                second, 16 times that in mode 3; takes effect at once
//   S value      goto target position
//   H value      goto distance from where J starts, in direction d
//   J            start the motion set up by G
//   E value      set the position
//
// A fast goto runs at 5 degrees a second, a slow one at 0.5, and each stops
// exactly on its target.
//
// Status digits: hundreds = 2 × direction digit + a mode bit, tens 1 while
// the axis runs and 0 when it stands, units the board's ready digit. The
// alt-azimuth board sets the mode bit in a rate mode only and its ready digit
// is 3: a goto reads 013 or 213 while running and 003 or 203 once it stands.
// The equatorial board always sets the mode bit (its axes stay energised for
// tracking) and its ready digit is 1: 101 or 301 standing, 111 or 311 running.
#pragma once

#include <array>
#include <cstdint>

#include "command_framer.h"
#include "simulated_mount.h"

namespace celvaro::mountsim {

class MotorControllerMount : public SimulatedMount {
 public:
  MotorControllerMount(bool equatorial, std::array<uint32_t, 2> countsPerRevolution,
                       std::array<uint32_t, 2> startPositions);

  std::vector<std::string> takeCommands(std::string_view bytes) override;
  ReplyForm replyForm() const override { return {"=", '\r', "0"}; }

 protected:
  std::string answer(const std::string& command) override;

 private:
  struct Controller {
    uint32_t countsPerRevolution;
    int mode = 1;
    int direction = 0;
    uint32_t period = 0;
    uint32_t gotoValue = 0;
    bool gotoRelative = false;
  };

  // The 24-bit position of axis 0 or 1 as the controller reports it.
  uint32_t position(int axis) const;
  std::string inquiry(char letter, int axis) const;
  std::string setMotion(int axis, const std::string& digits);
  std::string setValue(char letter, int axis, const std::string& digits);
  std::string status(int axis) const;
  void start(int axis);

  bool equatorial_;
  std::array<Controller, 2> controllers_;
  CommandFramer framer_{'\r', true};
};

}  // namespace celvaro::mountsim
