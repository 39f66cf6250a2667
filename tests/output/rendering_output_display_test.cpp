#include "output/rendering_output_display.h"

#include <gtest/gtest.h>

#include "output/recording_canvas.h"

namespace celvaro {
namespace {

using testing::RecordingCanvas;

class DisplayTest : public ::testing::Test {
 protected:
  DisplayTest() : output(colors) {
    output.setCanvas(&canvas);
    output.setHitList(&hits);
    area.width = 801;
    area.height = 600;
    output.begin("", {}, area);
  }
  std::string last() const { return canvas.calls.empty() ? "" : canvas.calls.back(); }

  ColorTable colors;
  RecordingCanvas canvas;
  HitList hits;
  OutputArea area;
  RenderingOutputDisplay output;
};

TEST_F(DisplayTest, StarsInsideTheClipRectangleAreDrawnAndRecorded) {
  EXPECT_TRUE(output.drawStarIndexed(7, 400, 0, 3, 1));
  EXPECT_EQ(last(), "ellipse 799 299 804 304");  // box from (X - r, Y - r), d + 2 wide
  EXPECT_FALSE(output.drawStarIndexed(8, 401, 0, 3, 1));
  EXPECT_FALSE(output.drawStar(0, 301, 3, 1));
  EXPECT_TRUE(output.drawStar(0, -300, 3, 1));
  EXPECT_EQ(hits.starCount(), 1);
  int m = 10;
  EXPECT_EQ(hits.queryStar(800, 300, m), 7);
}

TEST_F(DisplayTest, StarBrushesFollowTheColourClass) {
  output.selectBrush(2);
  canvas.calls.clear();
  output.drawColouredStar(0, 0, 1, 0, 1);
  output.drawColouredStar(0, 0, 1, 0, 1);  // same class: no new brush
  output.drawColouredStar(0, 0, 1, 0, 9);  // class 9 keeps the previous brush
  output.drawColouredStar(0, 0, 1, 0, 0);
  EXPECT_EQ(canvas.calls, (std::vector<std::string>{"brush 64;128;255", "ellipse 400 300 403 303",
                                                     "ellipse 400 300 403 303", "ellipse 400 300 403 303",
                                                     "brush 255;255;255", "ellipse 400 300 403 303"}));
  // Back to plain stars: fill style 2 gives the star colour again.
  output.selectBrush(2);
  EXPECT_EQ(last(), "brush 255;255;255");
}

TEST_F(DisplayTest, PensBrushesAndTextFollowTheColourTable) {
  output.selectPen(2);
  EXPECT_EQ(last(), "pen 64;64;0");  // grid
  output.selectPen(2);
  output.selectPen(1);  // a style without a pen keeps the current one
  EXPECT_EQ(canvas.calls.size(), 1u);
  output.selectPen(7);
  EXPECT_EQ(last(), "pen 0;0;0");  // star edge
  output.selectPen(24);
  EXPECT_EQ(last(), "pen 127;255;127 xor");  // selection, drawn in XOR
  output.selectBrush(3);
  EXPECT_EQ(last(), "brush 0;0;0");
  output.selectBrush(6);
  EXPECT_EQ(last(), "brush 255;255;0");  // planets
  output.selectBrush(1);
  EXPECT_EQ(last(), "brush none");
  output.setTextStyle(3);
  output.text(10, 20, 2, -12, kGridText, "Ő 01:00");
  EXPECT_EQ(last(), "text 412 268 Ő 01:00 128;128;0");
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

TEST_F(DisplayTest, DeepskySymbolsAreRecordedWithTheirTypes) {
  output.globularCluster(11, 50, 50, 0, 10);
  output.pentagonSymbol(12, -50, 50, 10);
  output.crossTickSymbol(13, 1000, 0);  // drawn but outside: not recorded
  EXPECT_EQ(hits.deepskyCount(), 2);
  int m = 10;
  EXPECT_EQ(hits.queryDeepsky(350, 250, m), 12);
  EXPECT_EQ(last(), "line 1402 302 1405 305");
  output.rotatedGalaxyEllipse(14, 0, 0, 20, 0, 0, 10);
  EXPECT_EQ(last().substr(0, 28), "polyline 420,300 419,297 417");
}

TEST_F(DisplayTest, StarLabelsJoinTheirParts) {
  StarLabelParts betelgeuse;
  betelgeuse.greekLetter = 0;
  betelgeuse.flamsteed = 58;
  betelgeuse.constellation = 59;
  betelgeuse.name = "Betelgeuse";
  EXPECT_EQ(utf16ToUtf8(RenderingOutputDisplay::starLabelText(betelgeuse)), "α58 Betelgeuse Ori");
  StarLabelParts omega;
  omega.greekLetter = 23;
  EXPECT_EQ(RenderingOutputDisplay::starLabelText(omega), u"ω");
  StarLabelParts sigma;
  sigma.greekLetter = 17;
  sigma.constellation = 72;
  EXPECT_EQ(RenderingOutputDisplay::starLabelText(sigma), u"σ Sco");
  StarLabelParts nameOnly;
  std::string longName(60, 'x');
  nameOnly.name = longName.c_str();
  EXPECT_EQ(RenderingOutputDisplay::starLabelText(nameOnly).size(), 40u);
  output.setTextStyle(4);
  EXPECT_TRUE(output.drawStarLabel(3, 0, 0, 5, -8, betelgeuse));
  EXPECT_EQ(last(), "text 405 292 α58 Betelgeuse Ori 128;128;0");
  EXPECT_FALSE(output.drawStarLabel(4, 0, 400, 5, -8, betelgeuse));
}

// Every column of the chart is cleared, the last of an odd width too (a
// star at the right edge reaches it), and one row below the chart.
TEST_F(DisplayTest, ClearPaintsTheWholeWidthAndOneRowDeeper) {
  output.clear();
  EXPECT_EQ(last(), "fill 0 0 801 601 0;0;0");
}

TEST(ClipSegment, CohenSutherland) {
  ColorTable colors;
  RenderingOutputDisplay output(colors);
  OutputArea area;
  area.width = 200;
  area.height = 100;
  output.begin("", {}, area);
  ASSERT_TRUE(output.clipSegment(-200, 0, 200, 0));
  EXPECT_EQ(output.clippedSegment().x1, -100);
  EXPECT_EQ(output.clippedSegment().x2, 100);
  ASSERT_TRUE(output.clipSegment(0, 0, 0, 1000000000));
  EXPECT_EQ(output.clippedSegment().y2, 50);
  EXPECT_FALSE(output.clipSegment(-300, 80, 300, 80));
  EXPECT_FALSE(output.clipSegment(150, 0, 150, 20));
  ASSERT_TRUE(output.clipSegment(-150, -100, 150, 100));
  EXPECT_EQ(output.clippedSegment().y1, -50);
  EXPECT_EQ(output.clippedSegment().x1, -75);
}

}  // namespace
}  // namespace celvaro
