// Builds the star files of the program directory from the public sources:
// the main star catalog (CLV_STD1), the star labels (CLV_STLS) and the
// per-star information file (CLV_SIDX).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "catalog/constellation_regions.h"
#include "sky_sources.h"

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

// The constellations' regions from d3-celestial's boundaries: J2000
// corners, one closed ring each (Serpens twice), whose edges run along the
// parallels and hour circles of the equinox of 1875. A ring is numbered by
// its abbreviation, a Serpens ring by its first corner's right ascension.
ConstellationRegions constellationRegionsOf(const std::vector<SourcePolyline>& boundaries);

// A star's proper names; the IAU's name, where it has one, first.
struct OwnedNames {
  std::vector<std::string> names;
  bool iau = false;  // the first name is the IAU's
};

// The proper names of each star, each name given to one star only. The
// names of a star: the IAU's first, then d3-celestial's, then those of
// Stellarium's sky culture in its order. A name several stars bear goes to
// the one whose claim is strongest: the IAU's (a Stellarium entry citing
// one of the IAU's lists, or the few names that list lacks), then a name
// the builder's own short list places, then d3-celestial's name of the
// star, then the first name Stellarium gives it, then any other; between
// equal claims the one whose entry cites more references, then the
// brighter star. The others lose it.
std::map<int32_t, OwnedNames> properNamesByStar(
    const std::vector<SourceStar>& stars, const std::map<int32_t, SourceStarName>& d3Names,
    const std::map<int32_t, std::vector<SourceProperName>>& skyCultureNames);

// Replaces a data file's contents; false, with a message on stderr, when
// it cannot.
bool writeFile(const std::string& path, const std::string& bytes);

struct StarSourcePaths {
  std::string d3Data;      // d3-celestial data directory
  std::string stellarium;  // Stellarium stars/default directory
  std::string starNames;   // Stellarium's western star_names.fab
};

// Writes data/stars_hip.dat, data/star_labels.dat and
// data/hipparcos_data.dat into `dataDirectory`; false on failure.
bool buildStarFiles(const StarSourcePaths& sources, const std::string& dataDirectory);

}  // namespace celvaro
