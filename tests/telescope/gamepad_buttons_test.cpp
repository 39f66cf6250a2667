// What the gamepad's buttons do: slewing while a direction key is held,
// panning in map mode, and every move it started stopped.
#include "telescope/gamepad_buttons.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "telescope/telescope_control_interface.h"

namespace celvaro {
namespace {

// Everything done, as text in order.
class Recorder : public iTelescopeControl, public iGamepadPanel {
 public:
  // iGamepadPanel
  bool highSpeedSelected() const override { return high; }
  int speedRate(bool highSpeed) const override { return highSpeed ? 4 : 1; }
  void selectSpeed(bool highSpeed) override { did("speed " + std::string(highSpeed ? "high" : "low")); }
  void stepSpeedRate(bool highSpeed, int delta) override {
    did("step " + std::string(highSpeed ? "high " : "low ") + std::to_string(delta));
  }
  void zoomChart(bool in) override { did(in ? "zoom in" : "zoom out"); }
  void panChart(int direction) override { did("pan " + std::to_string(direction)); }
  void setMapMode(bool mapMode) override {
    did(mapMode ? "map mode" : "telescope mode");
    if (settings) settings->mapMode = mapMode;
  }
  iTelescopeControl* link() override { return this; }
  // iTelescopeControl
  void moveFast(int d, int rate) override { did("fast " + std::to_string(d) + " " + std::to_string(rate)); }
  void moveSlow(int d, int rate) override { did("slow " + std::to_string(d) + " " + std::to_string(rate)); }
  void stopMove(int d) override { did("stop " + std::to_string(d)); }
  void heartBeat() override {}
  void connect(int, int) override {}
  void disconnect() override {}
  void reinitialise() override {}
  void moveAtRate(int, int) override {}
  void readPosition() override {}
  void setReferencePoint(double, double, double, double, int) override {}
  void deleteReferencePoint(int) override {}
  void setEastWestSwap(int) override {}
  void gotoPosition(double, double) override {}
  void setTracking(int) override {}
  void gotoPark() override {}
  void setPark() override {}
  void startSpiralSearch(int, int, int) override { did("spiral"); }
  void startDslrSeries(int, int, int) override {}
  void stopDslrSeries() override {}
  void command21(int, int) override {}
  void guideMove(int) override {}
  void command23(int) override {}
  void openGuiderPort(int) override {}
  void closeGuiderPort() override {}

  void did(const std::string& what) { done.push_back(what); }
  bool high = false;
  std::vector<std::string> done;
  GamepadSettings* settings = nullptr;  // the mode switches change it when set
};

using Done = std::vector<std::string>;

class GamepadButtonsTest : public ::testing::Test {
 protected:
  // Button n carries function n + 1 for n 0..11: Left .. Map mode.
  GamepadButtonsTest() {
    for (int b = 0; b < GamepadSettings::kButtonCount; ++b) settings.buttons[b] = b + 1;
  }
  // What the panel was asked to do on this state of the gamepad.
  Done after(const GamepadState& state) {
    panel.done.clear();
    buttons.update(state);
    return panel.done;
  }
  GamepadSettings settings;
  Recorder panel;
  GamepadButtons buttons{settings, panel};
};

TEST_F(GamepadButtonsTest, ButtonsChangingTogetherAreTakenLowestFirst) {
  EXPECT_EQ(after({0b1011}), (Done{"slow 3 1", "slow 2 1", "slow 1 1"}));  // Left, Right, Down
  // Three released, Up pressed; then Up released, Right pressed at high speed.
  EXPECT_EQ(after({0b0100}), (Done{"stop 3", "stop 2", "slow 0 1", "stop 1"}));
  panel.high = true;
  EXPECT_EQ(after({0b0010}), (Done{"fast 2 4", "stop 0"}));
}

// A move the gamepad started ends however the key goes: released after a
// switch to map mode, or the gamepad gone (every move it started stops,
// and only those). A D-pad on axes slews like the direction keys.
TEST_F(GamepadButtonsTest, EveryMoveItStartedIsStopped) {
  settings.buttons[11] = kPadMapMode;
  panel.settings = &settings;
  buttons.update({1u << 2});               // Up
  buttons.update({1u << 2 | 1u << 11});    // map mode while Up is held
  buttons.update({1u << 11});
  buttons.update({0});
  EXPECT_EQ(panel.done, (Done{"slow 0 1", "map mode", "stop 0", "map mode"}));
  panel.done.clear();
  settings.mapMode = 0;
  buttons.update({1u << 0, Gamepad::kDpadDown});  // Left, and down on the D-pad
  settings.mapMode = 1;
  buttons.update({1u << 0 | 1u << 1, Gamepad::kDpadDown});  // Right pans
  buttons.releaseAll();
  buttons.releaseAll();
  EXPECT_EQ(panel.done, (Done{"slow 3 1", "slow 1 1", "pan 2", "stop 1", "stop 3"}));
  after({1u << 1, Gamepad::kDpadLeft});  // after a release all, held keys count as new
  buttons.update({1u << 1});
  EXPECT_EQ(panel.done, (Done{"pan 2", "pan 3"}));
}

}  // namespace
}  // namespace celvaro
