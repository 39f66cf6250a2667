#include "output/hit_list.h"

#include <gtest/gtest.h>

#include <tuple>

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
// distance a star wins over the variable or double star it is (Betelgeuse),
// a later kind over an earlier one otherwise, and the first of two stars
// over the second.
TEST_F(PickTest, TheNearestWithinTenPixelsWins) {
  const struct {
    const char* name;
    void (*add)(HitList&);
    int kind, index;
  } kCases[] = {
      {"deep sky beats a star as near", [](HitList& h) { h.addStar(1, 104, 100); h.addDeepsky(100, 96, 2, 9); },
       kPickDeepsky, 9},
      {"a nearer star beats deep sky", [](HitList& h) { h.addStar(1, 103, 100); h.addDeepsky(100, 96, 2, 9); },
       kPickStar, 1},
      {"the first of two stars", [](HitList& h) { h.addStar(5, 102, 100); h.addStar(6, 98, 100); }, kPickStar, 5},
      {"a variable double star",
       [](HitList& h) { h.addStar(7, 100, 100); h.addVariableStar(8, 100, 100); h.addDoubleStar(9, 100, 100); },
       kPickStar, 7},
      {"ten pixels off", [](HitList& h) { h.addStar(1, 110, 93); }, kPickStar, 1},
      {"eleven pixels off", [](HitList& h) { h.addStar(1, 111, 100); }, kPickNothing, -1},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    hits.clearHits();
    c.add(hits);
    const PickResult result = pick();
    EXPECT_EQ(std::tuple(result.found, result.kind, result.index), std::tuple(c.index >= 0, c.kind, c.index));
    EXPECT_EQ(result.found ? result.decRad : -1, c.index);  // the position of the object picked
  }
}

TEST_F(PickTest, FiltersLimitTheKinds) {
  hits.addStar(1, 100, 100);
  hits.addDoubleStar(2, 101, 100);
  hits.addVariableStar(3, 100, 101);
  hits.setOverlayPosition(100, 100);
  EXPECT_EQ((std::tuple{pick(4).kind, pick(1).kind}), (std::tuple{kPickDoubleStar, kPickStar}));
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
  EXPECT_EQ(std::tuple(mars.index, mars.subIndex), std::tuple(4, 7));
}

}  // namespace
}  // namespace celvaro
