#include "astro/calendar.h"

#include <cmath>

namespace celvaro {
namespace {

bool isLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool isGregorian(int year, int month, int day) {
  if (year != 1582) return year > 1582;
  if (month != 10) return month > 10;
  return day >= 15;
}

// Euclidean remainder, so that weekdays of dates before year 1 stay 0..6.
int modulo(long long value, int divisor) {
  long long r = value % divisor;
  return static_cast<int>(r < 0 ? r + divisor : r);
}

int monthLength(int month, bool leap) {
  switch (month) {
    case 2:
      return leap ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    default:
      return 31;
  }
}

}  // namespace

double julianDate(int year, int month, int day, int hour, int minute, int second) {
  double y = year, m = month;
  if (month < 3) {
    y -= 1;
    m += 12;
  }
  long long b = -2;
  if (isGregorian(year, month, day)) {
    long long yi = static_cast<long long>(y);
    b = yi / 400 - yi / 100;
  }
  return std::floor(365.25 * y) + std::floor(30.6001 * (m + 1)) + static_cast<double>(b) +
         1720996.5 + day + hour / 24.0 + minute / 1440.0 + second / 86400.0;
}

int daysInMonth(int year, int month) { return monthLength(month, isLeapYear(year)); }

int daysInChartMonth(int year, int month) {
  return monthLength(month, year > 1582 ? isLeapYear(year) : modulo(year, 4) == 0);
}

ValueRange dateFieldRange(int field, int year, int month, ValueRange years) {
  switch (field) {
    case 0:
      return years;
    case 1:
      return kMonthRange;
    case 2:
      return {1, double(kMonthRange.holds(month) ? daysInChartMonth(year, month) : 31)};
    case 3:
      return kHourRange;
    default:
      return kMinuteRange;  // the seconds' range too
  }
}

int weekdayOfFirst(int year, int month) {
  long long y = static_cast<long long>(year) - 1;
  long long n = 365 * y + y / 4 + y / 400 - y / 100;
  for (int m = 1; m < month && m <= 12; ++m) n += daysInMonth(year, m);
  return modulo(n, 7);
}

void addDays(int& year, int& month, int& day, int days) {
  day += days;
  while (day > daysInMonth(year, month)) {
    day -= daysInMonth(year, month);
    if (++month > 12) {
      month = 1;
      ++year;
    }
  }
  while (day < 1) {
    if (--month < 1) {
      month = 12;
      --year;
    }
    day += daysInMonth(year, month);
  }
}

}  // namespace celvaro
