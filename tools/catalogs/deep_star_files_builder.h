// Builds the deep star catalog of the program directory: every star of the
// Stellarium star files (about 600,000: complete to about magnitude 10.5,
// with the fainter Hipparcos stars) as the segmented catalog
// data/stars_deep.hdr, stars_deep_idx.dat and stars_deep_NNNN.dat.
#pragma once

#include <string>

namespace celvaro {

struct DeepStarSourcePaths {
  std::string d3Data;      // d3-celestial data directory, to check the positions
  std::string stellarium;  // Stellarium stars/default directory
};

// The identifiers are the stars' Hipparcos numbers (the header says so),
// 0 for the stars the sources give none; no source here has Tycho numbers.
// Magnitudes are stored as they are, below 0.00 too. False on failure.
bool buildDeepStarFiles(const DeepStarSourcePaths& sources, const std::string& dataDirectory);

// Reads the catalog back with the program's reader and reports its
// segments and stars; false when it does not hold several hundred
// thousand stars in a few hundred segments.
bool verifyDeepStars(const std::string& dataDirectory);

}  // namespace celvaro
