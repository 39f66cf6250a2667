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

constexpr int kTurnSteps = 1024;

const SinCosTable<kTurnSteps>& turnTable() {
  static const SinCosTable<kTurnSteps> table = tableOf<kTurnSteps>(360.0 / kTurnSteps);
  return table;
}

// n modulo m, from 0 to m - 1 for either sign of n.
int32_t wrapped(int32_t n, int32_t m) { return (n % m + m) % m; }

}  // namespace

SinCos sinCosOfDegrees(int degrees) { return degreeTable()[wrapped(degrees, 360)]; }

SinCos sinCosOfMillidegrees(int32_t millidegrees) {
  // Most angles (a right ascension, a declination's size) are within one
  // turn already.
  const int32_t turn = millidegrees >= 0 && millidegrees < 360000 ? millidegrees : wrapped(millidegrees, 360000);
  const SinCos a = degreeTable()[turn / 1000], b = millidegreeTable()[turn % 1000];
  return {a.sin * b.cos + a.cos * b.sin, a.cos * b.cos - a.sin * b.sin};
}

SinCos sinCosOfRadians(double radians) {
  if (!(std::fabs(radians) < 1e6)) return {std::sin(radians), std::cos(radians)};
  // The step in three parts: the first of 24 bits, so that a whole number
  // of steps of it (under 2^28 here) is exact; the last the part of pi
  // beyond its nearest double.
  constexpr double kPiRest = 1.2246467991473532e-16;
  constexpr double kStep = 2 * std::numbers::pi / kTurnSteps;
  constexpr double kStepHigh = static_cast<float>(kStep), kStepMiddle = kStep - kStepHigh;
  constexpr double kStepLow = 2 * kPiRest / kTurnSteps;
  constexpr double kStepsPerRadian = 1 / kStep;
  const double steps = std::floor(radians * kStepsPerRadian + 0.5);
  const double rest = ((radians - steps * kStepHigh) - steps * kStepMiddle) - steps * kStepLow;
  // Taylor's series, whose first term left out is under 10^-20.
  const double r2 = rest * rest;
  const double sinRest = rest * (1 - r2 * (1.0 / 6) * (1 - r2 * (1.0 / 20)));
  const double cosRest = 1 - r2 * 0.5 * (1 - r2 * (1.0 / 12) * (1 - r2 * (1.0 / 30)));
  const SinCos a = turnTable()[static_cast<int64_t>(steps) & (kTurnSteps - 1)];
  return {a.sin * cosRest + a.cos * sinRest, a.cos * cosRest - a.sin * sinRest};
}

}  // namespace celvaro
