#include "ui/dialogs/dlg_gamepad_control.h"

#include "app/text_ids.h"
#include "telescope/gamepad_buttons.h"
#include "ui/message_sink.h"

namespace celvaro {
namespace {

constexpr int kButtonBits = 32;

}  // namespace

DlgGamepadControl::DlgGamepadControl(UiResources& resources, GamepadSettings& settings, const std::string& device,
                                     MessageSink& messages)
    : FwDialogBase(resources), settings_(settings), gamepad_(device), messages_(messages) {}

QString DlgGamepadControl::functionLabel(int function) {
  return text(text_id::kGamepadFunctionFirst + function, gamepadFunctionLabel(function));
}

void DlgGamepadControl::onInitDialog() {
  window()->setWindowTitle(text(14770, "Gamepad"));
  grid()->addWidget(checkBox(kEnabled, text(14771, "Use the gamepad"), settings_.enabled != 0), 0, 0, 1, 2);
  for (int b = 0; b < GamepadSettings::kButtonCount; ++b) {
    QCheckBox* indicator = checkBox(kFirstIndicator + b, QString("%1").arg(b + 1), false);
    indicator->setAttribute(Qt::WA_TransparentForMouseEvents);
    QComboBox* functions = comboBox(kFirstAssignment + b);
    for (int f = 0; f < kPadFunctionCount; ++f) functions->addItem(functionLabel(f));
    functions->setCurrentIndex(settings_.buttons[b] < kPadFunctionCount ? settings_.buttons[b] : kPadNothing);
    grid()->addWidget(indicator, 1 + b, 0);
    grid()->addWidget(functions, 1 + b, 1);
  }
  // The lamps show what the buttons do: the four directions and the speeds.
  constexpr int kLampFunctions[] = {kPadUp,          kPadDown,       kPadRight,        kPadLeft,
                                    kPadHighSpeedUp, kPadHighSpeedDown, kPadLowSpeedUp, kPadLowSpeedDown};
  for (int i = 0; i < 8; ++i) {
    const int id = i < 4 ? kFirstDirection + i : kFirstSlider + i - 4;
    QCheckBox* lamp = checkBox(id, functionLabel(kLampFunctions[i]), false);
    lamp->setAttribute(Qt::WA_TransparentForMouseEvents);
    grid()->addWidget(lamp, 1 + i, 2);
  }
  addOkCancel();
  timer_ = new QTimer(window());
  QObject::connect(timer_, &QTimer::timeout, window(), [this] { poll(); });
  timer_->start(kPollMs);
}

void DlgGamepadControl::onCommand(int id, int code, QWidget* control) {
  if (id == kIdOk) {
    settings_.enabled = isChecked(kEnabled) ? 1 : 0;
    for (int b = 0; b < GamepadSettings::kButtonCount; ++b) {
      settings_.buttons[b] = this->control<QComboBox>(kFirstAssignment + b)->currentIndex();
    }
  }
  FwDialogBase::onCommand(id, code, control);
}

void DlgGamepadControl::poll() {
  uint32_t buttons = 0;
  if (gamepad_.poll(buttons) != Gamepad::kOk) {
    if (answered_) switchOff();
    return;
  }
  answered_ = true;
  const uint32_t changed = buttons ^ previous_;
  for (int bit = 0; bit < kButtonBits; ++bit) {
    if (changed & (1u << bit)) buttonChanged(bit, (buttons >> bit) & 1);
  }
  previous_ = buttons;
}

// The indicator follows the button, and the function's own lamp lights too.
void DlgGamepadControl::buttonChanged(int button, bool pressed) {
  if (button >= GamepadSettings::kButtonCount) return;
  setChecked(kFirstIndicator + button, pressed);
  const int function = control<QComboBox>(kFirstAssignment + button)->currentIndex();
  if (const int direction = gamepadDirection(function); direction >= 0) {
    setChecked(kFirstDirection + direction, pressed);
  } else if (gamepadSliderFunction(function)) {
    setChecked(kFirstSlider + function - kPadHighSpeedUp, pressed);
  }
}

void DlgGamepadControl::switchOff() {
  answered_ = false;
  timer_->stop();
  for (int b = 0; b < GamepadSettings::kButtonCount; ++b) {
    control(kFirstIndicator + b)->setEnabled(false);
    control(kFirstAssignment + b)->setEnabled(false);
  }
  control(kEnabled)->setEnabled(false);
  messages_.show(window(), QMessageBox::Warning, text(14772, "Error"),
                 text(text_id::kNoGamepad, "Nincs gamepad csatlakoytatva a szamitogephez."));
}

}  // namespace celvaro
