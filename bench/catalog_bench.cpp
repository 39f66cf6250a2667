// The main star catalog as built into build/run/data: opening it, and
// drawing all of it at the 11.50 limit through an output that draws nothing.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "catalog/mark_links.h"
#include "catalog/proper_motions.h"
#include "catalog/sky_catalogs.h"
#include "catalog/star_data_simple.h"
#include "model/chart_settings.h"
#include "output/counting_output.h"
#include "output/output_area.h"
#include "projection/transformer.h"

namespace {

using namespace celvaro;

bool haveData(benchmark::State& state) {
  if (std::filesystem::exists(std::string(CELVARO_RUN_DIR) + "/data/stars_hip.dat")) return true;
  state.SkipWithError("build the catalog data first (./test or celvaro-catalogs)");
  return false;
}

void BM_OpenMainCatalog(benchmark::State& state) {
  if (!haveData(state)) return;
  for (auto _ : state) {
    StarDataSimple catalog;
    catalog.setDataDirectory(CELVARO_RUN_DIR);
    catalog.open("data/stars_hip.dat");
    benchmark::DoNotOptimize(catalog.starCount());
  }
}
BENCHMARK(BM_OpenMainCatalog)->Unit(benchmark::kMillisecond);

void BM_DrawWholeCatalog(benchmark::State& state) {
  if (!haveData(state)) return;
  StarDataSimple catalog;
  catalog.setDataDirectory(CELVARO_RUN_DIR);
  catalog.open("data/stars_hip.dat");
  auto transformer = createTransformer(kProjectionEqualArea);
  ChartSettings settings;
  settings.centreRaArcmin = 5000;
  settings.centreDecArcmin = 1000;
  OutputArea area;
  area.width = 1920;
  area.height = 1080;
  transformer->setScale(540, 5400);  // 180 degrees: nearly every star is on the visible side
  transformer->setup(area, settings);
  testing::CountingOutput output;
  output.begin("", {}, area);
  output.loadStarSizes(1150, 9, 1);
  for (auto _ : state) {
    catalog.draw(output, *transformer, settings, area, 1150, true);
  }
  state.counters["stars"] = catalog.starCount();
}
BENCHMARK(BM_DrawWholeCatalog)->Unit(benchmark::kMillisecond);

}  // namespace

// Reading the stars' motions and noting the fast ones, as the program does
// at start.
void BM_LoadProperMotions(benchmark::State& state) {
  if (!haveData(state)) return;
  const std::string path = std::string(CELVARO_RUN_DIR) + "/" + ProperMotions::kPath;
  for (auto _ : state) {
    ProperMotions motions;
    benchmark::DoNotOptimize(motions.load(path));
  }
}
BENCHMARK(BM_LoadProperMotions)->Unit(benchmark::kMillisecond);

// Moving every catalog's stars and marks to a new epoch, as the program
// does at start and when the date moves by more than a month.
void BM_MoveStarsToEpoch(benchmark::State& state) {
  if (!haveData(state)) return;
  SkyCatalogs catalogs(CELVARO_RUN_DIR);
  catalogs.registerStarCatalog(0, kIdentifierHipparcos, "data/stars_hip.dat", "Hipparcos", 0, 0);
  catalogs.openStarLabels();
  catalogs.loadVariableStars();
  catalogs.loadDoubleStars();
  ProperMotions motions;
  motions.load(std::string(CELVARO_RUN_DIR) + "/" + ProperMotions::kPath);
  MarkLinks marks;
  marks.load(std::string(CELVARO_RUN_DIR) + "/" + MarkLinks::kPath);
  catalogs.setProperMotions(std::move(motions), marks);
  double julianDate = 2461000.5;
  for (auto _ : state) catalogs.setStarEpoch(julianDate += 40);
}
BENCHMARK(BM_MoveStarsToEpoch)->Unit(benchmark::kMillisecond);
