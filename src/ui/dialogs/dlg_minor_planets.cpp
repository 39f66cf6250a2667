#include "ui/dialogs/dlg_minor_planets.h"

#include <QGridLayout>
#include <QLineEdit>

#include "model/text_ids.h"
#include "ui/dialogs/dlg_comets.h"

namespace celvaro {
namespace {

constexpr const char* kListNames[4] = {"Bright minor planets", "Critical-list minor planets", "Distant minor planets",
                                       "Unusual minor planets"};
constexpr int kPackedEpochChars = 5;

}  // namespace

// An ellipse: the eccentricity below 1. The slope parameter of the H, G
// system lies near 0.15, a few measured ones below 0 or above 1.
std::array<DecimalRow, 9> DlgMinorPlanets::elementRows() {
  UserAsteroid& a = asteroid_;
  constexpr ValueRange kAngle{0, 360};
  return {{{kFirstElement, 14545, "Semi-major axis a (AU)", &a.a, {0.0001, 10000}},
           {kFirstElement + 1, 14525, "Eccentricity e", &a.e, {0, 0.999999}},
           {kFirstElement + 2, 14526, "Inclination i (degrees)", &a.iDeg, {0, 180}},
           {kFirstElement + 3, 14527, "Argument of perihelion \u03c9 (degrees)", &a.wDeg, kAngle},
           {kFirstElement + 4, 14528, "Longitude of the ascending node \u03a9 (degrees)", &a.nodeDeg, kAngle},
           {kFirstElement + 5, 14546, "Daily motion n (degrees)", &a.nDegPerDay, kAngle},
           {kFirstElement + 6, 14547, "Mean anomaly M (degrees)", &a.meanAnomalyDeg, kAngle},
           {kFirstElement + 7, 14548, "Slope parameter G", &a.g, {-1, 2}},
           {kFirstElement + 8, 14549, "Absolute magnitude H", &a.h, {-10, 40}}}};
}

void DlgMinorPlanets::onInitDialog() {
  window()->setWindowTitle(text(text_id::kMinorPlanetsTitle, "Minor planets"));
  int row = 0;
  grid()->addWidget(label(90, text(14551, "Lists shown and searched")), row++, 0, 1, 2);
  for (int i = 0; i < 4; ++i) switchBox(kFirstList + i, text(14540 + i, kListNames[i]), settings_.minorPlanetLists[i], row++, 0);
  grid()->addWidget(label(91, text(14544, "The user's minor planet")), row++, 0, 1, 2);
  switchBox(kShown, text(14529, "Show on the chart"), asteroid_.shown, row++, 0);
  labelledEdit(kName, text(14520, "Name"), QString::fromStdString(asteroid_.name), row++);
  row = decimalFields(elementRows(), row);
  labelledEdit(kEpoch, text(14550, "Epoch (packed, 5 characters)"), QString::fromStdString(asteroid_.epoch), row)
      ->setMaxLength(kPackedEpochChars);
  if (outdatedAt(asteroid_, julianDayOf(settings_.chartDate))) {
    grid()->addWidget(label(kOutdated, text(text_id::kOutdatedElements, kOutdatedEnglish)), row + 1, 0, 1, 2);
  }
  addOkCancel();
}

// Called on OK only, so the asteroid's fields are written in place, and
// only when every element is a number within its range.
void DlgMinorPlanets::readBack() {
  for (int i = 0; i < 4; ++i) settings_.minorPlanetLists[i] = switchValue(kFirstList + i);
  refused_ = !readDecimals(elementRows());
  if (refused_) return;
  asteroid_.shown = switchValue(kShown);
  asteroid_.name = itemText(kName);
  asteroid_.epoch = itemText(kEpoch);
}

}  // namespace celvaro
