// Where a mount should point, by libnova: places of the date of J2000 places,
// and the angle between places, each given as (hours, degrees).
#pragma once

#include <libnova/apparent_position.h>

#include <chrono>
#include <utility>

#include "sky_separation.h"

namespace celvaro::testing {

using Place = std::pair<double, double>;

// M 42 in J2000, as NGC 1976 is published: 5h 35m 17.3s, -5 deg 23' 28".
inline constexpr double kM42RaHours = 5 + 35 / 60.0 + 17.3 / 3600, kM42DecDeg = -(5 + 23 / 60.0 + 28 / 3600.0);

inline double julianDateNow() {
  return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count() / 86400 + 2440587.5;
}

inline Place libnovaOfDate(double raHours, double decDeg, double julianDate = julianDateNow()) {
  ln_equ_posn mean{raHours * 15, decDeg}, motion{0, 0}, apparent{};
  ln_get_apparent_posn(&mean, &motion, julianDate, &apparent);
  return {apparent.ra / 15, apparent.dec};
}

inline double arcminutesApart(Place a, Place b) { return separationDeg(a.first * 15, a.second, b.first * 15, b.second) * 60; }

}  // namespace celvaro::testing
