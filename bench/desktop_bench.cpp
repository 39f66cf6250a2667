// The desktop program with the built data at 1920x1080: a key press to the
// finished repaint, against the chart pass alone, and the start-up to the
// first painted chart.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include <chrono>
#include <filesystem>

#include "app/app_model.h"
#include "app/configuration.h"
#include "app/startup.h"
#include "app/ui_resources.h"
#include "ui/chart_window.h"
#include "ui/main_window.h"
#include "ui/qt_canvas.h"

namespace {

using namespace celvaro;

const std::string kProgramDir = CELVARO_RUN_DIR;

bool haveData(benchmark::State& state) {
  if (std::filesystem::exists(kProgramDir + "/data/.built")) return true;
  state.SkipWithError("build the catalog data first");
  return false;
}

// Everything the program does from its start to the first painted chart.
struct Desktop {
  UiResources resources;
  std::unique_ptr<AppModel> model;
  std::unique_ptr<MainWindow> window;
  Desktop() {
    resources.setProgramDir(kProgramDir);
    resources.loadLanguage(kEnglish);
    model = std::make_unique<AppModel>(kProgramDir, configurationPath("/nonexistent"), resources);
    runDataLoad(*model);
    window = std::make_unique<MainWindow>(resources, *model);
    window->resize(1920, 1080 + 120);  // the chart itself about 1920x1080
    window->show();
    QApplication::processEvents();
  }
};

void BM_StartUpToFirstChart(benchmark::State& state) {
  if (!haveData(state)) return;
  for (auto _ : state) {
    Desktop desktop;
    benchmark::DoNotOptimize(desktop.window->chartWindow().image().bits());
  }
}
BENCHMARK(BM_StartUpToFirstChart)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_KeyPressToRepaint(benchmark::State& state) {
  if (!haveData(state)) return;
  Desktop desktop;
  ChartWindow& chart = desktop.window->chartWindow();
  state.counters["width"] = chart.width();
  state.counters["height"] = chart.height();
  const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right};
  int i = 0;
  for (auto _ : state) QTest::keyClick(&chart, keys[i++ % 2]);
}
BENCHMARK(BM_KeyPressToRepaint)->Unit(benchmark::kMillisecond);

void BM_ChartPassAlone(benchmark::State& state) {
  if (!haveData(state)) return;
  Desktop desktop;
  ChartWindow& chart = desktop.window->chartWindow();
  QImage image(chart.size(), QImage::Format_RGB32);
  for (auto _ : state) {
    QtCanvas canvas(image);
    desktop.model->paintChart(canvas);
  }
}
BENCHMARK(BM_ChartPassAlone)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
