#include "output/rendering_output_display.h"

#include <gtest/gtest.h>

#include "output/recorded_screen.h"

namespace celvaro {
namespace {

using DisplayTest = testing::RecordedScreen;

TEST_F(DisplayTest, StarsAndDeepSkySymbolsInsideTheClipRectangleAreRecorded) {
  EXPECT_TRUE(output.drawStarIndexed(7, 400, 0, 3, 1));
  EXPECT_EQ(last(), "ellipse 799 299 804 304");  // box from (X - r, Y - r), d + 2 wide
  EXPECT_FALSE(output.drawStarIndexed(8, 401, 0, 3, 1));
  EXPECT_FALSE(output.drawStar(0, 301, 3, 1));
  EXPECT_TRUE(output.drawStar(0, -300, 3, 1));
  EXPECT_EQ(hits.starCount(), 1);
  int m = 10;
  EXPECT_EQ(hits.queryStar(800, 300, m), 7);
  output.globularCluster(11, 50, 50, 0, 10);
  output.pentagonSymbol(12, -50, 50, 10);
  output.crossTickSymbol(13, 1000, 0);  // drawn but outside: not recorded
  EXPECT_EQ(hits.deepskyCount(), 2);
  m = 10;
  EXPECT_EQ(hits.queryDeepsky(350, 250, m), 12);
}

TEST_F(DisplayTest, PolylinesCloseBackToTheirStart) {
  output.polyStart(0, 0);
  output.polyLineTo(10, 0);
  output.polyFinish(10, 10, true);
  EXPECT_EQ(last(), "polyline 400,300 410,300 410,290 400,300");
  output.polyStart(0, 0);
  output.polyLineTo(5, 5);
  output.polyEnd(false);
  EXPECT_EQ(last(), "polyline 400,300 405,295");
  output.polyStart(1, 1);
  output.polyEnd(true);  // a lone point draws nothing
  EXPECT_EQ(last(), "polyline 400,300 405,295");
}

TEST_F(DisplayTest, StarLabelsJoinTheirPartsUpToFortyLetters) {
  const StarLabelParts betelgeuse{.greekLetter = 0, .flamsteed = 58, .constellation = 59, .name = "Betelgeuse"};
  output.setTextStyle(4);
  EXPECT_TRUE(output.drawStarLabel(3, 0, 0, 5, -8, betelgeuse));
  EXPECT_EQ(last(), "text 405 292 \u03b158 Betelgeuse Ori 128;128;0");
  EXPECT_FALSE(output.drawStarLabel(4, 0, 400, 5, -8, betelgeuse));
  const std::string longName(60, 'x');
  EXPECT_EQ(RenderingOutputDisplay::starLabelText({.name = longName.c_str()}).size(), 40u);
}

// Every column of the chart is cleared, the last of an odd width too (a
// star at the right edge reaches it), and one row below the chart.
TEST_F(DisplayTest, ClearPaintsTheWholeWidthAndOneRowDeeper) {
  output.clear();
  EXPECT_EQ(last(), "fill 0 0 801 601 0;0;0");
}

class ClipSegment : public testing::RecordedScreen {
 protected:
  ClipSegment() : RecordedScreen(200, 100) {}
};

TEST_F(ClipSegment, CohenSutherland) {
  ASSERT_TRUE(output.clipSegment(-200, 0, 200, 0));
  EXPECT_EQ((std::tuple{output.clippedSegment().x1, output.clippedSegment().x2}), (std::tuple{-100, 100}));
  ASSERT_TRUE(output.clipSegment(0, 0, 0, 1000000000));
  EXPECT_EQ(output.clippedSegment().y2, 50);
  EXPECT_FALSE(output.clipSegment(-300, 80, 300, 80));
  EXPECT_FALSE(output.clipSegment(150, 0, 150, 20));
  ASSERT_TRUE(output.clipSegment(-150, -100, 150, 100));
  EXPECT_EQ((std::tuple{output.clippedSegment().y1, output.clippedSegment().x1}), (std::tuple{-50, -75}));
}

}  // namespace
}  // namespace celvaro
