// Atlases as an observer makes them: celvaro-chart --atlas writes one PDF,
// which qpdf checks and pdfinfo counts. pdftotext reads back the key, the
// pages named at a chart's edges and the index; the page the index gives
// for an object is centred near the object's published place (SIMBAD).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <optional>
#include <regex>
#include <string>

#include "output/document_checks.h"
#include "test_files.h"
#include "ui/chart_program.h"

namespace celvaro {
namespace {

using testing::ScratchDir;

struct Centre {
  double raDeg, decDeg;
};

std::string pageText(const std::string& pdf, int page) {
  const std::string p = std::to_string(page);
  return testing::runCommand("pdftotext -enc UTF-8 -f " + p + " -l " + p + " '" + pdf + "' -").output;
}

// The centre a chart page's title gives.
std::optional<Centre> centreOf(const std::string& pdf, int page) {
  static const std::regex centre(R"(Centre: RA (\d+):(\d+):(\d+)\s+Dec (-?)(\d+):(\d+):(\d+))");
  std::smatch m;
  const std::string text = pageText(pdf, page);
  if (!std::regex_search(text, m, centre)) return std::nullopt;
  const auto n = [&](int i) { return std::stod(m[i].str()); };
  return Centre{15 * (n(1) + n(2) / 60 + n(3) / 3600), (m[4].str().empty() ? 1 : -1) * (n(5) + n(6) / 60 + n(7) / 3600)};
}

// The number after the first match of the pattern's group.
int numberAfter(const std::string& text, const std::string& pattern) {
  std::smatch m;
  return std::regex_search(text, m, std::regex(pattern)) ? std::stoi(m[1].str()) : -1;
}

double separationDeg(Centre a, Centre b) {
  const double r = M_PI / 180;
  return std::acos(std::clamp(std::sin(a.decDeg * r) * std::sin(b.decDeg * r) +
                                  std::cos(a.decDeg * r) * std::cos(b.decDeg * r) * std::cos((a.raDeg - b.raDeg) * r),
                              -1.0, 1.0)) / r;
}

testing::ChartRun atlas(const std::string& subject, const std::string& pdf) {
  return testing::runChartProgram({"--utc", "2026-12-08T20:00", "--atlas", subject, "--out", pdf});
}

class AtlasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CELVARO_SKIP_WITHOUT_BUILT_DATA();
    CELVARO_SKIP_WITHOUT("pdftotext");
    CELVARO_SKIP_WITHOUT("pdfinfo");
    CELVARO_SKIP_WITHOUT("qpdf");
  }
  void expectValid(const std::string& pdf) {
    const testing::CommandResult check = testing::runCommand("qpdf --check '" + pdf + "'");
    EXPECT_EQ(check.status, 0) << check.output;
  }
  ScratchDir dir;
};

TEST_F(AtlasTest, OfTheSkyHasItsKeyChartsThatNameTheirNeighboursAndAnIndex) {
  const std::string pdf = dir.file("sky.pdf");
  const testing::ChartRun run = atlas("sky", pdf);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  expectValid(pdf);
  const int pages = testing::pdfPages(pdf);
  EXPECT_GE(pages, 40);
  const std::string key = pageText(pdf, 1);
  EXPECT_NE(key.find("Key to the atlas pages: northern sky"), std::string::npos) << key;
  EXPECT_NE(key.find("Key to the atlas pages: southern sky"), std::string::npos) << key;
  const std::string all = testing::runCommand("pdftotext -enc UTF-8 '" + pdf + "' -").output;
  // M 42 at 5h35m17s -5°23'; Polaris at 2h31m49s +89°15'.
  const struct {
    const char* entry;
    Centre place;
  } objects[] = {{R"(M 42[^\n]* – (\d+))", {83.82, -5.39}}, {R"(Polaris \(α UMi\) – (\d+))", {37.95, 89.26}}};
  for (const auto& object : objects) {
    const int page = numberAfter(all, object.entry);
    ASSERT_GT(page, 1) << object.entry;
    const auto centre = centreOf(pdf, page);
    ASSERT_TRUE(centre) << pageText(pdf, page);
    EXPECT_LT(separationDeg(*centre, object.place), 20) << object.entry;
  }
  // Beyond M 42's page: eastward (left) the next page of its band, northward (up) one of the band above.
  const int orion = numberAfter(all, R"(M 42[^\n]* – (\d+))");
  const std::string text = pageText(pdf, orion);
  const auto here = centreOf(pdf, orion), east = centreOf(pdf, numberAfter(text, "← (\\d+)")),
             north = centreOf(pdf, numberAfter(text, "↑ (\\d+)"));
  ASSERT_TRUE(here && east && north) << text;
  EXPECT_NEAR(east->decDeg, here->decDeg, 0.1);
  EXPECT_GT(std::fmod(east->raDeg - here->raDeg + 360, 360), 10);
  EXPECT_LT(std::fmod(east->raDeg - here->raDeg + 360, 360), 45);
  EXPECT_GT(north->decDeg, here->decDeg + 15);
  EXPECT_NE(pageText(pdf, pages).find("Index"), std::string::npos);
}

TEST_F(AtlasTest, OfAConstellationCoversItAndAListGivesAFinderChartEachLine) {
  const std::string orion = dir.file("orion.pdf");
  ASSERT_EQ(atlas("Orion", orion).exitCode, 0);
  expectValid(orion);
  EXPECT_GE(testing::pdfPages(orion), 3);
  EXPECT_NE(pageText(orion, 1).find("Key to the atlas pages: Orion"), std::string::npos);
  const auto centre = centreOf(orion, 2);
  ASSERT_TRUE(centre);
  EXPECT_LT(separationDeg(*centre, {85.0, 6.0}), 10);  // the middle of Orion's boundary

  const std::string list = dir.file("tonight.txt"), handout = dir.file("tonight.pdf");
  std::ofstream(list) << "M 13\n\n# after midnight\n  M 8  \n";
  ASSERT_EQ(atlas(list, handout).exitCode, 0);
  expectValid(handout);
  EXPECT_EQ(testing::pdfPages(handout), 2);
  EXPECT_NE(pageText(handout, 1).find("Star-hop route: η Her"), std::string::npos);
  EXPECT_NE(pageText(handout, 2).find("Star-hop route: Kaus Borealis"), std::string::npos);

  std::ofstream(list) << "M 13\nNo Such Thing\n";
  const testing::ChartRun bad = atlas(list, dir.file("bad.pdf"));
  EXPECT_NE(bad.exitCode, 0);
  EXPECT_NE(bad.err.find("line 2: no object called 'No Such Thing'"), std::string::npos) << bad.err;
  EXPECT_FALSE(std::filesystem::exists(dir.file("bad.pdf")));
}

}  // namespace
}  // namespace celvaro
