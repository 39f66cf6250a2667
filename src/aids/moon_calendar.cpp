#include "aids/moon_calendar.h"

#include <libnova/julian_day.h>
#include <libnova/lunar.h>

#include <cmath>
#include <numbers>

#include "astro/calendar.h"

namespace celvaro {

MoonMonth moonMonth(int year, int month) {
  MoonMonth result;
  ln_date noon{year, month, 1, 12, 0, 0.0};
  const double jd0 = ln_get_julian_day(&noon);
  result.firstWeekday = weekdayOfFirst(year, month);
  result.dayCount = daysInMonth(year, month);
  double previous = ln_get_lunar_phase(jd0 - 1);
  for (int day = 0; day < result.dayCount; ++day) {
    const double angle = ln_get_lunar_phase(jd0 + day);
    // A shrinking angle is a Moon on its way to full.
    result.phase[day] = static_cast<int>(angle < previous ? 360 - angle : angle);
    previous = angle;
  }
  return result;
}

int moonShading(int phase) {
  constexpr double kRadPerDeg = std::numbers::pi / 180;
  if (phase > 180) return static_cast<int>(50 * std::cos((360 - phase) * kRadPerDeg)) + 50;
  return static_cast<int>(50 * (std::cos(phase * kRadPerDeg) - 1));
}

int terminatorColumn(int left, int right, int shading) {
  if (shading >= 1) return (right * (100 - shading) + left * shading + 50) / 100;
  return (right * (shading + 100) - shading * left + 50) / 100;
}

}  // namespace celvaro
