#include "ui/dialogs/dlg_chart_settings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>

#include "astro/text_forms.h"

namespace celvaro {

void ChartSettingsDialog::onCommand(int id, int code, QWidget* control) {
  if (id == kIdOk) {
    refused_ = false;
    readBack();
    if (refused_) return;
    target_ = settings_;
  }
  FwDialogBase::onCommand(id, code, control);
}

void ChartSettingsDialog::switchBox(int id, const QString& labelText, uint8_t on, int row, int column) {
  grid()->addWidget(checkBox(id, labelText, on != 0), row, column);
}

QLineEdit* ChartSettingsDialog::numberEdit(int id, const RangedField& field, int value, int decimals) {
  RangedField typed = field;
  typed.form = decimals > 0 ? NumberForm::kDecimal : NumberForm::kWhole;
  numbers_[id] = {typed, decimals};
  return edit(id, decimals > 0 ? QString::fromStdString(showFixed(value, decimals)) : QString::number(value));
}

void ChartSettingsDialog::numberField(int id, int textId, const char* fallback, int value, ValueRange range, int row) {
  fixedField(id, textId, fallback, value, 0, range, row);
}

void ChartSettingsDialog::fixedField(int id, int textId, const char* fallback, int value, int decimals,
                                     ValueRange range, int row) {
  grid()->addWidget(label(id + 400, text(textId, fallback)), row, 0);
  grid()->addWidget(numberEdit(id, {range, textId, fallback}, value, decimals), row, 1);
}

int ChartSettingsDialog::number(int id) {
  const NumberRule& rule = numbers_.at(id);
  const std::optional<double> value = refused_ ? std::nullopt : typedNumber(id, rule.field);
  refused_ = refused_ || !value;
  return value ? static_cast<int>(std::lround(*value * std::pow(10, rule.decimals))) : 0;
}

void ChartSettingsDialog::switchedNumber(const SwitchedNumber& filter, int row) {
  switchBox(filter.id, filter.textId, filter.english, filter.on, row, 0);
  const RangedField field{filter.range, filter.textId, filter.english};
  grid()->addWidget(numberEdit(filter.id + 1, field, settings_.*filter.value, filter.decimals), row, 1);
}

void ChartSettingsDialog::readSwitchedNumber(const SwitchedNumber& filter) {
  readSwitch(filter.id, filter.on);
  settings_.*filter.value = number(filter.id + 1);
}

// Radio buttons of one window exclude each other until they are put in
// groups, so the group is made before its choice is checked.
void ChartSettingsDialog::radioChoice(const RadioTexts& texts, uint32_t chosen, int row, int column) {
  auto* group = new QButtonGroup(window());
  for (int i = 0; i < static_cast<int>(texts.english.size()); ++i) {
    QRadioButton* b = radioButton(texts.firstId + i, text(texts.firstTextId + i, texts.english[i]), false);
    group->addButton(b);
    grid()->addWidget(b, row + i, column);
  }
  setChecked(texts.firstId + static_cast<int>(chosen), true);
}

int ChartSettingsDialog::limitFields(int firstId, const LimitTexts& texts, const LabelLimitSetting& limit, int row) {
  switchBox(firstId, text(texts.firstTextId, texts.english[0]), limit.manual, row++, 0);
  fixedField(firstId + 1, texts.firstTextId + 1, texts.english[1], limit.offset, 2, kMagnitudeRange, row++);
  fixedField(firstId + 2, texts.firstTextId + 2, texts.english[2], limit.manualValue, 2, kMagnitudeRange, row++);
  return row;
}

LabelLimitSetting ChartSettingsDialog::readLimitFields(int firstId) {
  const int offset = number(firstId + 1);
  return {switchValue(firstId), number(firstId + 2), offset};
}

int ChartSettingsDialog::trackFields(int firstId, uint8_t dateLabels, int days, int markInterval, int labelStep,
                                     int row) {
  switchBox(firstId, text(14510, "Date labels"), dateLabels, row++, 0);
  numberField(firstId + 1, 14511, "Length of the track (days)", days, {0, kMaxTrackDays}, row++);
  numberField(firstId + 2, 14512, "A mark every (days, 0: no marks)", markInterval, {0, kMaxTrackDays}, row++);
  numberField(firstId + 3, 14513, "A date on every n-th mark", labelStep, {1, kMaxTrackDays}, row++);
  return row;
}

void ChartSettingsDialog::readTrackFields(int firstId, uint8_t& dateLabels, int32_t& days, int32_t& markInterval,
                                          int32_t& labelStep) {
  dateLabels = switchValue(firstId);
  days = number(firstId + 1);
  markInterval = number(firstId + 2);
  labelStep = number(firstId + 3);
}

// --- projection -----------------------------------------------------------------------

void DlgSimpleProjection::onInitDialog() {
  window()->setWindowTitle(text(14430, "Projection"));
  const char* projections[] = {"Orthographic", "Equal-area", "Equidistant", "Stereographic", "Gnomonic"};
  const char* mirrors[] = {"No mirroring", "Central mirroring", "Vertical mirroring", "Horizontal mirroring"};
  radioChoice({kFirstProjection, 14431, projections}, settings_.projectionId <= 4 ? settings_.projectionId : 0, 0, 0);
  radioChoice({kFirstMirror, 14437, mirrors}, std::min(settings_.mirrorMode, 3u), 0, 1);
  addOkCancel();
}

void DlgSimpleProjection::readBack() {
  for (uint32_t i = 0; i < 5; ++i) {
    if (isChecked(kFirstProjection + i)) settings_.projectionId = i;
  }
  for (uint32_t i = 0; i < 4; ++i) {
    if (isChecked(kFirstMirror + i)) settings_.mirrorMode = i;
  }
}

// --- constellations and grid ----------------------------------------------------------

namespace {

// A grid line at least every minute of arc, at most every 180 degrees.
constexpr ValueRange kGridStepRange{1, 10800};

constexpr SwitchRow kConstGridSwitches[] = {
    {100, 14450, "Equatorial grid", &ChartSettings::needEquatorialGrid},
    {101, 14451, "Grid numbering", &ChartSettings::needGridNumbering},
    {102, 14452, "Ecliptic", &ChartSettings::needEcliptic},
    {103, 14453, "Horizon", &ChartSettings::needHorizon},
    {104, 14454, "Constellation lines", &ChartSettings::needConstLines},
    {105, 14455, "Constellation boundaries", &ChartSettings::needConstBoundaries},
    {106, 14456, "Constellation names", &ChartSettings::needConstNames},
    {107, 14457, "Constellation abbreviations", &ChartSettings::needConstAbbreviations},
    {108, 14571, "Atmospheric refraction (horizontal charts, altitudes)", &ChartSettings::refraction},
    {109, 14578, "Milky Way", &ChartSettings::needMilkyWay},
};

constexpr SwitchRow kLabelSwitches[] = {
    {100, 14480, "Star labels", &ChartSettings::needStarLabel},
    {101, 14481, "Proper names", &ChartSettings::needStarName},
    {102, 14482, "Bayer letters", &ChartSettings::needStarBayer},
    {103, 14483, "Flamsteed numbers", &ChartSettings::needStarFlamsteed},
    {104, 14484, "Constellation abbreviations", &ChartSettings::needStarAbbreviation},
};

}  // namespace

void DlgSimpleConstGrid::onInitDialog() {
  window()->setWindowTitle(text(14449, "Constellations and grid"));
  int row = 0;
  for (const SwitchRow& s : kConstGridSwitches) switchBox(s.id, s.textId, s.english, s.field, row++, 0);
  switchBox(kAutomaticGrid, 14458, "Automatic grid steps", &ChartSettings::automaticGrid, row++, 0);
  numberField(kRaStep, 14459, "Right-ascension step (arcmin)", settings_.manualRaGridStepArcmin, kGridStepRange, row++);
  numberField(kDecStep, 14460, "Declination step (arcmin)", settings_.manualDecGridStepArcmin, kGridStepRange, row++);
  addOkCancel();
}

void DlgSimpleConstGrid::readBack() {
  for (const SwitchRow& s : kConstGridSwitches) readSwitch(s.id, s.field);
  readSwitch(kAutomaticGrid, &ChartSettings::automaticGrid);
  settings_.manualRaGridStepArcmin = number(kRaStep);
  settings_.manualDecGridStepArcmin = number(kDecStep);
}

// --- stars --------------------------------------------------------------------------------

namespace {

constexpr ValueRange kStarDiameterRange{1, 100};

}  // namespace

void DlgSimpleStars::onInitDialog() {
  window()->setWindowTitle(text(14469, "Stars"));
  switchBox(100, 14470, "Show stars", &ChartSettings::showStars, 0, 0);
  switchBox(101, 14476, "Stars in colour", &ChartSettings::starColouring, 1, 0);
  const LabelLimitSetting limit{settings_.starLimitManual, settings_.starLimitManualValue, settings_.starLimitAutoOffset};
  limitFields(kManualLimit, kMagnitudeLimitTexts, limit, 2);
  numberField(kLargest, 14474, "Largest star diameter (pixels)", settings_.maxStarDiameter, kStarDiameterRange, 5);
  numberField(kSmallest, 14475, "Smallest star diameter (pixels)", settings_.minStarDiameter, kStarDiameterRange, 6);
  addOkCancel();
}

void DlgSimpleStars::readBack() {
  readSwitch(100, &ChartSettings::showStars);
  readSwitch(101, &ChartSettings::starColouring);
  const LabelLimitSetting limit = readLimitFields(kManualLimit);
  settings_.starLimitManual = limit.manual;
  settings_.starLimitAutoOffset = limit.offset;
  settings_.starLimitManualValue = limit.manualValue;
  settings_.maxStarDiameter = number(kLargest);
  settings_.minStarDiameter = number(kSmallest);
}

// --- star labels ----------------------------------------------------------------------

namespace {

LabelLimitSetting ChartSettings::*const kLabelLimits[4] = {&ChartSettings::nameLabel, &ChartSettings::bayerLabel,
                                                             &ChartSettings::flamsteedLabel,
                                                             &ChartSettings::abbreviationLabel};

}  // namespace

void DlgStarLabels::onInitDialog() {
  window()->setWindowTitle(text(14479, "Star labels"));
  int row = 0;
  for (const SwitchRow& s : kLabelSwitches) switchBox(s.id, s.textId, s.english, s.field, row++, 0);
  grid()->addWidget(label(90, text(14485, "Labelled when brighter than the star limit by (magnitudes):")), row++, 0, 1, 2);
  const char* kinds[] = {"Proper names", "Bayer letters", "Flamsteed numbers", "Constellation abbreviations"};
  for (int i = 0; i < 4; ++i) {
    grid()->addWidget(label(91 + i, text(14481 + i, kinds[i])), row, 0);
    const RangedField field{kMagnitudeRange, 14481 + i, kinds[i]};
    grid()->addWidget(numberEdit(kFirstOffset + i, field, -(settings_.*kLabelLimits[i]).offset, 2), row++, 1);
  }
  addOkCancel();
}

void DlgStarLabels::readBack() {
  for (const SwitchRow& s : kLabelSwitches) readSwitch(s.id, s.field);
  for (int i = 0; i < 4; ++i) (settings_.*kLabelLimits[i]).offset = -number(kFirstOffset + i);
}

}  // namespace celvaro
