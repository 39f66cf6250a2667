// Printed charts as an observer makes them with celvaro-chart: atlases,
// a list's finder charts, the field-of-view frames of a scheme file and the map's
// title, each read back by programs of their own (qpdf, pdfinfo,
// pdftotext) or measured in the SVG.
#include "ui/ui_test_support.h"

namespace celvaro {
namespace {

using namespace testing;

// A printed PDF: qpdf finds it sound and pdfinfo counts its pages.
void expectValidPdf(const std::string& pdf, int pages) {
  const CommandResult check = runCommand("qpdf --check '" + pdf + "'");
  EXPECT_EQ(check.status, 0) << check.output;
  EXPECT_EQ(pdfPages(pdf), pages) << pdf;
}

// --- atlases: the page the index gives for an object is centred near the
// object's published place (SIMBAD) ---------------------------------------------------------

struct Centre { double raDeg, decDeg; };

// The centre a chart page's title gives.
std::optional<Centre> centreOf(const std::string& pdf, int page) {
  static const std::regex centre(R"(Centre: RA (\d+):(\d+):(\d+)\s+Dec (-?)(\d+):(\d+):(\d+))");
  std::smatch m;
  const std::string text = pdfText(pdf, page);
  if (!std::regex_search(text, m, centre)) return std::nullopt;
  const auto n = [&](int i) { return std::stod(m[i].str()); };
  return Centre{15 * (n(1) + n(2) / 60 + n(3) / 3600), (m[4].str().empty() ? 1 : -1) * (n(5) + n(6) / 60 + n(7) / 3600)};
}

// The number after the first match of the pattern's group.
int numberAfter(const std::string& text, const std::string& pattern) {
  std::smatch m;
  return std::regex_search(text, m, std::regex(pattern)) ? std::stoi(m[1].str()) : -1;
}

ChartRun atlas(const std::string& subject, const std::string& pdf) {
  return runChartProgram({"--utc", "2026-12-08T20:00", "--atlas", subject, "--out", pdf});
}

class PrintedCharts : public ::testing::Test {
 protected:
  void SetUp() override {
    CELVARO_SKIP_WITHOUT_BUILT_DATA();
    CELVARO_SKIP_WITHOUT("pdftotext");
    CELVARO_SKIP_WITHOUT("pdfinfo");
    CELVARO_SKIP_WITHOUT("qpdf");
  }
  ScratchDir dir;
};

TEST_F(PrintedCharts, AnAtlasOfTheSkyHasItsKeyChartsThatNameTheirNeighboursAndAnIndex) {
  const std::string pdf = dir.file("sky.pdf");
  const ChartRun run = atlas("sky", pdf);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const int pages = pdfPages(pdf);
  EXPECT_GE(pages, 40);
  expectValidPdf(pdf, pages);
  const std::string key = pdfText(pdf, 1);
  EXPECT_NE(key.find("Key to the atlas pages: northern sky"), std::string::npos) << key;
  EXPECT_NE(key.find("Key to the atlas pages: southern sky"), std::string::npos) << key;
  const std::string all = pdfText(pdf);
  // M 42 at 5h35m17s -5°23'; Polaris at 2h31m49s +89°15'.
  const struct {
    const char* entry;
    Centre place;
  } objects[] = {{R"(M 42[^\n]* – (\d+))", {83.82, -5.39}}, {R"(Polaris \(α UMi\) – (\d+))", {37.95, 89.26}}};
  for (const auto& object : objects) {
    const int page = numberAfter(all, object.entry);
    ASSERT_GT(page, 1) << object.entry;
    const auto centre = centreOf(pdf, page);
    ASSERT_TRUE(centre) << pdfText(pdf, page);
    EXPECT_LT(separationDeg(centre->raDeg, centre->decDeg, object.place.raDeg, object.place.decDeg), 20) << object.entry;
  }
  // Beyond M 42's page: eastward (left) the next page of its band, northward (up) one of the band above.
  const int orion = numberAfter(all, R"(M 42[^\n]* – (\d+))");
  const std::string text = pdfText(pdf, orion);
  const auto here = centreOf(pdf, orion), east = centreOf(pdf, numberAfter(text, "← (\\d+)")),
             north = centreOf(pdf, numberAfter(text, "↑ (\\d+)"));
  ASSERT_TRUE(here && east && north) << text;
  EXPECT_NEAR(east->decDeg, here->decDeg, 0.1);
  EXPECT_GT(std::fmod(east->raDeg - here->raDeg + 360, 360), 10);
  EXPECT_LT(std::fmod(east->raDeg - here->raDeg + 360, 360), 45);
  EXPECT_GT(north->decDeg, here->decDeg + 15);
  EXPECT_NE(pdfText(pdf, pages).find("Index"), std::string::npos);
}

// A list's finder charts are one page each of two charts, 20 and 2 degrees
// across, with the route from a star of the 3rd magnitude or brighter near
// the object. η Her stands 2.5° north of M 13 (SIMBAD: 16h42m54s +38°55',
// M 13 16h41m41s +36°28'); Kaus Borealis (λ Sgr, 18h27m58s -25°25') 5.6°
// east of M 8 (18h03m37s -24°23').
TEST_F(PrintedCharts, AnAtlasOfAConstellationCoversItAndAListGivesAFinderChartEachLine) {
  const std::string orion = dir.file("orion.pdf");
  ASSERT_EQ(atlas("Orion", orion).exitCode, 0);
  EXPECT_GE(pdfPages(orion), 3);
  expectValidPdf(orion, pdfPages(orion));
  EXPECT_NE(pdfText(orion, 1).find("Key to the atlas pages: Orion"), std::string::npos);
  const auto centre = centreOf(orion, 2);
  ASSERT_TRUE(centre);
  EXPECT_LT(separationDeg(centre->raDeg, centre->decDeg, 85.0, 6.0), 10);  // the middle of Orion's boundary

  const std::string list = dir.file("tonight.txt"), handout = dir.file("tonight.pdf");
  std::ofstream(list) << "M 13\n\n# after midnight\n  M 8  \n";
  ASSERT_EQ(atlas(list, handout).exitCode, 0);
  expectValidPdf(handout, 2);
  for (const auto& [page, routeStart] : {std::pair{1, "η Her"}, {2, "Kaus Borealis"}}) {
    const std::string text = pdfText(handout, page);
    for (const std::string& expected : {std::string("Field of view: 20°"), std::string("Field of view: 2°"),
                                       std::string("Star-hop route: ") + routeStart}) {
      EXPECT_NE(text.find(expected), std::string::npos) << "'" << expected << "' not in:\n" << text;
    }
  }

  std::ofstream(list) << "M 13\nNo Such Thing\n";
  const ChartRun bad = atlas(list, dir.file("bad.pdf"));
  EXPECT_NE(bad.exitCode, 0);
  EXPECT_NE(bad.err.find("line 2: no object called 'No Such Thing'"), std::string::npos) << bad.err;
  EXPECT_FALSE(std::filesystem::exists(dir.file("bad.pdf")));
}

// --- the field-of-view frames of a scheme file, measured in the SVG -----------------------

// A scheme file's frames at 1 arcminute of the chart per 190/F mm: an
// equidistant chart F arcminutes across a 190 mm wide A4 page with 10 mm
// margins. A side s of the sensor spans 2 atan(s / 2f) at focal length f,
// the total field's radius r spans atan(r / f).
// 22 x 16 mm at 1200 mm: 63.024' x 45.836' on 5 degrees (38 mm per degree):
// 39.91 x 29.03 mm; the 25 mm radius 71.612', 45.35 mm.
// 36 x 24 mm at 500 mm: 247.411' x 164.980' on 10 degrees: 78.35 x 52.24 mm.
struct FrameCase {
  const char *name, *scheme, *fieldArcmin;
  double widthMm, heightMm;  // the camera frame
  double radiusMm;           // the total field's circle, 0 for none
};
const FrameCase kFrames[] = {
    {"Camera22x16AndTotalField", "flags=3\r\nccdxs=2200\r\nccdys=1600\r\ntotalfovradius=2500\r\nfocallength=1200\r\n",
     "300", 39.91, 29.03, 45.35},
    {"FullFrameAt500", "flags=2\r\nccdxs=3600\r\nccdys=2400\r\nfocallength=500\r\n", "600", 78.35, 52.24, 0},
};
constexpr double kToleranceMm = 0.1;

// The group's text, empty when the SVG has none of that id.
std::string groupOf(const std::string& svg, const std::string& id) {
  const size_t start = svg.find("<g id=\"" + id + "\">");
  return start == std::string::npos ? "" : svg.substr(start, svg.find("</g>", start) - start);
}

std::string printedSvg(const ScratchDir& dir, const std::string& field, const std::vector<std::string>& more) {
  std::vector<std::string> args = {"--utc", "2024-01-15T20:00", "--ra", "5.6", "--dec", "3", "--projection", "2",
                                   "--field", field, "--format", "svg", "--out", dir.file("map.svg")};
  args.insert(args.end(), more.begin(), more.end());
  const ChartRun run = runChartProgram(args);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  return readBytes(dir.file("map.svg"));
}

using PrintedFovFrames = BuiltData;

TEST_F(PrintedFovFrames, EachSchemesFramesHaveTheSizeOfItsSensorAtItsFocalLength) {
  for (const FrameCase& c : kFrames) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    writeBytes(dir.file("scheme.dat"), c.scheme);
    const std::string group = groupOf(printedSvg(dir, c.fieldArcmin, {"--fov-scheme", dir.file("scheme.dat")}), "fovoverlay");
    ASSERT_FALSE(group.empty());
    // The camera frame: from its lower left corner up, across and down.
    int x1, y1, x2, y2, x3, y3, x4, y4;
    const size_t path = group.find("d=\"M");
    ASSERT_NE(path, std::string::npos);
    ASSERT_EQ(std::sscanf(group.c_str() + path, "d=\"M%d %d L%d %d L%d %d L%d %d", &x1, &y1, &x2, &y2, &x3, &y3, &x4, &y4), 8);
    EXPECT_NEAR((x3 - x1) / 100.0, c.widthMm, kToleranceMm);
    EXPECT_NEAR((y1 - y2) / 100.0, c.heightMm, kToleranceMm);
    const size_t circle = group.find(" r=\"");
    EXPECT_EQ(circle != std::string::npos, c.radiusMm > 0);
    if (circle != std::string::npos) {
      EXPECT_NEAR(std::stoi(group.substr(circle + 4)) / 100.0, c.radiusMm, kToleranceMm);
    }
  }
}

TEST_F(PrintedFovFrames, ASchemeFileThatCannotBeReadIsRefused) {
  ScratchDir dir;
  const ChartRun run = runChartProgram({"--fov-scheme", dir.file("missing.dat"), "--format", "svg", "--out", dir.file("m.svg")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("cannot read the field-of-view scheme"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(dir.file("m.svg")));
}

// --- the map's title in each language -------------------------------------------------------

// The page's text as pdftotext reads it, each run of blanks one blank (it
// shortens the wider gaps between a line's items to one blank anyway).
std::string singleSpaced(const std::string& pdf) {
  std::string single;
  for (char c : pdfText(pdf)) {
    if (c != ' ' || single.empty() || single.back() != ' ') single += c;
  }
  return single;
}

// The map of Berlin's sky on 2024-01-15 at 20:00 UT (21:00 local, UTC+1),
// centred on 5h36m +3°, 90 degrees across, the star limit 2.5 magnitudes
// below the 6.00 the program documents for a 90-degree field, so 8.50; the
// deep-sky level of that field is 0, whose faintest prominence is the first
// edge, 4, of the deep-sky catalog's documented level edges. Each text as
// the language file words it, in English and in Hungarian (every language's
// captions: LanguageSwitch.NoWindowKeepsATextOfTheLanguageBefore).
TEST_F(PrintedCharts, PdftotextReadsTheTitlesDatePlaceFieldEpochAndLimitsInTheLanguage) {
  const struct { const char* language; std::vector<std::string> expected; } kTitles[] = {
      {"en",
       {"Centre: RA 05:36:00 Dec 03:00:00 Epoch J2000.0", "Local time: 2024.01.15 21:00", "UT: 2024.01.15 20:00",
        "Observing place: Latitude 52.52°, Longitude 13.40°", "Field of view: 90°",
        "Limiting magnitude: stars 8.50, deep-sky objects 4.0"}},
      {"hu",
       {"Epocha J2000.0", "Helyi idő: 2024.01.15 21:00", "UT: 2024.01.15 20:00",
        "Megfigyelési hely: Földrajzi szélesség 52.52°, Földrajzi hosszúság 13.40°", "Látómező: 90°",
        "Határmagnitúdó: csillagok 8.50, mélyég-objektumok 4.0"}}};
  writeBytes(dir.file("limit.clv"), "starmagnlimitauto=250\r\n");
  for (const auto& title : kTitles) {
    SCOPED_TRACE(title.language);
    const ChartRun run = runChartProgram({"--utc", "2024-01-15T20:00", "--lat", "52.52", "--lon", "13.40", "--tz", "1",
                                          "--dst", "0", "--ra", "5.6", "--dec", "3", "--field", "5400", "--format", "pdf",
                                          "--language", title.language, "--settings", dir.file("limit.clv"), "--out",
                                          dir.file("map.pdf")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string text = singleSpaced(dir.file("map.pdf"));
    for (const std::string& expected : title.expected) {
      EXPECT_NE(text.find(expected), std::string::npos) << "'" << expected << "' not in:\n" << text;
    }
  }
}

// A map centred on a named object names it in its title, at its place:
// the Orion Nebula, M 42, at 05h35m17.3s -05°23'28" (J2000, SIMBAD).
TEST_F(PrintedCharts, TheTitleNamesTheObjectTheChartIsCentredOn) {
  const ChartRun run = runChartProgram({"--utc", "2024-01-15T20:00", "--lat", "52.52", "--lon", "13.40", "--object",
                                        "M 42", "--format", "pdf", "--out", dir.file("map.pdf")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string text = singleSpaced(dir.file("map.pdf"));
  EXPECT_NE(text.find("Object: M 42"), std::string::npos) << text;
  EXPECT_NE(text.find("RA 05:35:17 Dec -05:23:28 Epoch J2000.0"), std::string::npos) << text;
}

}  // namespace
}  // namespace celvaro
