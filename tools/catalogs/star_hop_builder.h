// Builds data/starhopping.dat: for each Messier object of the built deep-
// sky catalog, a route from a bright star through stars of magnitude 6
// or brighter (d3-celestial's stars.6.json) to the object.
//
// A route starts at the nearest star of the third magnitude or brighter
// (3.5) from which the object is reached in at most five hops a finder
// shows whole (5 degrees each) on a route at most 1.5 times as long as the
// direct distance from that star to the object; a star less than a degree
// farther starts it instead where its route costs less. Between the start
// and the object the route takes the steps of least cost: each step costs
// its length plus half a degree, a further degree for each degree beyond
// 3, and for a star fainter than magnitude 4 a further 0.3 degrees per
// magnitude, so that a route takes few, short steps over bright stars. The
// 110 routes hold some 340 points.
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
