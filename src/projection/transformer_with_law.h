// A projection made from the shared frame and one radial law. The law is a
// class with the projection's constants and two static functions:
//   plane(view vector, scale, X, Y)  the plane offset in pixels, untruncated
//   radius(t)                        the offset per unit scale at distance t
// Everything per point is inlined, so projectMany is one tight loop.
#pragma once

#include <cmath>
#include <limits>

#include "projection/transformer_base.h"

namespace celvaro {

// Constants a law may leave at these defaults.
struct LawDefaults {
  static constexpr int32_t kMaxHalfFieldArcmin = 0;  // no cap on setScale
  static constexpr bool kVerticalOffset = false;      // horizontal-frame centre shift
  static constexpr double kRejectBelow = -std::numeric_limits<double>::infinity();
  static constexpr bool kRejectsInHorizontalFrame = false;  // project only; never projectMany
  static constexpr bool kNorthAngle = false;
  static constexpr bool kEquatorialPlain = false;
};

template <class Law>
class TransformerWithLaw : public TransformerBase {
 public:
  TransformerWithLaw()
      : TransformerBase(Law::kVisibilityLimit, Law::kMaxHalfFieldArcmin, Law::kVerticalOffset) {}

  bool project(double raRad, double decRad, ProjectedPoint& out) override {
    const PlaneOffset p = planeOffset(raRad, decRad);
    if (rejects(p.depth)) return false;
    place(truncatePixels(p.x), truncatePixels(p.y), p.depth, out);
    return true;
  }

  bool rejects(double depth) const override {
    return (!horizontal_ || Law::kRejectsInHorizontalFrame) && depth < Law::kRejectBelow;
  }

  void projectMany(const double* raRad, const double* decRad, int first, int count, int32_t* x,
                   int32_t* y, double* depth) override {
    const double* ra = raRad + first;
    const double* dec = decRad + first;
    if (horizontal_) {
      projectRun<true>([&](int i) { return horizontalVector(unitVectorOf(ra[i], dec[i])); }, count, x, y, depth);
    } else {
      projectRun<false>([&](int i) { return equatorialVector(ra[i], dec[i]); }, count, x, y, depth);
    }
  }

  void projectManyVectors(const double* ux, const double* uy, const double* uz, int first,
                          int count, int32_t* x, int32_t* y, double* depth) override {
    if (horizontal_) {
      projectRun<true>([&](int i) { return horizontalVector({ux[first + i], uy[first + i], uz[first + i]}); },
                       count, x, y, depth);
    } else {
      projectRun<false>([&](int i) { return rotate(ux[first + i], uy[first + i], uz[first + i]); }, count, x, y,
                        depth);
    }
  }

  double northAngle(double raRad, double decRad) override {
    if constexpr (!Law::kNorthAngle) {
      return 0.0;
    } else {
      constexpr double kTwoDegrees = 0.03490658503988659;
      const PlaneOffset a = planeOffset(raRad, decRad), b = planeOffset(raRad, decRad + kTwoDegrees);
      if (a.depth < Law::kRejectBelow || b.depth < Law::kRejectBelow) return 0.0;
      return std::atan2(-(b.x - a.x), b.y - a.y);
    }
  }

  // The plane offset in the current frame before truncation, vertical
  // offset and mirroring (X toward the east, Y toward the north or zenith).
  struct PlaneOffset {
    double x, y, depth;
  };
  PlaneOffset planeOffset(double raRad, double decRad) const {
    const ViewVector v = viewVector(raRad, decRad);
    PlaneOffset offset{0, 0, v.c};
    Law::plane(v, scale_, offset.x, offset.y);
    return offset;
  }

  bool projectEquatorialPlain(double raRad, double decRad, ProjectedPoint& out) override {
    if constexpr (!Law::kEquatorialPlain) {
      return false;
    } else {
      const ViewVector v = equatorialVector(raRad, decRad);
      double planeX, planeY;
      Law::plane(v, scale_, planeX, planeY);
      out = {-truncatePixels(planeX), truncatePixels(planeY), v.c};
      return true;
    }
  }

 protected:
  double radialLaw(double t) const override { return Law::radius(t); }

 private:
  // The loop shared by both batch projections; `viewOf(i)` gives the view
  // vector of point i in the current frame.
  template <bool kHorizontal, class ViewOf>
  void projectRun(ViewOf viewOf, int count, int32_t* x, int32_t* y, double* depth) const {
    const int32_t offset = kHorizontal && Law::kVerticalOffset ? verticalOffset_ : 0;
    for (int i = 0; i < count; ++i) {
      const ViewVector v = viewOf(i);
      depth[i] = v.c;
      if (!kHorizontal && v.c < Law::kRejectBelow) continue;
      double planeX, planeY;
      Law::plane(v, scale_, planeX, planeY);
      x[i] = mirrorX_ * truncatePixels(planeX);
      y[i] = mirrorY_ * (truncatePixels(planeY) - offset);
    }
  }
};

}  // namespace celvaro
