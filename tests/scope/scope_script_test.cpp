// celvaro-scope's command line: what is refused and why, and what a taken
// script asks of the mount.
#include "tools/scope/scope_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scope/scope_program.h"
#include "telescope/mount_types.h"

namespace celvaro::scope {
namespace {

struct Refusal {
  std::vector<std::string> args;
  const char* error;
};

const std::vector<std::string> kLx200 = {"--type", "lx200", "--port", "/dev/ttyUSB0"};

std::vector<std::string> lx200(std::vector<std::string> more) {
  more.insert(more.begin(), kLx200.begin(), kLx200.end());
  return more;
}

TEST(ScopeScriptReader, RefusesBadCommandLinesNamingWhatIsWrong) {
  const Refusal refusals[] = {
      {{"status"}, "--type is required"},
      {{"--type", "meade", "--port", "/dev/ttyS0", "status"}, "bad value for --type: meade"},
      {{"--type", "lx200", "status"}, "--port DEVICE is required"},
      {{"--type", "lx200", "--port", "--json", "status"}, "--port needs a value"},
      {{"--type", "indi", "--server", "localhost:7624", "status"}, "--type indi needs --server HOST:PORT and --device NAME"},
      {{"--type", "indi", "--server", "localhost", "--device", "X", "status"}, "bad value for --server: localhost"},
      {{"--type", "indi", "--server", "h:70000", "--device", "X", "status"}, "bad value for --server: h:70000"},
      {{"--type", "indi", "--server", "h:7624", "--device", "X", "--port", "/dev/ttyS0", "status"},
       "--type indi takes --server and --device, not --port"},
      {lx200({"--device", "X", "status"}), "--server and --device go with --type indi"},
      {lx200({"--frobnicate", "1", "status"}), "unknown option --frobnicate"},
      {lx200({}), "no command given"},
      {lx200({"slew", "M 42"}), "unknown command slew"},
      {lx200({"goto"}), "goto needs 1 argument"},
      {lx200({"goto", "25", "10"}), "bad right ascension 25 (hours, 0 to 24)"},
      {lx200({"goto", "5.5", "-91"}), "bad declination -91 (degrees, -90 to 90)"},
      {lx200({"move", "n", "slow2"}), "move needs 3 arguments"},
      {lx200({"move", "up", "slow2", "3"}), "bad argument of move: up"},
      {lx200({"move", "n", "slow6", "3"}), "bad argument of move: slow6"},
      {lx200({"move", "n", "medium1", "3"}), "bad argument of move: medium1"},
      {lx200({"move", "n", "fast1", "-3"}), "bad argument of move: -3"},
      // The place and the instant are read as celvaro-chart reads them.
      {lx200({"--lat", "91", "status"}), "bad value for --lat: 91"},
      {lx200({"--utc", "2026-02-30T12:00", "status"}), "bad value for --utc: 2026-02-30T12:00 (the day must be between 1 and 28)"},
      {lx200({"--tz", "--dst", "0", "status"}), "--tz needs a value"},
      // What the type's protocol does not offer is refused before connecting.
      {lx200({"park"}), "Meade LX200 mounts do not park"},
      {lx200({"track", "on"}), "Meade LX200 mounts do not track"},
      {lx200({"sync", "Vega"}), "Meade LX200 mounts do not sync"},
      {{"--type", "altaz", "--port", "p", "guide", "n", "500"}, "Skywatcher Autotrack direct mounts do not guide"},
      {{"--type", "oldnexstar", "--port", "p", "stop"}, "Old Nexstar protocol mounts do not stop"},
      {{"--type", "own", "--port", "p", "position"}, "Celvaro telescope controller mounts do not position"},
      {{"--type", "nexstar", "--port", "p", "track", "maybe"}, "bad argument of track: maybe"},
      {{"--type", "nexstar", "--port", "p", "guide", "s", "0"}, "bad argument of guide: 0"},
      {{"--type", "equatorial", "--port", "p", "spiral", "40", "11"}, "bad argument of spiral: 11"},
  };
  for (const Refusal& r : refusals) {
    ScopeScriptReader reader;
    EXPECT_FALSE(reader.read(r.args)) << r.error;
    EXPECT_EQ(reader.error(), r.error);
  }
}

TEST(ScopeScriptReader, TakesNamesPlacesAndEachCommandsArguments) {
  ScopeScriptReader reader;
  const auto script = reader.read({"--type", "equatorial", "--port", "/dev/ttyUSB0", "--json", "--lat", "-33.9",
                                   "goto", "M 42", "goto", "5.5", "-5.25", "sync", "433", "wait", "move", "e",
                                   "fast3", "2.5", "guide", "w", "500", "spiral", "40", "3", "track", "off", "park"});
  ASSERT_TRUE(script) << reader.error();
  EXPECT_EQ(script->mountType, kMountMotorEquatorial);
  EXPECT_TRUE(script->json);
  EXPECT_EQ(script->placeTime.latitudeDeg, -33.9);
  ASSERT_EQ(script->commands.size(), 9u);
  const auto& c = script->commands;
  EXPECT_EQ(c[0].object, "M 42");
  EXPECT_FALSE(c[0].raHours);
  EXPECT_EQ(c[1].raHours, 5.5);
  EXPECT_EQ(c[1].decDeg, -5.25);
  EXPECT_EQ(c[1].text, "goto 5.5 -5.25");
  // A number followed by a command is a name: minor planet (433).
  EXPECT_EQ(c[2].object, "433");
  EXPECT_EQ(c[3].verb, Verb::kWait);
  EXPECT_EQ(c[4].direction, 2);
  EXPECT_TRUE(c[4].fast);
  EXPECT_EQ(c[4].rate, 3);
  EXPECT_EQ(c[4].seconds, 2.5);
  EXPECT_EQ(c[5].direction, 2);  // a guiding program's west
  EXPECT_EQ(c[5].milliseconds, 500);
  EXPECT_EQ(c[6].radiusArcmin, 40);
  EXPECT_EQ(c[6].turns, 3);
  EXPECT_FALSE(c[7].on);
  EXPECT_EQ(c[8].verb, Verb::kPark);

  const auto indi = reader.read({"--type", "indi", "--server", "::1:7624", "--device", "Telescope Simulator", "status"});
  ASSERT_TRUE(indi) << reader.error();
  EXPECT_EQ(indi->indiHost, "::1");
  EXPECT_EQ(indi->indiPort, 7624);
}

// The program itself: a bad command line is one line on the error output
// and exit code 2, before any port is opened; a name the search does not
// find is the same.
TEST(ScopeScriptReader, TheProgramRefusesWithExitCode2) {
  testing::ScratchDir dir;
  const auto bad = testing::runScope({"--type", "lx200", "--port", "/dev/null", "park"}, dir);
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_EQ(bad.err, "celvaro-scope: Meade LX200 mounts do not park\n");
  EXPECT_EQ(bad.out, "");
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  const auto unknown = testing::runScope(
      {"--type", "lx200", "--port", "/dev/null", "--program-dir", CELVARO_RUN_DIR, "goto", "Xyzzy"}, dir);
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_EQ(unknown.err, "celvaro-scope: no object called 'Xyzzy'\n");
}

}  // namespace
}  // namespace celvaro::scope
