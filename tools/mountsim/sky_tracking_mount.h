// The common ground of the mounts that keep right ascension and declination
// themselves (they track the sky, so a position stays put until moved):
// axis 0 is right ascension, axis 1 declination, both in degrees.
#pragma once

#include "simulated_mount.h"

namespace celvaro::mountsim {

class SkyTrackingMount : public SimulatedMount {
 protected:
  SkyTrackingMount(double rightAscensionHours, double declinationDegrees);

  // Right ascension in 0..360 degrees.
  double rightAscension() const;
  double declination() const { return axes_[1].position(); }

  // Slews both axes at the slew speed, right ascension the short way round.
  void slewTo(double rightAscensionDegrees, double declinationDegrees);
  // Runs axis 0 (right ascension) or 1 (declination, up to a pole) in the
  // sense +1 or −1.
  void move(int axis, int sense, double degreesPerSecond);
};

}  // namespace celvaro::mountsim
