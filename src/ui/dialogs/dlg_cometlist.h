// The comet list window (command 405), not modal: the comets of the comet
// list with their perihelion, q, e and their place at the chart's instant.
// A comet can be shown on the chart or tracked, and the user's comet edited.
#pragma once

#include <vector>

#include "ui/dialog_framework.h"

class QTableWidget;

namespace celvaro {

class AppModel;

class DlgCometlist final : public FwDialogBase {
 public:
  static constexpr int kTable = 100, kShowOnChart = 101, kTrack = 102, kUserComet = 103, kNotLoaded = 90;

  DlgCometlist(UiResources& resources, AppModel& model) : FwDialogBase(resources), model_(model) {}
  int resourceId() const override { return 355; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

  // Shows the window over `parent`, or raises it, with the positions renewed.
  void showOver(QWidget* parent);

 private:
  QTableWidget* table() const;
  void fillTable();
  // The comet of the current row becomes the selected one, its track shown
  // when asked, and the chart is centred on it.
  void selectComet(bool track);
  void editUserComet();
  void redrawChart();

  AppModel& model_;
  std::vector<int> lines_;  // the comet-list line of each row
};

}  // namespace celvaro
