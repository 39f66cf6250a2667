// The simple chart dialogs that edit the chart settings: projection and
// mirroring (command 100), constellations and grid (102), stars (200) and
// star labels (201). Each edits a copy; OK writes it back.
#pragma once

#include "app/chart_settings.h"
#include "ui/dialog_framework.h"

namespace celvaro {

// A dialog over a copy of the chart settings, written back on OK.
class ChartSettingsDialog : public FwDialogBase {
 public:
  ChartSettingsDialog(UiResources& resources, ChartSettings& settings)
      : FwDialogBase(resources), target_(settings), settings_(settings) {}
  void onCommand(int id, int code, QWidget* control) override;

 protected:
  // Reads the controls into the copy.
  virtual void readBack() = 0;
  // A check box over a switch, and its reading back.
  void switchBox(int id, int textId, const char* fallback, uint8_t ChartSettings::*field, int row, int column);
  void readSwitch(int id, uint8_t ChartSettings::*field) { settings_.*field = isChecked(id) ? 1 : 0; }
  // A number field with its label.
  void numberField(int id, int textId, const char* fallback, int value, int row);
  int number(int id) const;

  ChartSettings& target_;
  ChartSettings settings_;
};

class DlgSimpleProjection final : public ChartSettingsDialog {
 public:
  static constexpr int kFirstProjection = 200;  // 200..204
  static constexpr int kFirstMirror = 300;      // 300..303
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 50; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

class DlgSimpleConstGrid final : public ChartSettingsDialog {
 public:
  static constexpr int kAutomaticGrid = 120, kRaStep = 121, kDecStep = 122;
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 51; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

class DlgSimpleStars final : public ChartSettingsDialog {
 public:
  static constexpr int kManualLimit = 110, kLimitOffset = 111, kLimitValue = 112;
  static constexpr int kLargest = 113, kSmallest = 114;
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 52; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

class DlgStarLabels final : public ChartSettingsDialog {
 public:
  static constexpr int kFirstOffset = 120;  // 120..123: names, Bayer, Flamsteed, abbreviations
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 201; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

}  // namespace celvaro
