#include "output/rendering_output_svg.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <set>
#include <string>

#include "output/file_output_pass.h"

namespace celvaro {
namespace {

using testing::FilePass;

// Chart (0, 0) lands on the page at (100, 200), y downward.
OutputArea shiftedArea() {
  OutputArea area = testing::cornerArea();
  area.left = -400, area.top = 300;
  return area;
}

constexpr std::string_view kPaper = "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\r\n";

std::string body(const std::string& svg) {
  const size_t from = svg.find(kPaper) + kPaper.size();
  return svg.substr(from, svg.rfind("</svg>") - from);
}

std::string page(const std::function<void(RenderingOutput&)>& draw) {
  FilePass<RenderingOutputSvg> pass("page.svg", {1000, 1000}, shiftedArea());
  draw(pass.output);
  return body(pass.finish());
}

TEST(SvgOutput, TheRootGivesThePageInMillimetresAndAViewBoxInHundredths) {
  FilePass<RenderingOutputSvg> pass("root.svg", {21590, 27940}, shiftedArea());
  const std::string svg = pass.finish();
  EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
                      "version=\"1.1\" width=\"215.90mm\" height=\"279.40mm\" viewBox=\"0 0 21590 27940\">\r\n"
                      "<style type=\"text/css\">\r\n",
                      0),
            0u);
  EXPECT_NE(svg.find(".constboundaries{fill:none;stroke:#000;stroke-width:10;stroke-dasharray:80 80}\r\n"),
            std::string::npos);
  EXPECT_NE(svg.find(".gridtext{font-size:250px}\r\n"), std::string::npos);
  EXPECT_TRUE(svg.ends_with("</style>\r\n" + std::string(kPaper) + "</svg>"));
}

TEST(SvgOutput, DeepSkySymbolsOfTheirOwnClasses) {
  EXPECT_EQ(page([](RenderingOutput& o) {
              o.globularCluster(1, 0, 0, 0, 40);
              o.openCluster(1, 0, 0, 0, 40);
              o.planetaryNebula(2, 0, 0, 0, 40);
              o.diffuseNebula(3, 0, 0, 0, 40);
              o.diffuseNebula(4, 501, 0, 0, 40);
            }),
            "<circle class=\"gc\" cx=\"100\" cy=\"200\" r=\"20\"/>\r\n"
            "<path class=\"gc\" d=\"M80,200 l40,0 m-20,-20 l0,40\"/>\r\n"
            "<circle class=\"oc\" cx=\"100\" cy=\"200\" r=\"20\"/>\r\n"
            "<circle class=\"pn\" cx=\"100\" cy=\"200\" r=\"20\"/>\r\n"
            "<path class=\"pn\" d=\"M120,200 L140,200 M80,200 L60,200 M100,220 L100,240 M100,180 L100,160\"/>\r\n"
            "<polygon class=\"dn\" points=\"80,220 120,220 120,180 80,180\"/>\r\n");
}

TEST(SvgOutput, GroupsAndLinesCarryTheirNamesAndPolylinesAreClipped) {
  EXPECT_EQ(page([](RenderingOutput& o) {
              o.beginGroup("deepsky");
              o.endGroup();
              o.beginGroup("ecliptic line");
              o.line(0, 0, 10, 10);
              o.selectPen(9);
              o.dashMarker(1, 0, 0, 30);
              o.selectPen(2);
              o.polyStart(0, 0);
              o.polyLineTo(1000, 0);
              o.polyLineTo(1000, 100);
              o.polyFinish(0, 100, false);
              o.setFrameLineStyle();
              o.pathMoveTo(0, 0);
              o.pathLineTo(0, 10);
              o.pathEnd(true);
              o.rectangle(0, 0, 10, 20, true, false);
              o.endGroup();
            }),
            "<g id=\"deepsky\">\r\n</g>\r\n<g id=\"ecliptic-line\">\r\n"
            "<line class=\"framelines\" x1=\"100\" y1=\"200\" x2=\"110\" y2=\"190\"/>\r\n"
            "<line class=\"doublestars\" x1=\"70\" y1=\"200\" x2=\"130\" y2=\"200\"/>\r\n"
            "<path class=\"gridlines\" d=\"M100 200 L600 200 \"/>\r\n<path class=\"gridlines\" d=\"M600 100 L100 100 \"/>\r\n"
            "<path class=\"framelines\" d=\"M100 200 L100 190 z \"/>\r\n"
            "<polygon class=\"framelines\" points=\"100,200 110,200 110,180 100,180\"/>\r\n</g>\r\n");
}

// A variable star is a star's disc with a ring in the pen of its layer.
TEST(SvgOutput, StarsAndDiscsAreCirclesOfTheirRadius) {
  EXPECT_EQ(page([](RenderingOutput& o) {
              o.drawStar(0, 0, 100, 50);
              o.variableStar(1, 10, 0, 60, 30);
              o.planetDisc(3, -1, 20, 0, 300, 150);
              EXPECT_FALSE(o.drawColouredStarIndexed(1, 0, 501, 100, 50, 2));
            }),
            "<circle class=\"star\" cx=\"100\" cy=\"200\" r=\"50\"/>\r\n"
            "<circle class=\"star\" cx=\"110\" cy=\"200\" r=\"30\"/>\r\n"
            "<circle class=\"framelines\" cx=\"110\" cy=\"200\" r=\"55\"/>\r\n"
            "<circle class=\"body\" cx=\"120\" cy=\"200\" r=\"150\"/>\r\n");
}

TEST(SvgOutput, TextsAreEscapedUtf8AndLabelsCarryTheirGreekLetter) {
  StarLabelParts label;
  label.greekLetter = 17;  // sigma, not the final sigma before it
  label.flamsteed = 19;
  label.name = "A&B";
  EXPECT_EQ(page([&](RenderingOutput& o) {
              o.text(0, 0, 40, -200, kGridText, "a(b) <c> & \"\xc5\x91\"");
              o.wideText(0, 0, 0, 0, kDeepskyLargeText, u"M 31 \u00e9\u0007");
              o.legendText(0, -700, kTitleBarText, "N");
              o.drawStarLabel(1, 0, 0, 40, 0, label);
            }),
            "<text class=\"gridtext\" x=\"140\" y=\"400\">a(b) &lt;c&gt; &amp; &quot;\xc5\x91&quot;</text>\r\n"
            "<text class=\"deepskylargetext\" x=\"100\" y=\"200\">M 31 \xc3\xa9</text>\r\n"
            "<text class=\"titlebartext\" x=\"100\" y=\"900\">N</text>\r\n"
            "<text class=\"starsmalltext\" x=\"140\" y=\"200\"><tspan class=\"starlargetext\">\xcf\x83</tspan>"
            "19 A&amp;B</text>\r\n");
}

// Every class an element carries has a rule in the style sheet.
TEST(SvgOutput, TheStyleSheetHasARuleForEveryClassWritten) {
  FilePass<RenderingOutputSvg> pass("classes.svg", {1000, 1000}, shiftedArea());
  RenderingOutput& o = pass.output;
  for (int style = 0; style <= 25; ++style) {
    o.selectPen(style);
    o.line(0, 0, 10, 10);
  }
  o.drawStar(0, 0, 10, 5);
  o.variableStar(1, 0, 0, 10, 5);
  o.globularCluster(1, 0, 0, 0, 40);
  o.openCluster(1, 0, 0, 0, 40);
  o.planetaryNebula(1, 0, 0, 0, 40);
  o.diffuseNebula(1, 0, 0, 0, 40);
  for (int textClass = 0; textClass <= 6; ++textClass) o.text(0, 0, 0, 0, textClass, "x");
  StarLabelParts label;
  label.greekLetter = 0;
  o.drawStarLabel(1, 0, 0, 0, 0, label);
  const std::string svg = pass.finish();
  const std::regex classAttribute("class=\"([a-z]+)\"");
  std::set<std::string> written;
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), classAttribute); it != std::sregex_iterator(); ++it) {
    written.insert((*it)[1]);
  }
  EXPECT_EQ(written.size(), 34u);  // 22 of the pens, 5 of symbols, 7 of texts
  for (const std::string& name : written) EXPECT_NE(svg.find("." + name + "{"), std::string::npos) << name;
}

}  // namespace
}  // namespace celvaro
