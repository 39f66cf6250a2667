// A mount speaking the LX200 command set: ':' command '#'.
//
//   ACK (0x06)        'P' (polar mode)
//   :GR#              right ascension "HH:MM:SS#" (low precision "HH:MM.T#")
//   :GD#              declination "sDD*MM'SS#" (low precision "sDD*MM#")
//   :U#               switches between high and low precision; no reply
//   :D#               the distance bars: "\x7F#" while an axis moves, else "#"
//   :Sr HH:MM.T#      target right ascension (also HH:MM:SS): '1', '0' if malformed
//   :Sd sDD:MM#       target declination (also sDD*MM, :SS): '1', '0' if malformed
//   :MS#              '0', then a slew to the target at 8 degrees a second;
//                     "1Object Below Horizon#" and no slew for a target below
//                     the horizon of the mount's site (when it has one)
//   :Mn# :Ms# :Me# :Mw#   move north, south, east (right ascension grows), west
//   :Qn# :Qs# :Qe# :Qw# :Q#   stop that motion, or all
//   :RS# :RM# :RC# :RG#   move rate: 8, 1.5, 0.067 and 0.0042 degrees a second
// Moves, stops, rates and unknown commands get no reply.
#pragma once

#include "command_framer.h"
#include "sky_tracking_mount.h"

namespace celvaro::mountsim {

class Lx200Mount : public SkyTrackingMount {
 public:
  Lx200Mount(double rightAscensionHours, double declinationDegrees, bool highPrecision = true);

  std::vector<std::string> takeCommands(std::string_view bytes) override;
  ReplyForm replyForm() const override { return {"", '#', ""}; }
  std::string_view digits() const override { return "0123456789"; }

 protected:
  std::string answer(const std::string& command) override;

 private:
  std::string slew();
  std::string setTarget(char which, std::string_view text);
  std::string moveOrStop(char verb, char direction);

  double targetRightAscension_;
  double targetDeclination_;
  double moveRate_;
  bool highPrecision_;
  CommandFramer framer_{'#', false};
};

}  // namespace celvaro::mountsim
