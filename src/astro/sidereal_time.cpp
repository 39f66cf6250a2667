#include "astro/sidereal_time.h"

#include <erfa.h>

#include <numbers>

#include "astro/apparent_place.h"
#include "astro/calendar.h"
#include "astro/local_sky.h"

namespace celvaro {

// The IAU 2006 mean sidereal time, from the Earth's rotation angle and
// the precession of dynamical time.
double greenwichSiderealTime(double julianDate) {
  return eraGmst06(julianDate, 0, dynamicalJulianDate(julianDate), 0) * 12.0 / std::numbers::pi;
}

double localSiderealTime(double greenwichHours, double longitudeDeg) {
  return greenwichHours + longitudeDeg / 15.0;
}

double julianDateOf(const ChartDate& date) {
  return julianDate(date.year, date.month, date.day, date.hour, date.minute,
                    static_cast<int>(date.seconds));
}

ZenithPosition zenithPosition(const ChartDate& universal, double longitudeDeg, double latitudeDeg) {
  const EquatorialPosition j2000 = LocalSky(julianDateOf(universal), latitudeDeg, longitudeDeg).j2000Of(90.0, 0.0);
  constexpr double kDegPerRad = 180.0 / std::numbers::pi;
  return {j2000.raRad * kDegPerRad, j2000.decRad * kDegPerRad};
}

}  // namespace celvaro
