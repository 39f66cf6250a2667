// Julian dates, the calendar's months and weekdays, sidereal time, and the
// zone time of an observing place.
#include <gtest/gtest.h>
#include <libnova/julian_day.h>
#include <libnova/sidereal_time.h>

#include <array>
#include <cmath>
#include <numbers>
#include <random>
#include <utility>

#include "astro/calendar.h"
#include "astro/sidereal_time.h"
#include "astro/sky_events.h"
#include "astro/zone_time.h"

namespace celvaro {
namespace {

// Meeus, examples 7.a and 7.b, the calendar switch and the epochs.
TEST(JulianDate, KnownDatesAndTheCalendarSwitch) {
  const std::pair<std::array<int, 6>, double> cases[] = {
      {{2000, 1, 1, 12, 0, 0}, 2451545.0},     {{1582, 10, 15, 0, 0, 0}, 2299160.5},
      {{1582, 10, 4, 0, 0, 0}, 2299159.5},     {{1957, 10, 4, 19, 26, 24}, 2436116.31},
      {{333, 1, 27, 12, 0, 0}, 1842713.0},     {{-4712, 1, 1, 12, 0, 0}, 0.0}};
  for (const auto& [d, jd] : cases) EXPECT_DOUBLE_EQ(julianDate(d[0], d[1], d[2], d[3], d[4], d[5]), jd) << d[0];
  // Seconds are truncated: 59.9 s counts as 59 s.
  EXPECT_DOUBLE_EQ(julianDateOf({2000, 1, 1, 12, 0, 59.9}), julianDateOf({2000, 1, 1, 12, 0, 59.0}));
}

TEST(JulianDate, AgreesWithLibnovaOverFiveCenturies) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> year(1600, 2100), month(1, 12), day(1, 28), hour(0, 23),
      minute(0, 59), second(0, 59);
  for (int i = 0; i < 2000; ++i) {
    ln_date d{year(random), month(random), day(random), hour(random), minute(random), 0};
    d.seconds = second(random);
    double ours = julianDate(d.years, d.months, d.days, d.hours, d.minutes, int(d.seconds));
    ASSERT_NEAR(ours, ln_get_julian_day(&d), 1e-8)
        << d.years << "-" << d.months << "-" << d.days << " " << d.hours << ":" << d.minutes;
  }
}

// The chart's calendar is the Julian one before October 1582: 1500 and the
// year 5 BC (-4) were leap years there.
TEST(Calendar, MonthLengthsAndLeapYears) {
  const std::array<int, 3> gregorian[] = {{2007, 2, 28}, {2008, 2, 29}, {1900, 2, 28},
                                          {2000, 2, 29}, {2007, 4, 30}, {2007, 12, 31}};
  for (const auto& [y, m, days] : gregorian) EXPECT_EQ(daysInMonth(y, m), days) << y << "-" << m;
  const std::array<int, 3> chart[] = {{1500, 2, 29}, {-4, 2, 29},   {1582, 2, 28},
                                      {1900, 2, 28},  {2000, 2, 29}, {1500, 4, 30}};
  for (const auto& [y, m, days] : chart) EXPECT_EQ(daysInChartMonth(y, m), days) << y << "-" << m;
}

// Monday is 0: Thursday, Saturday, Friday after a leap February, Monday,
// Tuesday.
TEST(Calendar, WeekdayOfTheFirst) {
  const std::array<int, 3> cases[] = {{2007, 2, 3}, {2000, 1, 5}, {2024, 3, 4}, {1, 1, 0}, {2026, 12, 1}};
  for (const auto& [y, m, weekday] : cases) EXPECT_EQ(weekdayOfFirst(y, m), weekday) << y << "-" << m;
}

TEST(Calendar, AddDaysCarriesMonthsAndYears) {
  const std::pair<std::array<int, 4>, std::array<int, 3>> cases[] = {
      {{2007, 12, 31, 1}, {2008, 1, 1}},         {{2008, 2, 28, 1}, {2008, 2, 29}},
      {{2007, 1, 15, 365 + 366}, {2009, 1, 15}}, {{2007, 3, 10, 0}, {2007, 3, 10}},
      {{2007, 3, 10, -10}, {2007, 2, 28}}};
  for (const auto& [from, to] : cases) {
    int y = from[0], m = from[1], d = from[2];
    addDays(y, m, d, from[3]);
    EXPECT_EQ((std::array{y, m, d}), to) << from[0] << "-" << from[1] << "-" << from[2] << " + " << from[3];
  }
}

// At J2000.0, and Meeus's example 12.b: 1987-04-10 19:21:00 UT is 8h 34m 57.0896s
// (IAU 1982; the IAU 2006 expression agrees within 5 ms).
TEST(GreenwichSiderealTime, AtTheStandardEpochAndMeeusExample12b) {
  constexpr double kFiveMilliseconds = 5e-3 / 3600;
  EXPECT_NEAR(greenwichSiderealTime(2451545.0), 18.697374558, kFiveMilliseconds);
  EXPECT_NEAR(greenwichSiderealTime(2446896.30625), 8 + 34 / 60.0 + 57.0896 / 3600, kFiveMilliseconds);
}

// libnova's is the IAU 1982 expression: the two part by less than a tenth
// of a second over these six centuries. Far before the epoch the angle is
// negative before it is brought into range.
TEST(GreenwichSiderealTime, StaysInRangeAndMatchesLibnova) {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> jd(2299160.5, 2524593.5);  // 1582 to 2200
  for (int i = 0; i < 2000; ++i) {
    const double date = jd(random), gst = greenwichSiderealTime(date);
    ASSERT_GE(gst, 0.0);
    ASSERT_LT(gst, 24.0);
    ASSERT_NEAR(std::remainder(gst - ln_get_mean_sidereal_time(date), 24.0), 0.0, 0.1 / 3600) << date;
  }
  const double early = greenwichSiderealTime(0.0);
  EXPECT_GE(early, 0.0);
  EXPECT_LT(early, 24.0);
}

constexpr double kRad = std::numbers::pi / 180.0;

ObservingPlace budapest(bool daylightSaving) { return {-1, 47.5, 19.04, 1.0, daylightSaving, ""}; }

// A zone beyond any on Earth (from an old file, say) stays within the world's zones instead of overflowing the
// count of seconds.
TEST(ZoneTime, AnOffsetStaysWithinTheWorldsZones) {
  ObservingPlace place;
  place.daylightSaving = 0;
  for (double hours : {1e10, -1e10, std::nan("")}) {
    place.timeZoneHours = hours;
    EXPECT_GE(zoneOffset(place, 2451545.0), -14 * 3600) << hours;
    EXPECT_LE(zoneOffset(place, 2451545.0), 14 * 3600) << hours;
  }
}

// A place with a named zone takes the zone's offset and summer time of the
// instant, as Python's zoneinfo gives them (see the zone rules' test).
TEST(ZoneTime, ANamedZoneFollowsItsRulesForTheDate) {
  struct Case { const char* zone; ChartDate universal, local; double zoneHours; int daylightSaving; };
  const Case cases[] = {
      {"Europe/Budapest", {2026, 12, 7, 13, 7, 0.0}, {2026, 12, 7, 14, 7, 0.0}, 1, 0},
      {"Europe/Budapest", {2026, 7, 7, 13, 7, 0.0}, {2026, 7, 7, 15, 7, 0.0}, 1, 1},
      {"Europe/Budapest", {2026, 3, 29, 1, 30, 0.0}, {2026, 3, 29, 3, 30, 0.0}, 1, 1},
      {"Europe/Budapest", {2026, 3, 29, 0, 30, 0.0}, {2026, 3, 29, 1, 30, 0.0}, 1, 0},
      {"America/St_Johns", {2026, 7, 1, 0, 0, 0.0}, {2026, 6, 30, 21, 30, 0.0}, -3.5, 1},
      {"Europe/Dublin", {2026, 1, 15, 0, 0, 0.0}, {2026, 1, 15, 0, 0, 0.0}, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zone + std::string(" ") + std::to_string(c.universal.month));
    ObservingPlace place = budapest(true);
    place.timeZoneName = c.zone;
    EXPECT_EQ(universalToLocal(c.universal, place), c.local);
    EXPECT_EQ(localToUniversal(c.local, place), c.universal);
    followZoneRules(place, julianDateOf(c.universal));
    EXPECT_DOUBLE_EQ(place.timeZoneHours, c.zoneHours);
    EXPECT_EQ(place.daylightSaving, c.daylightSaving);
  }
  // Without a zone the typed zone and flag stay, whatever the date.
  ObservingPlace fixed = budapest(false);
  followZoneRules(fixed, julianDateOf({2026, 7, 7, 13, 7, 0.0}));
  EXPECT_EQ(fixed.daylightSaving, 0);
  EXPECT_EQ(universalToLocal({2026, 7, 7, 13, 7, 0.0}, fixed).hour, 14);
  // A local time in the hour skipped in spring reads as the clock before the change.
  ObservingPlace ruled = budapest(false);
  ruled.timeZoneName = "Europe/Budapest";
  EXPECT_EQ(localToUniversal({2026, 3, 29, 2, 30, 0.0}, ruled), (ChartDate{2026, 3, 29, 1, 30, 0.0}));
}

// Vega (Hipparcos J2000 18h36m56.336s +38 47' 01.28") from Budapest, the
// events of 16 June 2025 (UT), rising and setting at
// -0 34' (standard refraction), as PyEphem 4.1.4 (Debian python3-ephem)
// gives them in Universal Time:
//   o = ephem.Observer(); o.lat, o.lon = '47.5', '19.04'; o.pressure = 0
//   o.horizon = '-0:34'; o.date = '2025/6/16 00:00'
//   v = ephem.FixedBody(); v._ra, v._dec = '18:36:56.336', '38:47:01.28'
//   v._epoch = ephem.J2000
//   o.next_rising(v), o.next_transit(v), o.next_setting(v)
// 13:26:40, 23:39:42, 09:56:41. The place of the date counts: with the
// J2000 place they were 33 s to 74 s off.
TEST(RiseTransitSet, VegaRisesTransitsAndSetsWhenPyEphemSays) {
  const double day = julianDateOf({2025, 6, 16, 0, 0, 0.0});
  const ObservingPlace place = budapest(true);
  const double raDeg = (18 + 36 / 60.0 + 56.336 / 3600) * 15, decDeg = 38 + 47 / 60.0 + 1.28 / 3600;
  const BodyEvents vega = bodyEvents(fixedObject(raDeg * kRad, decDeg * kRad, day), place, {day, day + 1});
  ASSERT_EQ(vega.visibility, BodyEvents::kRisesOrSets);
  const double published[3] = {13 * 3600 + 26 * 60 + 40, 23 * 3600 + 39 * 60 + 42, 9 * 3600 + 56 * 60 + 41};
  const double found[3] = {vega.riseJd, vega.transitJd, vega.setJd};
  for (int i = 0; i < 3; ++i) EXPECT_NEAR((found[i] - day) * 86400, published[i], 5) << i;
  EXPECT_EQ(bodyEvents(fixedObject(37.95 * kRad, 89.26 * kRad, day), place, {day, day + 1}).visibility,
            BodyEvents::kAlwaysUp);  // Polaris
  EXPECT_EQ(bodyEvents(fixedObject(0.0, -80 * kRad, day), place, {day, day + 1}).visibility, BodyEvents::kNeverRises);
}

TEST(ChartDateOfJulian, InvertsTheJulianDate) {
  EXPECT_EQ(chartDateOfJulian(2451545.0), (ChartDate{2000, 1, 1, 12, 0, 0.0}));
}

}  // namespace
}  // namespace celvaro
