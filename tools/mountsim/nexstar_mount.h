// A mount speaking the NexStar hand-controller commands. Commands have a
// fixed length by their first byte; positions are 16-bit fractions of a turn
// as four upper-case hex digits, most significant first.
//
//   "Kx"           echo: "x#"
//   "E"            right ascension and declination: "XXXX,YYYY#"
//   "RXXXX,YYYY"   goto: '#', then a slew at 8 degrees a second
//   'P' + 7 bytes  pass-through 'P', 2, motor, command, rate, 0, 0, 0: motor 16
//                  right ascension, 17 declination; command 36 moves the
//                  position up, 37 down; rate 0..9 (0 stops): '#'
//   'T' + mode     tracking mode as a binary byte, 0 off, 1 alt-azimuth,
//                  2 equatorial north, 3 equatorial south: '#' (this mount
//                  tracks anyway); another mode byte gets no reply
#pragma once

#include "sky_tracking_mount.h"

namespace celvaro::mountsim {

class NexStarMount : public SkyTrackingMount {
 public:
  NexStarMount(double rightAscensionHours, double declinationDegrees);

  std::vector<std::string> takeCommands(std::string_view bytes) override;
  ReplyForm replyForm() const override { return {"", '#', ""}; }

 protected:
  std::string answer(const std::string& command) override;

 private:
  std::string gotoPosition(const std::string& command);
  std::string passThrough(const std::string& command);

  std::string pending_;
};

}  // namespace celvaro::mountsim
