// The deep-sky dialogs over the chart settings: the display and label
// levels (command 300), the catalog designations in labels (301) and the
// settings of each object type (302). Each edits a copy; OK writes it back.
#pragma once

#include "ui/dialogs/dlg_chart_settings.h"

namespace celvaro {

// Levels run 0..10; offsets are in levels, within -10..10.
class DlgSimpleDeepsky final : public ChartSettingsDialog {
 public:
  static constexpr int kFirstMode = 100;  // 100..102: off, automatic, manual
  static constexpr int kLevelOffset = 110, kManualLevel = 111;
  static constexpr int kLabels = 112, kSecondLabels = 113, kLabelOffset = 114, kSecondLabelOffset = 115;
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 53; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

class DlgDeepskyCatalogIds final : public ChartSettingsDialog {
 public:
  static constexpr int kFirstDesignation = 100;  // 100..105: Messier, NGC, IC, UGC, PGC, others
  static constexpr int kOnlyOne = 110, kShowNames = 111;
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 301; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

// A row per own object type; types 11..14 follow the types they belong to
// and have none.
class DlgDeepskyLabelsForTypes final : public ChartSettingsDialog {
 public:
  static constexpr int kPerType = 100, kPerTypeLabels = 101;
  enum Column : int { kShownColumn, kLevelColumn, kLabelColumn, kSecondLabelColumn, kLabelLevelColumn, kNameColumn };
  static constexpr int cellId(int type, int column) { return 200 + 10 * type + column; }
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 302; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

}  // namespace celvaro
