#include "output/rendering_output_svg.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "output/file_output_pass.h"

namespace celvaro {
namespace {

using testing::FilePass;

// Chart (0, 0) lands on the page at (100, 200), y downward.
OutputArea shiftedArea() { return {.left = -400, .top = 300, .width = 1000, .height = 1000}; }

// The root gives the page in millimetres and a view box in hundredths; group
// ids without blanks, polylines clipped, a variable star a disc with a ring
// in its layer's pen, planets in grey, texts escaped UTF-8 and a label's
// Greek letter sigma, not the final sigma before it.
TEST(SvgOutput, TheRootStyleAndElementsOfAPage) {
  FilePass<RenderingOutputSvg> pass("page.svg", {1000, 1000}, shiftedArea());
  RenderingOutput& o = pass.output;
  o.variableStar(1, 10, 0, 60, 30);
  o.planetDisc(3, -1, 20, 0, 300, 150);
  o.beginGroup("ecliptic line");
  o.selectPen(2);
  o.polyStart(0, 0);
  o.polyLineTo(1000, 0);
  o.polyFinish(1000, 100, false);
  o.endGroup();
  EXPECT_FALSE(o.drawColouredStarIndexed(1, 0, 501, 100, 50, 2));
  o.text(0, 0, 40, -200, kGridText, "a(b) <c> & \"\xc5\x91\"");
  o.wideText(0, 0, 0, 0, kDeepskyLargeText, u"M 31 \u00e9\u0007");
  o.drawStarLabel(1, 0, 0, 40, 0, {.greekLetter = 17, .flamsteed = 19, .name = "A&B"});
  const std::string svg = pass.finish();
  EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
                      "version=\"1.1\" width=\"10.00mm\" height=\"10.00mm\" viewBox=\"0 0 1000 1000\">\r\n"
                      "<style type=\"text/css\">\r\n",
                      0),
            0u);
  EXPECT_NE(svg.find(".constboundaries{fill:none;stroke:#000;stroke-width:10;stroke-dasharray:80 80}\r\n"),
            std::string::npos);
  EXPECT_NE(svg.find(".gridtext{font-size:250px}\r\n"), std::string::npos);
  EXPECT_EQ(svg.substr(svg.find("</style>\r\n")),
            "</style>\r\n<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\r\n"
            "<circle class=\"star\" cx=\"110\" cy=\"200\" r=\"30\"/>\r\n"
            "<circle class=\"framelines\" cx=\"110\" cy=\"200\" r=\"55\"/>\r\n"
            "<circle class=\"body\" cx=\"120\" cy=\"200\" r=\"150\"/>\r\n"
            "<g id=\"ecliptic-line\">\r\n<path class=\"gridlines\" d=\"M100 200 L600 200 \"/>\r\n</g>\r\n"
            "<text class=\"gridtext\" x=\"140\" y=\"400\">a(b) &lt;c&gt; &amp; &quot;\xc5\x91&quot;</text>\r\n"
            "<text class=\"deepskylargetext\" x=\"100\" y=\"200\">M 31 \xc3\xa9</text>\r\n"
            "<text class=\"starsmalltext\" x=\"140\" y=\"200\"><tspan class=\"starlargetext\">\xcf\x83</tspan>"
            "19 A&amp;B</text>\r\n</svg>");
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
  o.drawStarLabel(1, 0, 0, 0, 0, {.greekLetter = 0});
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
