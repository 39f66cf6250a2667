// The main catalog's fast stars (ProperMotions::kFastMasPerYear and more,
// as the motion file lists them) at their J2000 places in bands of one
// arcminute of declination: the data builder links the marks near them
// (names, double and variable stars) to them, and the program moves those
// marks with their stars.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "catalog/proper_motions.h"

namespace celvaro {

class FastStars {
 public:
  // Sorts the fast stars the motion file lists into bands.
  void index(const ProperMotions& motions);

  struct Star {
    int32_t hipparcos;
    double raRad, decRad, cosDec;  // J2000
  };
  // The fast star a mark at a J2000 place belongs to: the nearest within
  // half an arcminute of it (double and variable star catalogs give their
  // own places; alpha Cen A and B stand 15" apart). None for a mark of a
  // slower star, which keeps its place: in a century its star moves less
  // than 10", a fraction of the smallest disc.
  std::optional<Star> starOf(double raRad, double decRad) const;

 private:
  std::vector<Star> stars_;
  std::vector<uint32_t> bandStarts_;  // the first star of each band, then the end
};

}  // namespace celvaro
