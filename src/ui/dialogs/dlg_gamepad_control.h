// The gamepad settings (command 607): whether the gamepad is used, and the
// function of each of its twelve buttons. While open it polls the gamepad:
// a held button lights its indicator, and so do the direction or slider
// indicators of its function. A gamepad that goes away switches the
// controls off with a message.
#pragma once

#include <QTimer>

#include <memory>

#include "app/settings_records.h"
#include "platform/gamepad.h"
#include "ui/dialog_framework.h"

namespace celvaro {

class MessageSink;

class DlgGamepadControl final : public FwDialogBase {
 public:
  static constexpr int kEnabled = 100;
  static constexpr int kFirstIndicator = 200, kFirstAssignment = 300;
  // Direction indicators by telescope direction (up, down, right, left),
  // then the four slider functions.
  static constexpr int kFirstDirection = 400, kFirstSlider = 410;
  static constexpr int kPollMs = 100;

  DlgGamepadControl(UiResources& resources, GamepadSettings& settings, const std::string& device,
                    MessageSink& messages);
  int resourceId() const override { return 607; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

  // One poll, as the timer runs it.
  void poll();

 private:
  // A button function's name in the user's language.
  QString functionLabel(int function);
  void buttonChanged(int button, bool pressed);
  void switchOff();

  GamepadSettings& settings_;
  Gamepad gamepad_;
  MessageSink& messages_;
  QTimer* timer_ = nullptr;
  uint32_t previous_ = 0;
  bool answered_ = false;  // a poll has found the gamepad
};

}  // namespace celvaro
