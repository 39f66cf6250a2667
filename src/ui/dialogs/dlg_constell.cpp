#include "ui/dialogs/dlg_constell.h"

#include <QListWidget>

#include <string>

#include "astro/constellation_list.h"
#include "model/text_ids.h"

namespace celvaro {
namespace {

enum NameChoice : uint32_t { kNoNames = 0, kLatinNames = 1, kAbbreviations = 2 };

// "CMa  Canis Major": an entry of the constellation list as the list shows it.
QString listRow(int number) {
  return QString::fromStdString(std::string(constellationAbbreviation(number)) + "  " + shownConstellationName(number));
}

}  // namespace

// The abbreviations are drawn when their switch is on, whatever the names'
// switch says, so that is the choice shown then.
void DlgConstell::onInitDialog() {
  constexpr int first = text_id::kConstellationLabelFirst;
  window()->setWindowTitle(text(first, "Constellations"));
  switchBox(kFigures, 14454, "Constellation lines", &ChartSettings::needConstLines, 0, 0);
  switchBox(kBoundaries, 14455, "Constellation boundaries", &ChartSettings::needConstBoundaries, 1, 0);
  grid()->addWidget(label(kFirstNames - 1, text(first + 1, "Names on the chart")), 2, 0);
  const char* choices[] = {"No names", "Latin names", "Abbreviations"};
  const uint32_t shown = settings_.needConstAbbreviations ? kAbbreviations
                         : settings_.needConstNames       ? kLatinNames
                                                          : kNoNames;
  radioChoice({kFirstNames, first + 2, choices}, shown, 3, 0);
  grid()->addWidget(label(kList - 1, text(first + 5, "Abbreviations and Latin names")), 6, 0);
  auto* list = new QListWidget(window());
  list->setObjectName(objectName(kList));
  for (int number = 0; number < kConstellationCount; ++number) list->addItem(listRow(number));
  grid()->addWidget(list, 7, 0);
  addOkCancel();
}

void DlgConstell::readBack() {
  readSwitch(kFigures, &ChartSettings::needConstLines);
  readSwitch(kBoundaries, &ChartSettings::needConstBoundaries);
  settings_.needConstNames = switchValue(kFirstNames + kLatinNames);
  settings_.needConstAbbreviations = switchValue(kFirstNames + kAbbreviations);
}

}  // namespace celvaro
