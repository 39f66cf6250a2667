// A position computed for the chart's instant, kept with its validity.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "astro/coordinates.h"
#include "astro/star_position.h"
#include "solarsystem/ephemeris.h"

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

// The positions of a list's entries at the instant last set, computed all
// at once at the first read after the instant changes: a list the chart
// does not show costs nothing, and one it shows is computed once an instant.
class InstantPositions {
 public:
  using Compute = std::function<std::optional<EquatorialPosition>(size_t entry, const MinorBodyEphemeris& at)>;

  // `count` entries and no instant yet.
  void reset(size_t count) {
    positions_.assign(count, {});
    instant_.reset();
    computed_ = false;
  }
  // The instant and the observer, as the ephemeris of that instant holds them.
  void setInstant(const MinorBodyEphemeris& at) {
    instant_ = at;
    computed_ = false;
  }
  // False, leaving `out` alone, for an index outside the list, before an
  // instant is set, or for an entry without a position.
  bool read(int index, StarPosition& out, const Compute& compute) const {
    if (index < 0 || static_cast<size_t>(index) >= positions_.size() || !instant_) return false;
    if (!computed_) {
      for (size_t k = 0; k < positions_.size(); ++k) positions_[k] = computedFrom(compute(k, *instant_));
      computed_ = true;
    }
    return copyPosition(positions_[index], out);
  }

 private:
  mutable std::vector<ComputedPosition> positions_;
  mutable bool computed_ = false;
  std::optional<MinorBodyEphemeris> instant_;
};

}  // namespace celvaro
