// A calendar instant as the chart keeps it: the field layout of libnova's
// ln_date (year, month, day, hour, minute as ints, seconds as a double).
#pragma once

namespace celvaro {

struct ChartDate {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  double seconds = 0.0;

  bool operator==(const ChartDate&) const = default;
};

}  // namespace celvaro
