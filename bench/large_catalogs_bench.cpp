// The deep star catalog of the built data registered as at start-up and
// drawn onto the screen output of a 1920x1080 chart: a 2 degree field on
// the Pleiades once its segments are read, and a pan over the whole sky at
// 2 degrees with the resident memory it leaves.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <memory>
#include <string>

#include "catalog/large_star_catalogs.h"
#include "catalog/sky_catalogs.h"
#include "catalog/star_data_segmented.h"
#include "model/chart_settings.h"
#include "output/color_table.h"
#include "output/hit_list.h"
#include "output/output_area.h"
#include "output/rendering_output_display.h"
#include "projection/transformer.h"
#include "render/magnitude_limits.h"
#include "ui/qt_canvas.h"

namespace {

using namespace celvaro;

constexpr int kField = 120;

// Resident memory of the process, kilobytes.
long residentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

struct DeepChart {
  DeepChart() : catalogs(CELVARO_RUN_DIR), image(1920, 1080, QImage::Format_RGB32), output(colors), canvas(image) {
    catalogs.registerStarCatalog(0, kIdentifierHipparcos, "data/stars_hip.dat", "Hipparcos", 0, 0);
    registerLargeStarCatalogs(catalogs);
    settings.fieldArcmin = kField;
    computeMagnitudeLimits(settings);
    catalogs.selectStarCatalog(settings.starLimitHundredths, settings.fieldArcmin);
    area.width = 1920;
    area.height = 1080;
    transformer->setScale(540, kField / 2);
    output.loadStarSizes(settings.starLimitHundredths, 9, 1);
    output.setCanvas(&canvas);
    output.setHitList(&hits);
    image.fill(0);  // all of the picture in memory before the measures
  }
  ~DeepChart() { output.setCanvas(nullptr); }
  bool ready() const { return catalogs.currentSlot() == 1; }
  void draw(double raDeg, double decDeg) {
    settings.centreRaArcmin = static_cast<int>(std::lround(raDeg * 60)) % 21600;
    settings.centreDecArcmin = static_cast<int>(std::lround(decDeg * 60));
    transformer->setup(area, settings);
    hits.clearHits();
    output.begin("", {}, area);
    catalogs.currentStarCatalog()->draw(output, *transformer, settings, area, settings.starLimitHundredths, true);
    output.end();
  }
  const StarDataSegmented& deep() const { return *static_cast<const StarDataSegmented*>(catalogs.currentStarCatalog()); }

  SkyCatalogs catalogs;
  ChartSettings settings;
  OutputArea area;
  std::unique_ptr<iTransformer> transformer = createTransformer(kProjectionEqualArea);
  QImage image;
  ColorTable colors;
  HitList hits;
  RenderingOutputDisplay output;
  QtCanvas canvas;
};

bool haveData(benchmark::State& state, const DeepChart& chart) {
  if (chart.ready()) return true;
  state.SkipWithError("build the catalog data first (./test or celvaro-catalogs)");
  return false;
}

void BM_DeepStars2DegreesOnThePleiades(benchmark::State& state) {
  DeepChart chart;
  if (!haveData(state, chart)) return;
  const auto start = std::chrono::steady_clock::now();
  chart.draw(56.75, 24.12);  // reads the segments
  const double first = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  for (auto _ : state) chart.draw(56.75, 24.12);
  state.counters["first_ms"] = first;
  state.counters["stars"] = chart.catalogs.currentStarCatalog()->starCount();
  state.counters["segments_read"] = chart.deep().segmentReads();
}
BENCHMARK(BM_DeepStars2DegreesOnThePleiades)->Unit(benchmark::kMillisecond);

// Rows of declination 2 degrees apart, each panned round in steps of
// 2 degrees on the sky: every part of the sky passes through the chart.
void BM_DeepStarsPanningTheWholeSky(benchmark::State& state) {
  DeepChart chart;
  if (!haveData(state, chart)) return;
  const long before = residentKb();
  long largest = before;
  int charts = 0, mostLoaded = 0;
  for (auto _ : state) {
    for (double dec = -89; dec <= 89; dec += 2) {
      const double step = std::min(2 / std::cos(dec * std::acos(-1.0) / 180), 360.0);
      for (double ra = 0; ra < 360; ra += step, ++charts) {
        chart.draw(ra, dec);
        mostLoaded = std::max(mostLoaded, chart.deep().loadedCount());
      }
      largest = std::max(largest, residentKb());
    }
  }
  state.counters["charts"] = charts;
  state.counters["segments_read"] = chart.deep().segmentReads();
  state.counters["most_segments_loaded"] = mostLoaded;
  state.counters["rss_before_kb"] = static_cast<double>(before);
  state.counters["rss_largest_kb"] = static_cast<double>(largest);
  state.counters["rss_after_kb"] = static_cast<double>(residentKb());
}
BENCHMARK(BM_DeepStarsPanningTheWholeSky)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
