// Builds the star files of the program directory from the public sources:
// the main star catalog (CLV_STD1), the star labels (CLV_STLS) and the
// per-star information file (CLV_SIDX).
#pragma once

#include <optional>
#include <string>

namespace celvaro {

// Colour class 0..7 of a B-V colour index, matching the chart's star fills:
// 1 blue, 2 blue-white, 0 white, 4 pale yellow, 5 yellow, 6 orange, 3 and 7 red.
int colourClassOfBv(std::optional<double> bv);

// The Greek letter number (0..23, alpha..omega) of a Bayer designation
// such as "κ1", and its superscript; false for Latin letters.
bool parseBayer(const std::string& bayer, int& greekLetter, int& superscript);

// The constellation number (0..88) of an IAU abbreviation; Serpens is
// split into Caput and Cauda by right ascension. -1 when unknown.
int constellationNumberOf(const std::string& abbreviation, double raDeg);

// Replaces a data file's contents; false, with a message on stderr, when
// it cannot.
bool writeFile(const std::string& path, const std::string& bytes);

struct StarSourcePaths {
  std::string d3Data;      // d3-celestial data directory
  std::string stellarium;  // Stellarium stars/default directory
};

// Writes data/stars_hip.dat, data/star_labels.dat and
// data/hipparcos_data.dat into `dataDirectory`; false on failure.
bool buildStarFiles(const StarSourcePaths& sources, const std::string& dataDirectory);

}  // namespace celvaro
