#include "render/chart_export.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

#include "catalog/sky_catalogs.h"
#include "output/rendering_output_eps.h"
#include "output/rendering_output_pdf.h"
#include "output/rendering_output_svg.h"
#include "projection/transformer.h"
#include "render/chart_renderer.h"
#include "render/grid_steps.h"
#include "render/magnitude_limits.h"

namespace celvaro {
namespace {

// Star sizes on paper, hundredths of a millimetre.
constexpr int32_t kPrintLargestStar = 300;
constexpr int32_t kPrintSmallestStar = 45;

std::unique_ptr<RenderingOutputFile> outputOf(int format) {
  switch (format) {
    case kExportPdf: return std::make_unique<RenderingOutputPdf>();
    case kExportSvg: return std::make_unique<RenderingOutputSvg>();
    case kExportEps: return std::make_unique<RenderingOutputEps>();
    default: return nullptr;
  }
}

// The scale pair of the settings when both are given, else the field
// across the smaller side of the chart.
void scaleProjection(iTransformer& projection, const ChartSettings& s, const OutputArea& area) {
  if (s.scaleHalfFieldArcmin > 0 && s.scaleHalfExtent > 0) {
    projection.setScale(s.scaleHalfExtent, s.scaleHalfFieldArcmin);
  } else if (s.fieldArcmin > 0) {
    projection.setScale(std::min(area.width, area.height) / 2, s.fieldArcmin / 2);
  }
}

// The limits, grid steps and star catalog of the field, as for the screen.
void prepareSettings(ChartSettings& s, SkyCatalogs* catalogs) {
  computeMagnitudeLimits(s);
  if (s.automaticGrid) {
    const GridSteps steps = automaticGridSteps(s.fieldArcmin, s.centreDecArcmin);
    s.raGridStepArcmin = steps.raArcmin;
    s.decGridStepArcmin = steps.decArcmin;
  } else {
    s.raGridStepArcmin = s.manualRaGridStepArcmin;
    s.decGridStepArcmin = s.manualDecGridStepArcmin;
  }
  if (catalogs) catalogs->selectStarCatalog(s.starLimitHundredths, s.fieldArcmin);
}

// The screen's picks refer to the star catalog the screen chose and to the
// large catalogs' stars of its last drawing: an export draws with a choice
// and stars of its own and gives the screen's back when it is done.
class OwnStarDrawing {
 public:
  explicit OwnStarDrawing(SkyCatalogs* catalogs) : catalogs_(catalogs) { swap(); }
  ~OwnStarDrawing() { swap(); }
  OwnStarDrawing(const OwnStarDrawing&) = delete;
  OwnStarDrawing& operator=(const OwnStarDrawing&) = delete;

 private:
  void swap() {
    if (catalogs_) catalogs_->swapStarDrawing(drawing_);
  }
  SkyCatalogs* catalogs_;
  SkyCatalogs::StarDrawing drawing_;
};

void setStarSizes(RenderingOutput& output, const ChartSettings& s, const RenderOptions& options) {
  if (!options.starDiametersSpecified) {
    output.loadStarSizes(s.starLimitHundredths, s.maxStarDiameter, s.minStarDiameter);
    return;
  }
  std::puts("Star diameters are specified");
  output.copyStarSizes(options.starDiameters.data(), RenderOptions::kStarClasses);
}

constexpr int32_t kStackGap = 500;  // between the upper chart's legend and the lower chart's title

int32_t stripHeight(int rows) { return rows * ChartRenderer::kTitleLinePitch + 150; }

// The page's height less the margins and the two strips.
int32_t chartHeight(const PrintableMap& map) {
  return map.pageHeight - 2 * map.margin - PrintableMap::kLegendHeight - PrintableMap::kTitleHeight;
}

}  // namespace

bool exportChart(ChartExport job) {
  std::vector<ChartExport> jobs;
  jobs.push_back(std::move(job));
  return exportCharts(std::move(jobs));
}

bool exportCharts(std::vector<ChartExport> jobs) {
  if (jobs.empty()) return false;
  const std::unique_ptr<RenderingOutputFile> output = outputOf(jobs.front().format);
  if (!output) return false;
  output->setColourTable(jobs.front().colours);
  const OwnStarDrawing ownStars(jobs.front().sources.catalogs);
  for (size_t i = 0; i < jobs.size(); ++i) {
    ChartExport& job = jobs[i];
    const std::unique_ptr<iTransformer> projection = createTransformer(job.settings.projectionId);
    scaleProjection(*projection, job.settings, job.area);
    prepareSettings(job.settings, job.sources.catalogs);
    ChartRenderer renderer(job.sources.catalogs, output.get(), projection.get(), &job.area, &job.settings,
                           &job.options);
    renderer.setSkyLines(job.sources.ecliptic, job.sources.horizon);
    renderer.setRoute(job.sources.route);
    renderer.setLanguage(job.sources.language);
    renderer.setTitleLines(&job.titleLines, job.titleColumns);
    renderer.setFovOverlay(&job.fovOverlay);
    renderer.setPageMarks(&job.marks);
    setStarSizes(*output, job.settings, job.options);
    output->setOptions(job.options);
    const bool started = i == 0 ? output->begin(jobs.front().fileName, job.page, job.area)
                                : output->nextChart(job.area, job.newPage);
    if (!started) return false;  // the file is written only at the end
    if (job.drawsChart) {
      renderer.drawChart(PassFlags{});
    } else {
      renderer.textPage();
    }
  }
  output->end();
  return output->written();
}

bool fitsOnPage(const PrintableMap& map) {
  return map.margin >= 0 && map.pageWidth - 2 * map.margin > 0 && chartHeight(map) > 0;
}

StackedAreas stackedAreas(const PrintableMap& map, int upperRows, int lowerRows) {
  OutputArea area;
  area.left = area.pageMarginX = area.pageMarginY = map.margin;
  area.width = area.legendWidth = map.pageWidth - 2 * map.margin;
  area.legendHeight = PrintableMap::kLegendHeight;
  StackedAreas areas{area, area};
  areas.upper.titleHeight = stripHeight(upperRows);
  areas.lower.titleHeight = stripHeight(lowerRows);
  const int32_t charts = map.pageHeight - 2 * map.margin - 2 * PrintableMap::kLegendHeight - kStackGap -
                         areas.upper.titleHeight - areas.lower.titleHeight;
  areas.lower.height = charts / 2;
  areas.upper.height = charts - charts / 2;
  areas.lower.top = map.margin + PrintableMap::kLegendHeight;
  areas.upper.top =
      areas.lower.top + areas.lower.height + areas.lower.titleHeight + kStackGap + PrintableMap::kLegendHeight;
  return areas;
}

ChartExport printableMapExport(const PrintableMap& map, const ChartSettings& chart, const ChartSources& sources,
                               const PrintColourTable& colours) {
  ChartExport job;
  job.format = map.format;
  job.sources = sources;
  job.page = {map.pageWidth, map.pageHeight};
  OutputArea& area = job.area;
  area.left = map.margin;
  area.top = map.margin + PrintableMap::kLegendHeight;
  area.width = map.pageWidth - 2 * map.margin;
  area.height = chartHeight(map);
  area.pageMarginX = area.pageMarginY = map.margin;
  area.legendWidth = area.width;
  area.legendHeight = PrintableMap::kLegendHeight;
  area.titleHeight = PrintableMap::kTitleHeight;
  job.settings = chart;
  job.settings.maxStarDiameterCap = kPrintLargestStar;
  job.settings.maxStarDiameter = kPrintLargestStar;
  job.settings.minStarDiameter = kPrintSmallestStar;
  job.options = printRenderOptions();
  job.fileName = map.fileName;
  job.colours = colours;
  return job;
}

}  // namespace celvaro
