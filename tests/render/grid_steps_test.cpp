#include "render/grid_steps.h"

#include <gtest/gtest.h>

namespace celvaro {
namespace {

// A field that reaches a row's threshold takes its row; the right-ascension
// step never exceeds one hour. A step of 0 is not checked.
TEST(GridSteps, FollowTheFieldAndWidenTowardThePoles) {
  const struct {
    int field, dec, raStep, decStep;
  } kSteps[] = {{5400, 0, 900, 900}, {50, 5300, 300, 10}, {50, -5300, 300, 0}, {4200, 0, 0, 900}, {4199, 0, 0, 600},
                {29, 0, 0, 3},       {30, 3600, 5, 0},    {30, 3601, 10, 0},   {1800, 5400, 900, 0}};
  for (const auto& row : kSteps) {
    SCOPED_TRACE(::testing::Message() << row.field << " " << row.dec);
    const auto steps = automaticGridSteps(row.field, row.dec);
    EXPECT_EQ(row.raStep ? steps.raArcmin : 0, row.raStep);
    EXPECT_EQ(row.decStep ? steps.decArcmin : 0, row.decStep);
  }
}

}  // namespace
}  // namespace celvaro
