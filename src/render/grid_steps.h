// Steps of the equatorial grid for a field of view and centre declination.
#pragma once

namespace celvaro {

struct GridSteps {
  int raArcmin;   // arcminutes of angle; 900 is one hour of right ascension
  int decArcmin;
};

// The automatic steps: the declination step follows the field, the
// right-ascension step widens toward the poles, at most one hour.
GridSteps automaticGridSteps(int fieldArcmin, int centreDecArcmin);

}  // namespace celvaro
