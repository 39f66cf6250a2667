// celvaro-chart: one chart of a program directory's data and configuration,
// drawn through the program's own renderer and written to a file.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "astro/chart_date.h"

namespace celvaro {

struct ChartRequest {
  std::string programDir;  // none: the one found from the current directory
  std::optional<std::string> settingsFile;
  std::optional<ChartDate> utc;  // default: now
  std::optional<double> latitudeDeg, longitudeDeg, timeZoneHours;
  std::optional<int> daylightSaving;
  std::optional<double> raHours, decDeg;   // equatorial centre
  std::optional<double> azDeg, altDeg;     // horizontal centre, azimuth from north through east
  std::optional<int> fieldArcmin;
  std::optional<int> projection, mirror;
  int width = 1920, height = 1080;
  std::string format = "png";  // or pdf, svg, eps: a printable map
  int32_t pageWidth = 21000, pageHeight = 29700;  // hundredths of a millimetre, A4 portrait
  int32_t margin = 1000;
  std::string out;  // none: nothing is written (with --stats or --info)
  bool stats = false;
  // The chart is centred on what the program's search finds for this text.
  std::optional<std::string> object;
  bool info = false;  // prints the object's information
  bool refraction = false;  // altitudes lifted by the air of standard conditions
  std::optional<int> language;  // 1..4; else the program directory's choice, else English
  int benchRuns = 0;
  bool timings = false;  // prints the milliseconds of each phase
};

// Parses the command line; on a bad option `error` names it and the
// result is empty.
std::optional<ChartRequest> parseChartRequest(const std::vector<std::string>& args, std::string& error);

class AppModel;
struct PrintableMap;

// The printable map a request with a file format asks for.
PrintableMap printableMapOf(const ChartRequest& request);

// Sets a model up for the request: configuration, place, time, data, view.
// 0, or 2 when the setting file cannot be read or there is no star catalog
// (said on the standard error).
int prepareChartModel(AppModel& model, const ChartRequest& request);

// Draws and writes the chart, printing statistics and timings as asked;
// the process exit code. `startQt` makes the application object when a
// picture is drawn; the chart's data are read on another thread meanwhile.
int runChartRequest(const ChartRequest& request, const std::function<void()>& startQt);

}  // namespace celvaro
