// The computer's clock, read as calendar fields in whole seconds.
#pragma once

namespace celvaro {

struct CalendarTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Coordinated Universal Time now; fractions of a second are dropped.
CalendarTime systemUniversalTime();
// The computer's local civil time now (its own time zone and daylight saving).
CalendarTime systemLocalTime();

}  // namespace celvaro
