#include "ui/dialogs/dlg_star_layers.h"

#include <QGridLayout>

#include "model/text_ids.h"

namespace celvaro {
namespace {

constexpr LimitTexts kLabelLimitTexts = {14601,
                                         {"Manual label limit", "Offset of the automatic label limit (magnitudes)",
                                          "Manual label limit (magnitude)"}};

// A limit chosen by one bit of doubleLimitMode.
LabelLimitSetting modeLimit(int mode, int bit, int manualValue, int offset) {
  return {static_cast<uint8_t>((mode & bit) ? 1 : 0), manualValue, offset};
}

// Writes a limit read from the dialog back; the other bits of the mode stay.
void storeModeLimit(const LabelLimitSetting& limit, int bit, int& mode, int& manualValue, int& offset) {
  mode = limit.manual ? (mode | bit) : (mode & ~bit);
  manualValue = limit.manualValue;
  offset = limit.offset;
}

constexpr int kManualDoubleLimit = 4;
constexpr int kManualDoubleLabels = 8;

}  // namespace

// --- variable stars -------------------------------------------------------------------

namespace {

// Amplitudes in hundredths of a magnitude, periods in hundredths of a day.
// The longest periods of the catalogues' variables are some tens of years.
constexpr ValueRange kAmplitudeRange{0, 30}, kPeriodRange{0, 100000};
constexpr SwitchedNumber kVariableFilters[] = {
    {VarStarSettingsDlg::kAmplitude, 14607, "Amplitude at least (magnitudes)", &ChartSettings::variableAmplitudeFilter,
     &ChartSettings::variableMinAmplitude, 2, kAmplitudeRange},
    {VarStarSettingsDlg::kMinPeriod, 14609, "Period at least (days)", &ChartSettings::variableMinPeriodFilter,
     &ChartSettings::variableMinPeriod, 2, kPeriodRange},
    {VarStarSettingsDlg::kMaxPeriod, 14610, "Period at most (days)", &ChartSettings::variableMaxPeriodFilter,
     &ChartSettings::variableMaxPeriod, 2, kPeriodRange},
};

constexpr const char* kTypeLetters[6] = {"E", "P", "R", "C", "L", "X"};
constexpr const char* kTypeMeanings[6] = {"eclipsing", "pulsating", "rotating", "cataclysmic and eruptive",
                                          "long-period and irregular", "other"};

}  // namespace

void VarStarSettingsDlg::onInitDialog() {
  window()->setWindowTitle(text(text_id::kVariableStarsTitle, "Variable stars"));
  switchBox(kShown, 14600, "Show variable stars", &ChartSettings::needVariableStars, 0, 0);
  const LabelLimitSetting limit{static_cast<uint8_t>(settings_.variableFilterMode != 0 ? 1 : 0),
                                settings_.variableLimitManual, settings_.variableLimitOffset};
  int row = limitFields(kLimit, kMagnitudeLimitTexts, limit, 1);
  switchedNumber(kVariableFilters[0], row++);
  switchBox(kTypeFilter, 14608, "Only these types:", &ChartSettings::variableTypeFilter, row++, 0);
  for (int i = 0; i < 6; ++i) {
    const QString name = QStringLiteral("%1 – %2").arg(kTypeLetters[i], text(14611 + i, kTypeMeanings[i]));
    switchBox(kFirstType + i, name, settings_.variableTypes[i], row + i / 2, i % 2);
  }
  row += 3;
  switchedNumber(kVariableFilters[1], row++);
  switchedNumber(kVariableFilters[2], row++);
  addOkCancel();
}

void VarStarSettingsDlg::readBack() {
  readSwitch(kShown, &ChartSettings::needVariableStars);
  const LabelLimitSetting limit = readLimitFields(kLimit);
  settings_.variableFilterMode = limit.manual;
  settings_.variableLimitManual = limit.manualValue;
  settings_.variableLimitOffset = limit.offset;
  for (const SwitchedNumber& filter : kVariableFilters) readSwitchedNumber(filter);
  readSwitch(kTypeFilter, &ChartSettings::variableTypeFilter);
  for (int i = 0; i < 6; ++i) settings_.variableTypes[i] = switchValue(kFirstType + i);
}

// --- variable-star labels ---------------------------------------------------------------

// The label limit is the manual value or the variable-star limit plus the offset.
void DlgVarStarLabels::onInitDialog() {
  window()->setWindowTitle(text(text_id::kVariableLabelsTitle, "Variable-star labels"));
  switchBox(kShown, 14604, "Variable-star labels", &ChartSettings::needVariableLabels, 0, 0);
  const int row = limitFields(kLimit, kLabelLimitTexts, settings_.variableLabel, 1);
  switchBox(kWithType, 14605, "Type in the label", &ChartSettings::variableLabelWithType, row, 0);
  switchBox(kWithRange, 14606, "Range in the label", &ChartSettings::variableLabelWithRange, row + 1, 0);
  addOkCancel();
}

void DlgVarStarLabels::readBack() {
  readSwitch(kShown, &ChartSettings::needVariableLabels);
  settings_.variableLabel = readLimitFields(kLimit);
  readSwitch(kWithType, &ChartSettings::variableLabelWithType);
  readSwitch(kWithRange, &ChartSettings::variableLabelWithRange);
}

// --- double stars -----------------------------------------------------------------------

namespace {

// Separations in tenths of an arcsecond, up to a degree.
constexpr ValueRange kSeparationRange{0, 3600};

}  // namespace

void DlgDoublestars::onInitDialog() {
  window()->setWindowTitle(text(text_id::kDoubleStarsTitle, "Double stars"));
  switchBox(kShown, 14620, "Show double stars", &ChartSettings::needDoubleStars, 0, 0);
  const ChartSettings& s = settings_;
  const LabelLimitSetting limit = modeLimit(s.doubleLimitMode, kManualDoubleLimit, s.doubleLimitManual, s.doubleLimitOffset);
  int row = limitFields(kLimit, kMagnitudeLimitTexts, limit, 1);
  switchBox(kSeparationFilter, 14622, "Separation filter", &ChartSettings::doubleSeparationFilter, row++, 0);
  fixedField(kSeparationMin, 14623, "Smallest separation (arcseconds)", s.doubleSeparationMin, 1, kSeparationRange, row++);
  fixedField(kSeparationMax, 14624, "Largest separation (arcseconds)", s.doubleSeparationMax, 1, kSeparationRange, row++);
  switchBox(kKeepUnknown, 14625, "Keep doubles of unknown separation", &ChartSettings::doubleKeepUnknownSeparations, row, 0);
  addOkCancel();
}

void DlgDoublestars::readBack() {
  ChartSettings& s = settings_;
  readSwitch(kShown, &ChartSettings::needDoubleStars);
  storeModeLimit(readLimitFields(kLimit), kManualDoubleLimit, s.doubleLimitMode, s.doubleLimitManual, s.doubleLimitOffset);
  readSwitch(kSeparationFilter, &ChartSettings::doubleSeparationFilter);
  s.doubleSeparationMin = number(kSeparationMin);
  s.doubleSeparationMax = number(kSeparationMax);
  readSwitch(kKeepUnknown, &ChartSettings::doubleKeepUnknownSeparations);
}

// --- double-star labels -----------------------------------------------------------------

void DlgDoublestarLabels::onInitDialog() {
  window()->setWindowTitle(text(text_id::kDoubleLabelsTitle, "Double-star labels"));
  switchBox(kShown, 14621, "Double-star labels", &ChartSettings::needDoubleLabels, 0, 0);
  const ChartSettings& s = settings_;
  const LabelLimitSetting limit = modeLimit(s.doubleLimitMode, kManualDoubleLabels, s.doubleLabelManual, s.doubleLabelOffset);
  limitFields(kLimit, kLabelLimitTexts, limit, 1);
  addOkCancel();
}

void DlgDoublestarLabels::readBack() {
  ChartSettings& s = settings_;
  readSwitch(kShown, &ChartSettings::needDoubleLabels);
  storeModeLimit(readLimitFields(kLimit), kManualDoubleLabels, s.doubleLimitMode, s.doubleLabelManual, s.doubleLabelOffset);
}

}  // namespace celvaro
