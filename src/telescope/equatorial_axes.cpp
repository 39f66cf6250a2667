#include "telescope/equatorial_axes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>

namespace celvaro {
namespace {

constexpr uint32_t kDefaultCountsPerRevolution = 9024000;
// Mounts with at least this many counts per revolution use the finer tables.
constexpr uint32_t kFineCountsPerRevolution = 5000000;

constexpr EquatorialRates kFineRates = {
    .fast = {30, 24, 20, 16, 12, 10},
    .slow = {1240, 620, 77, 38, 19, 9},
    .trackingEast = {-1240, 0, 77, 38, 19, 9},
    .trackingWest = {413, 310, 77, 38, 19, 9},
    .siderealPeriod = 620,
    .declinationGuidePeriod = 1240,
    .guideFastPeriod = 413,
    .guideSlowPeriod = 1240,
};
constexpr EquatorialRates kCoarseRates = {
    .fast = {36, 28, 22, 19, 14, 12},
    .slow = {1406, 703, 87, 43, 21, 10},
    .trackingEast = {-1406, 0, 87, 43, 21, 10},
    .trackingWest = {469, 352, 87, 43, 21, 10},
    .siderealPeriod = 703,
    .declinationGuidePeriod = 1406,
    .guideFastPeriod = 469,
    .guideSlowPeriod = 1406,
};

// Counts `offset` from home, rounded half away from zero. A target beyond
// the int32 range (a synchronisation made at another scale puts one there)
// stops at the range's edge.
int32_t countsFromHome(double offset) {
  const double counts = EquatorialAxes::kHome + std::round(offset);
  return static_cast<int32_t>(std::clamp<double>(counts, INT32_MIN, INT32_MAX));
}

double wrapHours(double hours) {
  const double h = std::fmod(hours, 24.0);
  return h < 0 ? h + 24.0 : h;
}

}  // namespace

EquatorialAxes::EquatorialAxes() {
  setCountsPerRevolution(1, kDefaultCountsPerRevolution);
  setCountsPerRevolution(2, kDefaultCountsPerRevolution);
}

// The derived values are worked out in single precision.
void EquatorialAxes::setCountsPerRevolution(int axis, uint32_t counts) {
  const float c = static_cast<float>(counts);
  axis_[index(axis)] = {counts, c / 360.0f, c / 24.0f};
}

const EquatorialRates& EquatorialAxes::rates() const {
  return countsPerRevolution(1) >= kFineCountsPerRevolution ? kFineRates : kCoarseRates;
}

int32_t EquatorialAxes::parkAxis2() const { return kHome - static_cast<int32_t>(countsPerRevolution(1) / 4); }

int32_t EquatorialAxes::axis1Counts(double hours, int side) const {
  const double fromHome = side == 0 ? -(hours + 6.0) : 6.0 - hours;
  return countsFromHome(fromHome * countsPerHour(1));
}

// Side 0 turns axis 2 past home, side 1 short of it.
int32_t EquatorialAxes::axis2Counts(double decDeg, int side) const {
  const double n = (90.0 - decDeg) * countsPerHour(2) / 15.0;
  return countsFromHome(side == 0 ? n : -n);
}

// Axis 2 past home turns the tube over the pole: the hour offset then
// counts the other way round.
EquatorialPosition EquatorialAxes::skyPosition(int32_t axis1, int32_t axis2,
                                               double localSiderealHours) const {
  const double decDeg = 90.0 - std::abs(axis2 - kHome) / countsPerDegree(2);
  const double hoursFromHome = (axis1 - kHome) / countsPerHour(1);
  const double offsetHours = axis2 <= kHome ? 6.0 - hoursFromHome : -hoursFromHome - 6.0;
  const double raHours = wrapHours(localSiderealHours + offsetHours);
  return {raHours * std::numbers::pi / 12.0, decDeg * std::numbers::pi / 180.0};
}

}  // namespace celvaro
