// The right-hand telescope panel of the main window: the observing place
// with a button that edits it, the local time, and the shared telescope
// controls. It lives inside the main window and takes the link's reports
// while it is shown.
#pragma once

#include "ui/dialogs/telescope_dialog_base.h"

namespace celvaro {

class DlgPanelTelescope final : public TelescopeDialogBase {
 public:
  static constexpr int kPlace = 400, kEditPlace = 401, kTime = 402;

  DlgPanelTelescope(UiResources& resources, AppModel& model);
  int resourceId() const override { return 513; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;
  void showClock(double localSiderealHours, double julianDate) override;
  void observingPlaceChanged() override;

  // Makes the panel as a child widget of `parent`.
  QWidget* embed(QWidget* parent);
  void setShown(bool shown);

 protected:
  // The gamepad drives the control panel while that is open.
  bool drivenByGamepad() override;
  void showOwnTexts() override;
};

}  // namespace celvaro
