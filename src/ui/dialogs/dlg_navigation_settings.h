// The navigation dialog (command 702): pan and zoom steps and what the
// mouse wheel does.
#pragma once

#include "app/settings_records.h"
#include "ui/dialog_framework.h"

namespace celvaro {

class DlgNavigationSettings final : public FwDialogBase {
 public:
  static constexpr int kPanSteps = 100, kPanStepsShift = 101, kZoomSteps = 102, kStepsShown = 94;
  static constexpr int kWheelNothing = 200, kWheelZooms = 201, kWheelZoomsWithCtrl = 202;
  static constexpr int kDefaults = 50;

  DlgNavigationSettings(UiResources& resources, NavigationSettings& settings)
      : FwDialogBase(resources), settings_(settings) {}
  int resourceId() const override { return 603; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

 private:
  void show(const NavigationSettings& values);
  void showSteps();
  NavigationSettings& settings_;
};

}  // namespace celvaro
