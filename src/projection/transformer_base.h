// What every projection shares: the frame of the chart centre, the scale
// and the unit conversions. A projection adds only its radial law
// (TransformerWithLaw) and its limits.
#pragma once

#include <cmath>
#include <cstdint>

#include "projection/transformer.h"

namespace celvaro {

// The direction cosines of a point in the frame of the chart centre:
// toward increasing X (east), increasing Y (north or zenith) and the centre.
struct ViewVector {
  double e, n, c;
};

// A plane offset far outside any chart is held at this many pixels, so that
// truncation, offsets and mirroring never overflow.
constexpr double kPixelLimit = 1e9;

inline int32_t truncatePixels(double v) {
  if (!(v > -kPixelLimit)) return v != v ? 0 : static_cast<int32_t>(-kPixelLimit);
  if (v > kPixelLimit) return static_cast<int32_t>(kPixelLimit);
  return static_cast<int32_t>(v);
}

class TransformerBase : public iTransformer {
 public:
  bool isHorizontal() const override { return horizontal_; }
  double visibilityLimit() const override { return visibilityLimit_; }
  void setup(const OutputArea& area, const ChartSettings& settings) override;
  VisibleEdge visibleEdge() const override;
  int32_t tenthArcminToPixels(int32_t tenthsOfArcmin) const override;
  int32_t arcsecToPixels(double arcsec) const override;
  int32_t pixelsToArcsec(int32_t pixels) const override;
  void setScale(double halfExtentPx, int32_t halfFieldArcmin) override;

  double scale() const { return scale_; }
  uint32_t mirrorMode() const { return mirror_; }

 protected:
  TransformerBase(double visibilityLimit, int32_t maxHalfFieldArcmin, bool usesVerticalOffset)
      : visibilityLimit_(visibilityLimit),
        maxHalfFieldArcmin_(maxHalfFieldArcmin),
        usesVerticalOffset_(usesVerticalOffset) {}

  // The radial law r(t) / scale at angular distance t, for setScale.
  virtual double radialLaw(double t) const = 0;

  // A horizon-frame vector (up, south, east) lifted by standard refraction.
  static Vector3 refracted(const Vector3& horizon);

  ViewVector equatorialVector(double ra, double dec) const {
    const double cd = std::cos(dec), sd = std::sin(dec);
    const double h = ra + a0_, ch = std::cos(h);
    return {cd * std::sin(h), sd * cosD0_ + cd * ch * sinD0_, cosD0_ * cd * ch - sinD0_ * sd};
  }

  // The view vector of a J2000 unit vector in the horizontal frame: onto
  // the local horizon of the date, lifted by refraction when it is on, then
  // turned toward the chart's centre.
  ViewVector horizontalVector(const Vector3& j2000) const {
    if (!refracting_) return rotate(j2000.x, j2000.y, j2000.z);
    const Vector3 v = view_.apply(refracted(horizon_.apply(j2000)));
    return {v.x, v.y, v.z};
  }

  ViewVector viewVector(double ra, double dec) const {
    return horizontal_ ? horizontalVector(unitVectorOf(ra, dec)) : equatorialVector(ra, dec);
  }

  // The view vector of a unit vector through the frame rotation of setup.
  ViewVector rotate(double x, double y, double z) const {
    return {m_[0][0] * x + m_[0][1] * y + m_[0][2] * z, m_[1][0] * x + m_[1][1] * y + m_[1][2] * z,
            m_[2][0] * x + m_[2][1] * y + m_[2][2] * z};
  }

  // The returned point of a truncated plane offset: vertical offset (in the
  // horizontal frame, where the projection uses one), then mirroring.
  void place(int32_t planeX, int32_t planeY, double depth, ProjectedPoint& out) const {
    if (horizontal_ && usesVerticalOffset_) planeY -= verticalOffset_;
    out.x = mirrorX_ * planeX;
    out.y = mirrorY_ * planeY;
    out.depth = depth;
  }

  bool horizontal_ = false;
  const double visibilityLimit_;
  const int32_t maxHalfFieldArcmin_;  // 0: no cap
  const bool usesVerticalOffset_;
  uint32_t mirror_ = kMirrorNone;
  int32_t mirrorX_ = -1, mirrorY_ = 1;
  double a0_ = 0, d0_ = 0, sinD0_ = 0, cosD0_ = 1;
  // The horizontal frame: J2000 to the local horizon of the instant (up,
  // then toward the south and the east point in the plane of the horizon),
  // and from there to the view of the chart's centre.
  Rotation3 horizon_{};
  Rotation3 view_{};
  bool refracting_ = false;
  double m_[3][3] = {};  // rows E, N, C of the frame rotation
  double scale_ = 0;
  int32_t verticalOffset_ = 0;

 private:
  void setupHorizontal(const ChartSettings& settings);
};

}  // namespace celvaro
