// celvaro-scope against Debian's INDI telescope simulator under a real
// indiserver, in the tests' own network namespace: a goto, a position and a
// park. Where the mount points is checked against libnova's place of the
// date of M 42's published J2000 place.
#include <gtest/gtest.h>

#include <iostream>

#include "scope/scope_program.h"
#include "telescope/indi_driver.h"

namespace celvaro {
namespace {

TEST(ScopeIndiTest, GoesToM42ReadsItsPlaceOfTheDateAndParks) {
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  testing::ScratchDir dir;
  const auto server = testing::startTelescopeSimulator(dir.path().string());
  ASSERT_TRUE(server) << "no indiserver listens: install Debian's indi-bin";
  // The simulator runs on the computer's clock: so does the script.
  const testing::ScopeRun run = testing::runScope(
      {"--type", "indi", "--server", "localhost:" + std::to_string(testing::kIndiPort), "--device", "Telescope Simulator",
       "--json", "--program-dir", CELVARO_RUN_DIR, "status", "goto", "M 42", "wait", "position", "park", "wait"},
      dir);
  ASSERT_EQ(run.exitCode, 0) << run.err << run.out;
  EXPECT_NE(testing::lineOf(run.out, "status").find("\"link\":\"link=up type=\\\"INDI\\\" capabilities="),
            std::string::npos)
      << run.out;
  const auto at = testing::placeIn(testing::lineOf(run.out, "position"), "of_date");
  ASSERT_TRUE(at) << run.out;
  const auto expected = testing::libnovaOfDate(testing::kM42RaHours, testing::kM42DecDeg);
  const double error = testing::arcminutesApart(*at, expected);
  EXPECT_LT(error, 1.0) << at->first << "h " << at->second << " deg";
  EXPECT_NE(testing::lineOf(run.out, "park").find("\"outcome\":\"done\",\"status\":21"), std::string::npos) << run.out;
  std::cout << "[ figures  ] indi: goto error " << error << "', script " << run.seconds << " s\n";
}

}  // namespace
}  // namespace celvaro
