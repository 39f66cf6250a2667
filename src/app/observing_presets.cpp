#include "app/observing_presets.h"

#include "model/chart_settings.h"

namespace celvaro {
namespace {

struct StarGroup {
  int maxDiameter, autoOffset;
  uint8_t colouring;
  int labelOffset;
};
struct VariableGroup {
  uint8_t shown;
  int autoOffset;
};
struct DoubleGroup {
  uint8_t shown;
  int limitOffset, labelOffset, manualLimit;
};
struct DeepskyGroup {
  int levelOffset, labelOffset;
};
struct Preset {
  StarGroup stars;
  VariableGroup variables;
  DoubleGroup doubles;
  DeepskyGroup deepsky;
};

constexpr Preset kPresets[kPresetCount] = {
    {{9, 0, 1, -400}, {1, -200}, {1, -200, 0, 900}, {0, -2}},        // default
    {{9, 0, 0, -400}, {0, -200}, {0, -400, -200, 900}, {-1, -2}},    // schematic
    {{15, 100, 1, 0}, {1, 200}, {1, -400, -200, 900}, {-2, -2}},     // variable stars
    {{15, 100, 1, 0}, {1, -200}, {1, 0, 100, 0}, {-2, -2}},          // double stars
    {{9, 0, 1, -400}, {1, -200}, {1, -400, -400, 900}, {0, -1}},     // deep sky
};

constexpr int kStarManualLimit = 600;
constexpr int kNameManualLimit = 400;
constexpr int kVariableManualLimit = 1000;
constexpr int kDoubleModeAutomatic = 3;
constexpr int kDeepskyAutomatic = 1;

// The star limit and the colour limit automatic, the star-name label limit
// at its offset.
void setStars(ChartSettings& s, const StarGroup& g) {
  s.starLimitManual = 0;
  s.starLimitAutoOffset = g.autoOffset;
  s.starLimitManualValue = kStarManualLimit;
  s.minStarDiameter = 1;
  s.maxStarDiameter = g.maxDiameter;
  s.starColouring = g.colouring;
  s.colourLimitManual = 0;
  s.nameLabel.offset = g.labelOffset;
  s.nameLabel.manualValue = kNameManualLimit;
}

// The variable-star options the group does not name go back to their defaults.
void setVariables(ChartSettings& s, const VariableGroup& g) {
  const ChartSettings defaults;
  s.needVariableStars = g.shown;
  s.variableFilterMode = 0;
  s.variableLimitOffset = g.autoOffset;
  s.variableLimitManual = kVariableManualLimit;
  s.variableLabel = defaults.variableLabel;
  s.needVariableLabels = defaults.needVariableLabels;
  s.variableLabelWithType = defaults.variableLabelWithType;
  s.variableLabelWithRange = defaults.variableLabelWithRange;
  s.variableAmplitudeFilter = defaults.variableAmplitudeFilter;
  s.variableMinAmplitude = defaults.variableMinAmplitude;
  s.variableTypeFilter = defaults.variableTypeFilter;
  s.variableTypes = defaults.variableTypes;
  s.variableMinPeriodFilter = defaults.variableMinPeriodFilter;
  s.variableMinPeriod = defaults.variableMinPeriod;
  s.variableMaxPeriodFilter = defaults.variableMaxPeriodFilter;
  s.variableMaxPeriod = defaults.variableMaxPeriod;
}

void setDoubles(ChartSettings& s, const DoubleGroup& g) {
  s.needDoubleStars = g.shown;
  s.doubleLimitMode = kDoubleModeAutomatic;
  s.doubleLimitOffset = g.limitOffset;
  s.doubleLabelOffset = g.labelOffset;
  s.doubleLimitManual = g.manualLimit;
}

// Automatic level and labels, without the per-type choices.
void setDeepsky(ChartSettings& s, const DeepskyGroup& g) {
  s.deepskyMode = kDeepskyAutomatic;
  s.deepskyLevelOffset = g.levelOffset;
  s.deepskyLabels = 1;
  s.deepskyLabelLevelOffset = g.labelOffset;
  s.deepskyPerType = 0;
  s.deepskyPerTypeLabels = 0;
}

}  // namespace

bool applyPreset(ChartSettings& settings, int preset) {
  if (preset < 0 || preset >= kPresetCount) return false;
  const Preset& p = kPresets[preset];
  setStars(settings, p.stars);
  setVariables(settings, p.variables);
  setDoubles(settings, p.doubles);
  setDeepsky(settings, p.deepsky);
  return true;
}

}  // namespace celvaro
