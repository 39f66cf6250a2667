// The comet and the asteroid whose orbital elements the user types in,
// with their defaults, and the elements the orbit routines take from them.
// The defaults are examples of the fields, named as such and not shown:
// two-body motion from elements of 2006 puts a body far from its true
// place years later (Ceres 55' off in 2025), where the element lists hold
// the catalogued body with current elements.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "solarsystem/computed_position.h"
#include "solarsystem/ephemeris.h"

namespace celvaro {

struct UserComet {
  std::string name = "Example comet (177P/Barnard, 2006 elements)";
  uint8_t shown = 0;
  int year = 2006, month = 8;
  int dayTenThousandths = 286884;  // day 28.6884
  double q = 1.107215, e = 0.954397;
  double wDeg = 60.4608, nodeDeg = 272.0664, iDeg = 31.2175;
  ComputedPosition position;
};

struct UserAsteroid {
  uint8_t shown = 0;
  double a = 2.76556, e = 0.0799048, iDeg = 10.58673, wDeg = 73.1934, nodeDeg = 80.40883;
  double nDegPerDay = 0.21430359, meanAnomalyDeg = 172.89685;
  double g = 0.12, h = 3.34;
  std::string epoch = "K069M";  // packed
  std::string name = "Example asteroid (1 Ceres, 2006 elements)";
  ComputedPosition position;
};

CometElements cometElementsOf(const UserComet& comet);
// None when the packed epoch does not read or the daily motion is not positive.
std::optional<EllipticElements> asteroidElementsOf(const UserAsteroid& asteroid);

// True when the elements' date (the comet's perihelion, the asteroid's
// epoch) lies more than ten years before or after the instant: the
// planets' pull has moved the body off the orbit they describe. An
// asteroid whose epoch does not read is not placed at all and not flagged.
bool outdatedAt(const UserComet& comet, double julianDate);
bool outdatedAt(const UserAsteroid& asteroid, double julianDate);

}  // namespace celvaro
