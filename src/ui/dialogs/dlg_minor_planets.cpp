#include "ui/dialogs/dlg_minor_planets.h"

#include <QGridLayout>
#include <QLineEdit>

#include "app/text_ids.h"

namespace celvaro {
namespace {

constexpr const char* kListNames[4] = {"Bright minor planets", "Critical-list minor planets", "Distant minor planets",
                                       "Unusual minor planets"};
constexpr int kPackedEpochChars = 5;

}  // namespace

std::array<DecimalRow, 9> DlgMinorPlanets::elementRows() {
  UserAsteroid& a = asteroid_;
  return {{{kFirstElement, 14545, "Semi-major axis a (AU)", &a.a},
           {kFirstElement + 1, 14525, "Eccentricity e", &a.e},
           {kFirstElement + 2, 14526, "Inclination i (degrees)", &a.iDeg},
           {kFirstElement + 3, 14527, "Argument of perihelion \u03c9 (degrees)", &a.wDeg},
           {kFirstElement + 4, 14528, "Longitude of the ascending node \u03a9 (degrees)", &a.nodeDeg},
           {kFirstElement + 5, 14546, "Daily motion n (degrees)", &a.nDegPerDay},
           {kFirstElement + 6, 14547, "Mean anomaly M (degrees)", &a.meanAnomalyDeg},
           {kFirstElement + 7, 14548, "Slope parameter G", &a.g},
           {kFirstElement + 8, 14549, "Absolute magnitude H", &a.h}}};
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
  addOkCancel();
}

// Called on OK only, so the asteroid's fields are written in place.
void DlgMinorPlanets::readBack() {
  for (int i = 0; i < 4; ++i) settings_.minorPlanetLists[i] = switchValue(kFirstList + i);
  asteroid_.shown = switchValue(kShown);
  asteroid_.name = itemText(kName);
  readDecimals(elementRows());
  asteroid_.epoch = itemText(kEpoch);
}

}  // namespace celvaro
