#include "output/rendering_output_eps.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "output/file_output_pass.h"

namespace celvaro {
namespace {

using testing::FilePass;

// What the drawing put on the page after the prolog's scaling.
std::string body(const std::string& eps) {
  const size_t from = eps.find("1 setlinejoin\r\n") + 15;
  return eps.substr(from, eps.rfind("showpage") - from);
}

std::string page(const std::function<void(RenderingOutput&)>& draw,
                 const PrintColourTable& colours = PrintColourTable()) {
  FilePass<RenderingOutputEps> pass("page.eps");
  pass.output.setColourTable(colours);
  draw(pass.output);
  return body(pass.finish());
}

TEST(EpsOutput, TheFrameScalesToPointsAndDefinesTheFontsAtTheSixSizes) {
  FilePass<RenderingOutputEps> pass("frame.eps", testing::kA4);
  const std::string eps = pass.finish();
  EXPECT_EQ(eps.rfind("%!PS-Adobe-3.0 EPSF-3.0\r\n%%BoundingBox: 0 0 596 842\r\n", 0), 0u);
  EXPECT_NE(eps.find("/Encoding TextEncoding def"), std::string::npos);
  EXPECT_NE(eps.find("/F0 /Helvetica-Text findfont 250 scalefont def /FONT0 { F0 setfont } def\r\n"),
            std::string::npos);
  EXPECT_NE(eps.find("/F25 /Symbol findfont 400 scalefont def /FONT25 { F25 setfont } def\r\n"), std::string::npos);
  EXPECT_NE(eps.find("%%EndProlog\r\n72 2540 div dup scale\r\n"), std::string::npos);
  EXPECT_TRUE(eps.ends_with("showpage\r\n\x04"));
}

TEST(EpsOutput, PrintColoursAreWrittenInWholesAndHundredths) {
  PrintColourTable colours;
  colours.setEntry(6, "5,50,100");
  EXPECT_EQ(page([](RenderingOutput& o) { o.setTextStyle(4); }, colours), "0.05 0.50 1.00 setrgbcolor\r\n");
  EXPECT_EQ(page([](RenderingOutput& o) {
              o.setTextStyle(6);  // entry 10
              o.setTextStyle(3);  // nothing
            }),
            "0.00 0.00 0.00 setrgbcolor\r\n");
}

TEST(EpsOutput, RectanglesFillWithThePrintColourOfTheFillStyle) {
  PrintColourTable colours;
  colours.setEntry(2, "10,20,30");
  EXPECT_EQ(page(
                [](RenderingOutput& o) {
                  o.selectBrush(2);
                  o.rectangle(0, 0, 10, 20, true, true);
                  o.rectangle(0, 0, 10, 20, false, true);
                  o.rectangle(0, 0, 10, 20, true, false);
                  o.rectangle(0, 0, 10, 20, false, false);
                },
                colours),
            "newpath 0 0 moveto 0 20 lineto 10 20 lineto 10 0 lineto closepath gsave 0.10 0.20 0.30 setrgbcolor fill "
            "grestore 0.0 0.0 0.0 setrgbcolor stroke\r\n"
            "newpath 0 0 moveto 0 20 lineto 10 20 lineto 10 0 lineto closepath 0.10 0.20 0.30 setrgbcolor fill\r\n"
            "newpath 0 0 moveto 0 20 lineto 10 20 lineto 10 0 lineto closepath 0.0 0.0 0.0 setrgbcolor stroke\r\n"
            "newpath 0 0 moveto 0 20 lineto 10 20 lineto 10 0 lineto closepath \r\n");
  // A diffuse nebula is a square, on the chart only.
  EXPECT_EQ(page([](RenderingOutput& o) {
              o.diffuseNebula(1, 100, 200, 0, 40);
              o.diffuseNebula(2, 501, 0, 0, 40);
            }),
            "newpath 80 220 moveto 120 220 lineto 120 180 lineto 80 180 lineto closepath stroke\r\n");
}

TEST(EpsOutput, PolylinesAreClippedAndStrokedInThePensColour) {
  EXPECT_EQ(page([](RenderingOutput& o) {
              o.selectPen(2);
              o.polyStart(0, 0);
              o.polyLineTo(1000, 0);
              o.polyLineTo(1000, 100);
              o.polyFinish(0, 100, false);
              o.selectPen(3);
              o.polyStart(0, 0);
              o.polyFinish(10, 10, true);
            }),
            "[] 0 setdash 5 setlinewidth\r\nnewpath 0 0 moveto 500 0 lineto 0.50 0.50 0.50 setrgbcolor stroke\r\n"
            "newpath 500 100 moveto 0 100 lineto stroke\r\n"
            "[] 0 setdash 10 setlinewidth\r\nnewpath 0 0 moveto 10 10 lineto closepath 0.00 0.00 0.00 setrgbcolor "
            "stroke\r\n");
}

TEST(EpsOutput, StarsAreDiscsFilledAsInThePdfAndOutlinedByThePen) {
  EXPECT_EQ(page([](RenderingOutput& o) {
              o.selectPen(7);
              o.selectBrush(2);
              o.drawStar(10, 20, 100, 50);
              o.drawColouredStar(30, 20, 100, 50, 3);
              EXPECT_FALSE(o.drawStar(600, 0, 100, 50));
              o.selectPen(8);
              o.selectBrush(3);
              o.variableStar(1, 0, 0, 60, 30);
            }),
            "[] 0 setdash 10 setlinewidth\r\n1.00 1.00 1.00 setrgbcolor\r\n10 20 50 D\r\n30 20 50 D\r\n"
            "[] 0 setdash 10 setlinewidth\r\n0.00 0.00 0.00 setrgbcolor\r\n/FC { 1.00 1.00 1.00 } def\r\n0 0 30 D\r\n"
            "newpath 0 0 55 0 360 arc closepath stroke\r\n");
}

TEST(EpsOutput, TextsAreEscapedInTheTextEncodingAndSetInTheTextColour) {
  PrintColourTable colours;
  colours.setEntry(10, "0,0,50");
  EXPECT_EQ(page(
                [](RenderingOutput& o) {
                  o.setTextStyle(6);
                  o.selectPen(2);
                  o.polyStart(0, 0);
                  o.polyFinish(10, 0, false);
                  o.text(0, 0, 40, -200, kDeepskyLargeText, "NGC 1976 (M 42) \\ \xc5\x91");
                  o.legendText(-700, -700, kTitleBarText, "N");
                  o.wideText(0, 0, 0, 0, kGridText, u"\u00e9\u20ac");
                },
                colours),
            "0.00 0.00 0.50 setrgbcolor\r\n[] 0 setdash 5 setlinewidth\r\n"
            "newpath 0 0 moveto 10 0 lineto 0.50 0.50 0.50 setrgbcolor stroke\r\n"
            "0.00 0.00 0.50 setrgbcolor\r\n40 -200 moveto FONT1 (NGC 1976 \\(M 42\\) \\\\ \\201) show\r\n"
            "-700 -700 moveto FONT2 (N) show\r\n0 0 moveto FONT0 (\\351?) show\r\n");
}

TEST(EpsOutput, StarLabelsShowTheGreekLetterInTheSymbolFont) {
  StarLabelParts label;
  label.greekLetter = 1;
  label.flamsteed = 19;
  StarLabelParts named;
  named.name = "Rigel";
  EXPECT_EQ(page([&](RenderingOutput& o) {
              o.drawStarLabel(1, 100, 0, 40, 0, label);
              o.drawStarLabel(2, 100, 0, 40, 10, named);
            }),
            "140 0 moveto FONT20 <62> show FONT20 (19) show\r\n140 10 moveto FONT0 (Rigel) show\r\n");
}

}  // namespace
}  // namespace celvaro
