// celvaro-scope against Debian's INDI telescope simulator under a real
// indiserver, in the tests' own network namespace: a goto, a position and a
// park. Where the mount points is checked against libnova's place of the
// date of M 42's published J2000 place.
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <thread>

#include "scope/scope_program.h"
#include "telescope/indi_driver.h"

namespace celvaro {
namespace {

using namespace std::chrono_literals;

constexpr char kServer[] = "/usr/bin/indiserver";
constexpr char kSimulator[] = "/usr/bin/indi_simulator_telescope";
constexpr int kPort = 7624;  // the default: the namespace is the tests' own

bool serverListens() {
  const int s = testing::connectToServer(kPort);
  if (s >= 0) ::close(s);
  return s >= 0;
}

double julianDateNow() {
  return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count() / 86400 +
         2440587.5;
}

TEST(ScopeIndiTest, GoesToM42ReadsItsPlaceOfTheDateAndParks) {
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  ASSERT_TRUE(std::filesystem::exists(kServer) && std::filesystem::exists(kSimulator)) << "install Debian's indi-bin";
  testing::ScratchDir dir;
  testing::IndiDriver server(kServer, dir.path().string(), dir.file("server.log"),
                             std::vector<std::string>{"-p", std::to_string(kPort), kSimulator});
  ASSERT_TRUE(server.running());
  ASSERT_TRUE(serverListens()) << "indiserver does not listen";
  // The simulator runs on the computer's clock: so does the script.
  const testing::ScopeRun run = testing::runScope(
      {"--type", "indi", "--server", "localhost:" + std::to_string(kPort), "--device", "Telescope Simulator",
       "--json", "--program-dir", CELVARO_RUN_DIR, "status", "goto", "M 42", "wait", "position", "park", "wait"},
      dir);
  ASSERT_EQ(run.exitCode, 0) << run.err << run.out;
  EXPECT_NE(testing::lineOf(run.out, "status").find("\"link\":\"link=up type=\\\"INDI\\\" capabilities="),
            std::string::npos)
      << run.out;
  const auto at = testing::placeIn(testing::lineOf(run.out, "position"), "of_date");
  ASSERT_TRUE(at) << run.out;
  const auto expected = testing::libnovaOfDate(testing::kM42RaHours, testing::kM42DecDeg, julianDateNow());
  const double error = testing::arcminutesApart(*at, expected);
  EXPECT_LT(error, 1.0) << at->first << "h " << at->second << " deg";
  EXPECT_NE(testing::lineOf(run.out, "park").find("\"outcome\":\"done\",\"status\":21"), std::string::npos) << run.out;
  std::cout << "[ figures  ] indi: goto error " << error << "', script " << run.seconds << " s\n";
}

}  // namespace
}  // namespace celvaro
