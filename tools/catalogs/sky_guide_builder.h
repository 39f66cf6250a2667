// Builds data/sky_guide.dat, the observing suggestions, from the deep-sky
// and double-star files built before it (read with the program's readers,
// so that every suggestion is found by the catalogs the program searches).
//
// Entries, in this order:
//   - every Messier object of the deep-sky catalog, by number;
//   - the NGC objects without a Messier number that are brighter than
//     magnitude 8.0, by number;
//   - some fifty showpiece double stars, wide or colourful pairs for small
//     telescopes, by right ascension; a pair the double-star catalog does
//     not hold is left out.
// Names are the designation with the English common name ("M 13
// (Hercules Globular Cluster)"); the doubles' names are their proper or
// Bayer names.
//
// Difficulty, 0 (easy) to 3 (hard):
//   deep-sky objects: from p = magnitude + 1.25 log10(major axis / 10'),
//     the size term counting only above 10' (a large object of a given
//     magnitude is fainter to the eye): 0 below 6, 1 below 8, 2 below 10,
//     else 3; 3 without a magnitude;
//   double stars: 0 from 10" with the companion brighter than 7, 1 from
//     4" with the companion brighter than 9, 2 from 2", else 3; one more
//     (3 at most) when the companion is 4 or more magnitudes fainter.
#pragma once

#include <memory>
#include <string>

#include "catalog/deepsky_data.h"
#include "catalog/double_star_data.h"

namespace celvaro {

// The built catalogs of a data directory, opened; null when a file does not open.
std::unique_ptr<iDeepskyData> openBuiltDeepsky(const std::string& dataDirectory);
std::unique_ptr<iStarDblData> openBuiltDoubleStars(const std::string& dataDirectory);

int deepskyDifficulty(int magnitudeHundredths, int majorAxisHundredthArcmin);
int doubleStarDifficulty(double companionMagnitude, double primaryMagnitude, double separationArcsec);

// Writes data/sky_guide.dat into `dataDirectory` and prints what it holds.
bool buildSkyGuideFile(const std::string& dataDirectory);

}  // namespace celvaro
