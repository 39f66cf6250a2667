#include "ui/dialogs/dlg_gamepad_control.h"

#include "model/text_ids.h"
#include "telescope/gamepad_buttons.h"
#include "ui/message_sink.h"

namespace celvaro {
namespace {

constexpr int kButtonBits = 32;
constexpr int kDirectionCount = 4;
// The D-pad's bits by telescope direction: up, down, right, left.
constexpr uint8_t kDpadBits[kDirectionCount] = {Gamepad::kDpadUp, Gamepad::kDpadDown, Gamepad::kDpadRight,
                                                Gamepad::kDpadLeft};

}  // namespace

DlgGamepadControl::DlgGamepadControl(UiResources& resources, GamepadSettings& settings, MessageSink& messages,
                                     std::string inputDirectory)
    : FwDialogBase(resources),
      settings_(settings),
      messages_(messages),
      inputDirectory_(std::move(inputDirectory)),
      gamepad_(std::make_unique<Gamepad>(settings.device)) {}

QString DlgGamepadControl::functionLabel(int function) {
  return text(text_id::kGamepadFunctionFirst + function, gamepadFunctionLabel(function));
}

void DlgGamepadControl::onInitDialog() {
  window()->setWindowTitle(text(14770, "Gamepad"));
  grid()->addWidget(checkBox(kEnabled, text(14771, "Use the gamepad"), settings_.enabled != 0), 0, 0);
  grid()->addWidget(comboBox(kDevice), 0, 1, 1, 2);
  fillDevices();
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

// Every joystick device, and the stored one when it is not among them.
void DlgGamepadControl::fillDevices() {
  auto* devices = control<QComboBox>(kDevice);
  for (const std::string& device : gamepadDevices(inputDirectory_)) devices->addItem(QString::fromStdString(device));
  const QString stored = QString::fromStdString(settings_.device);
  if (devices->findText(stored) < 0) devices->addItem(stored);
  devices->setCurrentIndex(devices->findText(stored));
}

void DlgGamepadControl::onCommand(int id, int code, QWidget* control) {
  if (id == kDevice) {
    chooseDevice();
    return;
  }
  if (id == kIdOk) {
    settings_.enabled = isChecked(kEnabled) ? 1 : 0;
    settings_.device = gamepad_->device();
    for (int b = 0; b < GamepadSettings::kButtonCount; ++b) {
      settings_.buttons[b] = this->control<QComboBox>(kFirstAssignment + b)->currentIndex();
    }
  }
  FwDialogBase::onCommand(id, code, control);
}

// The indicators start dark for the new device, and polling starts again.
void DlgGamepadControl::chooseDevice() {
  gamepad_ = std::make_unique<Gamepad>(control<QComboBox>(kDevice)->currentText().toStdString());
  for (int b = 0; b < kButtonBits; ++b) {
    if (previous_.buttons & (1u << b)) buttonChanged(b, false);
  }
  previous_ = {};
  showDirections(previous_);
  answered_ = false;
  switchControls(true);
  timer_->start(kPollMs);
}

void DlgGamepadControl::poll() {
  GamepadState state;
  if (gamepad_->poll(state) != Gamepad::kOk) {
    if (answered_) switchOff();
    return;
  }
  answered_ = true;
  const uint32_t changed = state.buttons ^ previous_.buttons;
  for (int bit = 0; bit < kButtonBits; ++bit) {
    if (changed & (1u << bit)) buttonChanged(bit, (state.buttons >> bit) & 1);
  }
  showDirections(state);
  previous_ = state;
}

// A direction lamp lights while the D-pad or a button of that direction
// is held.
void DlgGamepadControl::showDirections(const GamepadState& state) {
  bool lit[kDirectionCount] = {};
  for (int d = 0; d < kDirectionCount; ++d) lit[d] = state.dpad & kDpadBits[d];
  for (int b = 0; b < GamepadSettings::kButtonCount; ++b) {
    const int direction = gamepadDirection(control<QComboBox>(kFirstAssignment + b)->currentIndex());
    if ((state.buttons & (1u << b)) && direction >= 0) lit[direction] = true;
  }
  for (int d = 0; d < kDirectionCount; ++d) setChecked(kFirstDirection + d, lit[d]);
}

// The indicator follows the button, and a slider function's lamp too.
void DlgGamepadControl::buttonChanged(int button, bool pressed) {
  if (button >= GamepadSettings::kButtonCount) return;
  setChecked(kFirstIndicator + button, pressed);
  const int function = control<QComboBox>(kFirstAssignment + button)->currentIndex();
  if (gamepadSliderFunction(function)) setChecked(kFirstSlider + function - kPadHighSpeedUp, pressed);
}

void DlgGamepadControl::switchControls(bool on) {
  for (int b = 0; b < GamepadSettings::kButtonCount; ++b) {
    control(kFirstIndicator + b)->setEnabled(on);
    control(kFirstAssignment + b)->setEnabled(on);
  }
  control(kEnabled)->setEnabled(on);
}

void DlgGamepadControl::switchOff() {
  answered_ = false;
  timer_->stop();
  switchControls(false);
  messages_.show(window(), QMessageBox::Warning, text(14772, "Error"),
                 text(text_id::kNoGamepad, "Nincs gamepad csatlakoytatva a szamitogephez."));
}

}  // namespace celvaro
