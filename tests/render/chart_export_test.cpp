#include "render/chart_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "output/document_checks.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::ScratchDir;

// On A4 (210 by 297 mm) two margins, 12 mm of title and 10 mm of legend.
TEST(ChartExport, TheMarginsMustLeaveRoomForTheChartTitleAndLegend) {
  const struct {
    int32_t margin, pageHeight;
    bool fits;
  } kPages[] = {{1000, 29700, true}, {10499, 29700, true}, {10500, 29700, false},
                {2000, 6200, false}, {2000, 6201, true},   {-1, 29700, false}};
  for (const auto& page : kPages) {
    EXPECT_EQ(fitsOnPage({.pageHeight = page.pageHeight, .margin = page.margin, .fileName = "m.pdf"}), page.fits)
        << page.margin << " " << page.pageHeight;
  }
}

TEST(ChartExport, AChartWithoutCatalogsHasItsFrameTitleLegendAndGrid) {
  CELVARO_SKIP_WITHOUT("qpdf");
  CELVARO_SKIP_WITHOUT("pdftoppm");
  ScratchDir dir;
  ChartSettings chart;
  chart.fieldArcmin = 3600;
  ASSERT_TRUE(exportChart(printableMapExport({.fileName = dir.file("frame.pdf")}, chart, {}, {})));
  const std::string pdf = testing::readBytes(dir.file("frame.pdf"));
  EXPECT_NE(pdf.find("1000 2000 m 20000 2000 l 20000 27500 l 1000 27500 l s\r\n"), std::string::npos);  // the frame
  EXPECT_NE(pdf.find("1000 27500 m 20000 27500 l 20000 28700 l 1000 28700 l s\r\n"), std::string::npos);  // the title
  EXPECT_NE(pdf.find("1000 2000 m 20000 2000 l 20000 1000 l 1000 1000 l s\r\n"), std::string::npos);   // the legend
  EXPECT_NE(pdf.find("Td (5 degs) Tj"), std::string::npos);
  EXPECT_NE(pdf.find("Td (7) Tj"), std::string::npos);  // the magnitude scale up to the limit of a 60 degree field
  EXPECT_NE(pdf.find("[] 0 d 5 w 0.5 0.5 0.5 RG"), std::string::npos);  // the grid's pen
  EXPECT_NE(pdf.find("/BBox [-175 -175 175 175]"), std::string::npos);  // the brightest stars 3 mm across
  testing::expectSoundPdf(dir.file("frame.pdf"), dir.file("frame.png"));
}

TEST(ChartExport, AScalePairOfTheSettingsOverridesTheField) {
  ScratchDir dir;
  ChartSettings chart;
  chart.scaleHalfFieldArcmin = 60;
  chart.scaleHalfExtent = 9500;
  const PrintableMap map{.format = kExportEps, .fileName = dir.file("scaled.eps")};
  ASSERT_TRUE(exportChart(printableMapExport(map, chart, {}, {})));
  EXPECT_NE(testing::readBytes(dir.file("scaled.eps")).find("(10 min) show"), std::string::npos);
}

TEST(ChartExport, SpecifiedStarDiametersAreCopiedAndSaidSo) {
  ScratchDir dir;
  ChartExport job = printableMapExport({.fileName = dir.file("sizes.pdf")}, {}, {}, {});
  job.options.starDiametersSpecified = true;
  job.options.starDiameters.fill(0);
  job.options.starDiameters[0] = 500;
  ::testing::internal::CaptureStdout();
  ASSERT_TRUE(exportChart(job));
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Star diameters are specified\n");
  const std::string pdf = testing::readBytes(dir.file("sizes.pdf"));
  EXPECT_NE(pdf.find("/BBox [-275 -275 275 275]"), std::string::npos);  // class 0: 5 mm
}

// A file that cannot be made is the outputs' own test.
TEST(ChartExport, AnUnknownFormatFailsLeavingNothing) {
  ScratchDir dir;
  EXPECT_FALSE(exportChart(printableMapExport({.format = 4, .fileName = dir.file("map.pdf")}, {}, {}, {})));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace celvaro
