#include "output/moon_phase.h"

#include <cmath>
#include <numbers>

namespace celvaro {

std::vector<OutlinePoint> litOutline(double x, double y, double radius, const MoonPhase& phase, int steps) {
  const double ux = phase.towardSunX, uy = phase.towardSunY;
  const double vx = -uy, vy = ux;
  const double c = std::cos(phase.phaseAngleDeg * std::numbers::pi / 180);
  std::vector<OutlinePoint> points;
  points.reserve(2 * steps);
  auto add = [&](double along, double across) {
    points.push_back({x + radius * (along * ux + across * vx), y + radius * (along * uy + across * vy)});
  };
  for (int i = 0; i < steps; ++i) {  // the bright limb from -v through u to v
    const double t = -std::numbers::pi / 2 + std::numbers::pi * i / (steps - 1);
    add(std::cos(t), std::sin(t));
  }
  for (int i = 0; i < steps; ++i) {  // the terminator back from v to -v
    const double t = std::numbers::pi / 2 - std::numbers::pi * i / (steps - 1);
    add(-c * std::cos(t), std::sin(t));
  }
  return points;
}

}  // namespace celvaro
