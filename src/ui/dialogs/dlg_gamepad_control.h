// The gamepad settings (command 607): whether the gamepad is used, which
// joystick device it is (every /dev/input/js*), and the function of each
// of its twelve buttons. While open it polls the chosen device: a held
// button lights its indicator, and so do the direction or slider
// indicators of its function; a D-pad on axes lights the directions. A
// gamepad that goes away switches the controls off with a message until
// a device is chosen again.
#pragma once

#include <QTimer>

#include <memory>

#include "platform/gamepad.h"
#include "telescope/settings_records.h"
#include "ui/dialog_framework.h"

namespace celvaro {

class MessageSink;

class DlgGamepadControl final : public FwDialogBase {
 public:
  static constexpr int kEnabled = 100, kDevice = 101;
  static constexpr int kFirstIndicator = 200, kFirstAssignment = 300;
  // Direction indicators by telescope direction (up, down, right, left),
  // then the four slider functions.
  static constexpr int kFirstDirection = 400, kFirstSlider = 410;
  static constexpr int kPollMs = 100;

  // The devices offered are the joysticks of `inputDirectory`, and the
  // stored one.
  DlgGamepadControl(UiResources& resources, GamepadSettings& settings, MessageSink& messages,
                    std::string inputDirectory = "/dev/input");
  int resourceId() const override { return 607; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

  // One poll, as the timer runs it.
  void poll();

 private:
  // A button function's name in the user's language.
  QString functionLabel(int function);
  void fillDevices();
  void chooseDevice();
  void buttonChanged(int button, bool pressed);
  void showDirections(const GamepadState& state);
  void switchControls(bool on);
  void switchOff();

  GamepadSettings& settings_;
  MessageSink& messages_;
  const std::string inputDirectory_;
  std::unique_ptr<Gamepad> gamepad_;
  QTimer* timer_ = nullptr;
  GamepadState previous_;
  bool answered_ = false;  // a poll has found the gamepad
};

}  // namespace celvaro
