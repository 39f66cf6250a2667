// The screen output drawing 100,000 stars of 1 to 9 pixels into a
// 1920x1080 chart image, and the hit-list queries of a click.
#include <benchmark/benchmark.h>

#include <QImage>

#include <random>
#include <vector>

#include "output/color_table.h"
#include "output/hit_list.h"
#include "output/rendering_output_display.h"
#include "ui/qt_canvas.h"

namespace {

using namespace celvaro;

struct Star {
  int32_t x, y, diameter;
};

std::vector<Star> randomStars(int count) {
  std::mt19937 random(9);
  std::uniform_int_distribution<int32_t> x(-960, 960), y(-540, 540), d(1, 9);
  std::vector<Star> stars(count);
  for (Star& s : stars) s = {x(random), y(random), d(random)};
  return stars;
}

void BM_DrawStars(benchmark::State& state) {
  const bool coloured = state.range(0) != 0;
  static const std::vector<Star> stars = randomStars(100000);
  QImage image(1920, 1080, QImage::Format_RGB32);
  ColorTable colors;
  HitList hits;
  RenderingOutputDisplay output(colors);
  OutputArea area;
  area.width = 1920;
  area.height = 1080;
  for (auto _ : state) {
    QtCanvas canvas(image);
    output.setCanvas(&canvas);
    output.setHitList(&hits);
    hits.clearHits();
    output.begin("", {}, area);
    output.clear();
    output.selectPen(7);
    output.selectBrush(2);
    int i = 0;
    for (const Star& s : stars) {
      if (coloured) output.drawColouredStarIndexed(i, s.x, s.y, s.diameter, s.diameter / 2, i % 8);
      else output.drawStarIndexed(i, s.x, s.y, s.diameter, s.diameter / 2);
      ++i;
    }
    output.end();
    output.setCanvas(nullptr);
  }
  state.SetItemsProcessed(state.iterations() * stars.size());
}
BENCHMARK(BM_DrawStars)->ArgName("coloured")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PickAmongFullLists(benchmark::State& state) {
  HitList hits;
  std::mt19937 random(3);
  std::uniform_int_distribution<int32_t> x(0, 1919), y(0, 1079);
  for (int i = 0; i < HitList::kStarCapacity; ++i) hits.addStar(i, x(random), y(random));
  for (int i = 0; i < 20000; ++i) hits.addDeepsky(x(random), y(random), 1, i);
  int m = 0;
  for (auto _ : state) {
    m = HitList::kPickRadius;
    benchmark::DoNotOptimize(hits.queryStar(960, 540, m));
    benchmark::DoNotOptimize(hits.queryDeepsky(960, 540, m));
  }
}
BENCHMARK(BM_PickAmongFullLists)->Unit(benchmark::kMicrosecond);

}  // namespace
