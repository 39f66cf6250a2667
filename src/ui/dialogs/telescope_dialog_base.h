// What the telescope control panel and the right-hand telescope panel have
// in common: connecting, the mount name and status line, the Stop and
// direction buttons with the two speeds, the scope and target positions,
// reading the position, goto, tracking, the park position, the gamepad's
// scope and map modes, and the spiral-search panel. Each window lays these
// out with its own read-outs around them, and receives the link's reports
// while it is shown.
#pragma once

#include "telescope/telescope_dialog_listeners.h"
#include "ui/dialog_framework.h"

namespace celvaro {

class AppModel;
class iTelescopeControl;

class TelescopeDialogBase : public FwDialogBaseScroll, public TelescopeControlDlgCallback {
 public:
  static constexpr int kConnect = 50, kDisconnect = 51, kMountName = 100, kStatus = 101;
  static constexpr int kStop = 200, kFirstDirection = 201, kLastDirection = 208;
  static constexpr int kSlow = 210, kFast = 211, kSlowRate = 220, kFastRate = 221;
  static constexpr int kScopeRa = 300, kScopeDec = 301, kTargetRa = 310, kTargetDec = 311;
  static constexpr int kGoto = 312, kGetPosition = 313, kTracking = 314, kSetPark = 315, kGotoPark = 316;
  static constexpr int kScopeMode = 317, kMapMode = 318, kSpiralSearch = 319;
  static constexpr int kMaxRate = 5;

  // `listenerSlot` is the model's listener pointer this window takes while
  // it is shown.
  TelescopeDialogBase(UiResources& resources, AppModel& model, TelescopeControlDlgCallback*& listenerSlot)
      : FwDialogBaseScroll(resources), model_(model), listenerSlot_(listenerSlot) {}
  ~TelescopeDialogBase() override { detach(); }

  void onCommand(int id, int code, QWidget* control) override;
  void onHScroll(int, int) override {}

  // TelescopeControlDlgCallback.
  void showLinkStatus(int code) override;
  void showMountPosition(double raRad, double decRad, int32_t rawA, int32_t rawB) override;
  void observingPlaceChanged() override {}
  void showSpiralSearchOffset(int, int) override {}  // the spiral search comes with its panel

  // A clock tick, on the user-interface thread.
  virtual void showClock(double localSiderealHours, double julianDate) = 0;
  // The scope and map mode buttons from the gamepad's map-mode flag.
  void showMapMode();

 protected:
  // Registers the window for the link's reports and shows what the link
  // reported before; detach ends the registration.
  void attach();
  void detach();
  // The shared controls in rows of the grid from `row` on; answers the row
  // after them.
  int addTelescopeControls(int row);
  AppModel& model() { return model_; }

 private:
  int addConnectRows(int row);
  int addMotionRows(int row);
  int addPositionRows(int row);
  int addActionRows(int row);
  void pairButtons(int first, int second);
  void wireDirection(int id);
  void startMove(int id);
  void stopMove(int id);
  void connectTelescope();
  void gotoSelection();
  void setMapMode(bool on);
  void applyCapabilities(int mask);
  template <typename Call>
  void onLink(Call call);

  AppModel& model_;
  TelescopeControlDlgCallback*& listenerSlot_;
};

}  // namespace celvaro
