// Star hopping (command 511), not modal: the routes to the Messier objects
// and, under the list, the chosen route's steps in words. Showing a route
// draws it on the chart in the star-hop colour and centres the chart on it
// in a field that holds it; hiding takes it away.
#pragma once

#include "ui/dialog_framework.h"

class QListWidget;

namespace celvaro {

class AppModel;

class DlgStarHopping final : public FwDialogBase {
 public:
  static constexpr int kRoutes = 100, kShow = 101, kHide = 102, kRouteText = 103;

  DlgStarHopping(UiResources& resources, AppModel& model) : FwDialogBase(resources), model_(model) {}
  int resourceId() const override { return 358; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

  void showOver(QWidget* parent);
  // Draws route `index` and centres the chart on it.
  void showRoute(int index);
  void hideRoute();

 private:
  QListWidget* routes() const;
  void redrawChart();

  AppModel& model_;
};

}  // namespace celvaro
