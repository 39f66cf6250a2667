// "Settings for spiral search" (508): the speed from slow to fast, the
// radius each turn adds and the number of turns; "Default" restores speed
// 2, radius 40, 3 turns.
#pragma once

#include "telescope/settings_records.h"
#include "ui/dialog_framework.h"

namespace celvaro {

class DlgScopeSpiralSearch final : public FwDialogBase {
 public:
  static constexpr int kSpeed = 100, kRadius = 101, kTurns = 102, kDefault = 103;
  static constexpr int kFastest = 6;

  DlgScopeSpiralSearch(UiResources& resources, SpiralSearchSettings& settings)
      : FwDialogBase(resources), settings_(settings) {}
  int resourceId() const override { return 508; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

 private:
  void show(const SpiralSearchSettings& values);
  bool takeShownValues();

  SpiralSearchSettings& settings_;
};

}  // namespace celvaro
