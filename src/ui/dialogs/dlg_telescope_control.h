// The telescope control panel "Controlling telescope" (command 601), not
// modal: the shared telescope controls, the clock read-outs and the
// window's transparency.
#pragma once

#include "ui/dialogs/telescope_dialog_base.h"

namespace celvaro {

class DlgTelescopeControl final : public TelescopeDialogBase {
 public:
  static constexpr int kLocalTime = 1600, kUniversalTime = 1601, kJulianDate = 1602, kSiderealTime = 1603;
  static constexpr int kTransparency = 601;
  static constexpr int kMaxTransparency = 80;  // percent; the window never vanishes

  DlgTelescopeControl(UiResources& resources, AppModel& model);
  int resourceId() const override { return 501; }
  void onInitDialog() override;
  void onHScroll(int id, int position) override;
  void showClock(double localSiderealHours, double julianDate) override;

  // Shows the window over `parent`, or raises it; it takes the link's
  // reports until it is closed.
  void showOver(QWidget* parent);

 protected:
  // While open, the control panel takes the gamepad.
  bool drivenByGamepad() override { return true; }
  void showOwnTexts() override;

 private:
  int addClockRows(int row);
};

}  // namespace celvaro
