#include "double_star_pairs.h"

#include <algorithm>
#include <iterator>

namespace celvaro {
namespace {

// Measures as the WDS gives them (last measures of the 2010s) for the
// pairs of fixed-looking systems. Fast binaries (Castor, xi UMa, alpha Cen)
// move several degrees a year, so theirs is the ephemeris for 2025.0 of
// their visual orbits: Castor AB P 420.07 y, T 1965.3, e 0.33, a 6.295",
// i 115.94, node 40.47, periastron 261.43; xi UMa AB from the Sixth
// Catalog of Orbits (P 59.8903 y, T 1935.17, e 0.40432, a 2.50442",
// i 122.187, node 100.939, periastron 126.964); alpha Cen AB from
// Pourbaix & Boffin 2016 (P 79.91 y, T 1955.66, e 0.524, a 17.66",
// i 79.32, node 204.75, periastron 232.3). Companion magnitudes from the
// Bright Star Catalogue and the WDS.
constexpr NamedPair kNamedPairs[] = {
    {"00491+5749", 3821, "Σ_60", false, 0, 0, 0, 7.51},           // eta Cas AB: the row is AB
    {"02318+8916", 11767, "Σ_93", false, 0, 237, 18.2, 8.7},      // Polaris AB
    {"02507+5554", 13268, "Σ_307", false, 0, 300, 28.3, 8.5},     // eta Per AB
    {"05353-0523", 26220, "Σ_748", false, 0, 0, 0, 7.95},         // theta1 Ori AB: the row of A is AB
    {"07346+3153", 36850, "Σ_1110", false, 2025, 45, 5.5, 2.85},  // Castor AB
    {"11182+3132", 55203, "Σ_1523", false, 2025, 136, 2.6, 4.87}, // xi UMa AB
    {"14396-6050", 71683, "RHD_1", false, 2025, 9, 8.7, 1.33},    // alpha Cen AB
    {"18443+3940", 91919, "Σ_2382", true, 0, 346, 2.2, 6.02},     // epsilon1 Lyr AB
    {"18443+3940", 91926, "Σ_2383", true, 0, 76, 2.4, 5.38},      // epsilon2 Lyr CD
    {"18448+3736", 91971, "Σ_I_38", false, 0, 150, 43.7, 5.73},   // zeta Lyr AD
    {"21287+7034", 106032, "Σ_2806", false, 0, 250, 13.4, 7.8},   // beta Cep AB, not the 0.2" Aa,Ab
    {"22292+5825", 110991, "Σ_I_58", false, 0, 191, 40.6, 6.3},   // delta Cep AC
};

}  // namespace

std::span<const NamedPair> namedPairs() { return kNamedPairs; }

const NamedPair* namedPairOf(int32_t hip) {
  const auto at = std::find_if(std::begin(kNamedPairs), std::end(kNamedPairs),
                               [hip](const NamedPair& p) { return p.hip == hip; });
  return at == std::end(kNamedPairs) ? nullptr : at;
}

}  // namespace celvaro
