#include "render/grid_steps.h"

#include <algorithm>
#include <cstdlib>

namespace celvaro {
namespace {

struct Row {
  int threshold;
  int value;
};

// Declination step by field: the first row whose threshold the field reaches.
constexpr Row kDecStepByField[] = {{4200, 900}, {2700, 600}, {1800, 360}, {900, 180},
                                   {360, 90},   {180, 45},   {120, 30},   {60, 15},
                                   {45, 10},    {30, 5},     {0, 3}};

// Right-ascension factor by absolute centre declination, likewise.
constexpr Row kRaFactorByDec[] = {{5281, 30}, {5221, 20}, {5161, 15}, {5041, 10}, {4801, 5},
                                  {4501, 4},  {4201, 3},  {3601, 2},  {0, 1}};

template <size_t N>
int firstReached(const Row (&rows)[N], int value) {
  for (const Row& row : rows) {
    if (value >= row.threshold) return row.value;
  }
  return rows[N - 1].value;
}

}  // namespace

GridSteps automaticGridSteps(int fieldArcmin, int centreDecArcmin) {
  int dec = firstReached(kDecStepByField, fieldArcmin);
  int factor = firstReached(kRaFactorByDec, std::abs(centreDecArcmin));
  return {std::min(dec * factor, 900), dec};
}

}  // namespace celvaro
