// Builds the star identification database of the star search from the
// public sources: data/starid.dat and its Tycho file data/starid_tycho.dat.
#pragma once

#include <string>

namespace celvaro {

struct StarIdSourcePaths {
  std::string d3Data;      // d3-celestial data directory: stars.14.json, starnames.json
  std::string stellarium;  // Stellarium stars/default directory: name.fab, cross-id.dat
  std::string starNames;   // Stellarium's western star_names.fab
};

// One record per Hipparcos star with a position, brightest first, with
// its proper names (d3-celestial's first, then Stellarium's others),
// Bayer and Flamsteed designations (Stellarium's, d3-celestial's where
// Stellarium has none of that kind) and HD, HR and SAO numbers. The
// sources hold no PPM, Durchmusterung or Tycho numbers: those tables stay
// empty and the Tycho file has no entries. False on failure.
bool buildStarIdFiles(const StarIdSourcePaths& sources, const std::string& dataDirectory);

}  // namespace celvaro
