// The observing suggestions (command 512), not modal: the sky-guide objects
// up to a difficulty that stand high in the sky of the observing place at
// a local date and time, in a list of type, difficulty and name, and below
// it that night's twilight and dark sky. A row's object can be shown on the
// chart.
#pragma once

#include "ui/dialog_framework.h"

class QTreeWidget;

namespace celvaro {

class AppModel;

class DlgObservingSuggestions final : public FwDialogBase {
 public:
  static constexpr int kDate = 100, kTime = 101, kDifficulty = 102, kList = 103, kShowOnChart = 104, kNight = 105,
                       kRows = 300;

  DlgObservingSuggestions(UiResources& resources, AppModel& model) : FwDialogBase(resources), model_(model) {}
  int resourceId() const override { return 357; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

  // Shows the window over `parent` with the chart's local date and time,
  // or raises it.
  void showOver(QWidget* parent);
  // Chooses the suggestions again from the date, the time and the
  // difficulty typed in, and lists them.
  void rebuildList();

 private:
  QTreeWidget* rows() const;
  void showOnChart();

  AppModel& model_;
};

}  // namespace celvaro
