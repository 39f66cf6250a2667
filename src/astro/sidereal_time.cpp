#include "astro/sidereal_time.h"

#include <cmath>
#include <numbers>

#include "astro/calendar.h"
#include "astro/local_sky.h"

namespace celvaro {

double greenwichSiderealTime(double julianDate) {
  double d = julianDate - 2451545.0;
  double t = d / 36525.0;
  double theta = 280.46061837 + 360.98564736629 * d + 0.000387933 * t * t - t * t * t / 38710000.0;
  theta = std::fmod(theta, 360.0);
  if (theta < 0) theta += 360.0;
  if (theta >= 360.0) theta = 0.0;  // a tiny negative remainder rounds up to 360
  return theta * 0.06666666666666667;
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
