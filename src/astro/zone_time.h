// Universal and local civil time of the observing place. Local = universal
// + time zone + one hour with daylight saving, or where the place names a
// zone of the time-zone database, universal + that zone's offset then.
#pragma once

#include <cstdint>
#include <string>

#include "astro/chart_date.h"
#include "astro/observing_place.h"

namespace celvaro {

// Offset of local time from Universal Time in whole seconds at an instant
// (a Julian date in Universal Time).
int zoneOffset(const ObservingPlace& place, double julianDateUt);
// The same at an instant in seconds since 1970-01-01 00:00 UT, as the
// computer's clock gives it.
int zoneOffsetAt(const ObservingPlace& place, int64_t unixSeconds);

// Sets the place's zone and daylight-saving flag to what its named zone's
// rules give at the instant; a place without a known named zone keeps them.
void followZoneRules(ObservingPlace& place, double julianDateUt);

// Both conversions go through the Julian date, so an hour past 23 or a day
// past the month's end in the input comes out normalised.
ChartDate universalToLocal(const ChartDate& universal, const ObservingPlace& place);
ChartDate localToUniversal(const ChartDate& local, const ObservingPlace& place);

// The calendar date of a Julian date (Universal Time).
ChartDate chartDateOfJulian(double julianDate);

// An instant to the nearest second as "yyyy-mm-dd hh:mm:ss", in the place's
// zone time, or in Universal Time without a place.
std::string dateTimeText(double julianDate, const ObservingPlace* local);

}  // namespace celvaro
