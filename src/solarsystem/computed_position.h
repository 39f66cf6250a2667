// A position computed for the chart's instant, kept with its validity.
#pragma once

#include <optional>
#include <vector>

#include "astro/coordinates.h"
#include "catalog/star_data.h"

namespace celvaro {

struct ComputedPosition {
  bool valid = false;
  double raRad = 0, decRad = 0;
};

inline ComputedPosition computedFrom(const std::optional<EquatorialPosition>& p) {
  return p ? ComputedPosition{true, p->raRad, p->decRad} : ComputedPosition{};
}

// False, leaving `out` alone, when there is no valid position.
inline bool copyPosition(const ComputedPosition& p, StarPosition& out) {
  if (!p.valid) return false;
  out.raRad = p.raRad;
  out.decRad = p.decRad;
  return true;
}

// The position of a list entry; false for an index outside the list.
inline bool entryPosition(const std::vector<ComputedPosition>& positions, int index, StarPosition& out) {
  return index >= 0 && static_cast<size_t>(index) < positions.size() && copyPosition(positions[index], out);
}

}  // namespace celvaro
