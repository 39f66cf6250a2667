#include "app/observing_presets.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/chart_settings.h"

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
}

TEST(ObservingPresets, EachPresetSetsItsRowOfTheTable) {
  struct Row {
    int maxDiameter, autoOffset, colouring, labelOffset;
    int variablesShown, variableOffset;
    int doublesShown, doubleOffset, doubleLabelOffset, doubleManual;
    int deepskyOffset, deepskyLabelOffset;
  };
  const Row rows[kPresetCount] = {
      {9, 0, 1, -400, 1, -200, 1, -200, 0, 900, 0, -2},
      {9, 0, 0, -400, 0, -200, 0, -400, -200, 900, -1, -2},
      {15, 100, 1, 0, 1, 200, 1, -400, -200, 900, -2, -2},
      {15, 100, 1, 0, 1, -200, 1, 0, 100, 0, -2, -2},
      {9, 0, 1, -400, 1, -200, 1, -400, -400, 900, 0, -1},
  };
  for (int n = 0; n < kPresetCount; ++n) {
    // Settings far from every preset show that each field is set.
    ChartSettings s;
    s.starLimitManual = s.colourLimitManual = 1;
    s.starLimitManualValue = 111;
    s.minStarDiameter = 3;
    s.nameLabel.manualValue = 222;
    s.variableFilterMode = 4;
    s.variableLimitManual = 333;
    s.variableLabel.offset = 55;
    s.variableTypes[2] = 0;
    s.doubleLimitMode = 12 | 64;
    s.deepskyMode = 2;
    s.deepskyLabels = 0;
    s.deepskyPerType = s.deepskyPerTypeLabels = 1;
    ASSERT_TRUE(applyPreset(s, n));
    const Row& r = rows[n];
    SCOPED_TRACE(n);
    EXPECT_EQ(std::tuple(s.starLimitManual, s.starLimitAutoOffset, s.starLimitManualValue, s.minStarDiameter,
                         s.maxStarDiameter, int{s.starColouring}, s.colourLimitManual, s.nameLabel.offset,
                         s.nameLabel.manualValue),
              std::tuple(uint8_t{0}, r.autoOffset, 600, 1, r.maxDiameter, r.colouring, uint8_t{0}, r.labelOffset, 400));
    EXPECT_EQ(std::tuple(int{s.needVariableStars}, s.variableFilterMode, s.variableLimitOffset, s.variableLimitManual),
              std::tuple(r.variablesShown, 0, r.variableOffset, 1000));
    EXPECT_EQ(s.variableLabel, ChartSettings{}.variableLabel);
    EXPECT_EQ(s.variableTypes, ChartSettings{}.variableTypes);
    EXPECT_EQ(std::tuple(int{s.needDoubleStars}, s.doubleLimitMode, s.doubleLimitOffset, s.doubleLabelOffset,
                         s.doubleLimitManual),
              std::tuple(r.doublesShown, 3, r.doubleOffset, r.doubleLabelOffset, r.doubleManual));
    EXPECT_EQ(std::tuple(s.deepskyMode, s.deepskyLevelOffset, int{s.deepskyLabels}, s.deepskyLabelLevelOffset,
                         int{s.deepskyPerType}, int{s.deepskyPerTypeLabels}),
              std::tuple(1, r.deepskyOffset, 1, r.deepskyLabelOffset, 0, 0));
  }
}

TEST(ObservingPresets, ANumberOutsideTheFiveChangesNothing) {
  ChartSettings s;
  s.maxStarDiameter = 4;
  EXPECT_FALSE(applyPreset(s, 5));
  EXPECT_FALSE(applyPreset(s, -1));
  EXPECT_EQ(s.maxStarDiameter, 4);
}

}  // namespace
}  // namespace celvaro
