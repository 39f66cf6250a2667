#include "output/rendering_output_pdf.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

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
  CELVARO_SKIP_WITHOUT("qpdf");
  CELVARO_SKIP_WITHOUT("pdftoppm");
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
  EXPECT_EQ(objectBody(pdf, 57).find_first_not_of("0123456789"), objectBody(pdf, 57).size() - 2);
  const size_t xref = pdf.find("xref\r\n0 58\r\n0000000000 65535 f\r\n");
  EXPECT_TRUE(pdf.ends_with("trailer\r\n<< /Size 58 /Root 1 0 R >>\r\nstartxref\r\n" + std::to_string(xref) +
                            "\r\n%%EOF\r\n"));
  // qpdf checks the stream's length and every offset of the table.
  testing::expectSoundPdf(pass.path(), pass.file("layout.png"));
}

// A chart of other star sizes gets forms of its own, named after the
// first's; a later page of the first's sizes uses them again. qpdf checks the
// structure, pdfinfo counts the pages. EPS and SVG hold one page.
TEST(PdfOutput, ChartsOfOtherStarSizesGetFormsOfTheirOwnAndPagesFollowOneAnother) {
  CELVARO_SKIP_WITHOUT("qpdf");
  CELVARO_SKIP_WITHOUT("pdfinfo");
  testing::ScratchDir dir;
  const std::string path = dir.file("pages.pdf");
  RenderingOutputPdf pdf;
  const int32_t small[] = {40, 30}, large[] = {200, 100};
  pdf.copyStarSizes(small, 2);
  ASSERT_TRUE(pdf.begin(path, testing::kA4, testing::cornerArea()));
  for (const auto& [sizes, newPage] : {std::pair{large, false}, {small, true}}) {
    pdf.drawStar(0, 0, 0, 0);
    pdf.copyStarSizes(sizes, 2);
    ASSERT_TRUE(pdf.nextChart(testing::cornerArea(), newPage));
  }
  pdf.drawStar(0, 0, 0, 0);
  pdf.end();
  const std::string file = testing::readBytes(path);
  EXPECT_NE(file.find("cm /xobj0 Do Q\r\n"), std::string::npos);
  EXPECT_NE(file.find("cm /xobj50 Do Q\r\n"), std::string::npos);  // the large sizes, objects 58..107
  EXPECT_NE(objectBody(file, 55).find("/xobj50 58 0 R\r\n"), std::string::npos);
  EXPECT_NE(objectBody(file, 108).find("/xobj0 2 0 R\r\n"), std::string::npos);  // the second page
  EXPECT_EQ(objectBody(file, 54), "<< /Type /Pages /Kids [55 0 R 108 0 R] /Count 2 >>\r\n");
  const testing::CommandResult check = testing::runCommand("qpdf --check '" + path + "'");
  EXPECT_EQ(check.status, 0) << check.output;
  EXPECT_EQ(testing::pdfPages(path), 2);
  FilePass<RenderingOutputEps> eps("one.eps");
  EXPECT_FALSE(eps.output.nextChart(testing::cornerArea(), true));
  FilePass<RenderingOutputSvg> svg("one.svg");
  EXPECT_FALSE(svg.output.nextChart(testing::cornerArea(), true));
}

// A form's box holds its disc and the pen; a class out of range is reported
// and drawn with radius 40, one past the count given has radius 0.
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
  for (const auto& [object, box] : {std::pair{2, "[-47 -47 47 47]"}, {5, "[-65 -65 65 65]"}, {6, "[-25 -25 25 25]"}}) {
    EXPECT_NE(objectBody(file, object).find(std::string("/BBox ") + box), std::string::npos) << object;
  }
  EXPECT_NE(objectBody(file, 4).find("stream\r\n150 0 m "), std::string::npos);
}

// A dash of zero is solid: PDF allows no dash array of zeros ("[0 0]").
TEST(PdfOutput, AnOpenClusterPenWithADashOfZeroIsSolid) {
  RenderOptions options = printRenderOptions();
  options.openClusterDash = 0;
  EXPECT_EQ(page([&](RenderingOutput& o) {
              o.setOptions(options);
              o.selectPen(12);
            }),
            "[] 0 d 15 w 0 0 0 RG\r\n");
}

TEST(PdfOutput, TextsAreFilledBlackAgainAfterAFillAndFillsComeBackAfterATextStyle) {
  EXPECT_EQ(page([](RenderingOutput& o) {
              o.selectBrush(3);
              o.drawStar(0, 0, 4, 0);
              o.text(10, 20, 0, 0, kGridText, "+45");
              o.drawStar(0, 0, 4, 0);
              o.setTextStyle(4);
              o.drawStar(0, 0, 4, 0);
              o.selectBrush(9);  // no fill of its own: nothing
            }),
            "1 1 1 rg\r\nq 1 0 0 1 0 0 cm /xobj4 Do Q\r\n0 0 0 rg\r\nBT /F1 250 Tf 10 20 Td (+45) Tj ET\r\n"
            "1 1 1 rg\r\nq 1 0 0 1 0 0 cm /xobj4 Do Q\r\n0 0 0 rg\r\n1 1 1 rg\r\nq 1 0 0 1 0 0 cm /xobj4 Do Q\r\n");
}

// A line that leaves the chart strokes to the edge and moves on where it
// comes back; a closed line cut by the edge draws back to its start; the
// last point of a finished line is clipped too.
TEST(PdfOutput, PolylinesAreClippedAtTheChartEdge) {
  struct Case {
    std::vector<std::pair<int32_t, int32_t>> points;
    int finish;  // 0 polyEnd, 1 polyFinish open, 2 polyFinish closed
    const char* expected;
  };
  const Case cases[] = {
      {{{0, 0}, {1000, 0}, {1000, 100}, {0, 100}}, 0, "0 0 m 500 0 l S\r\n500 100 m 0 100 l S\r\n"},
      {{{-1000, 0}, {1000, 0}, {1000, 2000}}, 0, "-500 0 m 500 0 l S\r\n"},  // the last leg wholly outside
      {{{0, 0}, {100, 0}, {100, 100}}, 2, "0 0 m 100 0 l 100 100 l h S\r\n"},
      {{{0, 0}, {1000, 0}, {1000, 100}, {400, 100}}, 2, "0 0 m 500 0 l S\r\n500 100 m 400 100 l 0 0 l S\r\n"},
      {{{0, 0}, {0, 4000}}, 1, "0 0 m 0 500 l S\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(page([&](RenderingOutput& o) {
                o.polyStart(c.points[0].first, c.points[0].second);
                for (size_t i = 1; i + 1 < c.points.size(); ++i) o.polyLineTo(c.points[i].first, c.points[i].second);
                const auto [x, y] = c.points.back();
                if (c.finish == 0) {
                  o.polyLineTo(x, y);
                  o.polyEnd(false);
                } else {
                  o.polyFinish(x, y, c.finish == 2);
                }
              }),
              c.expected);
  }
}

}  // namespace
}  // namespace celvaro
