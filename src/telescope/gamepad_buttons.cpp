#include "telescope/gamepad_buttons.h"

#include "telescope/telescope_control_interface.h"

namespace celvaro {
namespace {

// Function 14 selects map mode; its label is the one the lists always showed.
constexpr const char* kLabels[kPadFunctionCount] = {
    "Nothing",     "Left",        "Right",          "Up",           "Down",          "High Speed",
    "Low Speed",   "High Speed +", "High Speed -",  "Low Speed +",  "Low Speed -",   "Zoom in",
    "Zoom out",    "Telescope mode", "Map mode", "Start spiral search", "Stop spiral search"};

constexpr int kDirections[] = {-1, 3, 2, 0, 1};
constexpr int kButtonBits = 32;
constexpr int kDirectionCount = 4;
// The D-pad's bits by telescope direction: up, down, right, left.
constexpr uint8_t kDpadBits[kDirectionCount] = {Gamepad::kDpadUp, Gamepad::kDpadDown, Gamepad::kDpadRight,
                                                Gamepad::kDpadLeft};

}  // namespace

const char* gamepadFunctionLabel(int function) {
  return function >= 0 && function < kPadFunctionCount ? kLabels[function] : "";
}

int gamepadDirection(int function) { return function >= kPadLeft && function <= kPadDown ? kDirections[function] : -1; }

bool gamepadSliderFunction(int function) { return function >= kPadHighSpeedUp && function <= kPadLowSpeedDown; }

void GamepadButtons::update(const GamepadState& state) {
  const uint32_t changed = state.buttons ^ previous_.buttons;
  for (int bit = 0; bit < kButtonBits; ++bit) {
    if (changed & (1u << bit)) handle(bit, (state.buttons >> bit) & 1);
  }
  for (int d = 0; d < kDirectionCount; ++d) {
    if ((state.dpad ^ previous_.dpad) & kDpadBits[d]) direction(d, state.dpad & kDpadBits[d]);
  }
  previous_ = state;
}

void GamepadButtons::releaseAll() {
  for (int d = 0; d < kDirectionCount; ++d) {
    if (moving_ & (1u << d)) stop(d);
  }
  previous_ = {};
}

void GamepadButtons::handle(int button, bool pressed) {
  if (button < 0 || button >= GamepadSettings::kButtonCount) return;
  const int function = settings_.buttons[button];
  if (const int d = gamepadDirection(function); d >= 0) {
    direction(d, pressed);
  } else if (function == kPadTelescopeMode || function == kPadMapMode) {
    panel_.setMapMode(function == kPadMapMode);
  } else if (!pressed) {
    return;
  } else if (function == kPadHighSpeed || function == kPadLowSpeed) {
    speedKey(function);
  } else if (gamepadSliderFunction(function)) {
    sliderKey(function);
  } else if (function == kPadZoomIn || function == kPadZoomOut) {
    panel_.zoomChart(function == kPadZoomIn);
  }
}

// In map mode a press pans the chart; in telescope mode the mount moves
// while the key is held. A release stops the move the press started, even
// when the mode changed in between.
void GamepadButtons::direction(int direction, bool pressed) {
  if (!pressed) {
    if (moving_ & (1u << direction)) stop(direction);
    return;
  }
  if (settings_.mapMode) {
    panel_.panChart(direction);
    return;
  }
  iTelescopeControl* link = panel_.link();
  if (!link) return;
  if (panel_.highSpeedSelected()) link->moveFast(direction, panel_.speedRate(true));
  else link->moveSlow(direction, panel_.speedRate(false));
  moving_ |= 1u << direction;
}

void GamepadButtons::stop(int direction) {
  moving_ &= ~(1u << direction);
  if (iTelescopeControl* link = panel_.link()) link->stopMove(direction);
}

// In map mode the speed keys zoom: high speed out, low speed in.
void GamepadButtons::speedKey(int function) {
  const bool high = function == kPadHighSpeed;
  if (settings_.mapMode) panel_.zoomChart(!high);
  else panel_.selectSpeed(high);
}

// The sliders belong to the telescope: map mode leaves them alone.
void GamepadButtons::sliderKey(int function) {
  if (settings_.mapMode) return;
  const bool high = function == kPadHighSpeedUp || function == kPadHighSpeedDown;
  panel_.stepSpeedRate(high, function == kPadHighSpeedUp || function == kPadLowSpeedUp ? 1 : -1);
  panel_.selectSpeed(high);
}

}  // namespace celvaro
