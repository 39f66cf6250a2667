// The constellation layer (command 103): figures, boundaries and the names,
// drawn as Latin names or as abbreviations, with the list of the
// abbreviations and the names they stand for.
#pragma once

#include "ui/dialogs/dlg_chart_settings.h"

namespace celvaro {

class DlgConstell final : public ChartSettingsDialog {
 public:
  static constexpr int kFigures = 100, kBoundaries = 101;
  static constexpr int kFirstNames = 200;  // 200 no names, 201 Latin names, 202 abbreviations
  static constexpr int kList = 300;
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 103; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

}  // namespace celvaro
