// The simple chart dialogs that edit the chart settings: projection and
// mirroring (command 100), constellations and grid (102), stars (200) and
// star labels (201). Each edits a copy; OK writes it back.
#pragma once

#include <map>
#include <span>

#include "model/chart_settings.h"
#include "ui/dialog_framework.h"

namespace celvaro {

// The ranges of the chart's numbers as the dialogs take them.
inline constexpr ValueRange kMagnitudeRange{-30, 30};  // a limit, an offset of one
inline constexpr ValueRange kLevelOffsetRange{-10, 10};  // deep-sky levels
inline constexpr ValueRange kPixelRange{0, 1000};

// A check box over a switch of the chart settings.
struct SwitchRow {
  int id;
  int textId;
  const char* english;
  uint8_t ChartSettings::*field;
};

// A check box over a filter switch with the filter's value beside it, a
// fixed-point number with `decimals` decimals within `range`; the value
// field is id + 1.
struct SwitchedNumber {
  int id;
  int textId;
  const char* english;
  uint8_t ChartSettings::*on;
  int ChartSettings::*value;
  int decimals;
  ValueRange range;
};

// The texts of a limit's three fields from firstTextId on: the manual
// switch, the offset of the automatic limit and the manual value.
struct LimitTexts {
  int firstTextId;
  const char* english[3];
};

// The texts of the star limit, which the variable- and double-star limits share.
inline constexpr LimitTexts kMagnitudeLimitTexts = {
    14471, {"Manual magnitude limit", "Offset of the automatic limit (magnitudes)", "Manual limit (magnitude)"}};

// One choice among radio buttons: ids and texts from firstId and
// firstTextId on, one for each English text.
struct RadioTexts {
  int firstId;
  int firstTextId;
  std::span<const char* const> english;
};

// A dialog over a copy of the chart settings, written back on OK when
// every number field holds a number within its range; the first that does
// not is named in a message and the dialog stays.
class ChartSettingsDialog : public FwDialogBase {
 public:
  // The track stores hold 5000 points, one a day.
  static constexpr int kMaxTrackDays = 4999;

  ChartSettingsDialog(UiResources& resources, ChartSettings& settings)
      : FwDialogBase(resources), target_(settings), settings_(settings) {}
  void onCommand(int id, int code, QWidget* control) override;

 protected:
  // Reads the controls into the copy.
  virtual void readBack() = 0;
  // A check box over a switch, and its reading back.
  void switchBox(int id, const QString& labelText, uint8_t on, int row, int column);
  void switchBox(int id, int textId, const char* fallback, uint8_t ChartSettings::*field, int row, int column) {
    switchBox(id, text(textId, fallback), settings_.*field, row, column);
  }
  uint8_t switchValue(int id) const { return isChecked(id) ? 1 : 0; }
  void readSwitch(int id, uint8_t ChartSettings::*field) { settings_.*field = switchValue(id); }
  // A number field with its label: a whole number within `range`.
  void numberField(int id, int textId, const char* fallback, int value, ValueRange range, int row);
  // A fixed-point number field with its label, `value` in units of
  // 10^-decimals shown with its decimals, the number typed within `range`.
  void fixedField(int id, int textId, const char* fallback, int value, int decimals, ValueRange range, int row);
  // An edit field of such a number, named and ranged by `field` (its form
  // follows the decimals: 0 is a whole number), for the caller to place.
  QLineEdit* numberEdit(int id, const RangedField& field, int value, int decimals);
  // The number of a field made by the three above, in the units it was
  // given in. A refused text is named in a message (the first refusal of a
  // reading only) and reads as 0, and OK then writes nothing back.
  int number(int id);
  // A filter switch and its value.
  void switchedNumber(const SwitchedNumber& filter, int row);
  void readSwitchedNumber(const SwitchedNumber& filter);
  // Radio buttons one a row in a column of the grid, from `row` on, that
  // exclude each other only; button `chosen` (0 the first) is checked.
  void radioChoice(const RadioTexts& texts, uint32_t chosen, int row, int column);
  // A limit in magnitudes: the manual switch, the offset and the manual
  // value, ids from firstId on, rows from row on; answers the row after them.
  int limitFields(int firstId, const LimitTexts& texts, const LabelLimitSetting& limit, int row);
  LabelLimitSetting readLimitFields(int firstId);
  // A track's date-label switch, days, mark interval and label step, ids
  // from firstId on, rows from row on; answers the row after them.
  int trackFields(int firstId, uint8_t dateLabels, int days, int markInterval, int labelStep, int row);
  // Nonsense is refused: days 0..kMaxTrackDays, no negative interval, a
  // label step of at least 1.
  void readTrackFields(int firstId, uint8_t& dateLabels, int32_t& days, int32_t& markInterval, int32_t& labelStep);

  ChartSettings& target_;
  ChartSettings settings_;
  // A field of the reading under way was refused: OK writes nothing back.
  bool refused_ = false;

 private:
  struct NumberRule {
    RangedField field;
    int decimals;
  };
  std::map<int, NumberRule> numbers_;
};

class DlgSimpleProjection final : public ChartSettingsDialog {
 public:
  static constexpr int kFirstProjection = 200;  // 200..204
  static constexpr int kFirstMirror = 300;      // 300..303
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 50; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

class DlgSimpleConstGrid final : public ChartSettingsDialog {
 public:
  static constexpr int kAutomaticGrid = 120, kRaStep = 121, kDecStep = 122;
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 51; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

class DlgSimpleStars final : public ChartSettingsDialog {
 public:
  static constexpr int kManualLimit = 110;  // 110..112: manual switch, offset, manual value
  static constexpr int kLargest = 113, kSmallest = 114;
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 52; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

class DlgStarLabels final : public ChartSettingsDialog {
 public:
  static constexpr int kFirstOffset = 120;  // 120..123: names, Bayer, Flamsteed, abbreviations
  using ChartSettingsDialog::ChartSettingsDialog;
  int resourceId() const override { return 201; }
  void onInitDialog() override;

 private:
  void readBack() override;
};

}  // namespace celvaro
