#include "astro/calendar.h"

#include <gtest/gtest.h>
#include <libnova/julian_day.h>

#include <array>
#include <random>
#include <utility>

namespace celvaro {
namespace {

TEST(JulianDate, KnownDatesAndTheCalendarSwitch) {
  EXPECT_DOUBLE_EQ(julianDate(2000, 1, 1, 12, 0, 0), 2451545.0);
  EXPECT_DOUBLE_EQ(julianDate(1582, 10, 15, 0, 0, 0), 2299160.5);
  EXPECT_DOUBLE_EQ(julianDate(1582, 10, 4, 0, 0, 0), 2299159.5);
  EXPECT_DOUBLE_EQ(julianDate(1957, 10, 4, 19, 26, 24), 2436116.31);  // Meeus, example 7.a
  EXPECT_DOUBLE_EQ(julianDate(333, 1, 27, 12, 0, 0), 1842713.0);      // Meeus, example 7.b
  EXPECT_DOUBLE_EQ(julianDate(-4712, 1, 1, 12, 0, 0), 0.0);
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

TEST(Calendar, MonthLengthsAndLeapYears) {
  EXPECT_EQ(daysInMonth(2007, 2), 28);
  EXPECT_EQ(daysInMonth(2008, 2), 29);
  EXPECT_EQ(daysInMonth(1900, 2), 28);
  EXPECT_EQ(daysInMonth(2000, 2), 29);
  EXPECT_EQ(daysInMonth(2007, 4), 30);
  EXPECT_EQ(daysInMonth(2007, 12), 31);
  // The chart's calendar is the Julian one before October 1582: 1500 and
  // the year 5 BC (-4) were leap years there.
  EXPECT_EQ(daysInChartMonth(1500, 2), 29);
  EXPECT_EQ(daysInChartMonth(-4, 2), 29);
  EXPECT_EQ(daysInChartMonth(1582, 2), 28);
  EXPECT_EQ(daysInChartMonth(1900, 2), 28);
  EXPECT_EQ(daysInChartMonth(2000, 2), 29);
  EXPECT_EQ(daysInChartMonth(1500, 4), 30);
}

TEST(Calendar, WeekdayOfTheFirst) {
  EXPECT_EQ(weekdayOfFirst(2007, 2), 3);   // Thursday
  EXPECT_EQ(weekdayOfFirst(2000, 1), 5);   // Saturday
  EXPECT_EQ(weekdayOfFirst(2024, 3), 4);   // Friday, after a leap February
  EXPECT_EQ(weekdayOfFirst(1, 1), 0);      // Monday
  EXPECT_EQ(weekdayOfFirst(2026, 12), 1);  // Tuesday
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

}  // namespace
}  // namespace celvaro
