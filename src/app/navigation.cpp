#include "app/navigation.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace celvaro {
namespace {

struct Row {
  int atLeast;
  int value;
};

constexpr Row kBaseStep[] = {{3900, 300}, {2400, 180}, {900, 90}, {360, 45},
                             {180, 25},   {90, 10},    {45, 5},   {0, 3}};

// The widening factor by absolute declination.
constexpr Row kWidening[] = {{5281, 30}, {5221, 20}, {5161, 15}, {5041, 10}, {4801, 5},
                             {4501, 4},  {4201, 3},  {3601, 2},  {0, 1}};

int firstReached(const Row* rows, size_t n, int value) {
  for (size_t i = 0; i < n; ++i) {
    if (value >= rows[i].atLeast) return rows[i].value;
  }
  return rows[n - 1].value;
}

constexpr int kLimitStep = 50;
constexpr int kOffsetBound = 300;

}  // namespace

int zoomedIn(int fieldArcmin, int steps) {
  return std::max(kMinFieldArcmin, static_cast<int>((40LL - steps) * fieldArcmin / 40));
}

int zoomedOut(int fieldArcmin, int steps) {
  int field = static_cast<int>((40LL + 2 * steps) * fieldArcmin / 40);
  if (field == fieldArcmin) field = fieldArcmin + 2;
  return std::min(field, kMaxFieldArcmin);
}

int basePanStep(int fieldArcmin) { return firstReached(kBaseStep, std::size(kBaseStep), fieldArcmin); }

int widePanStep(int fieldArcmin, int centreDecArcmin) {
  const int factor = firstReached(kWidening, std::size(kWidening), std::abs(centreDecArcmin));
  return std::min(basePanStep(fieldArcmin) * factor, 900);
}

bool stepStarLimit(bool manual, int& offset, int& manualValue, int direction) {
  if (manual) {
    manualValue += direction * kLimitStep;
    return true;
  }
  const int next = offset + direction * kLimitStep;
  if (next < -kOffsetBound || next > kOffsetBound) return false;
  offset = next;
  return true;
}

}  // namespace celvaro
