#include "solarsystem/user_orbits.h"

#include <cmath>

namespace celvaro {
namespace {

constexpr double kOutdatedAfterDays = 10 * 365.25;

bool tenYearsApart(double elementsJd, double julianDate) {
  return std::abs(julianDate - elementsJd) > kOutdatedAfterDays;
}

}  // namespace

CometElements cometElementsOf(const UserComet& c) {
  return {c.q, c.e, c.iDeg, c.wDeg, c.nodeDeg, julianDayOf(perihelionDate(c.year, c.month, c.dayTenThousandths))};
}

std::optional<EllipticElements> asteroidElementsOf(const UserAsteroid& a) {
  const std::optional<double> epoch = julianDateOfPackedEpoch(a.epoch);
  if (!epoch || !(a.nDegPerDay > 0)) return std::nullopt;
  return EllipticElements{a.a, a.e, a.iDeg, a.wDeg, a.nodeDeg, a.nDegPerDay,
                          lastPerihelion(*epoch, a.meanAnomalyDeg, a.nDegPerDay)};
}

bool outdatedAt(const UserComet& comet, double julianDate) {
  return tenYearsApart(cometElementsOf(comet).perihelionJd, julianDate);
}

bool outdatedAt(const UserAsteroid& asteroid, double julianDate) {
  const std::optional<double> epoch = julianDateOfPackedEpoch(asteroid.epoch);
  return epoch && tenYearsApart(*epoch, julianDate);
}

}  // namespace celvaro
