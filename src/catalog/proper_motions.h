// The proper motions of the Hipparcos stars and their places at an epoch.
// The catalogs hold the places of the J2000 epoch; a star moves from there
// by its proper motion, and by its parallax's share of the space motion
// (the data hold no radial velocities), through ERFA's rigorous space
// motion.
#pragma once

#include <cstdint>
#include <vector>

#include "astro/coordinates.h"

namespace celvaro {

class StarInfoFile;

class ProperMotions {
 public:
  // The places move again only when the epoch moves by more than this:
  // the fastest star, Barnard's, goes 0.8" in a month.
  static constexpr double kEpochStepDays = 30;

  // Reads the motions and parallaxes of every star of the information
  // file; false, with no motions, when the file cannot be read.
  bool load(const StarInfoFile& file);
  bool empty() const { return motions_.empty(); }

  // A star's place at a Julian date from its J2000 place, by its
  // Hipparcos number; the J2000 place for a star without a motion.
  EquatorialPosition placeAt(int32_t hipparcos, double raRad, double decRad, double julianDate) const;

 private:
  struct Motion {
    float raMasPerYear = 0;  // along the parallel: the change of right ascension times cos(dec)
    float decMasPerYear = 0;
    float parallaxMas = 0;
    bool known = false;
  };
  std::vector<Motion> motions_;  // by Hipparcos number
};

}  // namespace celvaro
