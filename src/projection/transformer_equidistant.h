// Azimuthal equidistant projection: distances from the centre are true.
#pragma once

#include "projection/transformer_with_law.h"

namespace celvaro {

struct EquidistantLaw : LawDefaults {
  static constexpr double kVisibilityLimit = -0.6;
  static constexpr bool kVerticalOffset = true;
  static constexpr bool kNorthAngle = true;
  static constexpr bool kEquatorialPlain = true;
  // The offset is rho along the direction beta = atan2(E, N): rho sin beta
  // and rho cos beta, taken as E / r and N / r; straight below the centre
  // (r = 0) the direction is beta = 0.
  static void plane(const ViewVector& v, double s, double& x, double& y) {
    const double r = std::sqrt(v.e * v.e + v.n * v.n);
    const double rho = std::atan2(r, v.c);
    if (r == 0) {
      x = 0;
      y = s * rho;
      return;
    }
    x = s * rho * (v.e / r);
    y = s * rho * (v.n / r);
  }
  static double radius(double t) { return t; }
};

class TransformerEquidistant final : public TransformerWithLaw<EquidistantLaw> {};

}  // namespace celvaro
