#include "app/chart_request.h"

#include <cctype>
#include <cmath>
#include <functional>
#include <map>

#include "app/ui_resources.h"
#include "astro/value_range.h"
#include "render/magnitude_limits.h"

namespace celvaro {
namespace {

// Millimetres with up to two decimals, as hundredths, within the bounds.
std::optional<int32_t> hundredthsIn(const std::string& text, double lowMm, double highMm) {
  const auto value = wholeNumber(text);
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
  for (int language = kHungarian; language <= kRomanian; ++language) {
    if (code == languageCode(language)) return language;
  }
  return std::nullopt;
}

int exportFormat(const std::string& format) {
  return format == "pdf" ? kExportPdf : format == "svg" ? kExportSvg : format == "eps" ? kExportEps : 0;
}

bool size(const std::string& text, int& width, int& height) {
  const size_t x = text.find('x');
  if (x == std::string::npos) return false;
  const auto w = integerWithin(text.substr(0, x), 16, 16384), h = integerWithin(text.substr(x + 1), 16, 16384);
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
  return [range](const std::string& v) { return numberWithin(v, range); };
}

std::function<std::optional<int>(const std::string&)> integers(int low, int high) {
  return [low, high](const std::string& v) { return integerWithin(v, low, high); };
}

const std::map<std::string, OptionSetter>& valueOptions() {
  static const std::map<std::string, OptionSetter> options = {
      {"--settings", [](ChartRequest& r, const std::string& v) { r.settingsFile = v; return !v.empty(); }},
      {"--fov-scheme", [](ChartRequest& r, const std::string& v) { r.fovSchemeFile = v; return !v.empty(); }},
      {"--ra", into<double>(&ChartRequest::raHours, within(kRaHoursRange))},
      {"--dec", into<double>(&ChartRequest::decDeg, within(kDecDegRange))},
      {"--az", into<double>(&ChartRequest::azDeg, within({0, 360}))},
      {"--alt", into<double>(&ChartRequest::altDeg, within({0, 90}))},
      {"--field", into<int>(&ChartRequest::fieldArcmin, integers(1, 21600))},
      {"--projection", into<int>(&ChartRequest::projection, integers(0, 4))},
      {"--mirror", into<int>(&ChartRequest::mirror, integers(0, 3))},
      {"--size", [](ChartRequest& r, const std::string& v) { return size(v, r.width, r.height); }},
      {"--scale", [](ChartRequest& r, const std::string& v) {
         const auto scale = numberWithin(v, {0.5, 8});
         r.scale = scale.value_or(1);
         return scale.has_value();
       }},
      {"--format", [](ChartRequest& r, const std::string& v) { r.format = v; return v == "png" || exportFormat(v) != 0; }},
      {"--page", [](ChartRequest& r, const std::string& v) { return pageSize(v, r.pageWidth, r.pageHeight); }},
      {"--margin", [](ChartRequest& r, const std::string& v) {
         const auto margin = hundredthsIn(v, 0, 1000);
         r.margin = margin.value_or(0);
         return margin.has_value();
       }},
      {"--out", [](ChartRequest& r, const std::string& v) { r.out = v; return !v.empty(); }},
      {"--object", [](ChartRequest& r, const std::string& v) { r.object = v; return !v.empty(); }},
      {"--finder", [](ChartRequest& r, const std::string& v) {
         r.finder = true;
         r.object = v;
         return !v.empty();
       }},
      {"--atlas", [](ChartRequest& r, const std::string& v) { r.atlas = v; return !v.empty(); }},
      {"--mag", into<double>(&ChartRequest::starLimit, within({-2, kFaintestStarLimit / 100.0}))},
      {"--language", into<int>(&ChartRequest::language, languageOf)},
      {"--bench", [](ChartRequest& r, const std::string& v) {
         auto n = integerWithin(v, 1, 100000);
         r.benchRuns = n.value_or(0);
         return n.has_value();
       }},
  };
  return options;
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

std::string defaultFileName(const std::string& kind, const std::string& text, const std::string& format) {
  std::string name = kind + "-";
  for (const char c : text) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '-';
  return name + "." + format;
}

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
    const bool placeOrTime = isPlaceTimeOption(option);
    auto setter = valueOptions().find(option);
    if (!placeOrTime && setter == valueOptions().end()) {
      error = "unknown option " + option;
      return std::nullopt;
    }
    // An option's value is never the next option.
    if (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0) {
      error = option + " needs a value";
      return std::nullopt;
    }
    const bool taken = placeOrTime ? takePlaceTimeOption(request, option, args[i + 1]) : setter->second(request, args[i + 1]);
    if (!taken) {
      error = badValueMessage(option, args[i + 1]);
      return std::nullopt;
    }
    ++i;
  }
  if (request.finder || request.atlas) {
    if (request.format == "png") request.format = "pdf";
    if (request.out.empty()) {
      request.out = request.atlas ? defaultFileName("atlas", *request.atlas, request.format)
                                  : defaultFileName("finder", *request.object, request.format);
    }
  }
  if (request.atlas && (request.format != "pdf" || request.object || request.raHours || request.azDeg)) {
    error = "--atlas writes a PDF of its own pages: it goes without --format svg|eps, --object, --finder, "
            "--ra/--dec and --az/--alt";
    return std::nullopt;
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
