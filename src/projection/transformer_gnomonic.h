// Gnomonic projection: great circles are straight lines.
#pragma once

#include "projection/transformer_with_law.h"

namespace celvaro {

struct GnomonicLaw : LawDefaults {
  static constexpr double kVisibilityLimit = 0.3;
  static constexpr int32_t kMaxHalfFieldArcmin = 4500;
  static constexpr double kRejectBelow = 0.1;  // about 84.3 degrees, equatorial frame only
  static void plane(const ViewVector& v, double s, double& x, double& y) {
    x = s * v.e / v.c;
    y = s * v.n / v.c;
  }
  static double radius(double t) { return std::tan(t); }
};

class TransformerGnomonic final : public TransformerWithLaw<GnomonicLaw> {};

}  // namespace celvaro
