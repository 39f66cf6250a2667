// The moon calendar (command 402): a month typed as "yyyy.mm" (item 100),
// shown by the update button, the previous or the next month, in the
// drawing panel that follows the dialog's size; below it the instants of
// the month's quarters in local time (item 104).
#pragma once

#include <string>

#include "ui/dialog_framework.h"

namespace celvaro {

class AppModel;

class DlgMoonCalendar final : public FwDialogBase {
 public:
  static constexpr int kMonth = 100, kUpdate = 101, kPrevious = 102, kNext = 103, kQuarters = 104;

  DlgMoonCalendar(UiResources& resources, AppModel& model) : FwDialogBase(resources), model_(model) {}
  int resourceId() const override { return 352; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

 private:
  // Computes and shows a month; its text goes into item 100.
  bool showMonth(int year, int month);
  // Shows the typed month moved on by `step` months.
  void update(int step);
  std::string quartersText(int year, int month);

  AppModel& model_;
  std::string shownMonth_;
};

}  // namespace celvaro
