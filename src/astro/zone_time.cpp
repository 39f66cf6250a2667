// The time and place conversions that libnova provides. libnova's headers
// define unprefixed macros, so they are included in no header of ours.
#include "astro/zone_time.h"

#include <libnova/julian_day.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "astro/calendar.h"
#include "astro/value_range.h"
#include "platform/time_zone_rules.h"

namespace celvaro {
namespace {

constexpr double kUnixEpochJulianDate = 2440587.5;

// ln_date and ln_zonedate share their first six fields.
template <typename LnDate>
LnDate toLibnova(const ChartDate& d) {
  LnDate date{};
  date.years = d.year;
  date.months = d.month;
  date.days = d.day;
  date.hours = d.hour;
  date.minutes = d.minute;
  date.seconds = d.seconds;
  return date;
}

// libnova's dates come back from a Julian date, whose last bits are some
// 50 microseconds: 00:30 can come back as 00:29:59.99995, which would show
// as 00:29. Seconds are rounded to the millisecond and a full minute is
// carried up to the year.
ChartDate fromLnDate(const ln_date& d) {
  ChartDate date{d.years, d.months, d.days, d.hours, d.minutes, std::round(d.seconds * 1000) / 1000};
  if (date.seconds < 60.0) return date;
  date.seconds -= 60.0;
  if (++date.minute < 60) return date;
  date.minute = 0;
  if (++date.hour < 24) return date;
  date.hour = 0;
  addDays(date.year, date.month, date.day, 1);
  return date;
}

// ln_zonedate_to_date takes a zone time with its offset east of Greenwich
// and gives the universal time; with the offset negated it goes the other way.
ChartDate shiftByZone(const ChartDate& d, long zoneSeconds) {
  ln_zonedate zoned = toLibnova<ln_zonedate>(d);
  zoned.gmtoff = zoneSeconds;
  ln_date result;
  ln_zonedate_to_date(&zoned, &result);
  return fromLnDate(result);
}

double julianOf(const ChartDate& d) {
  ln_date date = toLibnova<ln_date>(d);
  return ln_get_julian_day(&date);
}

const TimeZoneRules* rulesOf(const ObservingPlace& place) {
  return place.timeZoneName.empty() ? nullptr : TimeZoneRules::named(place.timeZoneName);
}

// The instant in whole seconds since 1970, kept to a range any date of the
// program's calendar lies in.
ZoneState zoneStateAt(const TimeZoneRules& rules, double julianDateUt) {
  const double seconds = std::floor((julianDateUt - kUnixEpochJulianDate) * 86400.0 + 0.5);
  return rules.at(std::isfinite(seconds) ? static_cast<int64_t>(std::clamp(seconds, -1e15, 1e15)) : 0);
}

}  // namespace

// A zone beyond the world's zones counts as the nearest edge, and one that
// is not a number as 0, so the count of seconds never overflows.
int zoneOffset(const ObservingPlace& place, double julianDateUt) {
  if (const TimeZoneRules* rules = rulesOf(place)) return zoneStateAt(*rules, julianDateUt).utcOffsetSeconds;
  const double hours = std::isnan(place.timeZoneHours)
                           ? 0.0
                           : std::clamp(place.timeZoneHours, kTimeZoneRange.min, kTimeZoneRange.max);
  return static_cast<int>(std::trunc(3600.0 * hours)) + (place.daylightSaving ? 3600 : 0);
}

int zoneOffsetAt(const ObservingPlace& place, int64_t unixSeconds) {
  return zoneOffset(place, kUnixEpochJulianDate + static_cast<double>(unixSeconds) / 86400.0);
}

// The flag means one hour ahead of standard time: a zone further ahead in
// summer keeps the rest in its zone, one behind it in winter (Ireland) shows
// winter as its standard time.
void followZoneRules(ObservingPlace& place, double julianDateUt) {
  const TimeZoneRules* rules = rulesOf(place);
  if (!rules) return;
  const ZoneState state = zoneStateAt(*rules, julianDateUt);
  place.daylightSaving = state.utcOffsetSeconds > state.standardOffsetSeconds ? 1 : 0;
  place.timeZoneHours = (state.utcOffsetSeconds - 3600.0 * place.daylightSaving) / 3600.0;
}

ChartDate universalToLocal(const ChartDate& universal, const ObservingPlace& place) {
  return shiftByZone(universal, -zoneOffset(place, julianOf(universal)));
}

// The offset is that of the universal instant the local time stands for,
// found from the offset at the same reading of the universal clock.
ChartDate localToUniversal(const ChartDate& local, const ObservingPlace& place) {
  const int guess = zoneOffset(place, julianOf(local));
  const ChartDate universal = shiftByZone(local, guess);
  const int offset = zoneOffset(place, julianOf(universal));
  return offset == guess ? universal : shiftByZone(local, offset);
}

std::string dateTimeText(double julianDate, const ObservingPlace* local) {
  const ChartDate universal = chartDateOfJulian(julianDate + 0.5 / 86400);
  const ChartDate d = local ? universalToLocal(universal, *local) : universal;
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day, d.hour, d.minute,
                static_cast<int>(d.seconds));
  return text;
}

ChartDate chartDateOfJulian(double julianDate) {
  ln_date date;
  ln_get_date(julianDate, &date);
  return fromLnDate(date);
}

}  // namespace celvaro
