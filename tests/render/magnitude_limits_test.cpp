#include "render/magnitude_limits.h"

#include <gtest/gtest.h>

#include "app/chart_settings.h"

namespace celvaro {
namespace {

ChartSettings withField(int field) {
  ChartSettings s;
  s.fieldArcmin = field;
  return s;
}

TEST(MagnitudeLimits, StarLimitFollowsTheFieldAndIsCapped) {
  ChartSettings s = withField(5400);
  computeMagnitudeLimits(s);
  EXPECT_EQ(s.starLimitHundredths, 600);
  s = withField(10800);
  computeMagnitudeLimits(s);
  EXPECT_EQ(s.starLimitHundredths, 600);
  s = withField(10);  // 20.00 before the cap
  computeMagnitudeLimits(s);
  EXPECT_EQ(automaticStarLimit(10), 2000);
  EXPECT_EQ(s.starLimitHundredths, 1150);
  s = withField(900);
  s.starLimitAutoOffset = -100;
  computeMagnitudeLimits(s);
  EXPECT_EQ(s.starLimitHundredths, 800);
  s.starLimitManual = 1;
  s.starLimitManualValue = 1300;
  computeMagnitudeLimits(s);
  EXPECT_EQ(s.starLimitHundredths, 1150);
  EXPECT_EQ(automaticStarLimit(1319), 900);
  EXPECT_EQ(automaticStarLimit(1320), 850);
}

TEST(MagnitudeLimits, LabelsFollowTheStarLimitUnlessSwitchedOff) {
  ChartSettings s = withField(3600);  // star limit 7.00
  s.needStarFlamsteed = 0;
  s.needStarAbbreviation = 1;
  s.abbreviationMaxFieldArcmin = 1800;
  computeMagnitudeLimits(s);
  EXPECT_EQ(s.starNameLimitHundredths, 300);
  EXPECT_EQ(s.bayerLimitHundredths, 400);
  EXPECT_EQ(s.flamsteedLimitHundredths, -200);     // switched off
  EXPECT_EQ(s.abbreviationLimitHundredths, -200);  // the field exceeds its maximum
  s.fieldArcmin = 1800;
  s.nameLabel.manual = 1;
  computeMagnitudeLimits(s);
  EXPECT_EQ(s.abbreviationLimitHundredths, 800 - 300);
  EXPECT_EQ(s.starNameLimitHundredths, 400);
}

TEST(MagnitudeLimits, VariableDoubleAndDeepskyLimits) {
  ChartSettings s = withField(3600);
  s.maxStarDiameter = 40;
  computeMagnitudeLimits(s);
  EXPECT_EQ(s.maxStarDiameter, 25);  // lowered to the cap
  EXPECT_EQ(s.variableLimitHundredths, 500);
  EXPECT_EQ(s.variableLabelLimitHundredths, 300);
  EXPECT_EQ(s.doubleLimitHundredths, 500);
  EXPECT_EQ(s.doubleLabelLimitHundredths, 700);
  EXPECT_EQ(s.deepskyLevel, 2);
  s.variableFilterMode = 1;
  s.doubleLimitMode = 4 | 8;
  s.doubleLimitManual = 950;
  s.deepskyMode = 1;
  s.deepskyLevelOffset = -5;
  computeMagnitudeLimits(s);
  EXPECT_EQ(s.variableLimitHundredths, 1000);
  EXPECT_EQ(s.doubleLimitHundredths, 700);  // the smaller of the manual and the star limit
  EXPECT_EQ(s.doubleLabelLimitHundredths, 700);
  EXPECT_EQ(s.deepskyLevel, 0);  // clamped
  s.deepskyMode = 2;
  s.deepskyManualLevel = 14;
  computeMagnitudeLimits(s);
  EXPECT_EQ(s.deepskyLevel, 10);
  EXPECT_EQ(automaticDeepskyLevel(299), 10);
  EXPECT_EQ(automaticDeepskyLevel(5400), 0);
}

}  // namespace
}  // namespace celvaro
