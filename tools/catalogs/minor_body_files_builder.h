// Builds the orbital-element files of data/mpc from the public sources:
// the long asteroid list MPCORB.DAT with every asteroid the sources have,
// the four short lists and the comet list CometEls.txt.
//
// The short lists are chosen by what their names promise:
//  - Soft00Bright.txt: the intrinsically brightest (lowest H) objects that
//    come near enough to be bright in the sky: semi-major axis below 6 AU;
//  - Soft00CritList.txt: numbered objects whose orbits have been worked
//    over least, read as the lowest orbit-solution numbers: the objects
//    that most need observing;
//  - Soft00Distant.txt: the brightest objects beyond Jupiter (semi-major
//    axis above 5.5 AU: centaurs and trans-Neptunian objects);
//  - Soft00Unusual.txt: near-Earth objects and orbits inclined more than
//    30 degrees, brightest first.
#pragma once

#include <string>

namespace celvaro {

struct MinorBodySources {
  std::string asteroids;  // JPL Small-Body Database selection (JSON)
  std::string comets;     // Minor Planet Center comet elements (gzip JSON)
};

// Writes `dataDirectory`/mpc/*; false on failure.
bool buildMinorBodyFiles(const MinorBodySources& sources, const std::string& dataDirectory);

}  // namespace celvaro
