#include "output/star_size_table.h"

#include <gtest/gtest.h>

namespace celvaro {
namespace {

// On screen a disc's box is its diameter plus the 2-pixel outline.
int32_t screenBox(const StarSizeTable& table, int32_t magHundredths) { return table.diameterForMagnitude(magHundredths) + 2; }

TEST(StarSizeTable, OnScreenA1stMagnitudeStarIsAboutFourTimesA6th) {
  StarSizeTable table;
  table.loadScreen(600, 9, 1);  // the naked-eye chart
  const double ratio = static_cast<double>(screenBox(table, 100)) / screenBox(table, 600);
  EXPECT_GE(ratio, 3.5);
  EXPECT_LE(ratio, 4.5);
  EXPECT_EQ(table.diameterForMagnitude(600), 1);  // the limit's is the smallest
  // Deeper charts keep the brighter stars apart: the Pleiades' Alcyone
  // (2.87) against Merope (4.18) on a 10-magnitude chart.
  table.loadScreen(1000, 9, 1);
  EXPECT_GT(table.diameterForMagnitude(287), table.diameterForMagnitude(418));
  for (int c = 1; c < StarSizeTable::kClasses; ++c) EXPECT_LE(table.diameterOfClass(c), table.diameterOfClass(c - 1)) << c;
}

TEST(StarSizeTable, QueriesAndCopiesOutsideTheTableStayWithinIt) {
  StarSizeTable table;
  table.load(1150, 9, 1);
  EXPECT_EQ(table.diameterOfClass(50), 0);
  EXPECT_EQ(table.diameterOfClass(-1), table.diameterOfClass(0));
  EXPECT_EQ(table.diameterForMagnitude(-146), table.diameterOfClass(0));
  EXPECT_EQ(table.diameterForMagnitude(99999), table.diameterOfClass(49));
  const int32_t explicitSizes[3] = {40, 0, -5};
  const int32_t before = table.diameterOfClass(1);
  table.copy(explicitSizes, 3);
  EXPECT_EQ(table.diameterOfClass(0), 40);
  EXPECT_EQ(table.diameterOfClass(1), before);  // zero and negative entries leave it
  EXPECT_EQ(table.diameterOfClass(3), 0);       // past the count: 0
}

}  // namespace
}  // namespace celvaro
