#include "astro/angle_tables.h"

#include <array>
#include <cmath>
#include <numbers>

namespace celvaro {
namespace {

template <int kSteps>
using SinCosTable = std::array<SinCos, kSteps>;

// The sines and cosines of 0 to kSteps - 1 steps of `stepDegrees`.
template <int kSteps>
SinCosTable<kSteps> tableOf(double stepDegrees) {
  SinCosTable<kSteps> table;
  for (int i = 0; i < kSteps; ++i) {
    const double rad = i * stepDegrees * std::numbers::pi / 180;
    table[i] = {std::sin(rad), std::cos(rad)};
  }
  return table;
}

const SinCosTable<360>& degreeTable() {
  static const SinCosTable<360> table = tableOf<360>(1.0);
  return table;
}

const SinCosTable<1000>& millidegreeTable() {
  static const SinCosTable<1000> table = tableOf<1000>(0.001);
  return table;
}

// n modulo m, from 0 to m - 1 for either sign of n.
int32_t wrapped(int32_t n, int32_t m) { return (n % m + m) % m; }

}  // namespace

SinCos sinCosOfDegrees(int degrees) { return degreeTable()[wrapped(degrees, 360)]; }

SinCos sinCosOfMillidegrees(int32_t millidegrees) {
  const int32_t turn = wrapped(millidegrees, 360000);
  const SinCos a = degreeTable()[turn / 1000], b = millidegreeTable()[turn % 1000];
  return {a.sin * b.cos + a.cos * b.sin, a.cos * b.cos - a.sin * b.sin};
}

}  // namespace celvaro
