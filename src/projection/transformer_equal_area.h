// Lambert azimuthal equal-area projection: areas keep their proportions.
#pragma once

#include "projection/transformer_with_law.h"

namespace celvaro {

struct EqualAreaLaw : LawDefaults {
  static constexpr double kVisibilityLimit = -0.65;
  static constexpr bool kVerticalOffset = true;
  static constexpr double kRejectBelow = -0.95;
  static constexpr bool kRejectsInHorizontalFrame = true;
  static constexpr bool kNorthAngle = true;
  static void plane(const ViewVector& v, double s, double& x, double& y) {
    const double k = std::sqrt(2 / (1 + v.c));
    x = s * k * v.e;
    y = s * k * v.n;
  }
  static double radius(double t) { return std::sin(t) * std::sqrt(2 / (1 + std::cos(t))); }
};

class TransformerEqualArea final : public TransformerWithLaw<EqualAreaLaw> {};

}  // namespace celvaro
