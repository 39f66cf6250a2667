// A finder chart as an observer makes one: celvaro-chart --finder writes one
// page, which qpdf checks and pdfinfo counts, and pdftotext reads back the
// two charts' fields and the route from its bright starting star.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/document_checks.h"
#include "test_files.h"
#include "ui/chart_program.h"

namespace celvaro {
namespace {

using testing::ScratchDir;

struct FinderCase {
  const char* object;
  // The route's first words: its start, a star of 3rd magnitude or brighter
  // near the object. η Her stands 2.5° north of M 13 (SIMBAD: 16h42m54s
  // +38°55', M 13 16h41m41s +36°28'); Kaus Borealis (λ Sgr, 18h27m58s
  // -25°25') 5.6° east of M 8 (18h03m37s -24°23').
  const char* routeStart;
};

class FinderChart : public ::testing::TestWithParam<FinderCase> {};

TEST_P(FinderChart, IsOnePageOfTwoChartsWithTheRouteFromItsStartStar) {
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  CELVARO_SKIP_WITHOUT("pdftotext");
  CELVARO_SKIP_WITHOUT("pdfinfo");
  CELVARO_SKIP_WITHOUT("qpdf");
  ScratchDir dir;
  const std::string pdf = dir.file("finder.pdf");
  const testing::ChartRun run = testing::runChartProgram(
      {"--utc", "2024-07-15T21:00", "--lat", "47.5", "--lon", "19.04", "--finder", GetParam().object, "--out", pdf});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const testing::CommandResult check = testing::runCommand("qpdf --check '" + pdf + "'");
  EXPECT_EQ(check.status, 0) << check.output;
  EXPECT_EQ(testing::pdfPages(pdf), 1);
  const std::string text = testing::runCommand("pdftotext -enc UTF-8 '" + pdf + "' -").output;
  for (const std::string expected : {"Field of view: 20°", "Field of view: 2°", "Star-hop route:"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << "'" << expected << "' not in:\n" << text;
  }
  EXPECT_NE(text.find(std::string("Star-hop route: ") + GetParam().routeStart), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(Objects, FinderChart,
                         ::testing::Values(FinderCase{"M 13", "η Her"}, FinderCase{"M 8", "Kaus Borealis"}),
                         [](const ::testing::TestParamInfo<FinderCase>& info) {
                           std::string name = info.param.object;
                           return name.erase(1, 1);  // "M13": a name of digits alone would be taken for an index
                         });

}  // namespace
}  // namespace celvaro
