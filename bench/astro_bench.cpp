// Cost of the conversions the chart and the telescope side call per object.
#include <benchmark/benchmark.h>

#include <numbers>
#include <string>

#include "aids/night_events.h"
#include "app/configuration.h"
#include "astro/apparent_place.h"
#include "astro/coordinates.h"
#include "astro/sidereal_time.h"
#include "astro/zone_time.h"
#include "solarsystem/object_identifier.h"

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

// The frame of an instant: precession, nutation, sidereal time and the
// Earth's motion, built for every chart and every event sample.
void BM_ApparentPlaceOfAnInstant(benchmark::State& state) {
  double jd = 2461000.3;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ApparentPlace(jd).siderealHours());
    jd += 1e-3;
  }
}
BENCHMARK(BM_ApparentPlaceOfAnInstant);

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

// What the object-information window computes for a night: a star's, the
// Moon's events (the slowest body to place), and the night's twilight with
// its dark window.
const ObservingPlace kBudapest{-1, 47.5, 19.04, 1.0, 0, ""};
constexpr double kEveningJd = 2461120.3333;  // 2026-03-20 20:00 UT

void BM_StarEventsOfANight(benchmark::State& state) {
  const EventSpan night = nightOrDayOf(kEveningJd, kBudapest);
  for (auto _ : state) benchmark::DoNotOptimize(bodyEvents(fixedObject(1.7678, -0.2917, kEveningJd), kBudapest, night));
}
BENCHMARK(BM_StarEventsOfANight)->Unit(benchmark::kMillisecond);

void BM_MoonEventsOfANight(benchmark::State& state) {
  const EventSpan night = nightOrDayOf(kEveningJd, kBudapest);
  for (auto _ : state) benchmark::DoNotOptimize(bodyEvents(solarSystemBody(kMoon, kEveningJd), kBudapest, night));
}
BENCHMARK(BM_MoonEventsOfANight)->Unit(benchmark::kMillisecond);

void BM_TwilightOfANight(benchmark::State& state) {
  const EventSpan night = nightOf(kEveningJd, kBudapest);
  for (auto _ : state) benchmark::DoNotOptimize(twilightOf(night, kBudapest));
}
BENCHMARK(BM_TwilightOfANight)->Unit(benchmark::kMillisecond);

}  // namespace
