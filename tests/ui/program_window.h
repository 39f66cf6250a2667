// The main window over a model whose program directory is a scratch
// directory; a test writes the data it needs there before opening it.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>

#include <filesystem>
#include <memory>

#include "app/app_model.h"
#include "app/startup.h"
#include "app/ui_resources.h"
#include "catalog_writers.h"
#include "test_files.h"
#include "ui/main_window.h"

namespace celvaro::testing {

class ProgramWindow : public ::testing::Test {
 protected:
  // The model over the scratch directory, with the catalogs found there.
  void load() {
    resources.setProgramDir(dir.path().string());
    model = std::make_unique<AppModel>(dir.path().string(), dir.file("celvaro.cfg"), resources);
    loadChartData(*model);
    model->displaySwitches.fill(1);  // as the data load sets them: objects are recorded for picking
  }
  // A star catalog of one star, HIP 1 of magnitude 1.00, at right
  // ascension and declination 0: the centre of a new chart.
  void writeOneStarCatalog() {
    std::filesystem::create_directories(dir.path() / "data");
    writeBytes(dir.file("data/stars_hip.dat"), starCatalogBytes(zonedStarCatalog({{1, 100, 0.0, 0.0, 0}}, {200})));
  }
  void open() {
    if (!model) load();
    window = std::make_unique<MainWindow>(resources, *model);
    window->resize(800, 600);
    window->show();
    QApplication::processEvents();
  }

  ScratchDir dir;
  UiResources resources;
  std::unique_ptr<AppModel> model;
  std::unique_ptr<MainWindow> window;
};

}  // namespace celvaro::testing
