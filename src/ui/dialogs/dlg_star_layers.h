// The variable- and double-star dialogs over the chart settings: variable
// stars with their limit and filters (command 202), their labels (203),
// double stars with their limit and separation filter (204) and their
// labels (205). Each edits a copy; OK writes it back.
#pragma once

#include "ui/dialogs/dlg_chart_settings.h"

namespace celvaro {

class VarStarSettingsDlg final : public ChartSettingsDialog {
 public:
  static constexpr int kShown = 100;
  static constexpr int kLimit = 110;       // 110..112: manual switch, offset, manual value
  static constexpr int kAmplitude = 120;   // 120, 121: filter switch, least amplitude
  static constexpr int kTypeFilter = 130;
  static constexpr int kFirstType = 131;   // 131..136: E, P, R, C, L, X
  static constexpr int kMinPeriod = 140;   // 140, 141: filter switch, least period
  static constexpr int kMaxPeriod = 150;   // 150, 151: filter switch, greatest period
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 202; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

class DlgVarStarLabels final : public ChartSettingsDialog {
 public:
  static constexpr int kShown = 100;
  static constexpr int kLimit = 110;  // 110..112: manual switch, offset, manual value
  static constexpr int kWithType = 120, kWithRange = 121;
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 203; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

// The double-star limit: bit 4 of doubleLimitMode chooses the manual value
// (never fainter than the star limit), else the star limit plus the offset.
class DlgDoublestars final : public ChartSettingsDialog {
 public:
  static constexpr int kShown = 100;
  static constexpr int kLimit = 110;  // 110..112: manual switch, offset, manual value
  static constexpr int kSeparationFilter = 120, kSeparationMin = 121, kSeparationMax = 122, kKeepUnknown = 123;
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 204; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

// The double-star label limit: bit 8 of doubleLimitMode chooses the manual
// value, else the star limit plus the label offset.
class DlgDoublestarLabels final : public ChartSettingsDialog {
 public:
  static constexpr int kShown = 100;
  static constexpr int kLimit = 110;  // 110..112: manual switch, offset, manual value
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 205; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

}  // namespace celvaro
