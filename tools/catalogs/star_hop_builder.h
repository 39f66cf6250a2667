// Builds data/starhopping.dat: for each Messier object of the built deep-
// sky catalog, a route from a naked-eye star through stars of magnitude 6
// or brighter (d3-celestial's stars.6.json) to the object.
//
// A route starts at a star of magnitude 3.5 or brighter within 30 degrees
// of the object (4.5 where no route starts at one) and steps from star to
// star, each step at most 3 degrees, a hop a finder shows whole (4, 5, 7,
// 10 and then 15 degrees where no route keeps to it), the last step ending
// at the object. Of all routes the one with the least cost is taken: each
// step costs its length plus half a degree, and a star fainter than
// magnitude 4 a further 0.3 degrees per magnitude, so that a route takes
// short steps over bright stars. The 110 routes hold some 560 points.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "aid_writers.h"

namespace celvaro {

struct HopStar {
  double raRad, decRad;
  double magnitude;
};

// The route from a bright star to a target, its points from the start
// star to the target; none when no star is near enough.
std::optional<std::vector<StarHopPoint>> starHopRoute(const std::vector<HopStar>& stars, const StarHopPoint& target);

// Writes data/starhopping.dat into `dataDirectory` and prints what it holds.
bool buildStarHopFile(const std::string& starsJson, const std::string& dataDirectory);

}  // namespace celvaro
