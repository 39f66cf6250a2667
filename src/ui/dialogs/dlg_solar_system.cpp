#include "ui/dialogs/dlg_solar_system.h"

#include <QGridLayout>

#include "model/text_ids.h"
#include "solarsystem/solar_system.h"

namespace celvaro {

// --- bodies shown -------------------------------------------------------------------

namespace {

constexpr SwitchRow kBodySwitches[] = {
    {100, text_id::kBodyNameFirst, "Sun", &ChartSettings::showSun},
    {101, text_id::kBodyNameFirst + 1, "Moon", &ChartSettings::showMoon},
    {102, 14500, "Planets", &ChartSettings::showPlanets},
    {103, 14501, "Minor planets", &ChartSettings::showMinorPlanets},
    {104, 14502, "Comets", &ChartSettings::showComets},
};

}  // namespace

void DlgSimpleSolarsys::onInitDialog() {
  window()->setWindowTitle(text(text_id::kSolarSystemTitle, "Solar system"));
  int row = 0;
  for (const SwitchRow& s : kBodySwitches) switchBox(s.id, s.textId, s.english, s.field, row++, 0);
  addOkCancel();
}

void DlgSimpleSolarsys::readBack() {
  for (const SwitchRow& s : kBodySwitches) readSwitch(s.id, s.field);
}

// --- disc sizes ---------------------------------------------------------------------

namespace {

DiscSizeSettings ChartSettings::*const kDiscs[3] = {&ChartSettings::planetDiscs, &ChartSettings::minorPlanetDiscs,
                                                    &ChartSettings::cometDiscs};
constexpr const char* kGroupNames[3] = {"Planets", "Minor planets", "Comets"};
constexpr const char* kSizeNames[4] = {"Smallest disc: a star at the limit + (magnitudes)",
                                       "Largest disc: a star at the limit + (magnitudes)", "Smallest disc (pixels)",
                                       "Largest disc (pixels)"};
constexpr int kFlagBits = 0xF;

}  // namespace

// A row per flag, a column pair (switch, value) per group.
void DlgSolarsysDispParams::onInitDialog() {
  window()->setWindowTitle(text(text_id::kSolarDisplayTitle, "Solar-system display"));
  for (int bit = 0; bit < 4; ++bit) grid()->addWidget(label(80 + bit, text(14503 + bit, kSizeNames[bit])), 1 + bit, 0);
  for (int g = 0; g < 3; ++g) {
    const DiscSizeSettings& d = settings_.*kDiscs[g];
    grid()->addWidget(label(90 + g, text(14500 + g, kGroupNames[g])), 0, 1 + 2 * g, 1, 2);
    const int values[4] = {d.minimumOffset, d.maximumOffset, d.fixedMinimum, d.fixedMaximum};
    for (int bit = 0; bit < 4; ++bit) {
      grid()->addWidget(checkBox(flagId(g, bit), QString(), (d.flags >> bit) & 1), 1 + bit, 1 + 2 * g);
      const bool magnitudes = bit < 2;
      const RangedField field{magnitudes ? kMagnitudeRange : kPixelRange, 14503 + bit, kSizeNames[bit]};
      grid()->addWidget(numberEdit(valueId(g, bit), field, values[bit], magnitudes ? 2 : 0), 1 + bit, 2 + 2 * g);
    }
  }
  addOkCancel();
}

void DlgSolarsysDispParams::readBack() {
  for (int g = 0; g < 3; ++g) {
    DiscSizeSettings& d = settings_.*kDiscs[g];
    d.flags &= ~kFlagBits;
    for (int bit = 0; bit < 4; ++bit) d.flags |= isChecked(flagId(g, bit)) ? 1 << bit : 0;
    d.minimumOffset = number(valueId(g, 0));
    d.maximumOffset = number(valueId(g, 1));
    d.fixedMinimum = number(valueId(g, 2));
    d.fixedMaximum = number(valueId(g, 3));
  }
}

// --- planet tracks --------------------------------------------------------------------

void DlgPlanetTracks::onInitDialog() {
  window()->setWindowTitle(text(text_id::kPlanetTracksTitle, "Planet tracks"));
  const PlanetTrackSettings& t = settings_.planetTracks;
  for (int b = 0; b < kBodyCount; ++b) {
    switchBox(kFirstBody + b, text(text_id::kBodyNameFirst + b, SolarSystem::defaultName(b)), t.bodies[b], b % 5, b / 5);
  }
  trackFields(kDateLabels, t.dateLabels, t.days, t.markInterval, t.labelStep, 5);
  addOkCancel();
}

void DlgPlanetTracks::readBack() {
  PlanetTrackSettings& t = settings_.planetTracks;
  for (int b = 0; b < kBodyCount; ++b) t.bodies[b] = switchValue(kFirstBody + b);
  readTrackFields(kDateLabels, t.dateLabels, t.days, t.markInterval, t.labelStep);
}

}  // namespace celvaro
