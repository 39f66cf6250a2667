// The observing place and the instant as the command-line programs take
// them (--program-dir, --utc, --lat, --lon, --tz, --dst, --zone), and the numbers
// their other options share: one reader for celvaro-chart and celvaro-scope.
#pragma once

#include <optional>
#include <string>

#include "astro/chart_date.h"
#include "astro/observing_place.h"
#include "astro/value_range.h"

namespace celvaro {

struct PlaceTimeOptions {
  std::string programDir;  // none: the one found from the current directory
  std::optional<ChartDate> utc;  // default: now
  std::optional<double> latitudeDeg, longitudeDeg, timeZoneHours;
  std::optional<int> daylightSaving;
  std::optional<std::string> timeZoneName;  // a zone of the time-zone database
};

// A right ascension in hours and a declination in degrees, as --ra and --dec take them.
inline constexpr ValueRange kRaHoursRange{0, 24};
inline constexpr ValueRange kDecDegRange{-90, 90};

// True for the options above; each takes a value.
bool isPlaceTimeOption(const std::string& option);
// Takes the value of one of the options above; false when it does not fit.
bool takePlaceTimeOption(PlaceTimeOptions& options, const std::string& option, const std::string& value);

// "bad value for --utc: 2026-02-30T12:00 (the day must be between 1 and 28)":
// a refused value, and why where the value has parts.
std::string badValueMessage(const std::string& option, const std::string& value);

// The number the whole text makes (a leading '+' allowed), or nothing.
std::optional<double> wholeNumber(const std::string& text);
std::optional<double> numberWithin(const std::string& text, ValueRange range);
std::optional<int> integerWithin(const std::string& text, int low, int high);

// The configuration's place with the options' values put over it: --tz or
// --dst give the place a fixed zone, --zone the rules of a named one.
void applyPlaceOptions(const PlaceTimeOptions& options, ObservingPlace& place);
// The instant asked for, or now.
ChartDate instantOf(const PlaceTimeOptions& options);

}  // namespace celvaro
