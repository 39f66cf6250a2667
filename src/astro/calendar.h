// Calendar arithmetic: Julian date of a calendar date and month tables.
#pragma once

#include "astro/value_range.h"

namespace celvaro {

// Julian date of a date and time: Gregorian calendar from 1582-10-15,
// Julian calendar before it.
double julianDate(int year, int month, int day, int hour, int minute, int second);

// Days of a month by the Gregorian leap rule (28 to 31).
int daysInMonth(int year, int month);
// Days of a month of the chart's calendar: the Julian calendar's leap rule
// (every fourth year) before 1583, as julianDate counts them.
int daysInChartMonth(int year, int month);

// The range of a date's field as the chart's calendar has it: 0 year
// (within `years`), 1 month, 2 day (the month's days in that year), 3 hour,
// 4 minute, 5 second.
ValueRange dateFieldRange(int field, int year, int month, ValueRange years = kYearRange);

// Weekday of the first day of a month in the proleptic Gregorian calendar,
// 0 = Monday ... 6 = Sunday.
int weekdayOfFirst(int year, int month);

// Moves the date `days` days on (back for a negative count), carrying
// whole months and years.
void addDays(int& year, int& month, int& day, int days);

}  // namespace celvaro
