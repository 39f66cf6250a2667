#include "output/rendering_output_pdf.h"

#include <gtest/gtest.h>

#include <string>

#include "output/document_checks.h"
#include "output/file_output_pass.h"
#include "output/rendering_output_eps.h"
#include "output/rendering_output_svg.h"

namespace celvaro {
namespace {

using testing::FilePass;

// Objects by number: where "N 0 obj" begins.
size_t objectAt(const std::string& pdf, int number) { return pdf.find("\r\n" + std::to_string(number) + " 0 obj\r\n") + 2; }

std::string objectBody(const std::string& pdf, int number) {
  const size_t from = pdf.find("\r\n", objectAt(pdf, number)) + 2;
  return pdf.substr(from, pdf.find("endobj\r\n", from) - from);
}

// What the drawing put on the page after the matrix.
std::string pageContent(const std::string& pdf) {
  const size_t from = pdf.find(" 0 0 cm\r\n") + 9;
  return pdf.substr(from, pdf.find("endstream", from) - from);
}

std::string page(const std::function<void(RenderingOutput&)>& draw) {
  FilePass<RenderingOutputPdf> pass("page.pdf");
  draw(pass.output);
  return pageContent(pass.finish());
}

TEST(PdfOutput, FiftyStarClassesPutThePageAtFiftyFiveAndTheXrefAtFiftyEight) {
  FilePass<RenderingOutputPdf> pass("layout.pdf", testing::kA4);
  const std::string pdf = pass.finish();
  EXPECT_EQ(pdf.rfind("%PDF-1.3\r\n1 0 obj\r\n<< /Type /Catalog\r\n/Pages 54 0 R\r\n>>\r\nendobj\r\n", 0), 0u);
  EXPECT_EQ(objectBody(pdf, 52),
            "<< /Type /Font /Subtype /Type1 /Name /F1 /BaseFont /Helvetica /Encoding << /Type /Encoding /BaseEncoding "
            "/WinAnsiEncoding /Differences [128 /Ohungarumlaut /ohungarumlaut /Uhungarumlaut /uhungarumlaut /Abreve "
            "/abreve /Scommaaccent /scommaaccent /uni021A /uni021B /Scedilla /scedilla /Ccaron /ccaron /Scaron /scaron "
            "/Zcaron /zcaron /Lslash /lslash /Ecaron /ecaron /Rcaron /rcaron /endash /emdash /quotedblleft "
            "/quotedblright /quotedblbase /quoteleft /quoteright /bullet] >> >>\r\n");
  EXPECT_EQ(objectBody(pdf, 53), "<< /Type /Font /Subtype /Type1 /Name /F2 /BaseFont /Symbol >>\r\n");
  EXPECT_EQ(objectBody(pdf, 54), "<< /Type /Pages /Kids [55 0 R] /Count 1 >>\r\n");
  const std::string pageObject = objectBody(pdf, 55);
  EXPECT_EQ(pageObject.rfind("<< /Type /Page /Parent 54 0 R\r\n/MediaBox [0 0 595 841]\r\n/Contents 56 0 R\r\n"
                             "/Resources << /ProcSet [/PDF /Text] /XObject <<\r\n/xobj0 2 0 R\r\n/xobj1 3 0 R\r\n",
                             0),
            0u);
  EXPECT_TRUE(pageObject.ends_with("/xobj49 51 0 R\r\n>>\r\n/Font << /F1 52 0 R /F2 53 0 R >>\r\n>>\r\n>>\r\n"));
  EXPECT_EQ(objectBody(pdf, 56).rfind("<< /Length 57 0 R >>\r\nstream\r\n0.02835 0 0 0.02835 0 0 cm\r\n", 0), 0u);
  // The length object holds the bytes between "stream" and "endstream".
  const size_t stream = pdf.find("stream\r\n0.02835") + 8;
  EXPECT_EQ(objectBody(pdf, 57), std::to_string(pdf.find("endstream", stream) - stream) + "\r\n");

  const size_t xref = pdf.find("xref\r\n");
  EXPECT_EQ(pdf.substr(xref, 33), "xref\r\n0 58\r\n0000000000 65535 f\r\n0");
  const size_t entries = xref + 12;
  for (int object = 0; object < 58; ++object) {
    const std::string entry = pdf.substr(entries + 20 * object, 20);
    EXPECT_TRUE(entry.ends_with("\r\n")) << object;  // 20 bytes each, with CR LF
    const std::string header = std::to_string(object) + " 0 obj\r\n";
    if (object > 0) {
      EXPECT_EQ(pdf.compare(std::stoul(entry.substr(0, 10)), header.size(), header), 0) << object;
    }
  }
  EXPECT_EQ(pdf.substr(entries + 20 * 58), "trailer\r\n<< /Size 58 /Root 1 0 R >>\r\nstartxref\r\n" +
                                               std::to_string(xref) + "\r\n%%EOF\r\n");
}

// Each star class is a form of its own diameter; one out of range is
// reported and drawn with radius 40.
// A chart of other star sizes beside the first gets forms of its own,
// named after the first's; a later page of the first's sizes uses the
// first's forms again. qpdf checks the document's structure, pdfinfo counts
// its pages.
TEST(PdfOutput, ChartsOfOtherStarSizesGetFormsOfTheirOwnAndPagesFollowOneAnother) {
  CELVARO_SKIP_WITHOUT("qpdf");
  CELVARO_SKIP_WITHOUT("pdfinfo");
  testing::ScratchDir dir;
  const std::string path = dir.file("pages.pdf");
  RenderingOutputPdf pdf;
  const int32_t small[] = {40, 30}, large[] = {200, 100};
  pdf.copyStarSizes(small, 2);
  ASSERT_TRUE(pdf.begin(path, testing::kA4, testing::cornerArea()));
  pdf.drawStar(0, 0, 0, 0);
  pdf.copyStarSizes(large, 2);
  ASSERT_TRUE(pdf.nextChart(testing::cornerArea(), false));
  pdf.drawStar(0, 0, 0, 0);
  pdf.copyStarSizes(small, 2);
  ASSERT_TRUE(pdf.nextChart(testing::cornerArea(), true));
  pdf.drawStar(0, 0, 0, 0);
  pdf.end();
  const std::string file = testing::readBytes(path);
  EXPECT_NE(file.find("cm /xobj0 Do Q\r\n"), std::string::npos);
  EXPECT_NE(file.find("cm /xobj50 Do Q\r\n"), std::string::npos);  // the large sizes, objects 58..107
  EXPECT_NE(objectBody(file, 55).find("/xobj50 58 0 R\r\n"), std::string::npos);
  EXPECT_NE(objectBody(file, 58).find("/BBox [-125 -125 125 125]"), std::string::npos);
  EXPECT_NE(objectBody(file, 108).find("/xobj0 2 0 R\r\n"), std::string::npos);  // the second page
  EXPECT_EQ(objectBody(file, 54), "<< /Type /Pages /Kids [55 0 R 108 0 R] /Count 2 >>\r\n");
  const testing::CommandResult check = testing::runCommand("qpdf --check '" + path + "'");
  EXPECT_EQ(check.status, 0) << check.output;
  EXPECT_EQ(testing::pdfPages(path), 2);
}

TEST(PdfOutput, EpsAndSvgFilesHoldOnePage) {
  FilePass<RenderingOutputEps> eps("one.eps");
  EXPECT_TRUE(eps.output.nextChart(testing::cornerArea(), false));
  EXPECT_FALSE(eps.output.nextChart(testing::cornerArea(), true));
  FilePass<RenderingOutputSvg> svg("one.svg");
  EXPECT_FALSE(svg.output.nextChart(testing::cornerArea(), true));
}

TEST(PdfOutput, EachStarClassIsAFormOfItsOwnDiameterWithinRange) {
  RenderingOutputPdf pdf;
  int32_t sizes[4] = {45, 200, 300, 2500};
  pdf.copyStarSizes(sizes, 4);
  testing::ScratchDir dir;
  ::testing::internal::CaptureStdout();
  ASSERT_TRUE(pdf.begin(dir.file("big.pdf"), {1000, 1000}, testing::cornerArea()));
  pdf.end();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "> PDF generator internal error: Star radius is out of range. idx:3 radius:1250\n");
  const std::string file = testing::readBytes(dir.file("big.pdf"));
  const std::string path = "22 0 m 22 12 12 22 0 22 c -12 22 -22 12 -22 0 c -22 -12 -12 -22 0 -22 c 12 -22 22 -12 22 0 c b ";
  EXPECT_EQ(objectBody(file, 2), "<< /Type /XObject /Subtype /Form /Resources << /ProcSet [/PDF] >> /BBox [-47 -47 47 47] "
                                 "/Length " + std::to_string(path.size() + 2) + " >>\r\nstream\r\n" + path +
                                     "\r\nendstream\r\n");
  const std::string form = objectBody(file, 5);
  EXPECT_NE(form.find("/BBox [-65 -65 65 65]"), std::string::npos) << form;
  EXPECT_NE(form.find("stream\r\n40 0 m 40 22 22 40 0 40 c "), std::string::npos) << form;
  EXPECT_NE(objectBody(file, 4).find("stream\r\n150 0 m "), std::string::npos);
  // Past the given count the classes are 0: discs of radius 0, no message.
  EXPECT_NE(objectBody(file, 6).find("/BBox [-25 -25 25 25]"), std::string::npos);
}

TEST(PdfOutput, StarsArePlacedByClassInsideTheChartOnly) {
  bool inside = false, outside = true;
  EXPECT_EQ(page([&](RenderingOutput& o) {
              inside = o.drawStar(500, 0, 7, 0);
              outside = o.drawStarIndexed(3, 501, 0, 7, 0);
              o.legendStar(600, -700, 60, 0);  // the legend is outside the chart; classes past 49 use 49
            }),
            "q 1 0 0 1 500 0 cm /xobj7 Do Q\r\nq 1 0 0 1 600 -700 cm /xobj49 Do Q\r\n");
  EXPECT_TRUE(inside);
  EXPECT_FALSE(outside);
}

TEST(PdfOutput, PensWriteTheirDashWidthAndColourOnlyWhenTheStyleChanges) {
  EXPECT_EQ(page([](RenderingOutput& o) {
              o.selectPen(4);
              o.selectPen(4);
              o.selectPen(2);
              o.selectPen(0);   // keeps the grid's pen
              o.selectPen(24);
              o.selectPen(7);
              o.selectPen(12);
              o.selectPen(6);   // the horizon: the further width, solid without a dash
              o.setFrameLineStyle();
            }),
            "[80 80] 0 d 10 w 0 0 0 RG\r\n[] 0 d 5 w 0.5 0.5 0.5 RG\r\n[] 0 d 10 w 1 1 1 RG\r\n"
            "[30 30] 0 d 15 w 0 0 0 RG\r\n[] 0 d 15 w 0 0 0 RG\r\n[] 0 d 20 w \r\n");
  RenderOptions options = printRenderOptions();
  options.eclipticDashOn = 0;       // solid
  options.boundaryDashOff = 40;     // its own gap
  options.openClusterDash = 0;      // no "[0 0]", which no reader accepts
  EXPECT_EQ(page([&](RenderingOutput& o) {
              o.setOptions(options);
              o.selectPen(5);
              o.selectPen(4);
              o.selectPen(12);
            }),
            "[] 0 d 15 w 0 0 0 RG\r\n[80 40] 0 d 10 w 0 0 0 RG\r\n[] 0 d 15 w 0 0 0 RG\r\n");
}

TEST(PdfOutput, TextsAreFilledBlackAgainAfterAFillAndFillsComeBackAfterATextStyle) {
  EXPECT_EQ(page([](RenderingOutput& o) {
              o.selectBrush(3);
              o.drawStar(0, 0, 4, 0);
              o.text(10, 20, 40, -200, kGridText, "+30");
              o.text(10, 20, 0, 0, kGridText, "+45");
              o.drawStar(0, 0, 4, 0);
              o.setTextStyle(4);
              o.drawStar(0, 0, 4, 0);
              o.selectBrush(9);  // no fill of its own: nothing
            }),
            "1 1 1 rg\r\nq 1 0 0 1 0 0 cm /xobj4 Do Q\r\n0 0 0 rg\r\nBT /F1 250 Tf 50 -180 Td (+30) Tj ET\r\n"
            "BT /F1 250 Tf 10 20 Td (+45) Tj ET\r\n1 1 1 rg\r\nq 1 0 0 1 0 0 cm /xobj4 Do Q\r\n0 0 0 rg\r\n1 1 1 rg\r\n"
            "q 1 0 0 1 0 0 cm /xobj4 Do Q\r\n");
}

TEST(PdfOutput, TextsAreEscapedAndWrittenInTheTextEncoding) {
  RenderOptions sizes = printRenderOptions();
  sizes.fontSizes = {100, 110, 120, 130, 140, 150};
  EXPECT_EQ(page([&](RenderingOutput& o) {
              o.setOptions(sizes);
              o.setTextStyle(6);
              o.text(0, 0, 0, 0, kConstellationNames, "a(b)c\\ \xc3\xa9 \xc5\x91");  // é, ő
              o.wideText(0, 0, 0, 0, kDeepskyLargeText, u"M 42 (\u00d6)");
              o.legendText(-700, -700, 99, "5 degs");  // a class past 6 counts as 6
              o.text(600, 0, 0, 0, kGridText, "off the chart");
            }),
            "0 0 0 rg\r\nBT /F1 120 Tf 0 0 Td (a\\(b\\)c\\\\ \\351 \\201) Tj ET\r\n"
            "BT /F1 110 Tf 0 0 Td (M 42 \\(\\326\\)) Tj ET\r\nBT /F1 120 Tf -700 -700 Td (5 degs) Tj ET\r\n");
}

TEST(PdfOutput, StarLabelsWriteTheGreekLetterAndFlamsteedNumberInSymbolAndTheNameAfter) {
  StarLabelParts alpha;
  alpha.greekLetter = 0;
  alpha.flamsteed = 58;
  StarLabelParts omega;
  omega.greekLetter = 23;
  StarLabelParts named;
  named.name = "Rigel";
  named.constellation = 60;
  StarLabelParts none;
  none.greekLetter = 24;
  EXPECT_EQ(page([&](RenderingOutput& o) {
              o.drawStarLabel(1, 100, 0, 40, 0, alpha);
              o.drawStarLabel(2, 100, 0, 40, 0, omega);
              o.drawStarLabel(3, 100, 0, 40, 0, named);
              o.drawStarLabel(4, 100, 0, 40, 0, none);
              EXPECT_FALSE(o.drawStarLabel(5, 501, 0, 40, 0, alpha));
            }),
            "0 0 0 rg\r\nBT 140 0 Td /F2 250 Tf <61> Tj /F2 250 Tf (58) Tj ET\r\n"
            "BT 140 0 Td /F2 250 Tf <77> Tj ET\r\nBT 140 0 Td /F1 250 Tf (Rigel Pav) Tj ET\r\n");
}

TEST(PdfOutput, ShapesAndSymbols) {
  EXPECT_EQ(page([](RenderingOutput& o) {
              o.line(-10, 0, 10, 0);
              o.dashMarker(1, 0, 5, 20);
              o.rectangle(0, 0, 10, 20, false, true);
              o.rectangle(0, 0, 10, 20, true, false);
              o.rectangle(0, 0, 10, 20, false, false);  // neither stroked nor filled: nothing
              o.diffuseNebula(1, 0, 0, 0, 20);
              o.galaxyEllipse(1, 0, 0, 0, 200, 100);
              o.planetDisc(1, -1, 0, 0, 20, 10);
              o.rotatedGalaxyEllipse(1, 0, 0, 100, 0, 0, 50);  // from the centre plus its second axis
            }),
            "-10 0 m 10 0 l S\r\n-20 5 m 20 5 l S\r\n0 0 m 10 0 l 10 20 l 0 20 l h f\r\n0 0 m 10 0 l 10 20 l 0 20 l s\r\n"
            "-10 10 m 10 10 l 10 -10 l -10 -10 l h S\r\n"
            "100 0 m 100 27 55 50 0 50 c -55 50 -100 27 -100 0 c -100 -27 -55 -50 0 -50 c 55 -50 100 -27 100 0 c h S\r\n"
            "10 0 m 10 5 5 10 0 10 c -5 10 -10 5 -10 0 c -10 -5 -5 -10 0 -10 c 5 -10 10 -5 10 0 c b\r\n"
            "0 50 m -55 50 -100 27 -100 0 c -100 -27 -55 -50 0 -50 c 55 -50 100 -27 100 0 c 100 27 55 50 0 50 c h S\r\n");
  const std::string globular = page([](RenderingOutput& o) { o.globularCluster(1, 100, 200, 0, 40); });
  EXPECT_TRUE(globular.ends_with("c s\r\n80 200 m 120 200 l S\r\n100 180 m 100 220 l S\r\n")) << globular;
  const std::string planetary = page([](RenderingOutput& o) { o.planetaryNebula(1, 0, 0, 0, 40); });
  EXPECT_TRUE(planetary.ends_with("c s\r\n20 0 m 40 0 l S\r\n-20 0 m -40 0 l S\r\n0 -20 m 0 -40 l S\r\n0 20 m 0 40 l S\r\n"))
      << planetary;
  EXPECT_EQ(page([](RenderingOutput& o) { o.globularCluster(1, 600, 0, 0, 40); }), "");
}

}  // namespace
}  // namespace celvaro
