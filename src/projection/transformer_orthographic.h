// Orthographic projection: the sky as a globe seen from far away.
#pragma once

#include "projection/transformer_with_law.h"

namespace celvaro {

struct OrthographicLaw : LawDefaults {
  static constexpr double kVisibilityLimit = 0.0;
  static constexpr int32_t kMaxHalfFieldArcmin = 5400;
  static void plane(const ViewVector& v, double s, double& x, double& y) {
    x = s * v.e;
    y = s * v.n;
  }
  static double radius(double t) { return std::sin(t); }
};

class TransformerOrthographic final : public TransformerWithLaw<OrthographicLaw> {};

}  // namespace celvaro
