// What the gamepad's buttons do in the telescope panel: each of the twelve
// buttons is assigned a function; in telescope mode the direction keys slew
// the mount while held, in map mode they pan the chart. A D-pad on axes
// acts as the four direction keys.
#pragma once

#include <cstdint>

#include "platform/gamepad.h"
#include "telescope/settings_records.h"

namespace celvaro {

class iTelescopeControl;

enum GamepadFunction : int {
  kPadNothing = 0,
  kPadLeft = 1,
  kPadRight = 2,
  kPadUp = 3,
  kPadDown = 4,
  kPadHighSpeed = 5,
  kPadLowSpeed = 6,
  kPadHighSpeedUp = 7,
  kPadHighSpeedDown = 8,
  kPadLowSpeedUp = 9,
  kPadLowSpeedDown = 10,
  kPadZoomIn = 11,
  kPadZoomOut = 12,
  kPadTelescopeMode = 13,
  kPadMapMode = 14,
  kPadStartSpiral = 15,
  kPadStopSpiral = 16,
  kPadFunctionCount = 17,
};

// The label of a function as the assignment lists show it ("" outside 0..16).
const char* gamepadFunctionLabel(int function);
// The telescope direction of a direction key (0 up, 1 down, 2 right,
// 3 left), -1 for other functions.
int gamepadDirection(int function);
// Whether a function moves a speed slider.
bool gamepadSliderFunction(int function);

// The panel the buttons act on.
class iGamepadPanel {
 public:
  virtual ~iGamepadPanel() = default;
  virtual bool highSpeedSelected() const = 0;
  // The slider position of the high or the low speed.
  virtual int speedRate(bool high) const = 0;
  virtual void selectSpeed(bool high) = 0;
  virtual void stepSpeedRate(bool high, int delta) = 0;
  virtual void zoomChart(bool in) = 0;
  // Pans the chart one step in a telescope direction.
  virtual void panChart(int direction) = 0;
  virtual void setMapMode(bool mapMode) = 0;
  // The link to slew with; null without one.
  virtual iTelescopeControl* link() = 0;
};

class GamepadButtons {
 public:
  GamepadButtons(const GamepadSettings& settings, iGamepadPanel& panel) : settings_(settings), panel_(panel) {}

  // What a poll found held: every button that changed since the last poll
  // is handled, the lowest first, then the D-pad's directions.
  void update(const GamepadState& state);
  // One button pressed or released; buttons from 12 on have no function.
  void handle(int button, bool pressed);
  // The gamepad went away or no longer drives this panel: every move it
  // started is stopped, and what it held is forgotten.
  void releaseAll();

 private:
  void direction(int direction, bool pressed);
  void stop(int direction);
  void speedKey(int function);
  void sliderKey(int function);

  const GamepadSettings& settings_;
  iGamepadPanel& panel_;
  GamepadState previous_;
  uint8_t moving_ = 0;  // bit d: the gamepad moves the mount in direction d
};

}  // namespace celvaro
