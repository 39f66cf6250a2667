// The one- and two-point models built from the reference points.
#include "telescope/alignment_model.h"

#include <gtest/gtest.h>

namespace celvaro {
namespace {

constexpr int32_t kBase = 0x800000;

class AlignmentModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model.setHalfRevolution(1, 500000);
    model.setHalfRevolution(2, 600000);
  }
  // Counts for a horizontal position, axis 1 standing at the base count.
  MotorCounts countsAt(double azimuthDeg, double altitudeDeg) {
    MotorCounts counts;
    EXPECT_TRUE(model.horizontalToCounts({altitudeDeg, azimuthDeg}, kBase, counts));
    return counts;
  }

  AlignmentModel model;
};

TEST_F(AlignmentModelTest, PointsApartMostlyInAltitudeStayOnePoint) {
  model.setPoint(0, {20, 10}, {kBase, kBase});
  model.setPoint(1, {35, 45}, {kBase + 100000, kBase + 90000});
  ASSERT_EQ(model.mode(), AlignmentModel::kOnePoint);
  // Half a revolution is 180 degrees from the base.
  EXPECT_EQ(countsAt(40, 50).axis1, kBase + 83333);
  EXPECT_EQ(countsAt(40, 50).axis2, kBase + 100000);
}

TEST_F(AlignmentModelTest, AzimuthsPast180CountBelowZero) {
  model.setPoint(0, {20, 350}, {kBase, kBase});
  EXPECT_EQ(countsAt(20, 20).axis1, kBase + 83333);
  EXPECT_EQ(countsAt(340, 20).axis1, kBase - 27778);
}

TEST_F(AlignmentModelTest, WhichSlotsTakePart) {
  model.setPoint(2, {20, 10}, {kBase, kBase});
  EXPECT_TRUE(model.anyValid());
  EXPECT_EQ(model.mode(), AlignmentModel::kNoModel);
  MotorCounts counts;
  HorizontalPosition position;
  EXPECT_FALSE(model.horizontalToCounts({20, 10}, kBase, counts));
  EXPECT_FALSE(model.countsToHorizontal({kBase, kBase}, position));

  // Slot 1 alone is the base; once slot 0 joins, slot 0 is.
  model.setPoint(1, {30, 60}, {kBase + 5000, kBase});
  EXPECT_EQ(model.mode(), AlignmentModel::kOnePoint);
  EXPECT_EQ(countsAt(60, 30).axis1, kBase + 5000);
  model.setPoint(0, {30, 55}, {kBase, kBase});
  EXPECT_EQ(model.mode(), AlignmentModel::kOnePoint);
  EXPECT_EQ(countsAt(55, 30).axis1, kBase);

  model.setPoint(7, {30, 55}, {0, 0});
  model.clearPoint(7);
  model.clearPoint(0);
  EXPECT_EQ(countsAt(60, 30).axis1, kBase + 5000);
  model.clearAll();
  EXPECT_FALSE(model.anyValid());
}

// Counts read back give the sky position a goto to it would have counted,
// correction included: the read-out and the goto are one model.
TEST_F(AlignmentModelTest, CountsBackToTheSkyThroughTheSameModel) {
  model.setPoint(0, {20, 10}, {kBase, kBase});
  model.setPoint(1, {25, 45}, {kBase + 100000, kBase + 90000});
  ASSERT_EQ(model.mode(), AlignmentModel::kTwoPoints);
  for (const auto& [azimuth, altitude] : {std::pair{80.0, 30.0}, {-100.0, 60.0}, {200.0, 5.0}, {10.0, 20.0}}) {
    HorizontalPosition back{};
    ASSERT_TRUE(model.countsToHorizontal(countsAt(azimuth, altitude), back));
    EXPECT_NEAR(normaliseDegrees(back.azimuthDeg - azimuth + 180) - 180, 0, 1e-3) << azimuth;
    EXPECT_NEAR(back.altitudeDeg, altitude, 1e-3) << azimuth;
  }
  const MotorCounts offset = model.offsetFromBase({kBase + 50000, kBase - 60000});
  EXPECT_EQ(offset.axis1, 50000);
  EXPECT_EQ(offset.axis2, -60000);
}

// Azimuth is folded at due north; two points on either side of it are 40
// degrees apart, as their counts show, not 320.
TEST_F(AlignmentModelTest, PointsEitherSideOfNorthSpanTheShortWay) {
  const int32_t fortyDegrees = 111111;  // 500000 counts a half turn
  model.setPoint(0, {30, 160}, {kBase, kBase});
  model.setPoint(1, {30, 200}, {kBase + fortyDegrees, kBase});
  ASSERT_EQ(model.mode(), AlignmentModel::kTwoPoints);
  EXPECT_NEAR(countsAt(180, 30).axis1, kBase + fortyDegrees / 2, 1);
  EXPECT_EQ(countsAt(200, 30).axis1, kBase + fortyDegrees);
  EXPECT_EQ(countsAt(180, 30).axis2, kBase);
  // Points whose counts say they lie 10 degrees apart stay one point.
  model.setPoint(1, {30, 200}, {kBase + fortyDegrees / 4, kBase});
  EXPECT_EQ(model.mode(), AlignmentModel::kOnePoint);
}
}  // namespace
}  // namespace celvaro
