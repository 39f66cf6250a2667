// Printable maps of the built data on A4 with 10 mm margins: the default
// 60 degree chart of Orion into each file format, a 180 degree chart of
// stars to magnitude 9 into a PDF, and the whole sky's atlas of 30 degree
// pages to magnitude 6.5. Each run writes the whole file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <numbers>

#include "app/app_model.h"
#include "app/atlas_export.h"
#include "app/configuration.h"
#include "app/startup.h"
#include "app/ui_resources.h"
#include "render/chart_export.h"

namespace {

using namespace celvaro;

constexpr double kPi = std::numbers::pi;

bool haveData(benchmark::State& state) {
  if (std::filesystem::exists(std::string(CELVARO_RUN_DIR) + "/data/.built")) return true;
  state.SkipWithError("build the data first (./test or celvaro-catalogs)");
  return false;
}

// The program's model with its data, looking at Orion on 15 January 2024.
struct OrionModel {
  OrionModel() : model(CELVARO_RUN_DIR, configurationPath("/nonexistent"), resources) {
    resources.setProgramDir(CELVARO_RUN_DIR);
    model.setUniversalDate(ChartDate{2024, 1, 15, 20, 0, 0.0});
    model.setChartSize(1200, 900);
    loadChartData(model);
    model.centreOn(5.6 * kPi / 12, 3 * kPi / 180, 0, 0, false);
    model.applyView();
  }
  UiResources resources;
  AppModel model;
};

// Writes the map in every run; the file's size is reported.
void writeMaps(benchmark::State& state, AppModel& model, int format) {
  const char* extensions[] = {"", ".pdf", ".svg", ".eps"};
  PrintableMap map;
  map.format = format;
  map.fileName = (std::filesystem::temp_directory_path() / "celvaro-export-bench").string() + extensions[format];
  const ChartSources sources{model.catalogs(), &model.ecliptic, &model.horizon, nullptr, 2};
  const PrintColourTable colours;
  for (auto _ : state) {
    if (!exportChart(printableMapExport(map, model.chart, sources, colours))) state.SkipWithError("not written");
  }
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(map.fileName));
  state.counters["star_limit"] = model.chart.starLimitHundredths;
  std::filesystem::remove(map.fileName);
}

// Argument: 1 PDF, 2 SVG, 3 EPS.
void BM_DefaultChartOnA4(benchmark::State& state) {
  if (!haveData(state)) return;
  OrionModel orion;
  orion.model.chart.fieldArcmin = 3600;
  orion.model.applyView();
  writeMaps(state, orion.model, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_DefaultChartOnA4)->Arg(kExportPdf)->Arg(kExportSvg)->Arg(kExportEps)->Unit(benchmark::kMillisecond);

void BM_WholeSkyToMagnitudeNineOnA4(benchmark::State& state) {
  if (!haveData(state)) return;
  OrionModel orion;
  orion.model.chart.fieldArcmin = 10800;
  orion.model.chart.starLimitManual = 1;
  orion.model.chart.starLimitManualValue = 900;
  orion.model.applyView();
  writeMaps(state, orion.model, kExportPdf);
}
BENCHMARK(BM_WholeSkyToMagnitudeNineOnA4)->Unit(benchmark::kMillisecond);

// The key, the charts and the index, as celvaro-chart --atlas sky writes them.
void BM_WholeSkyAtlasOnA4(benchmark::State& state) {
  if (!haveData(state)) return;
  OrionModel orion;
  PrintableMap map;
  map.fileName = (std::filesystem::temp_directory_path() / "celvaro-atlas-bench.pdf").string();
  AtlasResult result;
  for (auto _ : state) {
    result = exportAtlas(orion.model, "sky", AtlasOptions{}, map);
    if (!result.written) state.SkipWithError("not written");
  }
  state.counters["pages"] = result.pages;
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(map.fileName));
  std::filesystem::remove(map.fileName);
}
BENCHMARK(BM_WholeSkyAtlasOnA4)->Unit(benchmark::kMillisecond);

}  // namespace
