// celvaro-scope's command line, what is refused and why and what a taken
// script asks of the mount; and the program against the simulated mounts
// over real pseudo-terminals, each kind running a whole script: goto M 42,
// wait, position, stop, park where the protocol has it. Where the mount
// points is checked against libnova's place of the date of M 42's published
// J2000 place.
#include <gtest/gtest.h>
#include <signal.h>

#include <cmath>
#include <filesystem>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "mount_simulator.h"
#include "pseudo_terminals.h"
#include "scope/scope_program.h"
#include "telescope/mount_types.h"
#include "test_files.h"
#include "tools/scope/scope_script.h"

namespace celvaro::scope {
namespace {

struct Refusal { std::vector<std::string> args; const char* error; };

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
      {{"--type", "indi", "--server", "h:7624", "--device", "X", "--port", "/dev/ttyS0", "status"},
       "--type indi takes --server and --device, not --port"},
      {lx200({"--device", "X", "status"}), "--server and --device go with --type indi"},
      {lx200({"--frobnicate", "1", "status"}), "unknown option --frobnicate"},
      {lx200({}), "no command given"},
      {lx200({"slew", "M 42"}), "unknown command slew"},
      {lx200({"goto"}), "goto needs 1 argument"},
      {lx200({"goto", "25", "10"}), "bad right ascension 25 (hours, 0 to 24)"},
      {lx200({"goto", "5.5", "-91"}), "bad declination -91 (degrees, -90 to 90)"},
      {lx200({"move", "up", "slow2", "3"}), "bad argument of move: up"},
      // The place and the instant are read as celvaro-chart reads them.
      {lx200({"--lat", "91", "status"}), "bad value for --lat: 91"},
      {lx200({"--utc", "2026-02-30T12:00", "status"}), "bad value for --utc: 2026-02-30T12:00 (the day must be between 1 and 28)"},
  };
  for (const Refusal& r : refusals) {
    ScopeScriptReader reader;
    EXPECT_FALSE(reader.read(r.args)) << r.error;
    EXPECT_EQ(reader.error(), r.error);
  }
}

// What the runs below leave out: a number followed by a command is a name
// (minor planet 433), and a server's host may hold colons.
TEST(ScopeScriptReader, TakesANumberBeforeACommandAsANameAndIpv6Hosts) {
  ScopeScriptReader reader;
  const auto script = reader.read(lx200({"goto", "433", "wait"}));
  ASSERT_TRUE(script) << reader.error();
  EXPECT_EQ(script->commands[0].object, "433");
  const auto indi = reader.read({"--type", "indi", "--server", "::1:7624", "--device", "Telescope Simulator", "status"});
  ASSERT_TRUE(indi) << reader.error();
  EXPECT_EQ(std::tuple(indi->indiHost, indi->indiPort), std::tuple("::1", 7624));
}

// The program itself: a bad command line is one line on the error output
// and exit code 2, before any port is opened; a name the search does not
// find is the same.
TEST(ScopeScriptReader, TheProgramRefusesWithExitCode2) {
  testing::ScratchDir dir;
  const auto bad = testing::runScope({"--type", "lx200", "--port", "/dev/null", "park"}, dir);
  EXPECT_EQ(std::tuple(bad.exitCode, bad.err, bad.out),
            std::tuple(2, "celvaro-scope: Meade LX200 mounts do not park\n", ""));
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  const auto unknown = testing::runScope(
      {"--type", "lx200", "--port", "/dev/null", "--program-dir", CELVARO_RUN_DIR, "goto", "Xyzzy"}, dir);
  EXPECT_EQ(std::tuple(unknown.exitCode, unknown.err), std::tuple(2, "celvaro-scope: no object called 'Xyzzy'\n"));
}

using mountsim::MountKind;
using testing::ScopeRun;

// 22:00 UT on New Year's Day 2025 at Budapest: M 42 stands near the
// meridian, Aldebaran well up in the south-west.
constexpr double kJulianDate = 2460677.5 - 2.0 / 24;
const std::vector<std::string> kPlaceAndTime = {"--utc", "2025-01-01T22:00", "--lat", "47.5", "--lon",
                                                "19.04", "--tz",  "1",                "--dst", "0"};

struct SerialKind {
  const char* name;
  MountKind kind;
  std::vector<std::string> script;
  double arcminutes;  // what the protocol's numbers resolve
};

// Tests are named by the kind, not by the bytes of the case.
void PrintTo(const SerialKind& kind, std::ostream* out) { *out << kind.name; }

class ScopeProgramTest : public ::testing::TestWithParam<SerialKind> {
 protected:
  void SetUp() override { SKIP_WITHOUT_PSEUDO_TERMINALS(); }
  // The simulated mount at thirty times its speed, so a slew takes seconds.
  void startMount(MountKind kind, std::optional<mountsim::Site> site = {}) {
    mountsim::MountOptions options;
    options.kind = kind;
    options.timeScale = 30;
    options.site = site;
    options.log = [this](const mountsim::LogRecord& r) {
      std::lock_guard lock(logLock);
      if (r.incoming) received += r.bytes;
    };
    simulator = std::make_unique<mountsim::MountSimulator>(options);
    ASSERT_TRUE(simulator->start());
  }
  // What the mount received after the last `mark`.
  std::string receivedAfter(const std::string& mark) {
    std::lock_guard lock(logLock);
    const size_t at = received.rfind(mark);
    return at == std::string::npos ? "" : received.substr(at + mark.size());
  }
  ScopeRun run(const char* type, std::vector<std::string> commands) {
    std::vector<std::string> args{"--type", type, "--port", simulator->slavePath(), "--json",
                                  "--program-dir", CELVARO_RUN_DIR};
    args.insert(args.end(), kPlaceAndTime.begin(), kPlaceAndTime.end());
    args.insert(args.end(), commands.begin(), commands.end());
    return testing::runScope(args, dir);
  }

  testing::ScratchDir dir;
  std::mutex logLock;
  std::string received;
  // Last, so that its thread stops before the log it writes into goes.
  std::unique_ptr<mountsim::MountSimulator> simulator;
};

TEST_P(ScopeProgramTest, GoesToM42AndReadsItsPlaceOfTheDate) {
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  const SerialKind& k = GetParam();
  startMount(k.kind);
  const ScopeRun result = run(k.name, k.script);
  EXPECT_EQ(result.exitCode, 0) << result.err << result.out;
  EXPECT_EQ(result.err, "");
  // A line a command, each done; "track on" and "stop" too, with nothing to wait for.
  const auto count = [&](const std::string& text) {
    size_t n = 0;
    for (size_t at = result.out.find(text); at != std::string::npos; at = result.out.find(text, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("\"outcome\":\"done\""), count("\n")) << result.out;
  EXPECT_NE(testing::lineOf(result.out, "wait"), "");
  const auto at = testing::placeIn(testing::lineOf(result.out, "position"), "of_date");
  ASSERT_TRUE(at) << result.out;
  const auto expected = testing::libnovaOfDate(testing::kM42RaHours, testing::kM42DecDeg, kJulianDate);
  const double error = testing::arcminutesApart(*at, expected);
  EXPECT_LT(error, k.arcminutes) << at->first << "h " << at->second << " deg";
  std::cout << "[ figures  ] " << k.name << ": goto error " << error << "', script " << result.seconds << " s\n";
}

INSTANTIATE_TEST_SUITE_P(
    EachSerialKind, ScopeProgramTest,
    ::testing::Values(
        // LX200 is sent tenths of a minute of right ascension and whole arcminutes.
        SerialKind{"lx200", MountKind::Lx200, {"status", "goto", "M 42", "wait", "position", "stop"}, 1.5},
        SerialKind{"nexstar", MountKind::NexStar, {"goto", "M 42", "wait", "position", "stop", "track", "on"}, 1.0},
        SerialKind{"equatorial", MountKind::Equatorial,
                   {"goto", "M 42", "wait", "position", "stop", "park", "wait"}, 1.0},
        // The alt-azimuth mount is aligned on a star first.
        SerialKind{"altaz", MountKind::AltAzimuth, {"sync", "Aldebaran", "goto", "M 42", "wait", "position", "stop"}, 1.0}),
    [](const ::testing::TestParamInfo<SerialKind>& info) { return std::string(info.param.name); });

// A move eastward turns the mount toward greater right ascension at an
// unchanged declination, and a mount that confirms the move and its stop
// only by its own answers is not waited for longer than the move.
TEST_F(ScopeProgramTest, AMoveEastLastsItsSecondsAndTurnsTheMountEast) {
  startMount(MountKind::NexStar);
  const ScopeRun result = run("nexstar", {"position", "move", "e", "fast3", "2", "position"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const size_t second = result.out.find("{\"command\":\"position\"", 1);
  const auto before = testing::placeIn(testing::lineOf(result.out, "position"), "of_date");
  const auto after = testing::placeIn(result.out.substr(second), "of_date");
  ASSERT_TRUE(before && after) << result.out;
  const double eastward = std::fmod(after->first - before->first + 24, 24);
  EXPECT_GT(eastward, 0.1);
  EXPECT_LT(eastward, 12);
  EXPECT_NEAR(after->second, before->second, 1.0 / 60);
  EXPECT_LT(result.seconds, 6);
  std::cout << "[ figures  ] nexstar: two-second move script " << result.seconds << " s\n";
}

// A signal stops the mount before the program ends by it, and the private
// program directory that links the port goes once the port is open, and
// with a script ended by a signal before that.
TEST_F(ScopeProgramTest, LeavesNoScratchDirectoryBehind) {
  startMount(MountKind::Lx200);
  const std::filesystem::path scratch = dir.path() / "tmp";
  std::filesystem::create_directory(scratch);
  const std::vector<std::string> tmp{"TMPDIR=" + scratch.string()};
  const std::vector<std::string> args{"--type", "lx200", "--port", simulator->slavePath()};
  const auto scratchIsEmpty = [&] { return std::filesystem::is_empty(scratch); };
  std::vector<std::string> moving(args);
  moving.insert(moving.end(), {"move", "e", "slow0", "20"});
  EXPECT_EQ(testing::runScope(moving, dir, tmp, 3).exitCode, 128 + SIGTERM);
  // The simulator's reader logs what it read in its own time.
  const auto stopped = [&] { return receivedAfter(":Me#").find(":Q") != std::string::npos; };
  for (int wait = 0; wait < 100 && !stopped(); ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_TRUE(stopped()) << "no stop after the move";
  EXPECT_TRUE(scratchIsEmpty());
  // Ended while it waits for a mount that does not answer.
  simulator->setFault(mountsim::Fault::Silent);
  std::vector<std::string> status(args);
  status.push_back("status");
  EXPECT_EQ(testing::runScope(status, dir, tmp, 0.5).exitCode, 128 + SIGTERM);
  EXPECT_TRUE(scratchIsEmpty());
}

// What goes wrong tells its own exit code and one line on the error output.
TEST_F(ScopeProgramTest, FailuresEndWithTheirExitCodes) {
  startMount(MountKind::Lx200, mountsim::Site{47.5, 19.04});
  // A star 80 degrees south never rises at 47.5 degrees north: the mount says so.
  ScopeRun below = run("lx200", {"goto", "5.5", "-80", "position"});
  EXPECT_EQ(below.exitCode, 4);
  EXPECT_EQ(below.err, "celvaro-scope: goto 5.5 -80: refused, Object Below Horizon\n");
  EXPECT_EQ(testing::lineOf(below.out, "position"), "");  // the script stops there

  // The altitude-azimuth mount goes nowhere before it is aligned.
  simulator.reset();
  startMount(MountKind::AltAzimuth);
  ScopeRun unaligned = run("altaz", {"goto", "5.5", "20"});
  EXPECT_EQ(unaligned.exitCode, 4);
  EXPECT_EQ(unaligned.err, "celvaro-scope: goto 5.5 20: refused, not aligned: sync on a star first\n");

  // No device, and a device that never answers.
  ScopeRun missing = testing::runScope({"--type", "lx200", "--port", dir.file("none"), "status"}, dir);
  EXPECT_EQ(missing.exitCode, 3);
  EXPECT_EQ(missing.err, "celvaro-scope: no link with the Meade LX200 mount: the port could not be opened\n");
  simulator->setFault(mountsim::Fault::Silent);
  ScopeRun silent = run("altaz", {"status"});
  EXPECT_EQ(silent.exitCode, 3);
  EXPECT_EQ(silent.err, "celvaro-scope: no link with the Skywatcher Autotrack direct mount: it did not answer the handshake\n");
  std::cout << "[ figures  ] silent mount given up after " << silent.seconds << " s\n";
}

}  // namespace
}  // namespace celvaro::scope
