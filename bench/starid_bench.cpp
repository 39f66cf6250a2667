// The star identification database as built into build/run/data: opening
// it, and each kind of lookup on it, the name searches both finding a
// bright star early and missing after every name.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "catalog/star_id_database.h"

namespace {

using namespace celvaro;

constexpr int kLyra = 51, kAlpha = 0;
const std::string kData = std::string(CELVARO_RUN_DIR) + "/data/";

bool opened(benchmark::State& state, StarIdDatabase& ids) {
  if (std::filesystem::exists(kData + "starid.dat") &&
      ids.open(kData + "starid.dat", kData + "starid_tycho.dat") == 0) {
    return true;
  }
  state.SkipWithError("build the catalog data first (./test or celvaro-catalogs)");
  return false;
}

void BM_OpenStarIds(benchmark::State& state) {
  StarIdDatabase ids;
  if (!opened(state, ids)) return;
  for (auto _ : state) benchmark::DoNotOptimize(ids.open(kData + "starid.dat", kData + "starid_tycho.dat"));
  state.counters["records"] = ids.recordCount();
}
BENCHMARK(BM_OpenStarIds)->Unit(benchmark::kMillisecond);

void BM_FindByName(benchmark::State& state, const std::string& text) {
  StarIdDatabase ids;
  if (!opened(state, ids)) return;
  for (auto _ : state) benchmark::DoNotOptimize(ids.findByName(text));
}
BENCHMARK_CAPTURE(BM_FindByName, sirius, std::string("sir"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FindByName, missing, std::string("zzzz"))->Unit(benchmark::kMicrosecond);

void BM_FindByCatalogNumber(benchmark::State& state) {
  StarIdDatabase ids;
  StarIdRecord record;
  if (!opened(state, ids)) return;
  for (auto _ : state) benchmark::DoNotOptimize(ids.findByCatalogNumber(kCatalogHd, 172167, record));
}
BENCHMARK(BM_FindByCatalogNumber)->Unit(benchmark::kMicrosecond);

void BM_FindByBayer(benchmark::State& state, int constellation) {
  StarIdDatabase ids;
  StarIdRecord record;
  if (!opened(state, ids)) return;
  for (auto _ : state) benchmark::DoNotOptimize(ids.findByBayer(constellation, kAlpha, 0, record));
}
BENCHMARK_CAPTURE(BM_FindByBayer, alphaLyrae, kLyra)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FindByBayer, alphaVulpeculae, 88)->Unit(benchmark::kMicrosecond);  // the last keys

void BM_FindByFlamsteed(benchmark::State& state) {
  StarIdDatabase ids;
  StarIdRecord record;
  if (!opened(state, ids)) return;
  for (auto _ : state) benchmark::DoNotOptimize(ids.findByFlamsteed(kLyra, 3, record));
}
BENCHMARK(BM_FindByFlamsteed)->Unit(benchmark::kMicrosecond);

void BM_FindByDurchmusterungAndTycho(benchmark::State& state) {
  StarIdDatabase ids;
  StarIdRecord record;
  if (!opened(state, ids)) return;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ids.findByDurchmusterung(kBonner, 38, 3238, record));
    benchmark::DoNotOptimize(ids.findByTycho(3105, 2070, 1, record));
  }
}
BENCHMARK(BM_FindByDurchmusterungAndTycho)->Unit(benchmark::kMicrosecond);

void BM_WalkAllNames(benchmark::State& state) {
  StarIdDatabase ids;
  if (!opened(state, ids)) return;
  std::string name;
  int record;
  for (auto _ : state) {
    ids.restartNames();
    while (ids.nextName(name, record)) benchmark::DoNotOptimize(record);
  }
  state.counters["names"] = ids.nameCount();
}
BENCHMARK(BM_WalkAllNames)->Unit(benchmark::kMicrosecond);

void BM_ReadAndDescribe(benchmark::State& state) {
  StarIdDatabase ids;
  StarIdRecord record;
  if (!opened(state, ids)) return;
  const int vega = ids.findByName("Vega");
  for (auto _ : state) {
    ids.readRecord(vega, record);
    benchmark::DoNotOptimize(ids.describe(record));
  }
}
BENCHMARK(BM_ReadAndDescribe)->Unit(benchmark::kMicrosecond);

}  // namespace
