// The minor-planet track dialog (command 409): the asteroid's and the
// comet's track, and the asteroid whose track is drawn, typed as a number
// ("433"), a name ("Eros") or a provisional designation ("2022 OU15").
#pragma once

#include <string>

#include "solarsystem/solar_system.h"
#include "ui/dialogs/dlg_chart_settings.h"

namespace celvaro {

class DlgMinorPlanetTracks final : public ChartSettingsDialog {
 public:
  // Each track: shown, then date labels, days, mark interval, label step.
  static constexpr int kAsteroidTrack = 110, kCometTrack = 120;
  static constexpr int kAsteroid = 130;

  DlgMinorPlanetTracks(UiResources& resources, ChartSettings& settings, SolarSystem& solar)
      : ChartSettingsDialog(resources, settings), solar_(solar) {}
  int resourceId() const override { return 359; }
  void onInitDialog() override;
  // OK with an asteroid no list holds says so and keeps the dialog open.
  void onCommand(int id, int code, QWidget* control) override;

 private:
  int trackGroup(int firstId, int textId, const char* heading, const MinorBodyTrackSettings& track, int row);
  void readTrackGroup(int firstId, MinorBodyTrackSettings& track);
  // The typed asteroid into asteroid_: the one shown when the text is
  // unchanged, none for an empty text. False when no list holds it.
  bool resolveAsteroid();
  // The identifier of a typed number, name or designation; -1 when not found.
  int32_t find(const std::string& typed);
  void readBack() override;

  SolarSystem& solar_;
  int32_t asteroid_ = -1;
  std::string shownName_;
};

}  // namespace celvaro
