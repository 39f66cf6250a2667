// The solar system for one instant: every major body (positions, sizes,
// magnitudes and the Moon's phase and limb), positions of a long list of
// 100,000 asteroids, reading that list, and a 200-day planet track.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "element_line_writers.h"
#include "solarsystem/minor_planet_list.h"
#include "solarsystem/solar_system.h"

namespace {

using namespace celvaro;

constexpr int kAsteroids = 100000;
const ChartDate kInstant{2026, 12, 6, 20, 0, 0.0};

void BM_MajorBodiesForOneInstant(benchmark::State& state) {
  SolarSystem solar;
  int minute = 0;
  for (auto _ : state) {
    solar.update({2026, 12, 6, 20, ++minute % 60, 0.0});  // a new instant each time
    benchmark::DoNotOptimize(solar.bodyPosition(kMoon));
  }
}
BENCHMARK(BM_MajorBodiesForOneInstant)->Unit(benchmark::kMillisecond);

// Main-belt orbits spread over every angle, written as MPCORB lines.
std::string longListFile() {
  const std::string path = (std::filesystem::temp_directory_path() / "celvaro-bench-mpcorb.dat").string();
  std::ofstream out(path, std::ios::trunc);
  out << "SYNTHETIC LIST\n--------------\n";
  for (int k = 1; k <= kAsteroids; ++k) {
    AsteroidLine a;
    a.number = k;
    a.h = 12 + (k % 50) * 0.1, a.g = 0.15;
    a.epochJd = 2459800.5;
    a.a = 2.1 + (k % 1000) * 0.0013;
    a.nDegPerDay = 0.9856076686 / (a.a * std::sqrt(a.a));
    a.e = (k % 300) * 0.001, a.iDeg = (k % 250) * 0.1;
    a.meanAnomalyDeg = (k * 7) % 360, a.wDeg = (k * 13) % 360, a.nodeDeg = (k * 17) % 360;
    out << mpcorbLine(a) << "\n";
  }
  return path;
}

const std::string& longList() {
  static const std::string path = longListFile();
  return path;
}

void BM_ReadLongList(benchmark::State& state) {
  for (auto _ : state) {
    MinorPlanetList list(MinorPlanetList::kLongCapacity, longList());
    list.load();
    benchmark::DoNotOptimize(list.count());
  }
}
BENCHMARK(BM_ReadLongList)->Unit(benchmark::kMillisecond);

void BM_PositionsOf100000Asteroids(benchmark::State& state) {
  MinorPlanetList list(MinorPlanetList::kLongCapacity, longList());
  list.load();
  double jd = 2461380.5;
  StarPosition position;
  for (auto _ : state) {
    list.placeAt(MinorBodyEphemeris(jd += 1));
    list.position(0, position);  // the first read computes every position
  }
  state.counters["asteroids"] = list.count();
}
BENCHMARK(BM_PositionsOf100000Asteroids)->Unit(benchmark::kMillisecond);

void BM_MarsTrackOf200Days(benchmark::State& state) {
  SolarSystem solar;
  PlanetTrackSettings settings;
  settings.bodies[kMars] = 1;
  for (auto _ : state) {
    solar.computeTracks(kInstant, settings);
    benchmark::DoNotOptimize(solar.trackPoints(kMars).size());
  }
}
BENCHMARK(BM_MarsTrackOf200Days)->Unit(benchmark::kMillisecond);

}  // namespace
