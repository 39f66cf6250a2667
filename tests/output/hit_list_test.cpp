#include "output/hit_list.h"

#include <gtest/gtest.h>

namespace celvaro {
namespace {

// Positions that encode the kind and index, so a result shows where it came from.
class FakePositions : public PickPositions {
 public:
  bool starPosition(int index, double& ra, double& dec, StarNumbers&) override {
    ra = 1, dec = index;
    return index != unknownStar;
  }
  bool namedStarPosition(int index, double& ra, double& dec) override { return set(2, index, ra, dec); }
  bool variableStarPosition(int index, double& ra, double& dec) override { return set(3, index, ra, dec); }
  bool doubleStarPosition(int index, double& ra, double& dec) override { return set(4, index, ra, dec); }
  bool solarSystemPosition(int index, int, double& ra, double& dec) override { return set(5, index, ra, dec); }
  void deepskyPosition(int index, double& ra, double& dec) override { set(6, index, ra, dec); }
  void overlayPosition(double& ra, double& dec) override { set(7, 0, ra, dec); }

  int unknownStar = -1;

 private:
  static bool set(int kind, int index, double& ra, double& dec) {
    ra = kind, dec = index;
    return true;
  }
};

class PickTest : public ::testing::Test {
 protected:
  PickResult pick(int filter = 0, int x = 100, int y = 100) { return hits.pickObject(x, y, filter, positions); }
  HitList hits;
  FakePositions positions;
};

// Within ten pixels in the larger axis the nearest object wins; at equal
// distance a star wins over the variable or double star it is, a later kind
// over an earlier one otherwise, and the first of two stars over the second.
TEST_F(PickTest, TheNearestWithinTenPixelsWins) {
  hits.addStar(1, 104, 100);
  hits.addDeepsky(100, 96, 2, 9);
  EXPECT_EQ(pick().kind, kPickDeepsky);
  hits.clearHits();
  hits.addStar(1, 103, 100);
  hits.addDeepsky(100, 96, 2, 9);
  PickResult star = pick();
  EXPECT_EQ(star.kind, kPickStar);  // 3 px beats 4 px
  EXPECT_EQ(star.index, 1);
  EXPECT_EQ(star.decRad, 1);
  hits.clearHits();
  hits.addStar(5, 102, 100);
  hits.addStar(6, 98, 100);
  EXPECT_EQ(pick().index, 5);
  // A star that is also a variable and a double star (Betelgeuse) reads as the star.
  hits.clearHits();
  hits.addStar(7, 100, 100);
  hits.addVariableStar(8, 100, 100);
  hits.addDoubleStar(9, 100, 100);
  EXPECT_EQ(pick().kind, kPickStar);
  EXPECT_EQ(pick().index, 7);
  hits.clearHits();
  hits.addStar(1, 110, 93);
  EXPECT_TRUE(pick().found);
  hits.clearHits();
  hits.addStar(1, 111, 100);
  EXPECT_FALSE(pick().found);
}

TEST_F(PickTest, FiltersLimitTheKinds) {
  hits.addStar(1, 100, 100);
  hits.addDoubleStar(2, 101, 100);
  hits.addVariableStar(3, 100, 101);
  hits.setOverlayPosition(100, 100);
  EXPECT_EQ(pick(4).kind, kPickDoubleStar);
  EXPECT_EQ(pick(1).kind, kPickStar);
  EXPECT_EQ(pick(3).kind, kPickVariableStar);
  EXPECT_FALSE(pick(6).found);
  EXPECT_EQ(pick(0).kind, kPickFovOverlay);  // the overlay only with filter 0
  hits.clearHits();
  EXPECT_EQ(pick(0).kind, kPickFovOverlay);  // clearing leaves the overlay
}

// A solar system hit carries its track mark; a star without a position does
// not count.
TEST_F(PickTest, WhatAPickCarries) {
  hits.addStar(4, 100, 100);
  positions.unknownStar = 4;
  EXPECT_FALSE(pick().found);
  hits.addSolarSystem(4, 7, 100, 100);
  PickResult mars = pick(5);
  EXPECT_EQ(mars.index, 4);
  EXPECT_EQ(mars.subIndex, 7);
}

TEST(HitList, FixedListsKeepTheirCapacityAndTheDeepskyListGrows) {
  HitList hits;
  for (int i = 0; i < HitList::kStarCapacity; ++i) hits.addStar(i, 0, 0);
  hits.addStar(HitList::kStarCapacity, 500, 500);
  EXPECT_EQ(hits.starCount(), HitList::kStarCapacity);
  int m = 10;
  EXPECT_EQ(hits.queryStar(500, 500, m), -1);  // the 30001st star was not kept
  for (int i = 0; i < 5000; ++i) hits.addDeepsky(i, 0, 1, i);
  EXPECT_EQ(hits.deepskyCount(), 5000);
}

}  // namespace
}  // namespace celvaro
