// "Field-of-view overlay" (command 609), not modal: the scheme's elements
// and focal-plane sizes with a preview, and the shifts and rotations of the
// overlay on the chart, which moves as they change. Closing only hides it.
#pragma once

#include "app/fov_adjustment_listener.h"
#include "app/language_changed_listener.h"
#include "ui/dialog_framework.h"
#include "ui/transparent_window.h"

namespace celvaro {

class AppModel;
class FovPreviewPanel;

class DlgAdjustFov final : public FwDialogBaseScroll,
                           public iLanguageChangedListener,
                           public iTransparentWindow,
                           public FovOverlayDlgListener {
 public:
  // The scheme: element boxes with their edits, the focal length.
  static constexpr int kCamera = 100, kCameraWidth = 101, kCameraHeight = 102;
  static constexpr int kTotalField = 110, kTotalFieldRadius = 111;
  static constexpr int kGuider = 120, kGuiderWidth = 121, kGuiderHeight = 122, kGuiderOffset = 123;
  static constexpr int kFocalLength = 130, kRemove = 140, kPreviewScale = 210;
  // The adjustment: four track bars, each with its edit at its id + 10.
  static constexpr int kShiftRa = 300, kShiftDec = 301, kCameraRotation = 302, kGuiderRotation = 303;
  static constexpr int kEditStep = 10;
  static constexpr int kLock = 320, kReset = 330, kTransparency = 400, kOpacity = 401;
  static constexpr int kStartOpacity = 160;

  DlgAdjustFov(UiResources& resources, AppModel& model);
  ~DlgAdjustFov() override;
  int resourceId() const override { return 551; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;
  void onHScroll(int id, int position) override;
  void languageChanged() override;
  void transparencyOff() override;
  void overlayPlaced() override;

  // Shows the window over `parent`, or raises it.
  void showOver(QWidget* parent);
  FovPreviewPanel& preview() { return *preview_; }

 private:
  int addSchemeRows();
  int addAdjustmentRows(int row);
  void addWindowRows(int row);
  void addTrackBarRow(int id, int maximum, int step, int row);
  QString caption(int id);
  bool isSchemeEdit(int id) const;
  void enableElementEdits();
  bool readScheme();
  void showSchemeNumbers();
  // The number typed into an edit field, named by the caption of captionId.
  std::optional<double> typedIn(int editId, int captionId, ValueRange range, NumberForm form);
  void schemeChanged();
  void applyAdjustment();
  void showAdjustment();
  void adjustmentTyped(int editId);
  void followCameraRotation(int position);
  void setLock(bool on);
  void resetAdjustment();
  void setTransparency(bool on);
  int trackBar(int id) const;
  void setTrackBar(int id, int position);
  void setNumber(int id, int value);

  AppModel& model_;  // the scheme and the edited overlay
  iFovAdjustmentListener& overlayListener_;  // moves the overlay on the chart
  FovPreviewPanel* preview_ = nullptr;
  bool locked_ = false;
};

}  // namespace celvaro
