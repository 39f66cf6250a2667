#include "app/chart_request.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

#include "app/ui_resources.h"
#include "astro/calendar.h"
#include "astro/value_range.h"

namespace celvaro {
namespace {

// A number made of the whole text, or nothing.
std::optional<double> number(const std::string& text) {
  const char* begin = text.c_str() + (text.rfind('+', 0) == 0 ? 1 : 0);
  const char* end = text.c_str() + text.size();
  double value = 0;
  const auto result = std::from_chars(begin, end, value);
  if (begin == end || result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> integerIn(const std::string& text, int low, int high) {
  const auto value = number(text);
  if (!value || *value != std::floor(*value) || *value < low || *value > high) return std::nullopt;
  return static_cast<int>(*value);
}

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

// Millimetres with up to two decimals, as hundredths, within the bounds.
std::optional<int32_t> hundredthsIn(const std::string& text, double lowMm, double highMm) {
  const auto value = number(text);
  if (!value || *value < lowMm || *value > highMm) return std::nullopt;
  return static_cast<int32_t>(std::lround(*value * 100));
}

bool pageSize(const std::string& text, int32_t& width, int32_t& height) {
  const size_t x = text.find('x');
  if (x == std::string::npos) return false;
  const auto w = hundredthsIn(text.substr(0, x), 20, 5000), h = hundredthsIn(text.substr(x + 1), 20, 5000);
  if (!w || !h) return false;
  width = *w, height = *h;
  return true;
}

// "hu", "en", "de", "ro": the user-interface languages 1..4.
std::optional<int> languageOf(const std::string& code) {
  static const std::map<std::string, int> languages = {{"hu", kHungarian}, {"en", kEnglish}, {"de", kGerman}, {"ro", kRomanian}};
  const auto it = languages.find(code);
  return it == languages.end() ? std::nullopt : std::optional<int>(it->second);
}

int exportFormat(const std::string& format) {
  return format == "pdf" ? kExportPdf : format == "svg" ? kExportSvg : format == "eps" ? kExportEps : 0;
}

bool size(const std::string& text, int& width, int& height) {
  const size_t x = text.find('x');
  if (x == std::string::npos) return false;
  const auto w = integerIn(text.substr(0, x), 16, 16384), h = integerIn(text.substr(x + 1), 16, 16384);
  if (!w || !h) return false;
  width = *w, height = *h;
  return true;
}

// Applies one option with its value; false when the value does not fit.
using OptionSetter = std::function<bool(ChartRequest&, const std::string&)>;

template <typename T>
OptionSetter into(std::optional<T> ChartRequest::*field, std::function<std::optional<T>(const std::string&)> parse) {
  return [field, parse](ChartRequest& r, const std::string& v) { return (r.*field = parse(v)).has_value(); };
}

std::function<std::optional<double>(const std::string&)> within(ValueRange range) {
  return [range](const std::string& v) -> std::optional<double> {
    const auto value = number(v);
    return value && range.holds(*value) ? value : std::nullopt;
  };
}

std::function<std::optional<int>(const std::string&)> integers(int low, int high) {
  return [low, high](const std::string& v) { return integerIn(v, low, high); };
}

const std::map<std::string, OptionSetter>& valueOptions() {
  static const std::map<std::string, OptionSetter> options = {
      {"--program-dir", [](ChartRequest& r, const std::string& v) { r.programDir = v; return !v.empty(); }},
      {"--settings", [](ChartRequest& r, const std::string& v) { r.settingsFile = v; return !v.empty(); }},
      {"--utc", into<ChartDate>(&ChartRequest::utc, utcDate)},
      // The observing place takes what the program's dialog and configuration take.
      {"--lat", into<double>(&ChartRequest::latitudeDeg, within(kLatitudeRange))},
      {"--lon", into<double>(&ChartRequest::longitudeDeg, within(kLongitudeRange))},
      {"--tz", into<double>(&ChartRequest::timeZoneHours, within(kTimeZoneRange))},
      {"--dst", into<int>(&ChartRequest::daylightSaving, integers(0, 1))},
      {"--ra", into<double>(&ChartRequest::raHours, within({0, 24}))},
      {"--dec", into<double>(&ChartRequest::decDeg, within({-90, 90}))},
      {"--az", into<double>(&ChartRequest::azDeg, within({0, 360}))},
      {"--alt", into<double>(&ChartRequest::altDeg, within({0, 90}))},
      {"--field", into<int>(&ChartRequest::fieldArcmin, integers(1, 21600))},
      {"--projection", into<int>(&ChartRequest::projection, integers(0, 4))},
      {"--mirror", into<int>(&ChartRequest::mirror, integers(0, 3))},
      {"--size", [](ChartRequest& r, const std::string& v) { return size(v, r.width, r.height); }},
      {"--format", [](ChartRequest& r, const std::string& v) { r.format = v; return v == "png" || exportFormat(v) != 0; }},
      {"--page", [](ChartRequest& r, const std::string& v) { return pageSize(v, r.pageWidth, r.pageHeight); }},
      {"--margin", [](ChartRequest& r, const std::string& v) {
         const auto margin = hundredthsIn(v, 0, 1000);
         r.margin = margin.value_or(0);
         return margin.has_value();
       }},
      {"--out", [](ChartRequest& r, const std::string& v) { r.out = v; return !v.empty(); }},
      {"--object", [](ChartRequest& r, const std::string& v) { r.object = v; return !v.empty(); }},
      {"--language", into<int>(&ChartRequest::language, languageOf)},
      {"--bench", [](ChartRequest& r, const std::string& v) {
         auto n = integerIn(v, 1, 100000);
         r.benchRuns = n.value_or(0);
         return n.has_value();
       }},
  };
  return options;
}

// Why a value was refused, where the value has parts: ", the day must be
// between 1 and 28".
std::string valueProblem(const std::string& option, const std::string& value) {
  const auto date = option == "--utc" ? utcFields(value) : std::nullopt;
  const std::string problem = date ? impossibleField(*date) : "";
  return problem.empty() ? "" : " (" + problem + ")";
}

const std::map<std::string, bool ChartRequest::*>& flagOptions() {
  static const std::map<std::string, bool ChartRequest::*> flags = {
      {"--stats", &ChartRequest::stats},
      {"--info", &ChartRequest::info},
      {"--refraction", &ChartRequest::refraction},
      {"--timings", &ChartRequest::timings},
  };
  return flags;
}

}  // namespace

PrintableMap printableMapOf(const ChartRequest& request) {
  PrintableMap map;
  map.format = exportFormat(request.format);
  map.pageWidth = request.pageWidth;
  map.pageHeight = request.pageHeight;
  map.margin = request.margin;
  map.fileName = request.out;
  return map;
}

std::optional<ChartRequest> parseChartRequest(const std::vector<std::string>& args, std::string& error) {
  ChartRequest request;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (const auto flag = flagOptions().find(option); flag != flagOptions().end()) {
      request.*(flag->second) = true;
      continue;
    }
    auto setter = valueOptions().find(option);
    if (setter == valueOptions().end()) {
      error = "unknown option " + option;
      return std::nullopt;
    }
    // An option's value is never the next option.
    if (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0) {
      error = option + " needs a value";
      return std::nullopt;
    }
    if (!setter->second(request, args[i + 1])) {
      error = "bad value for " + option + ": " + args[i + 1] + valueProblem(option, args[i + 1]);
      return std::nullopt;
    }
    ++i;
  }
  // A picture or map is written, or statistics or information printed.
  if (request.out.empty() && (request.format != "png" || (!request.stats && !request.info))) {
    error = "--out FILE is required";
    return std::nullopt;
  }
  if (request.info && !request.object) {
    error = "--info goes with --object";
    return std::nullopt;
  }
  if (request.object && (request.raHours || request.azDeg)) {
    error = "--object takes the place of --ra/--dec and --az/--alt";
    return std::nullopt;
  }
  if (request.raHours.has_value() != request.decDeg.has_value()) {
    error = "--ra and --dec go together";
    return std::nullopt;
  }
  if (request.azDeg.has_value() != request.altDeg.has_value()) {
    error = "--az and --alt go together";
    return std::nullopt;
  }
  if (request.out == "-" && (request.stats || request.info || request.timings || request.benchRuns > 0)) {
    error = "--out - goes without --stats, --info, --timings and --bench, which print there too";
    return std::nullopt;
  }
  if (request.stats && request.format != "png") {
    error = "--stats goes with --format png";
    return std::nullopt;
  }
  if (!fitsOnPage(printableMapOf(request))) {
    error = "--margin leaves no room for the chart on the page";
    return std::nullopt;
  }
  return request;
}

}  // namespace celvaro
