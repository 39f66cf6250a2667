// The deep-sky, double-star and variable-star layers of the built catalogs
// drawn together onto the screen output of a 1920x1080 chart, at a 60 and
// a 2 degree field with the limits those fields bring.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <filesystem>

#include "catalog/sky_catalogs.h"
#include "model/chart_settings.h"
#include "output/color_table.h"
#include "output/hit_list.h"
#include "output/output_area.h"
#include "output/render_options.h"
#include "output/rendering_output_display.h"
#include "projection/transformer.h"
#include "render/deepsky_layer.h"
#include "render/magnitude_limits.h"
#include "ui/qt_canvas.h"

namespace {

using namespace celvaro;

void BM_DeepskyDoubleAndVariableLayers(benchmark::State& state) {
  if (!std::filesystem::exists(std::string(CELVARO_RUN_DIR) + "/data/.built")) {
    state.SkipWithError("build the catalog data first (./test or celvaro-catalogs)");
    return;
  }
  SkyCatalogs catalogs(CELVARO_RUN_DIR);
  catalogs.loadDeepsky();
  catalogs.loadDoubleStars();
  catalogs.loadVariableStars();
  ChartSettings settings;
  settings.fieldArcmin = static_cast<int>(state.range(0));
  settings.centreRaArcmin = 11262;  // M 87 in the Virgo cluster: the densest field of galaxies
  settings.centreDecArcmin = 744;
  computeMagnitudeLimits(settings);
  OutputArea area;
  area.width = 1920;
  area.height = 1080;
  auto transformer = createTransformer(kProjectionEqualArea);
  transformer->setScale(540, settings.fieldArcmin / 2);
  transformer->setup(area, settings);
  QImage image(1920, 1080, QImage::Format_RGB32);
  ColorTable colors;
  HitList hits;
  RenderingOutputDisplay output(colors);
  output.loadStarSizes(settings.starLimitHundredths, 9, 1);
  RenderOptions options;
  QtCanvas canvas(image);
  output.setCanvas(&canvas);
  output.setHitList(&hits);
  for (auto _ : state) {
    hits.clearHits();
    output.begin("", {}, area);
    DeepskyLayer(*catalogs.deepsky(), output, *transformer, area, settings, options, transformer->visibilityLimit(), 2)
        .draw();
    catalogs.doubleStars()->draw(output, area, *transformer, settings, options.labelOffsetX, options.doubleStarLabelDy);
    catalogs.variableStars()->draw(output, options, area, *transformer, settings);
    output.end();
  }
  output.setCanvas(nullptr);
  state.counters["deepsky_level"] = settings.deepskyLevel;
  state.counters["deepsky_drawn"] = hits.deepskyCount();
}
BENCHMARK(BM_DeepskyDoubleAndVariableLayers)->Arg(3600)->Arg(120)->Unit(benchmark::kMillisecond);

}  // namespace

// Labels are drawn with the application's fonts.
int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
