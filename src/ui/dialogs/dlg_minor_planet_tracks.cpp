#include "ui/dialogs/dlg_minor_planet_tracks.h"

#include <QGridLayout>
#include <QMessageBox>

#include <algorithm>
#include <cctype>

#include "model/text_ids.h"
#include "platform/number_text.h"

namespace celvaro {
namespace {

bool allDigits(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

}  // namespace

void DlgMinorPlanetTracks::onInitDialog() {
  window()->setWindowTitle(text(text_id::kMinorPlanetTracksTitle, "Minor-planet tracks"));
  const int32_t current = settings_.asteroidTrack.object;
  if (current >= 0 && solar_.objectName(current, shownName_)) shownName_.erase(0, 1);
  int row = trackGroup(kAsteroidTrack, 14514, "Asteroid track", settings_.asteroidTrack, 0);
  labelledEdit(kAsteroid, text(14517, "Minor planet (number, name or designation)"), QString::fromStdString(shownName_),
               row++);
  trackGroup(kCometTrack, 14515, "Comet track", settings_.cometTrack, row);
  addOkCancel();
}

// A heading (label firstId + 50), the shown switch and the track's fields.
int DlgMinorPlanetTracks::trackGroup(int firstId, int textId, const char* heading, const MinorBodyTrackSettings& t,
                                     int row) {
  grid()->addWidget(label(firstId + 50, text(textId, heading)), row++, 0, 1, 2);
  switchBox(firstId, text(14516, "Show the track"), t.shown, row++, 0);
  return trackFields(firstId + 1, t.dateLabels, t.days, t.markInterval, t.labelStep, row);
}

void DlgMinorPlanetTracks::readTrackGroup(int firstId, MinorBodyTrackSettings& t) {
  t.shown = switchValue(firstId);
  readTrackFields(firstId + 1, t.dateLabels, t.days, t.markInterval, t.labelStep);
}

void DlgMinorPlanetTracks::onCommand(int id, int code, QWidget* control) {
  if (id == kIdOk && !resolveAsteroid()) {
    QMessageBox::warning(window(), text(text_id::kErrorCaption, "Error"), text(14518, "No such minor planet."));
    return;
  }
  ChartSettingsDialog::onCommand(id, code, control);
}

bool DlgMinorPlanetTracks::resolveAsteroid() {
  const std::string typed = QString::fromStdString(itemText(kAsteroid)).trimmed().toStdString();
  if (typed.empty()) asteroid_ = -1;
  else if (typed == shownName_) asteroid_ = settings_.asteroidTrack.object;
  else asteroid_ = find(typed);
  return typed.empty() || asteroid_ >= 0;
}

// The switched-on short lists first; a number not in them is looked for in
// the long list.
int32_t DlgMinorPlanetTracks::find(const std::string& typed) {
  StarPosition found;
  if (allDigits(typed)) {
    if (solar_.findMinorPlanet({MinorPlanetQuery::kByNumber, typed}, settings_.minorPlanetLists, found)) return found.index;
    return solar_.findInLongList(wholeInt(typed).value_or(0));
  }
  for (MinorPlanetQuery::By by : {MinorPlanetQuery::kByName, MinorPlanetQuery::kByDesignation}) {
    if (solar_.findMinorPlanet({by, typed}, settings_.minorPlanetLists, found)) return found.index;
  }
  return -1;
}

void DlgMinorPlanetTracks::readBack() {
  readTrackGroup(kAsteroidTrack, settings_.asteroidTrack);
  readTrackGroup(kCometTrack, settings_.cometTrack);
  settings_.asteroidTrack.object = asteroid_;
}

}  // namespace celvaro
