// projectMany over a million random sky points, every projection, both frames.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <random>
#include <vector>

#include "model/chart_settings.h"
#include "output/output_area.h"
#include "projection/transformer.h"

namespace {

using namespace celvaro;

constexpr int kPoints = 1000000;

struct Points {
  std::vector<double> ra, dec;
  Points() : ra(kPoints), dec(kPoints) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> r(0, 6.283185307179586), d(-1.5707, 1.5707);
    for (int i = 0; i < kPoints; ++i) {
      ra[i] = r(random);
      dec[i] = d(random);
    }
  }
};

// The projection of the benchmark's arguments (id, horizontal frame), set up
// for a 60-degree chart.
std::unique_ptr<iTransformer> transformerFor(const benchmark::State& state) {
  auto transformer = createTransformer(static_cast<uint32_t>(state.range(0)));
  ChartSettings settings;
  settings.centreRaArcmin = 5000;
  settings.centreDecArcmin = 1200;
  settings.horizontalMode = static_cast<uint8_t>(state.range(1));
  settings.centreAltArcmin = 2400;
  settings.centreAzArcmin = 3000;
  OutputArea area;
  area.width = 1920;
  area.height = 1080;
  transformer->setScale(540, 1800);
  transformer->setup(area, settings);
  return transformer;
}

void BM_ProjectMany(benchmark::State& state) {
  static const Points points;
  auto transformer = transformerFor(state);
  std::vector<int32_t> x(kPoints), y(kPoints);
  std::vector<double> depth(kPoints);
  for (auto _ : state) {
    transformer->projectMany(points.ra.data(), points.dec.data(), 0, kPoints, x.data(), y.data(), depth.data());
    benchmark::DoNotOptimize(depth.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_ProjectMany)
    ->ArgNames({"projection", "horizontal"})
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// The same through cached unit vectors and the frame rotation.
void BM_ProjectManyVectors(benchmark::State& state) {
  static const Points points;
  static const auto vectors = [] {
    std::vector<double> x(kPoints), y(kPoints), z(kPoints);
    for (int i = 0; i < kPoints; ++i) {
      UnitVector u = unitVector(points.ra[i], points.dec[i]);
      x[i] = u.x, y[i] = u.y, z[i] = u.z;
    }
    return std::array{x, y, z};
  }();
  auto transformer = transformerFor(state);
  std::vector<int32_t> x(kPoints), y(kPoints);
  std::vector<double> depth(kPoints);
  for (auto _ : state) {
    transformer->projectManyVectors(vectors[0].data(), vectors[1].data(), vectors[2].data(), 0,
                                    kPoints, x.data(), y.data(), depth.data());
    benchmark::DoNotOptimize(depth.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_ProjectManyVectors)
    ->ArgNames({"projection", "horizontal"})
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
