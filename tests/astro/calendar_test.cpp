// Julian dates, the calendar's months and weekdays, and sidereal time.
#include "astro/calendar.h"

#include <gtest/gtest.h>
#include <libnova/julian_day.h>
#include <libnova/sidereal_time.h>

#include <array>
#include <random>
#include <utility>

#include "astro/sidereal_time.h"

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

}  // namespace
}  // namespace celvaro
