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

// An A4 map of a field in a language and format, the names its text must
// hold and those it must not.
struct PrintedMap {
  const char* name;
  double raHours, decDeg;
  int fieldArcmin, language, format;
  std::vector<const char*> shown, absent;
};

class PrintedConstellationNames : public ::testing::TestWithParam<PrintedMap> {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::string(CELVARO_RUN_DIR) + "/data/.built")) GTEST_SKIP() << "no built data";
    catalogs.loadConstellations();
  }

  // The text of the map, as the format's reader gives it.
  std::string printedText(const PrintedMap& m) {
    const PrintableMap map{.format = m.format, .fileName = dir.file(m.format == kExportPdf ? "map.pdf" : "map.eps")};
    ChartSettings chart;
    chart.centreRaArcmin = static_cast<int>(m.raHours * 900);
    chart.centreDecArcmin = static_cast<int>(m.decDeg * 60);
    chart.fieldArcmin = m.fieldArcmin;
    EXPECT_TRUE(exportChart(printableMapExport(map, chart, {.catalogs = &catalogs, .language = m.language}, {})));
    return testing::extractedText(map.fileName);
  }

  testing::ScratchDir dir;
  SkyCatalogs catalogs{CELVARO_RUN_DIR};
};

TEST_P(PrintedConstellationNames, NameTheConstellationsAsTheLanguageWritesThem) {
  const PrintedMap& map = GetParam();
  const char* reader = map.format == kExportPdf ? "pdftotext" : "gs";
  CELVARO_SKIP_WITHOUT(reader);
  const std::string text = printedText(map);
  for (const char* name : map.shown) EXPECT_NE(text.find(name), std::string::npos) << name << " in " << text;
  for (const char* name : map.absent) EXPECT_EQ(text.find(name), std::string::npos) << name;
}

// Serpens Caput north and Libra south of RA 15h30m, Dec -8 degrees (Romanian
// U+0218 and U+021B); Virgo, Norma and Circinus in a 90 degree field centred
// at RA 14h, Dec -30 degrees (Hungarian U+0171 and U+0151); Monoceros east
// of Orion. English keeps the Latin names.
INSTANTIATE_TEST_SUITE_P(
    Languages, PrintedConstellationNames,
    ::testing::Values(
        PrintedMap{"RomanianPdf", 15.5, -8, 3600, kRomanian, kExportPdf, {"Șarpele", "Balanța"}, {"Serpens", "Libra"}},
        PrintedMap{"RomanianEps", 15.5, -8, 3600, kRomanian, kExportEps, {"Șarpele", "Balanța"}, {"Serpens", "Libra"}},
        PrintedMap{"HungarianSouth", 14, -30, 5400, kHungarian, kExportPdf, {"Szűz", "Szögmérő", "Körző"}, {}},
        PrintedMap{"HungarianOrion", 6.5, 0, 3600, kHungarian, kExportPdf, {"Egyszarvú"}, {"Monoceros"}},
        PrintedMap{"English", 15.5, -8, 3600, kEnglish, kExportPdf, {"Serpens Caput", "Libra"}, {"Șarpele"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace celvaro
