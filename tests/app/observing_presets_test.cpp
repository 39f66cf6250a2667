#include "app/observing_presets.h"

#include <gtest/gtest.h>

#include <tuple>

#include "model/chart_settings.h"

namespace celvaro {
namespace {

// The fields the presets set, group by group.
auto starGroup(const ChartSettings& s) {
  return std::tuple(s.starLimitManual, s.starLimitAutoOffset, s.starLimitManualValue, s.minStarDiameter,
                    s.maxStarDiameter, s.starColouring, s.colourLimitManual, s.nameLabel);
}
auto variableGroup(const ChartSettings& s) {
  return std::tuple(s.needVariableStars, s.variableFilterMode, s.variableLimitOffset, s.variableLimitManual,
                    s.variableLabel, s.needVariableLabels, s.variableLabelWithType, s.variableLabelWithRange,
                    s.variableAmplitudeFilter, s.variableMinAmplitude, s.variableTypeFilter, s.variableTypes,
                    s.variableMinPeriodFilter, s.variableMinPeriod, s.variableMaxPeriodFilter, s.variableMaxPeriod);
}
auto doubleGroup(const ChartSettings& s) {
  return std::tuple(s.needDoubleStars, s.doubleLimitMode, s.doubleLimitOffset, s.doubleLabelOffset,
                    s.doubleLimitManual);
}
auto deepskyGroup(const ChartSettings& s) {
  return std::tuple(s.deepskyMode, s.deepskyLevelOffset, s.deepskyLabels, s.deepskyLabelLevelOffset,
                    s.deepskyPerType, s.deepskyPerTypeLabels);
}

TEST(ObservingPresets, SchematicThenDefaultRestoresTheDefaultsOfAllFourGroups) {
  const ChartSettings fresh;
  ChartSettings settings;
  ASSERT_TRUE(applyPreset(settings, kPresetSchematic));
  EXPECT_NE(variableGroup(settings), variableGroup(fresh));
  EXPECT_NE(doubleGroup(settings), doubleGroup(fresh));
  EXPECT_NE(deepskyGroup(settings), deepskyGroup(fresh));
  ASSERT_TRUE(applyPreset(settings, kPresetDefault));
  // The default preset draws stars in colour, which a fresh chart does not.
  ChartSettings expected;
  expected.starColouring = 1;
  EXPECT_EQ(starGroup(settings), starGroup(expected));
  EXPECT_EQ(variableGroup(settings), variableGroup(fresh));
  EXPECT_EQ(doubleGroup(settings), doubleGroup(fresh));
  EXPECT_EQ(deepskyGroup(settings), deepskyGroup(fresh));
  settings.starColouring = 0;
  EXPECT_EQ(settings, fresh);
  EXPECT_FALSE(applyPreset(settings, kPresetCount));
  EXPECT_FALSE(applyPreset(settings, -1));
  EXPECT_EQ(settings, fresh);
}

}  // namespace
}  // namespace celvaro
