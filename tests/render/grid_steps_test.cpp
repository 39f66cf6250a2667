#include "render/grid_steps.h"

#include <gtest/gtest.h>

namespace celvaro {
namespace {

TEST(GridSteps, FollowTheFieldAndWidenTowardThePoles) {
  EXPECT_EQ(automaticGridSteps(5400, 0).raArcmin, 900);
  EXPECT_EQ(automaticGridSteps(5400, 0).decArcmin, 900);
  EXPECT_EQ(automaticGridSteps(50, 5300).decArcmin, 10);
  EXPECT_EQ(automaticGridSteps(50, 5300).raArcmin, 300);
  EXPECT_EQ(automaticGridSteps(50, -5300).raArcmin, 300);
  // Row edges: a field that reaches a threshold takes its row.
  EXPECT_EQ(automaticGridSteps(4200, 0).decArcmin, 900);
  EXPECT_EQ(automaticGridSteps(4199, 0).decArcmin, 600);
  EXPECT_EQ(automaticGridSteps(29, 0).decArcmin, 3);
  EXPECT_EQ(automaticGridSteps(30, 3600).raArcmin, 5);
  EXPECT_EQ(automaticGridSteps(30, 3601).raArcmin, 10);
  // The right-ascension step never exceeds one hour.
  EXPECT_EQ(automaticGridSteps(1800, 5400).raArcmin, 900);
}

}  // namespace
}  // namespace celvaro
