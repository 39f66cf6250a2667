// The moon-phase calendar of a month: the weekday of its first day, its
// days, and the Moon's phase on each day at 12:00 UT, with the rule that
// shades the Moon's picture by phase.
#pragma once

#include <array>
#include <vector>

#include "astro/observing_place.h"

namespace celvaro {

struct MoonMonth {
  int firstWeekday = 0;  // 0 Monday ... 6 Sunday
  int dayCount = 0;
  // Per day: libnova's phase angle (0 full, 180 new) while the Moon wanes,
  // 360 minus it while it waxes; whole degrees, 0 to 360.
  std::array<int, 31> phase{};
};

MoonMonth moonMonth(int year, int month);

// New Moon (quarter 0), first quarter (1), full Moon (2) and last quarter
// (3) within a month of the place's zone time, in order, each to a second.
struct MoonPhaseInstant {
  int quarter = 0;
  double julianDateUt = 0;
};
std::vector<MoonPhaseInstant> moonPhasesOf(int year, int month, const ObservingPlace& place);
// The same between two Julian dates of Universal Time.
std::vector<MoonPhaseInstant> moonPhasesBetween(double fromJdUt, double toJdUt);

// The Moon at an instant: the last new Moon before it, and the first new
// Moon, first quarter, full Moon and last quarter after it (Julian dates of
// Universal Time, the quarters in their order).
struct MoonAge {
  double lastNewMoonJd = 0;
  std::array<double, 4> nextQuarterJd{};
};
MoonAge moonAgeAt(double julianDateUt);

// The lit part of the disc from a stored phase value: 1 to 100 waxing (100
// full), -100 to 0 waning (0 full, -100 new).
int moonShading(int phase);

// The column of a picture row where light turns to shadow. `left` is the
// last column before the disc and `right` the disc's last column; for
// shading 1 or more the columns below the result are dark, otherwise those
// above it.
int terminatorColumn(int left, int right, int shading);

}  // namespace celvaro
