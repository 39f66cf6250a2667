// What the telescope control panel and the right-hand telescope panel have
// in common: connecting, the mount name and status line, the Stop and
// direction buttons with the two speeds, the scope and target positions,
// reading the position, goto, tracking, the park position, the gamepad's
// scope and map modes, and the spiral-search panel. Each window lays these
// out with its own read-outs around them, receives the link's reports
// while it is shown, and relabels itself when the language changes.
#pragma once

#include <memory>

#include "app/language_changed_listener.h"
#include "platform/gamepad.h"
#include "telescope/gamepad_buttons.h"
#include "telescope/telescope_dialog_listeners.h"
#include "ui/dialog_framework.h"

class QTimer;

namespace celvaro {

class AppModel;
class iTelescopeControl;
class SpiralSearchPanel;

class TelescopeDialogBase : public FwDialogBaseScroll,
                            public TelescopeControlDlgCallback,
                            public iGamepadPanel,
                            public iLanguageChangedListener {
 public:
  static constexpr int kConnect = 50, kDisconnect = 51, kMountName = 100, kStatus = 101;
  static constexpr int kStop = 200, kFirstDirection = 201, kLastDirection = 208;
  static constexpr int kSlow = 210, kFast = 211, kSlowRate = 220, kFastRate = 221;
  static constexpr int kScopeRa = 300, kScopeDec = 301, kTargetRa = 310, kTargetDec = 311;
  static constexpr int kScopeBox = 330, kTargetBox = 331;
  static constexpr int kGoto = 312, kGetPosition = 313, kTracking = 314, kSetPark = 315, kGotoPark = 316;
  static constexpr int kScopeMode = 317, kMapMode = 318, kSpiralSearch = 319;
  static constexpr int kSpiralStart = 320, kSpiralSettings = 321;
  static constexpr int kGamepadPollMs = 100;
  static constexpr int kMaxRate = 5;

  // `listenerSlot` is the model's listener pointer this window takes while
  // it is shown.
  TelescopeDialogBase(UiResources& resources, AppModel& model, TelescopeControlDlgCallback*& listenerSlot);
  ~TelescopeDialogBase() override;

  void onCommand(int id, int code, QWidget* control) override;
  void onHScroll(int, int) override {}

  // TelescopeControlDlgCallback.
  void showLinkStatus(int code) override;
  void showMountPosition(double raRad, double decRad, int32_t rawA, int32_t rawB) override;
  void showTarget(double raRad, double decRad) override;
  void observingPlaceChanged() override {}
  void showSpiralSearchOffset(int x, int y) override;
  // After the status text, as "<status>: <the mount's words>".
  void showMountMessage(const std::string& text) override;

  // iLanguageChangedListener: the captions and the status line in the new language.
  void languageChanged() override;

  // A clock tick, on the user-interface thread.
  virtual void showClock(double localSiderealHours, double julianDate) = 0;
  // The scope and map mode buttons from the gamepad's map-mode flag.
  void showMapMode();
  SpiralSearchPanel* spiralPanel() const { return spiralPanel_; }
  // One gamepad poll, as the window's timer runs it while the window is
  // shown and the gamepad is switched on. A gamepad that is gone, switched
  // off or handed to the other window first stops what it moves.
  void pollGamepad();

  // iGamepadPanel.
  bool highSpeedSelected() const override;
  int speedRate(bool high) const override;
  void selectSpeed(bool high) override;
  void stepSpeedRate(bool high, int delta) override;
  void zoomChart(bool in) override;
  void panChart(int direction) override;
  void setMapMode(bool on) override;
  iTelescopeControl* link() override;

 protected:
  // Registers the window for the link's reports and shows what the link
  // reported before; detach ends the registration.
  void attach();
  void detach();
  // The shared controls in rows of the grid from `row` on; answers the row
  // after them.
  int addTelescopeControls(int row);
  AppModel& model() { return model_; }
  // Whether this window is the one the gamepad drives now.
  virtual bool drivenByGamepad() = 0;
  // The captions of the window's own controls, around the shared ones.
  virtual void showOwnTexts() = 0;

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
  void applyCapabilities(int mask);
  void showStatusText(int textId);
  void showStatusLine();
  void startSpiralSearch();
  void editSpiralSearch();
  template <typename Call>
  void onLink(Call call);

  AppModel& model_;
  TelescopeControlDlgCallback*& listenerSlot_;
  SpiralSearchPanel* spiralPanel_ = nullptr;
  QTimer* gamepadTimer_ = nullptr;
  int statusTextId_ = -1;     // the status line's text, -1 none
  std::string mountMessage_;  // the mount's words after it
  std::unique_ptr<Gamepad> gamepad_;
  GamepadButtons gamepadButtons_;
};

}  // namespace celvaro
