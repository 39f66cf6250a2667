// The main catalog's fast stars (ProperMotions::kFastMasPerYear and more,
// as the motion file lists them) at their J2000 places in bands of one arcminute of declination: the marks
// that belong to them (names, double and variable stars) move with them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "astro/coordinates.h"
#include "catalog/proper_motions.h"

namespace celvaro {

class FastStars {
 public:
  // Sorts the fast stars the motion file lists into bands.
  void index(const ProperMotions& motions);
  bool indexed() const { return !bandStarts_.empty(); }

  // The place `years` after J2000 of a mark at a J2000 place that belongs
  // to a fast star: the nearest within half an arcminute of it (double and
  // variable star catalogs give their own places; alpha Cen A and B stand
  // 15" apart). None for a mark of a slower star, which keeps its place:
  // in a century its star moves less than 10", a fraction of the smallest
  // disc.
  std::optional<EquatorialPosition> markPlace(double raRad, double decRad, double years) const;

 private:
  struct Star {
    double raRad, decRad, cosDec;
    double eastRadPerYear, northRadPerYear;  // along the parallel and the meridian
  };
  std::vector<Star> stars_;
  std::vector<uint32_t> bandStarts_;  // the first star of each band, then the end
};

}  // namespace celvaro
