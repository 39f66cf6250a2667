// The ranges of the numbers a user types or a file holds for the observing
// place, positions on the sky and the chart's date. Numbers outside them are refused: the dialogs
// say so, the configuration file's keep the defaults.
#pragma once

namespace celvaro {

struct ValueRange {
  double min, max;
  // Not a number is outside every range.
  constexpr bool holds(double value) const { return value >= min && value <= max; }
};

constexpr ValueRange kLatitudeRange{-90, 90};
constexpr ValueRange kLongitudeRange{-180, 180};
// The civil time zones of the world lie within half a day and two hours.
constexpr ValueRange kTimeZoneRange{-14, 14};

// Right ascension in hours (24 h is 0 h again) and declination in degrees.
constexpr ValueRange kRightAscensionRange{0, 24};
constexpr ValueRange kDeclinationRange{-90, 90};

// Years of the chart's date: from the start of the Julian day count to the
// last year of four digits.
constexpr ValueRange kYearRange{-4712, 9999};
// The moon calendar reads its years without a sign.
constexpr ValueRange kCalendarYearRange{1, 9999};
constexpr ValueRange kMonthRange{1, 12};
constexpr ValueRange kHourRange{0, 23};
constexpr ValueRange kMinuteRange{0, 59};

}  // namespace celvaro
