// Marks that belong to stars (names, double and variable stars) move with
// the stars' proper motions: each catalog keeps its file's J2000 places of
// the marks that move and takes their places of the date from their
// motions.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <numbers>
#include <vector>

#include "astro/coordinates.h"

namespace celvaro {

// A mark that moves with its star, linearly in right ascension and
// declination: within an arcsecond in a century of the star's own path
// along its great circle, which the chart draws.
struct MarkMotion {
  uint32_t record;
  double raRadPerYear, decRadPerYear;
};
// The marks of one catalog that move, for a file of `recordCount` records.
struct MarkMotions {
  size_t recordCount = 0;
  std::vector<MarkMotion> marks;
};

// Moves the records of the moving marks `years` from J2000; their J2000
// places are kept in `j2000` the first time (a catalog empties it when it
// reads its file). Motions made for a file of another size move nothing.
template <typename Record>
void moveMarks(std::vector<Record>& records, std::vector<EquatorialPosition>& j2000, const MarkMotions& motions,
               double years) {
  if (motions.recordCount != records.size()) return;
  if (j2000.size() != motions.marks.size()) {
    j2000.clear();
    for (const MarkMotion& m : motions.marks) j2000.push_back({records[m.record].raRad, records[m.record].decRad});
  }
  constexpr double kTurn = 2 * std::numbers::pi;
  for (size_t i = 0; i < motions.marks.size(); ++i) {
    const MarkMotion& m = motions.marks[i];
    const double ra = j2000[i].raRad + years * m.raRadPerYear;
    records[m.record].raRad = ra - kTurn * std::floor(ra / kTurn);
    records[m.record].decRad =
        std::clamp(j2000[i].decRad + years * m.decRadPerYear, -std::numbers::pi / 2, std::numbers::pi / 2);
  }
}

}  // namespace celvaro
