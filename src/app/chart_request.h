// What celvaro-chart is asked for on its command line: the chart's place,
// time, view and file, read and checked before anything is loaded.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/printable_map_export.h"
#include "app/place_time_options.h"

namespace celvaro {

// The place and the instant, then what the chart shows and where it goes.
struct ChartRequest : PlaceTimeOptions {
  std::optional<std::string> settingsFile;
  // A field-of-view scheme file: its overlay is drawn on the chart's centre.
  std::optional<std::string> fovSchemeFile;
  std::optional<double> raHours, decDeg;   // equatorial centre
  std::optional<double> azDeg, altDeg;     // horizontal centre, azimuth from north through east
  std::optional<int> fieldArcmin;
  std::optional<int> projection, mirror;
  int width = 1920, height = 1080;  // the picture's pixels
  // The picture's pixels per chart pixel: the chart is drawn as on a screen
  // of this device pixel ratio, discs, lines and labels widened alike.
  double scale = 1;
  std::string format = "png";  // or pdf, svg, eps: a printable map
  int32_t pageWidth = 21000, pageHeight = 29700;  // hundredths of a millimetre, A4 portrait
  int32_t margin = 1000;
  std::string out;  // none: nothing is written (with --stats or --info)
  bool stats = false;
  // The chart is centred on what the program's search finds for this text.
  std::optional<std::string> object;
  bool info = false;  // prints the object's information
  // The object's finder chart instead of a map of the chart: a printable
  // map, a PDF unless another file format is asked for.
  bool finder = false;
  // An atlas of "sky", a constellation or a list file's objects: one PDF.
  std::optional<std::string> atlas;
  // The stars' limiting magnitude instead of the field's own.
  std::optional<double> starLimit;
  bool refraction = false;  // altitudes lifted by the air of standard conditions
  std::optional<int> language;  // 1..4; else the program directory's choice, else English
  int benchRuns = 0;
  bool timings = false;  // prints the milliseconds of each phase
};

// Parses the command line; on a bad option `error` names it and the
// result is empty.
std::optional<ChartRequest> parseChartRequest(const std::vector<std::string>& args, std::string& error);

// The file a finder chart or an atlas goes to when no --out is given:
// "finder-M-13.pdf" for "finder" and "M 13", every character of the text
// but letters and digits a hyphen.
std::string defaultFileName(const std::string& kind, const std::string& text, const std::string& format);

// The printable map a request with a file format asks for.
PrintableMap printableMapOf(const ChartRequest& request);

}  // namespace celvaro
