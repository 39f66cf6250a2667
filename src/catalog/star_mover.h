// Marks that belong to stars (names, double and variable stars) move with
// the stars' proper motions: each catalog keeps its file's J2000 places and
// takes the places of the date from a mover.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "astro/coordinates.h"

namespace celvaro {

// The place of the date of a mark at a J2000 place; none where no moving
// star stands there (the mark keeps its J2000 place).
using StarMover = std::function<std::optional<EquatorialPosition>(double raRad, double decRad)>;

// Moves records with raRad and decRad; their J2000 places are kept in
// `j2000` the first time (a catalog empties it when it reads its file).
template <typename Record>
void moveRecords(std::vector<Record>& records, std::vector<EquatorialPosition>& j2000, const StarMover& mover) {
  if (j2000.size() != records.size()) {
    j2000.clear();
    j2000.reserve(records.size());
    for (const Record& r : records) j2000.push_back({r.raRad, r.decRad});
  }
  for (size_t i = 0; i < records.size(); ++i) {
    const EquatorialPosition at = mover(j2000[i].raRad, j2000[i].decRad).value_or(j2000[i]);
    records[i].raRad = at.raRad;
    records[i].decRad = at.decRad;
  }
}

}  // namespace celvaro
