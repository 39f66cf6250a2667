// What the three printed-map outputs share: every operation drawn into a
// file that the independent programs accept, labels with the characters the
// file languages reserve, the cut at the chart and a write that fails
// leaving nothing behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "output/document_checks.h"
#include "output/file_output_pass.h"
#include "output/rendering_output_eps.h"
#include "output/rendering_output_pdf.h"
#include "output/rendering_output_svg.h"
#include "platform/utf_text.h"

namespace celvaro {
namespace {

using testing::FilePass;
using testing::printedArea;

// A page of every operation, on an A4 page with a 10 mm margin and the
// legend strip under the chart, as the printable map lays it out.
void drawEverything(RenderingOutput& out) {
  out.clear();
  out.beginGroup("frame");
  out.selectPen(1);
  out.rectangle(-9500, -13350, 9500, 13350, true, false);
  out.rectangle(-9500, -13350, 9500, -14350, true, false);
  out.pathMoveTo(-9000, -13500);
  out.pathLineTo(-9000, -14000);
  out.pathLineTo(-8500, -14000);
  out.pathEnd(false);
  out.legendText(-9000, -13500, kTitleBarText, "N");
  out.setFrameLineStyle();
  out.endGroup();
  out.clipToChart();
  out.selectPen(2);
  out.polyStart(-12000, 0);  // from outside, across, and out again
  out.polyLineTo(0, 1000);
  out.polyLineTo(12000, 2000);
  out.polyFinish(0, 3000, true);
  out.setTextStyle(2);
  out.text(100, 100, 40, -200, kGridText, "+30 (a) <b> & c\\");
  for (int style : {3, 4, 5, 6, 23}) {
    out.selectPen(style);
    out.polyStart(-3000, -3000);
    out.polyLineTo(-2000, -2500);
    out.polyEnd(false);
  }
  out.beginGroup("deepsky");
  out.setTextStyle(6);
  out.selectBrush(1);
  for (int style = 10; style <= 20; ++style) out.selectPen(style);
  out.galaxyEllipse(1, 1000, 1000, 0, 400, 200);
  out.rotatedGalaxyEllipse(2, 2000, 1000, 300, 100, -50, 150);
  out.globularCluster(3, 3000, 1000, 0, 300);
  out.openCluster(4, 4000, 1000, 0, 500);
  out.planetaryNebula(5, 5000, 1000, 0, 200);
  out.diffuseNebula(6, 6000, 1000, 0, 300);
  out.squareSymbol(7, 7000, 1000, 0, 300);
  out.pentagonSymbol(8, 8000, 1000, 150);
  out.crossTickSymbol(9, 9000, 1000);
  out.wideText(1000, 1000, 20, -30, kDeepskyLargeText, u"M 31 Androm\u00e9da-k\u00f6d (\u0151) <&>");
  out.endGroup();
  out.selectPen(9);
  out.dashMarker(1, 1000, -1000, 150);
  out.selectPen(7);
  out.selectBrush(2);
  const bool byClass = out.drawsStarsByClass();
  for (int i = 0; i < 10; ++i) {
    const int32_t d = out.starDiameter(i);
    out.drawStar(-5000 + 600 * i, -2000, byClass ? i : d, byClass ? 0 : d / 2);
    out.drawColouredStarIndexed(i, -5000 + 600 * i, -2600, byClass ? i : d, byClass ? 0 : d / 2, i % 8);
  }
  out.setTextStyle(4);
  out.drawStarLabel(1, -5000, -2000, 100, 0,
                    {.greekLetter = 0, .flamsteed = 58, .constellation = 60, .name = "Betelgeuse (\u0151) <&>"});
  out.selectPen(8);
  out.selectBrush(3);
  out.variableStar(1, 0, -4000, byClass ? 4 : 100, byClass ? 0 : 50);
  out.selectPen(22);
  out.selectBrush(4);
  out.planetDisc(3, -1, 3000, -4000, 300, 150);
  out.discWithTick(4, 0, 4000, -4000, 200, 100, 0.5);
  out.minorPlanetDisc(5, 5000, -4000, 100, 50);
  out.cometDisc(6, 6000, -4000, 100, 50);
  out.endChartClip();
}

template <typename Output>
std::string drawnPage(FilePass<Output>& pass) {
  EXPECT_TRUE(pass.begun);
  drawEverything(pass.output);
  return pass.finish();
}

TEST(FileOutputs, EveryOperationMakesAFileTheIndependentProgramsAccept) {
  CELVARO_SKIP_WITHOUT("qpdf");
  CELVARO_SKIP_WITHOUT("pdftoppm");
  CELVARO_SKIP_WITHOUT("xmllint");
  CELVARO_SKIP_WITHOUT("gs");
  FilePass<RenderingOutputPdf> pdf("every.pdf", testing::kA4, printedArea());
  drawnPage(pdf);
  testing::expectSoundPdf(pdf.path(), pdf.file("every.png"));
  FilePass<RenderingOutputSvg> svg("every.svg", testing::kA4, printedArea());
  EXPECT_NE(drawnPage(svg).find("Androm\u00e9da-k\u00f6d (\u0151) &lt;&amp;&gt;"), std::string::npos);  // UTF-8, escaped
  testing::expectWellFormedSvg(svg.path());
  FilePass<RenderingOutputEps> eps("every.eps", testing::kA4, printedArea());
  drawnPage(eps);
  testing::expectRenderedEps(eps.path(), eps.file("every.png"));
}

// Labels in every script the languages and catalog names use, read back
// by Poppler from the PDF and by Ghostscript's text extraction from the
// EPS through the glyph names of the fonts' encodings.
constexpr char kEveryScript[] = "\u03bb Ori Cluster \u2013 K\u0151 T\u0171 \u0102\u0103 \u0218\u0219 \u021a\u021b "
                                "\u201equoted\u201d A-B \u03a3\u03c9 \u2192 (M 13) \\ \u2190\u2191\u2193 12";

template <typename Output>
void drawEveryScript(FilePass<Output>& pass) {
  ASSERT_TRUE(pass.begun);
  pass.output.setTextStyle(6);
  pass.output.wideText(-8000, 0, 0, 0, kDeepskyLargeText, utf8ToUtf16(kEveryScript));
  pass.output.drawStarLabel(1, -8000, -1000, 0, 0, {.greekLetter = 10, .name = "Mei\u021ba"});  // lambda
  pass.finish();
}

TEST(FileOutputs, EveryLetterOfTheLanguagesReadsBackFromPdfAndEps) {
  CELVARO_SKIP_WITHOUT("pdftotext");
  CELVARO_SKIP_WITHOUT("gs");
  FilePass<RenderingOutputPdf> pdf("letters.pdf", testing::kA4, printedArea());
  drawEveryScript(pdf);
  testing::expectSoundPdf(pdf.path(), pdf.file("letters.png"));
  const std::string pdfText = testing::extractedText(pdf.path());
  EXPECT_NE(pdfText.find(kEveryScript), std::string::npos) << pdfText;
  EXPECT_NE(pdfText.find("\u03bb Mei\u021ba"), std::string::npos) << pdfText;
  EXPECT_EQ(pdfText.find('?'), std::string::npos) << pdfText;
  FilePass<RenderingOutputEps> eps("letters.eps", testing::kA4, printedArea());
  drawEveryScript(eps);
  testing::expectRenderedEps(eps.path(), eps.file("letters.png"));
  const std::string epsText = testing::extractedText(eps.path());
  EXPECT_NE(epsText.find(kEveryScript), std::string::npos) << epsText;
  EXPECT_EQ(epsText.find('?'), std::string::npos) << epsText;
}

// The cut at the chart is its rectangle on the page (10 mm from the left,
// 20 mm from the bottom, 190 by 267 mm; SVG's y from the top: 10 mm), in
// each file language's own clip operators.
TEST(FileOutputs, TheCutAtTheChartIsItsRectangleOnThePage) {
  const auto cut = [](auto&& pass) {
    pass.output.clipToChart();
    pass.output.drawStar(0, 0, 4, 2);
    pass.output.endChartClip();
    return pass.finish();
  };
  EXPECT_NE(cut(FilePass<RenderingOutputPdf>("cut.pdf", testing::kA4, printedArea()))
                .find("q 1000 2000 19000 26700 re W n\r\nq 1 0 0 1 10500 15350 cm /xobj4 Do Q\r\nQ\r\nendstream"),
            std::string::npos);
  EXPECT_NE(cut(FilePass<RenderingOutputEps>("cut.eps", testing::kA4, printedArea()))
                .find("gsave newpath 1000 2000 moveto 1000 28700 lineto 20000 28700 lineto 20000 2000 lineto "
                      "closepath clip newpath\r\n10500 15350 2 D\r\ngrestore\r\nshowpage"),
            std::string::npos);
  EXPECT_NE(cut(FilePass<RenderingOutputSvg>("cut.svg", testing::kA4, printedArea()))
                .find("<clipPath id=\"chart-area\"><rect x=\"1000\" y=\"1000\" width=\"19000\" "
                      "height=\"26700\"/></clipPath>\r\n<g clip-path=\"url(#chart-area)\">\r\n"
                      "<circle class=\"star\" cx=\"10500\" cy=\"14350\" r=\"2\"/>\r\n</g>\r\n</svg>"),
            std::string::npos);
}

// --- begin and end ----------------------------------------------------------------------

TEST(FileOutputs, NoFileCanBeCreatedInAMissingDirectoryOrOverADirectory) {
  testing::ScratchDir dir;
  RenderingOutputPdf pdf;
  EXPECT_FALSE(pdf.begin(dir.file("missing/map.pdf"), testing::kA4, printedArea()));
  EXPECT_FALSE(pdf.begin(dir.path().string(), testing::kA4, printedArea()));
  EXPECT_FALSE(pdf.begin("", testing::kA4, printedArea()));
  pdf.end();  // nothing begun: nothing written
  EXPECT_FALSE(pdf.written());
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(FileOutputs, AFailedWriteLeavesNoFileAndSaysSo) {
  testing::ScratchDir dir;
  std::filesystem::create_directories(dir.path() / "gone");
  RenderingOutputSvg svg;
  ASSERT_TRUE(svg.begin(dir.file("gone/map.svg"), testing::kA4, printedArea()));
  svg.drawStar(0, 0, 100, 50);
  std::filesystem::remove(dir.path() / "gone");
  svg.end();
  EXPECT_FALSE(svg.written());
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "gone"));
}

}  // namespace
}  // namespace celvaro
