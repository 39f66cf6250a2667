// What the user-interface tests share: the widgets and headers they use,
// the main window over a scratch or the built program directory, and
// celvaro-chart run as a user runs it.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <numbers>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "app/app_model.h"
#include "app/configuration.h"
#include "app/startup.h"
#include "app/ui_resources.h"
#include "catalog_writers.h"
#include "output/document_checks.h"
#include "program_run.h"
#include "projection/transformer.h"
#include "sky_separation.h"
#include "test_files.h"
#include "ui/chart_command.h"
#include "ui/chart_window.h"
#include "ui/dialog_driving.h"
#include "ui/main_window.h"
#include "ui/qt_canvas.h"
#include "ui/status_parts.h"

namespace celvaro::testing {

constexpr double kRad = std::numbers::pi / 180;  // radians in a degree

// A star catalog of one star, HIP 1 of magnitude 1.00, at right ascension
// and declination 0 (the centre of a new chart), in a program directory.
inline void writeOneStarCatalog(const ScratchDir& dir) {
  std::filesystem::create_directories(dir.path() / "data");
  writeBytes(dir.file("data/stars_hip.dat"), starCatalogBytes(zonedStarCatalog({{1, 100, 0.0, 0.0, 0}}, {200})));
}

// The main window over a model whose program directory is a scratch
// directory (a test writes the data it needs there before loading) or the
// built one; the settings file is always the scratch directory's.
class ProgramWindow : public ::testing::Test {
 protected:
  // The model with the catalogs found in `programDir`, the scratch
  // directory when empty; whether it found a star catalog.
  bool load(std::string programDir = "") {
    if (programDir.empty()) programDir = dir.path().string();
    resources.setProgramDir(programDir);
    model = std::make_unique<AppModel>(programDir, dir.file("celvaro.cfg"), resources);
    const bool loaded = loadChartData(*model);
    model->displaySwitches.fill(1);  // as the data load sets them: objects are recorded for picking
    return loaded;
  }
  void open(int width = 800, int height = 600) {
    if (!model) load();
    window = std::make_unique<MainWindow>(resources, *model);
    window->resize(width, height);
    window->show();
    QApplication::processEvents();
  }
  ChartWindow& chart() { return window->chartWindow(); }
  // Chooses a command of the chart's context menu opened at a point:
  // whether the menu offered it enabled.
  bool contextCommand(QPoint at, int command) {
    bool enabled = false;
    QTimer::singleShot(0, [&enabled, command] {
      QWidget* menu = QApplication::activePopupWidget();
      ASSERT_NE(menu, nullptr);
      QAction* entry = menu->findChild<QAction*>(QStringLiteral("cmd%1").arg(command));
      enabled = entry && entry->isEnabled();
      if (enabled) entry->trigger();
      menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, chart().mapToGlobal(at));
    QApplication::sendEvent(&chart(), &event);
    return enabled;
  }
  QPoint centre() { return QPoint(chart().width() / 2, chart().height() / 2); }
  std::string statusText(int part = 0) { return window->statusParts().part(part).toStdString(); }

  ScratchDir dir;
  UiResources resources;
  std::unique_ptr<AppModel> model;
  std::unique_ptr<MainWindow> window;
};

// A test over the built data; skipped where they have not been built.
class BuiltData : public ::testing::Test {
 protected:
  void SetUp() override { CELVARO_SKIP_WITHOUT_BUILT_DATA(); }
};

// The program over the built data, in English; skipped where they have not been built.
class BuiltProgramWindow : public ProgramWindow {
 protected:
  void SetUp() override {
    CELVARO_SKIP_WITHOUT_BUILT_DATA();
    ASSERT_TRUE(load(CELVARO_RUN_DIR));
    resources.loadLanguage(kEnglish);
  }
};

// A dialog's test: the built-in texts and the chart settings it edits.
class DialogTest : public ::testing::Test {
 protected:
  UiResources resources;
  ChartSettings chart;
};

using ChartRun = ProgramRun;

// celvaro-chart of the built program directory with `args`.
inline ChartRun runChartProgram(const std::vector<std::string>& args) {
  std::vector<std::string> words{CELVARO_RUN_DIR "/celvaro-chart", "--program-dir", CELVARO_RUN_DIR};
  words.insert(words.end(), args.begin(), args.end());
  return runProgram(words, ScratchDir());
}

// The text pdftotext reads from a PDF, of one page or (0) of all.
inline std::string pdfText(const std::string& pdf, int page = 0) {
  const std::string pages = page ? "-f " + std::to_string(page) + " -l " + std::to_string(page) + " " : "";
  return runCommand("pdftotext -enc UTF-8 " + pages + "'" + pdf + "' -").output;
}

// The 60-degree chart of Orion of 15 January 2024 at 20:00 UT, 1200 by
// 900 pixels, from the built program directory.
inline ChartRequest orionRequest() {
  ChartRequest request;
  request.programDir = CELVARO_RUN_DIR;
  request.utc = ChartDate{2024, 1, 15, 20, 0, 0.0};
  request.raHours = 5.6;
  request.decDeg = 3;
  request.fieldArcmin = 3600;
  request.width = 1200;
  request.height = 900;
  return request;
}

// The chart of a request (Orion's unless a test changes it) over the built
// data as celvaro-chart prepares and draws it; skipped without the data.
class OrionChart : public ::testing::Test {
 protected:
  void SetUp() override {
    CELVARO_SKIP_WITHOUT_BUILT_DATA();
    resources.setProgramDir(CELVARO_RUN_DIR);
  }
  // A fresh model prepared for the request; its settings from `configDir`.
  AppModel& prepare(const std::string& configDir = "/nonexistent") {
    model = std::make_unique<AppModel>(CELVARO_RUN_DIR, configurationPath(configDir), resources);
    prepareChartModel(*model, request);
    return *model;
  }
  QImage paint() {
    QImage image(request.width, request.height, QImage::Format_RGB32);
    image.setDevicePixelRatio(request.scale);
    QtCanvas canvas(image);
    model->paintChart(canvas);
    return image;
  }
  // The picture pixel of a J2000 place.
  QPoint where(double raDeg, double decDeg) {
    ProjectedPoint p;
    model->projection().project(raDeg * kRad, decDeg * kRad, p);
    const double s = request.scale;
    return {static_cast<int>((chartPixels(request.width, s) / 2 + p.x) * s),
            static_cast<int>((chartPixels(request.height, s) / 2 - p.y) * s)};
  }

  UiResources resources;
  ChartRequest request = orionRequest();
  std::unique_ptr<AppModel> model;
};

// One event record of the joystick device.
inline js_event padRecord(uint8_t type, uint8_t number, int16_t value) { return {0, value, type, number}; }

}  // namespace celvaro::testing
