#pragma once

#include <cstdint>
#include <span>

namespace celvaro {

// The pair the Washington Double Star Catalog lists under a system's
// discoverer designation, for the showpiece systems whose one row per
// Hipparcos star in the WDS cross-match measures another pair of them
// (Polaris' row is the 39" pair, not STF 93 AB), or which have no row at
// all (xi UMa).
struct NamedPair {
  const char* wds;          // coordinate designation, "02318+8916"
  int32_t hip;              // the pair's primary
  const char* designation;  // as extra_name.fab writes it: "Σ_93", "RHD_1"
  bool ownSystem;           // a WDS entry of its own under a shared number (epsilon1 and epsilon2 Lyr)
  int year;                 // of the measure, 0 unknown
  int positionAngle;        // degrees
  double separation;        // arcseconds, 0: the cross-match's measure stands
  double companion;         // V magnitude, 0 unknown
};

std::span<const NamedPair> namedPairs();

// The named pair whose primary is this Hipparcos star, or null.
const NamedPair* namedPairOf(int32_t hip);

}  // namespace celvaro
