// Printed maps name the constellations in the chart's language, every
// letter as the language writes it. The text is read back from the files
// by Poppler (pdftotext) and Ghostscript; the names expected are the ones
// the languages' published lists of the constellations give. Skipped where
// the data have not been built.
#include <gtest/gtest.h>

#include <filesystem>

#include "catalog/sky_catalogs.h"
#include "output/document_checks.h"
#include "render/chart_export.h"
#include "test_files.h"

namespace celvaro {
namespace {

constexpr int kHungarian = 1, kEnglish = 2, kRomanian = 4;

class PrintedConstellationNames : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::string(CELVARO_RUN_DIR) + "/data/.built")) GTEST_SKIP() << "no built data";
    catalogs.loadConstellations();
  }

  // The text of an A4 map of the field in the language, as the format's
  // reader gives it.
  std::string printedText(double raHours, double decDeg, int fieldArcmin, int language, int format) {
    ChartSettings chart;
    chart.centreRaArcmin = static_cast<int>(raHours * 900);
    chart.centreDecArcmin = static_cast<int>(decDeg * 60);
    chart.fieldArcmin = fieldArcmin;
    PrintableMap map;
    map.format = format;
    map.fileName = dir.file(format == kExportPdf ? "map.pdf" : "map.eps");
    ChartSources sources;
    sources.catalogs = &catalogs;
    sources.language = language;
    EXPECT_TRUE(exportChart(printableMapExport(map, chart, sources, PrintColourTable())));
    const std::string reader = format == kExportPdf
                                   ? "pdftotext '" + map.fileName + "' -"
                                   : "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -sOutputFile=- '" + map.fileName + "'";
    return testing::runCommand(reader).output;
  }

  testing::ScratchDir dir;
  SkyCatalogs catalogs{CELVARO_RUN_DIR};
};

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Serpens Caput north and Libra south of RA 15h30m, Dec -8 degrees.
TEST_F(PrintedConstellationNames, ARomanianMapSaysSarpeleAndBalanta) {
  CELVARO_SKIP_WITHOUT("pdftotext");
  CELVARO_SKIP_WITHOUT("gs");
  for (int format : {kExportPdf, kExportEps}) {
    const std::string text = printedText(15.5, -8, 3600, kRomanian, format);
    for (const char* name : {"Șarpele", "Balanța"}) EXPECT_TRUE(has(text, name)) << format << text;  // U+0218, U+021B
    for (const char* name : {"Serpens", "Libra"}) EXPECT_FALSE(has(text, name)) << format;
  }
}

// Virgo, Norma and Circinus in a 90 degree field centred at RA 14h, Dec
// -30 degrees; Monoceros east of Orion.
TEST_F(PrintedConstellationNames, AHungarianMapHasTheDoubleAcuteLetters) {
  CELVARO_SKIP_WITHOUT("pdftotext");
  const std::string south = printedText(14, -30, 5400, kHungarian, kExportPdf);
  for (const char* name : {"Szűz", "Szögmérő", "Körző"}) EXPECT_TRUE(has(south, name)) << south;  // U+0171, U+0151
  const std::string orion = printedText(6.5, 0, 3600, kHungarian, kExportPdf);
  EXPECT_TRUE(has(orion, "Egyszarvú")) << orion;
  EXPECT_FALSE(has(orion, "Monoceros"));
}

TEST_F(PrintedConstellationNames, AnEnglishMapKeepsTheLatinNames) {
  CELVARO_SKIP_WITHOUT("pdftotext");
  const std::string text = printedText(15.5, -8, 3600, kEnglish, kExportPdf);
  for (const char* name : {"Serpens Caput", "Libra"}) EXPECT_TRUE(has(text, name)) << text;
  EXPECT_FALSE(has(text, "Șarpele"));
}

}  // namespace
}  // namespace celvaro
