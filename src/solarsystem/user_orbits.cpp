#include "solarsystem/user_orbits.h"

namespace celvaro {

CometElements cometElementsOf(const UserComet& c) {
  return {c.q, c.e, c.iDeg, c.wDeg, c.nodeDeg, julianDayOf(perihelionDate(c.year, c.month, c.dayTenThousandths))};
}

std::optional<EllipticElements> asteroidElementsOf(const UserAsteroid& a) {
  const std::optional<double> epoch = julianDateOfPackedEpoch(a.epoch);
  if (!epoch || !(a.nDegPerDay > 0)) return std::nullopt;
  return EllipticElements{a.a, a.e, a.iDeg, a.wDeg, a.nodeDeg, a.nDegPerDay,
                          lastPerihelion(*epoch, a.meanAnomalyDeg, a.nDegPerDay)};
}

}  // namespace celvaro
