#include "ui/dialogs/dlg_deepsky.h"

#include <QGridLayout>
#include <QLabel>


#include "model/text_ids.h"

namespace celvaro {
namespace {

constexpr ValueRange kManualLevelRange{0, 10};

}  // namespace

// --- display and label levels -----------------------------------------------------------

void DlgSimpleDeepsky::onInitDialog() {
  window()->setWindowTitle(text(text_id::kDeepskyTitle, "Deep-sky objects"));
  const char* modes[] = {"No deep-sky objects", "Automatic level", "Manual level"};
  for (int i = 0; i < 3; ++i) {
    grid()->addWidget(radioButton(kFirstMode + i, text(14630 + i, modes[i]), settings_.deepskyMode == i), i, 0);
  }
  numberField(kLevelOffset, 14633, "Offset of the automatic level (levels)", settings_.deepskyLevelOffset,
              kLevelOffsetRange, 3);
  numberField(kManualLevel, 14634, "Manual level (0 to 10)", settings_.deepskyManualLevel, kManualLevelRange, 4);
  switchBox(kLabels, 14635, "Labels", &ChartSettings::deepskyLabels, 5, 0);
  switchBox(kSecondLabels, 14636, "Magnitudes after the designations", &ChartSettings::deepskySecondLabels, 6, 0);
  numberField(kLabelOffset, 14637, "Offset of the label level (levels)", settings_.deepskyLabelLevelOffset,
              kLevelOffsetRange, 7);
  numberField(kSecondLabelOffset, 14638, "Offset of the magnitude level (levels)", settings_.deepskySecondLabelOffset,
              kLevelOffsetRange, 8);
  addOkCancel();
}

void DlgSimpleDeepsky::readBack() {
  for (int i = 0; i < 3; ++i) {
    if (isChecked(kFirstMode + i)) settings_.deepskyMode = i;
  }
  settings_.deepskyLevelOffset = number(kLevelOffset);
  settings_.deepskyManualLevel = number(kManualLevel);
  readSwitch(kLabels, &ChartSettings::deepskyLabels);
  readSwitch(kSecondLabels, &ChartSettings::deepskySecondLabels);
  settings_.deepskyLabelLevelOffset = number(kLabelOffset);
  settings_.deepskySecondLabelOffset = number(kSecondLabelOffset);
}

// --- catalog designations -------------------------------------------------------------

namespace {

constexpr const char* kDesignations[6] = {"Messier", "NGC", "IC", "UGC", "PGC", "Other designations"};
constexpr int kDesignationBits = 0x3F;

}  // namespace

void DlgDeepskyCatalogIds::onInitDialog() {
  window()->setWindowTitle(text(text_id::kDeepskyIdsTitle, "Deep-sky catalog identifiers"));
  const DeepskyIdentifierSettings& ids = settings_.deepskyIdentifiers;
  for (int bit = 0; bit < 6; ++bit) {
    switchBox(kFirstDesignation + bit, text(14640 + bit, kDesignations[bit]), (ids.mask >> bit) & 1, bit, 0);
  }
  switchBox(kOnlyOne, text(14646, "Only the first of Messier, NGC and IC"), ids.onlyOne, 6, 0);
  switchBox(kShowNames, text(14647, "Common names"), ids.showNames, 7, 0);
  addOkCancel();
}

void DlgDeepskyCatalogIds::readBack() {
  DeepskyIdentifierSettings& ids = settings_.deepskyIdentifiers;
  ids.mask &= ~kDesignationBits;
  for (int bit = 0; bit < 6; ++bit) ids.mask |= isChecked(kFirstDesignation + bit) ? 1 << bit : 0;
  ids.onlyOne = switchValue(kOnlyOne);
  ids.showNames = switchValue(kShowNames);
}

// --- settings by object type ----------------------------------------------------------

namespace {

constexpr int kOwnTypes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15};
constexpr const char* kTypeNames[16] = {"",
                                        "Galaxies",
                                        "Globular clusters",
                                        "Open clusters",
                                        "Asterisms",
                                        "Open clusters with nebulosity",
                                        "Planetary nebulae",
                                        "Bright diffuse nebulae",
                                        "Supernova remnants",
                                        "Dark nebulae",
                                        "Galaxy clusters",
                                        "", "", "", "",
                                        "Quasars"};
constexpr const char* kColumnNames[5] = {"Shown", "Level offset", "Label", "Magnitude", "Label level offset"};
constexpr int kFirstTypeRow = 3;

// A column of level offsets, named by its heading.
RangedField levelField(int column) {
  return {kLevelOffsetRange, 14652 + column, kColumnNames[column], NumberForm::kWhole};
}

}  // namespace

void DlgDeepskyLabelsForTypes::onInitDialog() {
  window()->setWindowTitle(text(text_id::kDeepskyTypesTitle, "Deep-sky labels by type"));
  switchBox(kPerType, 14650, "Settings by object type", &ChartSettings::deepskyPerType, 0, 0);
  switchBox(kPerTypeLabels, 14651, "Labels by object type", &ChartSettings::deepskyPerTypeLabels, 1, 0);
  for (int c = 0; c < 5; ++c) grid()->addWidget(label(90 + c, text(14652 + c, kColumnNames[c])), 2, 1 + c);
  int row = kFirstTypeRow;
  for (int type : kOwnTypes) {
    const DeepskyTypeSettings& t = settings_.deepskyTypes[type];
    grid()->addWidget(label(cellId(type, kNameColumn), text(14660 + type, kTypeNames[type])), row, 0);
    switchBox(cellId(type, kShownColumn), QString(), t.shown, row, 1);
    grid()->addWidget(numberEdit(cellId(type, kLevelColumn), levelField(1), t.levelOffset, 0), row, 2);
    switchBox(cellId(type, kLabelColumn), QString(), t.label, row, 3);
    switchBox(cellId(type, kSecondLabelColumn), QString(), t.secondLabel, row, 4);
    grid()->addWidget(numberEdit(cellId(type, kLabelLevelColumn), levelField(4), t.labelOffset, 0), row++, 5);
  }
  addOkCancel();
}

void DlgDeepskyLabelsForTypes::readBack() {
  readSwitch(kPerType, &ChartSettings::deepskyPerType);
  readSwitch(kPerTypeLabels, &ChartSettings::deepskyPerTypeLabels);
  for (int type : kOwnTypes) {
    DeepskyTypeSettings& t = settings_.deepskyTypes[type];
    t.shown = switchValue(cellId(type, kShownColumn));
    t.levelOffset = number(cellId(type, kLevelColumn));
    t.label = switchValue(cellId(type, kLabelColumn));
    t.secondLabel = switchValue(cellId(type, kSecondLabelColumn));
    t.labelOffset = number(cellId(type, kLabelLevelColumn));
  }
}

}  // namespace celvaro
