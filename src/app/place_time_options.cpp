#include "app/place_time_options.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

#include "astro/calendar.h"
#include "astro/zone_time.h"
#include "platform/system_time.h"
#include "platform/time_zone_rules.h"
#include "solarsystem/ephemeris.h"

namespace celvaro {
namespace {

// YYYY-MM-DDTHH:MM[:SS], the fields as they stand.
std::optional<ChartDate> utcFields(const std::string& text) {
  int y, mo, d, h, mi, s = 0, used = 0;
  const int fields = std::sscanf(text.c_str(), "%5d-%2d-%2dT%2d:%2d%n:%2d%n", &y, &mo, &d, &h, &mi, &used, &s, &used);
  if (fields < 5 || used != static_cast<int>(text.size())) return std::nullopt;
  return ChartDate{y, mo, d, h, mi, static_cast<double>(s)};
}

// The first field of a date that the calendar does not have, as "the day
// must be between 1 and 28"; empty for a real date.
std::string impossibleField(const ChartDate& date) {
  static constexpr const char* kNames[] = {"year", "month", "day", "hour", "minute", "second"};
  const int values[] = {date.year, date.month, date.day, date.hour, date.minute, static_cast<int>(date.seconds)};
  for (int field = 0; field < 6; ++field) {
    const ValueRange range = dateFieldRange(field, date.year, date.month);
    if (!range.holds(values[field])) {
      return std::string("the ") + kNames[field] + " must be between " + std::to_string(int(range.min)) + " and " +
             std::to_string(int(range.max));
    }
  }
  return {};
}

std::optional<ChartDate> utcDate(const std::string& text) {
  const auto date = utcFields(text);
  return date && impossibleField(*date).empty() ? date : std::nullopt;
}

std::optional<std::string> knownZone(const std::string& name) {
  return TimeZoneRules::named(name) ? std::optional(name) : std::nullopt;
}

using Setter = std::function<bool(PlaceTimeOptions&, const std::string&)>;

template <typename T>
Setter into(std::optional<T> PlaceTimeOptions::*field, std::function<std::optional<T>(const std::string&)> parse) {
  return [field, parse](PlaceTimeOptions& o, const std::string& v) { return (o.*field = parse(v)).has_value(); };
}

Setter degreesInto(std::optional<double> PlaceTimeOptions::*field, ValueRange range) {
  return into<double>(field, [range](const std::string& v) { return numberWithin(v, range); });
}

// The place takes what the program's own dialog and configuration take.
const std::map<std::string, Setter>& setters() {
  static const std::map<std::string, Setter> options = {
      {"--program-dir", [](PlaceTimeOptions& o, const std::string& v) { o.programDir = v; return !v.empty(); }},
      {"--utc", into<ChartDate>(&PlaceTimeOptions::utc, utcDate)},
      {"--lat", degreesInto(&PlaceTimeOptions::latitudeDeg, kLatitudeRange)},
      {"--lon", degreesInto(&PlaceTimeOptions::longitudeDeg, kLongitudeRange)},
      {"--tz", degreesInto(&PlaceTimeOptions::timeZoneHours, kTimeZoneRange)},
      {"--dst", into<int>(&PlaceTimeOptions::daylightSaving, [](const std::string& v) { return integerWithin(v, 0, 1); })},
      {"--zone", into<std::string>(&PlaceTimeOptions::timeZoneName, knownZone)},
  };
  return options;
}

}  // namespace

bool isPlaceTimeOption(const std::string& option) { return setters().count(option) != 0; }

bool takePlaceTimeOption(PlaceTimeOptions& options, const std::string& option, const std::string& value) {
  const auto setter = setters().find(option);
  return setter != setters().end() && setter->second(options, value);
}

std::string badValueMessage(const std::string& option, const std::string& value) {
  const auto date = option == "--utc" ? utcFields(value) : std::nullopt;
  const std::string problem = date ? impossibleField(*date) : "";
  return "bad value for " + option + ": " + value + (problem.empty() ? "" : " (" + problem + ")");
}

std::optional<double> wholeNumber(const std::string& text) {
  const char* begin = text.c_str() + (text.rfind('+', 0) == 0 ? 1 : 0);
  const char* end = text.c_str() + text.size();
  double value = 0;
  const auto result = std::from_chars(begin, end, value);
  if (begin == end || result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<double> numberWithin(const std::string& text, ValueRange range) {
  const auto value = wholeNumber(text);
  return value && range.holds(*value) ? value : std::nullopt;
}

std::optional<int> integerWithin(const std::string& text, int low, int high) {
  const auto value = wholeNumber(text);
  if (!value || *value != std::floor(*value) || *value < low || *value > high) return std::nullopt;
  return static_cast<int>(*value);
}

void applyPlaceOptions(const PlaceTimeOptions& options, ObservingPlace& place) {
  if (options.latitudeDeg) place.latitudeDeg = *options.latitudeDeg;
  if (options.longitudeDeg) place.longitudeDeg = *options.longitudeDeg;
  if (options.timeZoneHours) place.timeZoneHours = *options.timeZoneHours;
  if (options.daylightSaving) place.daylightSaving = static_cast<uint8_t>(*options.daylightSaving);
  if (options.timeZoneHours || options.daylightSaving) place.timeZoneName.clear();
  if (options.timeZoneName) place.timeZoneName = *options.timeZoneName;
  followZoneRules(place, julianDayOf(instantOf(options)));
}

ChartDate instantOf(const PlaceTimeOptions& options) {
  if (options.utc) return *options.utc;
  const CalendarTime now = systemUniversalTime();
  return ChartDate{now.year, now.month, now.day, now.hour, now.minute, double(now.second)};
}

}  // namespace celvaro
