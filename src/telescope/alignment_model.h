// The alignment of an alt-azimuth mount driven by motor counts: up to three
// reference points, each a horizontal position with the counts read there,
// and the one- or two-point model built from them. Azimuths are those of the
// horizontal conversions, folded into -180..180; the model itself counts
// azimuth from the base point without folding, so axis 1 may stand more than
// half a turn from the base point.
//
// Cable limit: axis 1 is never sent further than three quarters of a
// revolution of counts (270 degrees as the controller counts) either way
// from the base point's axis-1 count. Of the whole turns that reach a
// target, the one nearest where axis 1 stands is taken; when that lies
// beyond the limit, the one nearest the base point (within half a turn of
// it, so always within the limit) is taken instead.
#pragma once

#include <array>
#include <cstdint>

#include "astro/coordinates.h"

namespace celvaro {

struct MotorCounts {
  int32_t axis1 = 0;
  int32_t axis2 = 0;
};

class AlignmentModel {
 public:
  static constexpr int kSlots = 3;
  enum Mode : int { kNoModel = 0, kOnePoint = 1, kTwoPoints = 2 };

  // Azimuth above 180 degrees counted as below 0.
  static double foldAzimuth(double azimuthDeg);

  // The counts of half a revolution of axis 1 or 2, from the handshake.
  void setHalfRevolution(int axis, int32_t counts);
  // Stores point 0..2 as valid; other indexes do nothing.
  void setPoint(int index, const HorizontalPosition& position, const MotorCounts& counts);
  // Clears point 0..2; other indexes clear nothing.
  void clearPoint(int index);
  void clearAll();
  bool anyValid() const;
  Mode mode() const { return mode_; }

  // The counts that point the mount at a horizontal position, axis 1 the
  // shorter way round from `axis1Now` within the cable limit; false without
  // a model.
  bool horizontalToCounts(const HorizontalPosition& position, int32_t axis1Now, MotorCounts& counts) const;
  // The horizontal position the counts point at: the exact inverse of
  // horizontalToCounts, correction included; false without a model.
  bool countsToHorizontal(const MotorCounts& counts, HorizontalPosition& position) const;
  // Counts relative to those of the base point.
  MotorCounts offsetFromBase(const MotorCounts& counts) const;

 private:
  struct ReferencePoint {
    bool valid = false;
    double azimuthDeg = 0;
    double altitudeDeg = 0;
    MotorCounts counts;
  };

  void recompute();
  static bool spreadInAzimuth(double azimuthSpan, double altitudeSpan);
  // The counts at `azimuthFromBase` degrees from the base point (unfolded).
  MotorCounts countsAt(double azimuthFromBase, double altitudeDeg) const;
  // Counts of axis 1 per degree of azimuth, and of axis 2 per degree of
  // azimuth from the base point (the two-point correction).
  double axis1PerDegree() const;
  double axis2PerDegreeOfAzimuth() const;

  std::array<ReferencePoint, kSlots> points_{};
  int32_t halfRevolution1_ = 1;
  int32_t halfRevolution2_ = 1;
  Mode mode_ = kNoModel;
  ReferencePoint base_;
  // The two-point model: the second point's azimuth from the base (the way
  // round its counts show) and the counts the one-point scale misses there.
  double azimuthSpan_ = 0;
  double correction1_ = 0;
  double correction2_ = 0;
};

}  // namespace celvaro
