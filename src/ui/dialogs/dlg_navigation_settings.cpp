#include "ui/dialogs/dlg_navigation_settings.h"

#include <QGridLayout>
#include <QSlider>

#include <algorithm>

#include "model/text_ids.h"

namespace celvaro {

void DlgNavigationSettings::onInitDialog() {
  window()->setWindowTitle(text(text_id::kNavigationTitle, "Navigation"));
  const char* names[] = {"Pan steps", "Pan steps with Shift", "Zoom steps"};
  for (int i = 0; i < 3; ++i) {
    grid()->addWidget(label(90 + i, text(14410 + i, names[i])), i, 0);
    grid()->addWidget(slider(kPanSteps + i, 0, 19, 0), i, 1);
    grid()->addWidget(label(kStepsShown + i, ""), i, 2);
  }
  grid()->addWidget(label(93, text(14413, "Mouse wheel")), 3, 0);
  grid()->addWidget(radioButton(kWheelNothing, text(14414, "Does nothing"), false), 3, 1);
  grid()->addWidget(radioButton(kWheelZooms, text(14415, "Zooms"), false), 4, 1);
  grid()->addWidget(radioButton(kWheelZoomsWithCtrl, text(14416, "Zooms while Ctrl is held"), false), 5, 1);
  grid()->addWidget(button(kDefaults, text(14417, "Defaults")), 6, 0);
  show(settings_);
  addOkCancel();
}

// Slider positions are the values less one; values outside stop at the ends.
void DlgNavigationSettings::show(const NavigationSettings& values) {
  control<QSlider>(kPanSteps)->setValue(values.panStepsSimple - 1);
  control<QSlider>(kPanStepsShift)->setValue(values.panStepsShift - 1);
  control<QSlider>(kZoomSteps)->setValue(values.zoomSteps - 1);
  setChecked(kWheelNothing + std::clamp(values.mouseWheelFunction, 0, 2), true);
  showSteps();
}

// Each slider's number of steps beside it.
void DlgNavigationSettings::showSteps() {
  for (int i = 0; i < 3; ++i) setItemText(kStepsShown + i, std::to_string(control<QSlider>(kPanSteps + i)->value() + 1));
}

void DlgNavigationSettings::onCommand(int id, int code, QWidget* control) {
  if (id == kDefaults) {
    show(NavigationSettings{});
    return;
  }
  if (id >= kPanSteps && id <= kZoomSteps) showSteps();
  if (id == kIdOk) {
    settings_.panStepsSimple = this->control<QSlider>(kPanSteps)->value() + 1;
    settings_.panStepsShift = this->control<QSlider>(kPanStepsShift)->value() + 1;
    settings_.zoomSteps = this->control<QSlider>(kZoomSteps)->value() + 1;
    settings_.mouseWheelFunction = isChecked(kWheelNothing) ? 0 : isChecked(kWheelZooms) ? 1 : 2;
  }
  FwDialogBase::onCommand(id, code, control);
}

}  // namespace celvaro
