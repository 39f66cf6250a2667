#include "render/magnitude_limits.h"

#include <gtest/gtest.h>

#include "model/chart_settings.h"

namespace celvaro {
namespace {

ChartSettings limitsFor(int field, void (*change)(ChartSettings&) = [](ChartSettings&) {}) {
  ChartSettings s;
  s.fieldArcmin = field;
  change(s);
  computeMagnitudeLimits(s);
  return s;
}

// The star limit follows the field row by row (a field that reaches a row
// takes it), shifted by the offset or set by hand, and never fainter than
// 11.50.
TEST(MagnitudeLimits, TheStarLimitFollowsTheFieldAndIsCapped) {
  EXPECT_EQ(limitsFor(10800).starLimitHundredths, 600);
  EXPECT_EQ((std::tuple{automaticStarLimit(1319), automaticStarLimit(1320)}), (std::tuple{900, 850}));
  EXPECT_EQ((std::tuple{automaticStarLimit(10), limitsFor(10).starLimitHundredths}), (std::tuple{2000, 1150}));
  EXPECT_EQ(limitsFor(900, [](ChartSettings& s) { s.starLimitAutoOffset = -100; }).starLimitHundredths, 800);
  EXPECT_EQ(limitsFor(900, [](ChartSettings& s) {
              s.starLimitManual = 1;
              s.starLimitManualValue = 1300;
            }).starLimitHundredths,
            1150);
}

// Switched off, past their field or set by hand beyond the star limit, the
// layers' limits keep to their edges.
TEST(MagnitudeLimits, LabelsAndTheOtherLayersKeepToTheirEdges) {
  ChartSettings s = limitsFor(3600, [](ChartSettings& s) {  // star limit 7.00
    s.needStarFlamsteed = 0;
    s.needStarAbbreviation = 1;
    s.abbreviationMaxFieldArcmin = 1800;
    s.maxStarDiameter = 40;
  });
  EXPECT_EQ(s.flamsteedLimitHundredths, -200);     // switched off
  EXPECT_EQ(s.abbreviationLimitHundredths, -200);  // the field exceeds its maximum
  EXPECT_EQ(s.maxStarDiameter, 25);                // lowered to the cap
  s = limitsFor(1800, [](ChartSettings& s) {  // star limit 8.00
    s.doubleLimitMode = 4 | 8;
    s.doubleLimitManual = 950;
    s.deepskyMode = 1;
    s.deepskyLevelOffset = -9;
  });
  EXPECT_EQ(s.doubleLimitHundredths, 800);  // the smaller of the manual and the star limit
  EXPECT_EQ(s.deepskyLevel, 0);             // clamped
  s = limitsFor(3600, [](ChartSettings& s) {
    s.deepskyMode = 2;
    s.deepskyManualLevel = 14;
  });
  EXPECT_EQ(s.deepskyLevel, 10);
}

}  // namespace
}  // namespace celvaro
