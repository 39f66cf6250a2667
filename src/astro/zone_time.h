// Universal and local civil time of the observing place, and rise, transit
// and set times. Local = universal + time zone + one hour with daylight saving.
#pragma once

#include "astro/chart_date.h"
#include "astro/observing_place.h"

namespace celvaro {

// Offset of local time from Universal Time in whole seconds.
int zoneOffset(const ObservingPlace& place);

// Both conversions go through the Julian date, so an hour past 23 or a day
// past the month's end in the input comes out normalised.
ChartDate universalToLocal(const ChartDate& universal, const ObservingPlace& place);
ChartDate localToUniversal(const ChartDate& local, const ObservingPlace& place);

// The calendar date of a Julian date (Universal Time).
ChartDate chartDateOfJulian(double julianDate);

struct ClockTime {
  int hour = 0, minute = 0, second = 0;
};

struct RiseTransitSet {
  int status = 0;  // 0 rises and sets, 1 circumpolar, -1 never rises
  ClockTime universal[3];  // rise, transit, set (status 0 only)
  ClockTime local[3];
};

// Rise, transit and set of a fixed object on the day of the universal date.
RiseTransitSet riseTransitSet(double raRad, double decRad, const ChartDate& universal,
                              const ObservingPlace& place);

}  // namespace celvaro
