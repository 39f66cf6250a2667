#include "aids/moon_calendar.h"

#include <libnova/julian_day.h>
#include <libnova/lunar.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "astro/calendar.h"
#include "astro/zone_time.h"
#include "solarsystem/ephemeris.h"

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

namespace {

// Sampled once a day (the Moon gains some twelve degrees on the Sun), each
// quarter then found by the secant on the nearly steady gain, to a second.
constexpr double kStepDays = 1;
constexpr double kSecondDays = 1.0 / 86400;
// Longer than the longest lunation (29.83 days).
constexpr double kLunationBoundDays = 30;


// How far past quarter `quarter` an elongation stands, (-180, 180].
double pastQuarterDeg(double elongation, int quarter) { return std::remainder(elongation - 90.0 * quarter, 360.0); }

double localMidnightJd(int year, int month, const ObservingPlace& place) {
  if (month > 12) ++year, month = 1;
  return julianDayOf(localToUniversal(ChartDate{year, month, 1, 0, 0, 0.0}, place));
}

// The instant in [early, late] the Moon passes the quarter, to a second.
double quarterInstant(double early, double atEarly, double late, double atLate, int quarter) {
  double a = early, fa = pastQuarterDeg(atEarly, quarter), b = late, fb = pastQuarterDeg(atLate, quarter);
  double t = a;
  for (int pass = 0; pass < 10; ++pass) {
    const double next = a - fa * (b - a) / (fb - fa);
    if (std::abs(next - t) < kSecondDays) return next;
    t = next;
    const double ft = pastQuarterDeg(lunarElongationDeg(t), quarter);
    (ft < 0 ? a : b) = t;
    (ft < 0 ? fa : fb) = ft;
  }
  return t;
}

}  // namespace

std::vector<MoonPhaseInstant> moonPhasesOf(int year, int month, const ObservingPlace& place) {
  return moonPhasesBetween(localMidnightJd(year, month, place), localMidnightJd(year, month + 1, place));
}

std::vector<MoonPhaseInstant> moonPhasesBetween(double from, double to) {
  std::vector<MoonPhaseInstant> phases;
  double early = from, atEarly = lunarElongationDeg(from);
  while (early < to) {
    const double late = std::min(early + kStepDays, to), atLate = lunarElongationDeg(late);
    for (int quarter = 0; quarter < 4; ++quarter) {
      if (pastQuarterDeg(atEarly, quarter) < 0 && pastQuarterDeg(atLate, quarter) >= 0) {
        phases.push_back({quarter, quarterInstant(early, atEarly, late, atLate, quarter)});
      }
    }
    early = late, atEarly = atLate;
  }
  return phases;
}

// Every quarter comes once a lunation: the last new Moon lies within one
// before the instant and each next quarter within one after it.
MoonAge moonAgeAt(double julianDateUt) {
  MoonAge age;
  const double from = julianDateUt - kLunationBoundDays, to = julianDateUt + kLunationBoundDays;
  for (const MoonPhaseInstant& p : moonPhasesBetween(from, to)) {
    if (p.julianDateUt <= julianDateUt) {
      if (p.quarter == 0) age.lastNewMoonJd = p.julianDateUt;
    } else if (age.nextQuarterJd[p.quarter] == 0) {
      age.nextQuarterJd[p.quarter] = p.julianDateUt;
    }
  }
  return age;
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
