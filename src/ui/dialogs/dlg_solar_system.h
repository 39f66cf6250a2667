// The solar-system dialogs over the chart settings: which bodies are shown
// (command 401), their disc sizes (400) and the planet tracks (403). Each
// edits a copy; OK writes it back.
#pragma once

#include "ui/dialogs/dlg_chart_settings.h"

namespace celvaro {

class DlgSimpleSolarsys final : public ChartSettingsDialog {
 public:
  static constexpr int kFirstSwitch = 100;  // 100..104: Sun, Moon, planets, minor planets, comets
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 54; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

// Per group (planets, minor planets, comets) the four disc-size flags with
// their values: the offsets to the star limit in magnitudes, the fixed
// sizes in pixels.
class DlgSolarsysDispParams final : public ChartSettingsDialog {
 public:
  static constexpr int flagId(int group, int bit) { return 100 + 10 * group + bit; }
  static constexpr int valueId(int group, int bit) { return 200 + 10 * group + bit; }
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 350; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

class DlgPlanetTracks final : public ChartSettingsDialog {
 public:
  static constexpr int kFirstBody = 100;   // 100..109: Sun, Moon, Mercury..Neptune, Pluto
  static constexpr int kDateLabels = 110;  // 110..113: date labels, days, mark interval, label step
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 353; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

}  // namespace celvaro
