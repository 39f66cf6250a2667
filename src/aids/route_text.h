// A star-hop route written out for the observer: "η Her → 2.5° S → M 13".
// The start star, then for each step its length in degrees and its compass
// point on the sky (north toward the pole, east toward increasing right
// ascension), and the star or the object it ends at.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "aids/star_hop_guides.h"

namespace celvaro {

class StarLabels;

// The words of the text: the eight compass points from the north through
// the east, and the word for a star the labels do not name.
struct RouteWords {
  std::array<std::string, 8> compass;
  std::string star;
};

// The compass point of a position angle (degrees from the north through
// the east): 0 north, 1 north-east, ... 7 north-west, each 45 degrees wide
// and centred on its direction.
int compassPoint(double positionAngleDeg);

// How the chart's labels name the star at a place: its proper name, else
// its Bayer letter ("λ Sgr", "α2 Cen"), else its Flamsteed number ("61
// Cyg"); empty when no labelled star lies within three arcminutes.
std::string starLabelAt(const StarLabels& labels, double raRad, double decRad);

// The name of the star at a route's point; empty for a star without one.
using RouteStarNamer = std::function<std::string(const StarHopPoint&)>;

// The route's text, its last point the object `objectName`; empty for a
// route of fewer than two points.
std::string routeText(const std::vector<StarHopPoint>& points, const std::string& objectName,
                      const RouteStarNamer& starName, const RouteWords& words);

}  // namespace celvaro
