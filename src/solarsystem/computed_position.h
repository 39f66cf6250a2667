// A position computed for the chart's instant, kept with its validity.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "astro/coordinates.h"
#include "catalog/star_data.h"
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
    computedFor_.reset();
  }
  void setInstant(double julianDate) { instant_ = julianDate; }
  // False, leaving `out` alone, for an index outside the list, before an
  // instant is set, or for an entry without a position.
  bool read(int index, StarPosition& out, const Compute& compute) const {
    if (index < 0 || static_cast<size_t>(index) >= positions_.size() || !instant_) return false;
    if (computedFor_ != instant_) {
      const MinorBodyEphemeris at(*instant_);
      for (size_t k = 0; k < positions_.size(); ++k) positions_[k] = computedFrom(compute(k, at));
      computedFor_ = instant_;
    }
    return copyPosition(positions_[index], out);
  }

 private:
  mutable std::vector<ComputedPosition> positions_;
  mutable std::optional<double> computedFor_;
  std::optional<double> instant_;
};

}  // namespace celvaro
