// The common ground of the mounts that keep right ascension and declination
// themselves (they track the sky, so a position stays put until moved):
// axis 0 is right ascension, axis 1 declination, both in degrees.
#pragma once

#include <optional>

#include "simulated_mount.h"

namespace celvaro::mountsim {

// Where a mount stands: latitude and longitude (east positive) in degrees.
struct Site {
  double latitudeDegrees;
  double longitudeDegrees;
};

class SkyTrackingMount : public SimulatedMount {
 public:
  // Gives the mount its site and the Greenwich sidereal time (hours) at
  // simulated time 0, from which its own clock runs; without a site the
  // mount knows no horizon.
  void setSite(const Site& site, double greenwichSiderealHours);

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
  // Whether a position is above the site's horizon now; true without a site.
  bool aboveHorizon(double rightAscensionDegrees, double declinationDegrees) const;

 private:
  std::optional<Site> site_;
  double greenwichSiderealHoursAtStart_ = 0;
};

}  // namespace celvaro::mountsim
