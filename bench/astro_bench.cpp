// Cost of the conversions the chart and the telescope side call per object.
#include <benchmark/benchmark.h>

#include <numbers>
#include <string>

#include "app/configuration.h"
#include "astro/coordinates.h"
#include "astro/sidereal_time.h"
#include "astro/zone_time.h"

namespace {

using namespace celvaro;

void BM_EquatorialToHorizontal(benchmark::State& state) {
  double ra = 0.1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(equatorialToHorizontal(ra, 0.5, 47.0, 19.5, 5.0));
    ra += 1e-6;
  }
}
BENCHMARK(BM_EquatorialToHorizontal);

void BM_HorizontalToEquatorial(benchmark::State& state) {
  double az = 10;
  for (auto _ : state) {
    benchmark::DoNotOptimize(horizontalToEquatorial(30.0, az, 47.0, 19.5, 5.0));
    az += 1e-4;
  }
}
BENCHMARK(BM_HorizontalToEquatorial);

void BM_GreenwichSiderealTime(benchmark::State& state) {
  double jd = 2454267.3;
  for (auto _ : state) {
    benchmark::DoNotOptimize(greenwichSiderealTime(jd));
    jd += 1e-5;
  }
}
BENCHMARK(BM_GreenwichSiderealTime);

void BM_UniversalToLocal(benchmark::State& state) {
  ObservingPlace place;
  ChartDate date{2007, 6, 15, 20, 0, 0.0};
  for (auto _ : state) benchmark::DoNotOptimize(universalToLocal(date, place));
}
BENCHMARK(BM_UniversalToLocal);

void BM_ConfigurationText(benchmark::State& state) {
  ConfigurationRecordSet records;
  for (auto _ : state) benchmark::DoNotOptimize(configurationText(records.refs()));
}
BENCHMARK(BM_ConfigurationText);

}  // namespace
