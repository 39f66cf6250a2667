// Stereographic projection: conformal, circles stay circles.
#pragma once

#include "projection/transformer_with_law.h"

namespace celvaro {

struct StereographicLaw : LawDefaults {
  static constexpr double kVisibilityLimit = -0.5;
  static constexpr bool kVerticalOffset = true;
  static void plane(const ViewVector& v, double s, double& x, double& y) {
    x = s * 2 * v.e / (1 + v.c);
    y = s * 2 * v.n / (1 + v.c);
  }
  static double radius(double t) { return 2 * std::sin(t) / (1 + std::cos(t)); }
};

class TransformerStereographic final : public TransformerWithLaw<StereographicLaw> {};

}  // namespace celvaro
