// Stand-ins for the windows and dialogs that the application model talks to.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <mutex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/app_model.h"
#include "output/recording_canvas.h"
#include "telescope/telescope_control_interface.h"
#include "test_files.h"

namespace celvaro::testing {

// Keeps posted user messages until the test plays the user-interface thread.
class FakeMainWindow : public iMainWindowCallback {
 public:
  void postUserMessage(int code, uint32_t parameter) override {
    std::lock_guard guard(lock);
    posted.emplace_back(code, parameter);
  }
  // Delivers every queued message, as the event loop would.
  void deliverAll(AppModel& model) {
    for (;;) {
      std::pair<int, uint32_t> message;
      {
        std::lock_guard guard(lock);
        if (posted.empty()) return;
        message = posted.front();
        posted.pop_front();
      }
      model.handOver.onUserMessage(message.first, message.second);
    }
  }
  void setStatusText(const std::string&) override {}
  void showField(int) override {}
  void showStarLimit(int) override {}
  void showDeepskyLevel(int) override {}
  void showDates(const ChartDate& local, const ChartDate& universal) override {
    datesShown.emplace_back(local, universal);
  }
  void editObservingPlace() override {}
  void showObjectInfo() override {}
  void refresh() override {}
  void refreshStatus() override {}
  void updateTelescopePanel() override {}

  std::mutex lock;
  std::deque<std::pair<int, uint32_t>> posted;
  std::vector<std::pair<ChartDate, ChartDate>> datesShown;
};

class FakeChartView : public iChartView {
 public:
  void repaintNow() override {}
  // What is drawn over the picture without a repaint is written down.
  void drawOnChart(const std::function<void(Canvas&)>& draw) override { draw(picture); }
  RecordingCanvas picture;
};

class FakeControlPanel : public TelescopeControlDlgCallback {
 public:
  void showLinkStatus(int code) override {
    statuses.push_back(code);
    order.push_back("status " + std::to_string(code));
  }
  void showMountPosition(double ra, double dec, int32_t a, int32_t b) override {
    positions.push_back({ra, dec, a, b});
    order.push_back("position " + std::to_string(a));
  }
  void observingPlaceChanged() override { ++placeChanges; }
  void showSpiralSearchOffset(int, int) override {}
  void showMountMessage(const std::string& text) override { order.push_back("message " + text); }
  void showTarget(double, double) override { order.push_back("target"); }

  struct Position { double ra, dec; int32_t rawA, rawB; };
  std::vector<int> statuses;
  std::vector<Position> positions;
  std::vector<std::string> order;  // statuses, positions and messages as they came
  int placeChanges = 0;
};

class FakeDslrDialog : public TelescopeDslrExpDlgListener {
 public:
  void showSeriesStatus(int s, int f, int e, int p) override { states.push_back({s, f, e, p}); }
  std::vector<std::array<int, 4>> states;
};

class FakeAutoguiderMonitor : public AutoguiderMonitorDlgListener {
 public:
  void showGuiderPortState(int code) override { portStates.push_back(code); }
  void addMovementSample(int dx, int dy) override { samples.emplace_back(dx, dy); }
  void showCorrectionsSent(bool sent) override { correctionsSent.push_back(sent); }
  std::vector<int> portStates;
  std::vector<bool> correctionsSent;
  std::vector<std::pair<int, int>> samples;
};

// Every request to the telescope link as one line of text.
class RecordingLink : public iTelescopeControl {
 public:
  std::vector<std::string> calls;

  void heartBeat() override {}
  void connect(int type, int port) override { record("connect", type, port); }
  void disconnect() override { record("disconnect"); }
  void reinitialise() override { record("reinitialise"); }
  void moveFast(int direction, int rate) override { record("moveFast", direction, rate); }
  void moveSlow(int direction, int rate) override { record("moveSlow", direction, rate); }
  void moveAtRate(int direction, int rate16) override { record("moveAtRate", direction, rate16); }
  void stopMove(int direction) override { record("stopMove", direction); }
  void readPosition() override { record("readPosition"); }
  void setReferencePoint(double lat, double lon, double ra, double dec, int index) override {
    record("setReferencePoint", lat, lon, ra, dec, index);
  }
  void deleteReferencePoint(int index) override { record("deleteReferencePoint", index); }
  void setEastWestSwap(int value) override { record("setEastWestSwap", value); }
  void gotoPosition(double ra, double dec) override { record("gotoPosition", ra, dec); }
  void setTracking(int mode) override { record("setTracking", mode); }
  void gotoPark() override { record("gotoPark"); }
  void setPark() override { record("setPark"); }
  void startSpiralSearch(int step, int turns, int speed) override { record("startSpiralSearch", step, turns, speed); }
  void startDslrSeries(int frames, int exposure, int pause) override {
    record("startDslrSeries", frames, exposure, pause);
  }
  void stopDslrSeries() override { record("stopDslrSeries"); }
  void command21(int b, int w) override { record("command21", b, w); }
  void guideMove(int direction) override { record("guideMove", direction); }
  void command23(int b) override { record("command23", b); }
  void openGuiderPort(int port) override { record("openGuiderPort", port); }
  void closeGuiderPort() override { record("closeGuiderPort"); }
  void setObservingPlace(const ObservingPlace& place) override {
    record("setObservingPlace", place.latitudeDeg, place.longitudeDeg);
  }

 private:
  template <typename... Args>
  void record(const char* name, Args... args) {
    std::ostringstream line;
    line << name;
    ((line << ' ' << args), ...);
    calls.push_back(line.str());
  }
};

// The model over a scratch program directory, its windows and panels fakes.
class ModelWithFakeWindows : public ::testing::Test {
 protected:
  ModelWithFakeWindows() : model(dir.path().string(), dir.file("celvaro.cfg"), resources) {
    resources.setProgramDir(dir.path().string());
    model.setWindows(&mainWindow, &chartView);
    model.handOver.dialogListeners.controlPanel = &panel;
    model.handOver.dialogListeners.dslrExposure = &dslr;
    model.handOver.dialogListeners.autoguiderMonitor = &guider;
  }

  ScratchDir dir;
  UiResources resources;
  AppModel model;
  FakeMainWindow mainWindow;
  FakeChartView chartView;
  FakeControlPanel panel;
  FakeDslrDialog dslr;
  FakeAutoguiderMonitor guider;
};

}  // namespace celvaro::testing
