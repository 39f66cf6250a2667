// A printed map says what it shows: celvaro-chart prints a map as a user
// would and pdftotext reads its title back in each of the four languages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/document_checks.h"
#include "test_files.h"
#include "ui/chart_program.h"

namespace celvaro {
namespace {

using testing::ScratchDir;

// The map of Berlin's sky on 2024-01-15 at 20:00 UT (21:00 local, UTC+1),
// centred on 5h36m +3°, 90 degrees across, the star limit 2.5 magnitudes
// below the 6.00 the program documents for a 90-degree field, so 8.50; the
// deep-sky level of that field is 0, whose faintest prominence is the first
// edge, 4, of the deep-sky catalog's documented level edges.
const std::vector<std::string> kBerlinMap = {"--utc", "2024-01-15T20:00", "--lat", "52.52", "--lon", "13.40",
                                             "--tz",  "1",                "--dst", "0",     "--ra",  "5.6",
                                             "--dec", "3",                "--field", "5400", "--format", "pdf"};

struct TitleCase {
  const char* language;
  // What the page must say, each as the language file words it.
  std::vector<std::string> expected;
};

class PrintedTitle : public ::testing::TestWithParam<TitleCase> {};

// The page's text as pdftotext reads it, each run of blanks one blank (it
// shortens the wider gaps between a line's items to one blank anyway).
std::string pageText(const std::string& pdf) {
  const testing::CommandResult text = testing::runCommand("pdftotext -enc UTF-8 '" + pdf + "' -");
  EXPECT_EQ(text.status, 0) << text.output;
  std::string single;
  for (char c : text.output) {
    if (c != ' ' || single.empty() || single.back() != ' ') single += c;
  }
  return single;
}

TEST_P(PrintedTitle, PdftotextReadsTheDatePlaceFieldEpochAndLimits) {
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  CELVARO_SKIP_WITHOUT("pdftotext");
  ScratchDir dir;
  testing::writeBytes(dir.file("limit.clv"), "starmagnlimitauto=250\r\n");
  std::vector<std::string> args = kBerlinMap;
  args.insert(args.end(), {"--language", GetParam().language, "--settings", dir.file("limit.clv"), "--out",
                           dir.file("map.pdf")});
  const testing::ChartRun run = testing::runChartProgram(args);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string text = pageText(dir.file("map.pdf"));
  for (const std::string& expected : GetParam().expected) {
    EXPECT_NE(text.find(expected), std::string::npos) << "'" << expected << "' not in:\n" << text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Languages, PrintedTitle,
    ::testing::Values(
        TitleCase{"en",
                  {"Centre: RA 05:36:00 Dec 03:00:00 Epoch J2000.0", "Local time: 2024.01.15 21:00",
                   "UT: 2024.01.15 20:00", "Observing place: Latitude 52.52°, Longitude 13.40°", "Field of view: 90°",
                   "Limiting magnitude: stars 8.50, deep-sky objects 4.0"}},
        TitleCase{"hu",
                  {"Epocha J2000.0", "Helyi idő: 2024.01.15 21:00", "UT: 2024.01.15 20:00",
                   "Megfigyelési hely: Földrajzi szélesség 52.52°, Földrajzi hosszúság 13.40°", "Látómező: 90°",
                   "Határmagnitúdó: csillagok 8.50, mélyég-objektumok 4.0"}},
        TitleCase{"de",
                  {"Epoche J2000.0", "Ortszeit: 2024.01.15 21:00", "UT: 2024.01.15 20:00",
                   "Beobachtungsort: Geografische Breite 52.52°, Geografische Länge 13.40°", "Gesichtsfeld: 90°",
                   "Grenzgröße: Sterne 8.50, Deep-Sky-Objekte 4.0"}},
        TitleCase{"ro",
                  {"Epoca J2000.0", "Ora locală: 2024.01.15 21:00", "UT: 2024.01.15 20:00",
                   "Locul de observare: Latitudinea 52.52°, Longitudinea 13.40°", "Câmp vizual: 90°",
                   "Magnitudine limită: stele 8.50, obiecte de cer profund 4.0"}}),
    [](const ::testing::TestParamInfo<TitleCase>& info) { return std::string(info.param.language); });

// A map centred on a named object names it in its title, at its place:
// the Orion Nebula, M 42, at 05h35m17.3s -05°23'28" (J2000, SIMBAD).
TEST(PrintedTitleObject, NamesTheObjectTheChartIsCentredOn) {
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  CELVARO_SKIP_WITHOUT("pdftotext");
  ScratchDir dir;
  const testing::ChartRun run = testing::runChartProgram({"--utc", "2024-01-15T20:00", "--lat", "52.52", "--lon",
                                                          "13.40", "--object", "M 42", "--format", "pdf", "--out",
                                                          dir.file("map.pdf")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string text = pageText(dir.file("map.pdf"));
  EXPECT_NE(text.find("Object: M 42"), std::string::npos) << text;
  EXPECT_NE(text.find("RA 05:35:17 Dec -05:23:28 Epoch J2000.0"), std::string::npos) << text;
}

}  // namespace
}  // namespace celvaro
