// "Adjusting telescope with reference points", not modal: two reference
// points, each shown on the chart, deleted, or set; and deleting all.
// While the window is shown the chart marks the points that are set. It
// relabels itself when the language changes.
#pragma once

#include "app/language_changed_listener.h"
#include "telescope/telescope_dialog_listeners.h"
#include "ui/dialog_framework.h"

namespace celvaro {

class AppModel;

class DlgTelescopeAdjust final : public FwDialogBase, public ReferencePointDlgListener, public iLanguageChangedListener {
 public:
  // Point i (0, 1) has its buttons at 100 + 10 i: show, delete, set.
  static constexpr int kShow = 100, kDelete = 101, kSet = 102, kPointStep = 10;
  static constexpr int kDeleteAll = 120;
  static constexpr int kFirstBox = 130;  // the points' group boxes
  static constexpr int kPoints = 2;

  DlgTelescopeAdjust(UiResources& resources, AppModel& model) : FwDialogBase(resources), model_(model) {}
  ~DlgTelescopeAdjust() override { detach(); }
  int resourceId() const override { return 502; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;
  void referencePointsChanged(const ReferencePoint (&points)[3], int index) override;
  void languageChanged() override;

  // Shows the window over `parent`, or raises it.
  void showOver(QWidget* parent);

 private:
  void setFromSelection(int index);
  void detach();
  void refresh();

  AppModel& model_;
};

}  // namespace celvaro
