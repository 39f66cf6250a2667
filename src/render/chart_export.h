// Printed maps: the chart drawn through its renderer into a PDF, SVG or
// EPS file. The export works on copies of the chart settings and render
// options, so the chart on screen stays as it is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/chart_settings.h"
#include "output/output_area.h"
#include "output/print_colour_table.h"
#include "output/render_options.h"
#include "output/rendering_output.h"
#include "render/chart_renderer.h"
#include "render/fov_overlay.h"

namespace celvaro {

class SkyCatalogs;
class SkyPolylines;

enum ExportFormat : int { kExportPdf = 1, kExportSvg = 2, kExportEps = 3 };

// What the chart is drawn from besides its settings; any may be absent.
struct ChartSources {
  SkyCatalogs* catalogs = nullptr;
  const SkyPolylines* ecliptic = nullptr;
  const SkyPolylines* horizon = nullptr;
  const SkyPolylines* route = nullptr;
  int language = 2;  // of the common names in labels
};

struct ChartExport {
  int format = kExportPdf;
  ChartSources sources;
  PageSize page;             // hundredths of a millimetre
  OutputArea area;           // the chart on the page, hundredths of a millimetre
  ChartSettings settings;    // the limits, sizes and grid steps are computed on it
  RenderOptions options;
  std::string fileName;
  PrintColourTable colours;
  std::vector<std::string> titleLines;  // in the area's title strip, the first at its top
  int titleColumns = 1;                 // that the lines fill one after the other
  FovOverlay fovOverlay;                // its frames over the chart when shown
  bool newPage = false;                 // after another chart: on a page of its own
  PageMarks marks;                      // an atlas page's neighbours and notes
  bool drawsChart = true;               // false: the title lines alone fill the area, from its top
};

// Draws the chart into the file. False for a format other than 1, 2 or 3,
// a file that cannot be created, or one that could not be written whole
// (nothing is left in its place then). The catalogs' star choice and the
// stars the screen's picks refer to are as they were afterwards.
bool exportChart(ChartExport job);

// Charts in one document, each on the page of the one before it unless it
// asks for a new page (PDF only). The first chart's format, file and
// colours are the document's. False as for one chart, and for a new page
// in an EPS or SVG file (nothing is written then).
bool exportCharts(std::vector<ChartExport> jobs);

// The choices of a printable map, in hundredths of a millimetre.
struct PrintableMap {
  static constexpr int32_t kLegendHeight = 1000;
  // Three lines of the title's 2.5 mm text.
  static constexpr int32_t kTitleHeight = 1200;

  int format = kExportPdf;
  int32_t pageWidth = 21000;  // A4 portrait
  int32_t pageHeight = 29700;
  int32_t margin = 1000;
  std::string fileName;
};

// Whether the margins leave room for the chart, the title strip above it and
// the legend strip below it.
bool fitsOnPage(const PrintableMap& map);

// Two charts stacked on the map's page, each with a title strip of that
// many lines above it and the legend strip below it: the upper half of the
// room left is the upper chart's, the lower half the lower one's.
struct StackedAreas {
  OutputArea upper, lower;
};
StackedAreas stackedAreas(const PrintableMap& map, int upperRows, int lowerRows);

// The export of a printable map of the chart: the print options with the
// frame, the chart within the margins between the title strip and the
// legend strip, and star discs of 0.45 to 3 millimetres. The title's lines
// and the overlay are left for the caller.
ChartExport printableMapExport(const PrintableMap& map, const ChartSettings& chart, const ChartSources& sources,
                               const PrintColourTable& colours);

}  // namespace celvaro
