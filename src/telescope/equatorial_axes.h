// The two axes of an equatorial mount driven through its motor controller:
// counts per revolution and what follows from them, the rate tables, and
// where in the sky a pair of motor counts points. Both axes count from
// kHome, the position the handshake declares.
#pragma once

#include <array>
#include <cstdint>

#include "astro/coordinates.h"

namespace celvaro {

// Step periods by rate index 0..5 and the period constants of one class of
// mount.
struct EquatorialRates {
  std::array<int, 6> fast;
  std::array<int, 6> slow;
  // Slow moves on axis 1 while tracking: east (a negative entry runs
  // forward at that period, 0 stops the axis) and west.
  std::array<int, 6> trackingEast;
  std::array<int, 6> trackingWest;
  int siderealPeriod;
  int declinationGuidePeriod;
  int guideFastPeriod;
  int guideSlowPeriod;
};

class EquatorialAxes {
 public:
  static constexpr int32_t kHome = 0x800000;

  // 9024000 counts per revolution on both axes until the mount tells.
  EquatorialAxes();

  void setCountsPerRevolution(int axis, uint32_t counts);
  uint32_t countsPerRevolution(int axis) const { return axis_[index(axis)].perRevolution; }
  int32_t halfRevolution(int axis) const { return static_cast<int32_t>(countsPerRevolution(axis) / 2); }
  double countsPerDegree(int axis) const { return axis_[index(axis)].perDegree; }
  double countsPerHour(int axis) const { return axis_[index(axis)].perHour; }
  // The tables that suit axis 1's counts per revolution.
  const EquatorialRates& rates() const;
  // Axis 2 at the park position: a quarter of axis 1's revolution below home.
  int32_t parkAxis2() const;

  // The pier side for a target `hours` east of the meridian (-12..12): 0
  // below the east-west swap position, else 1.
  static int pierSide(double hours, double swapHours) { return hours < swapHours ? 0 : 1; }
  // Axis 1's counts for a target `hours` east of the meridian on a side.
  int32_t axis1Counts(double hours, int side) const;
  // Axis 2's counts for a declination (degrees) on a side.
  int32_t axis2Counts(double decDeg, int side) const;

  // Right ascension and declination of the counts for a local sidereal time.
  EquatorialPosition skyPosition(int32_t axis1, int32_t axis2, double localSiderealHours) const;

 private:
  struct Axis {
    uint32_t perRevolution;
    double perDegree;
    double perHour;
  };
  static int index(int axis) { return axis == 2 ? 1 : 0; }

  std::array<Axis, 2> axis_;
};

}  // namespace celvaro
