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
// The magnitudes, which only the entries on the chart need, are computed
// one by one at their first read, and kept for the instant too.
class InstantPositions {
 public:
  using Compute = std::function<std::optional<EquatorialPosition>(size_t entry, const MinorBodyEphemeris& at)>;
  using ComputeMagnitude = std::function<std::optional<double>(size_t entry, const MinorBodyEphemeris& at)>;

  // `count` entries and no instant yet.
  void reset(size_t count) {
    positions_.assign(count, {});
    instant_.reset();
    computed_ = false;
    magnitudes_.assign(count, {});
  }
  // The instant and the observer, as the ephemeris of that instant holds them.
  void setInstant(const MinorBodyEphemeris& at) {
    instant_ = at;
    computed_ = false;
    magnitudes_.assign(magnitudes_.size(), {});
  }
  // None for an index outside the list, before an instant is set, or for an
  // entry without a magnitude.
  std::optional<double> magnitude(int index, const ComputeMagnitude& compute) const {
    if (index < 0 || static_cast<size_t>(index) >= magnitudes_.size() || !instant_) return std::nullopt;
    KeptMagnitude& kept = magnitudes_[index];
    if (!kept.known) kept = {true, compute(index, *instant_)};
    return kept.value;
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
  struct KeptMagnitude {
    bool known = false;
    std::optional<double> value;
  };
  mutable std::vector<ComputedPosition> positions_;
  mutable bool computed_ = false;
  mutable std::vector<KeptMagnitude> magnitudes_;
  std::optional<MinorBodyEphemeris> instant_;
};

}  // namespace celvaro
