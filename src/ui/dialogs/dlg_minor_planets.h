// The minor-planet dialog (command 407): which of the four asteroid lists
// are shown and searched, and the user's asteroid with its elements and a
// note when their epoch lies more than ten years from the chart's date.
#pragma once

#include <array>

#include "solarsystem/user_orbits.h"
#include "ui/dialogs/dlg_chart_settings.h"

namespace celvaro {

class DlgMinorPlanets final : public ChartSettingsDialog {
 public:
  static constexpr int kFirstList = 100;  // 100..103: bright, critical list, distant, unusual
  static constexpr int kShown = 110, kName = 111, kEpoch = 112, kOutdated = 113;
  static constexpr int kFirstElement = 120;  // 120..128: a, e, i, argument of perihelion, node, n, M, G, H

  // OK writes the lists into `settings` and the asteroid's fields into `asteroid`.
  DlgMinorPlanets(UiResources& resources, ChartSettings& settings, UserAsteroid& asteroid)
      : ChartSettingsDialog(resources, settings), asteroid_(asteroid) {}
  int resourceId() const override { return 358; }
  void onInitDialog() override;

 private:
  std::array<DecimalRow, 9> elementRows();
  void readBack() override;
  UserAsteroid& asteroid_;
};

}  // namespace celvaro
