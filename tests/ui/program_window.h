// The main window over a model whose program directory is a scratch
// directory; a test writes the data it needs there before opening it.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

#include "app/app_model.h"
#include "app/startup.h"
#include "app/ui_resources.h"
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
