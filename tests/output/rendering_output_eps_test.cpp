#include "output/rendering_output_eps.h"

#include <gtest/gtest.h>

#include <string>

#include "output/file_output_pass.h"

namespace celvaro {
namespace {

// The page scales to points and defines the fonts at the six sizes; print
// colours are written in hundredths, the text colour again after a pen's
// stroke, a label's Greek letter in the Symbol font without a doubled blank.
TEST(EpsOutput, TheFrameFontsColoursAndLabelsOfAPage) {
  testing::FilePass<RenderingOutputEps> pass("page.eps", testing::kA4);
  PrintColourTable colours;
  colours.setEntry(10, "5,50,100");
  RenderingOutput& o = pass.output;
  pass.output.setColourTable(colours);
  o.setTextStyle(6);
  o.selectPen(2);
  o.polyStart(0, 0);
  o.polyFinish(10, 0, false);
  o.text(0, 0, 40, -200, kDeepskyLargeText, "M 42");
  o.drawStarLabel(1, 100, 0, 40, 0, {.greekLetter = 1, .flamsteed = 19});
  o.drawStarLabel(2, 100, 0, 40, 10, {.name = "Rigel"});
  const std::string eps = pass.finish();
  EXPECT_EQ(eps.rfind("%!PS-Adobe-3.0 EPSF-3.0\r\n%%BoundingBox: 0 0 596 842\r\n", 0), 0u);
  EXPECT_NE(eps.find("/Encoding TextEncoding def"), std::string::npos);
  EXPECT_NE(eps.find("/F0 /Helvetica-Text findfont 250 scalefont def /FONT0 { F0 setfont } def\r\n"),
            std::string::npos);
  EXPECT_NE(eps.find("/F25 /Symbol findfont 400 scalefont def /FONT25 { F25 setfont } def\r\n"), std::string::npos);
  EXPECT_NE(eps.find("%%EndProlog\r\n72 2540 div dup scale\r\n"), std::string::npos);
  const size_t body = eps.find("1 setlinejoin\r\n") + 15;
  EXPECT_EQ(eps.substr(body),
            "0.05 0.50 1.00 setrgbcolor\r\n[] 0 setdash 5 setlinewidth\r\n"
            "newpath 0 0 moveto 10 0 lineto 0.50 0.50 0.50 setrgbcolor stroke\r\n"
            "0.05 0.50 1.00 setrgbcolor\r\n40 -200 moveto FONT1 (M 42) show\r\n"
            "140 0 moveto FONT20 <62> show FONT20 (19) show\r\n140 10 moveto FONT0 (Rigel) show\r\n"
            "showpage\r\n\x04");
}

}  // namespace
}  // namespace celvaro
