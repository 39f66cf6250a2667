// The guider port with the simulated equatorial mount behind it: what a
// guiding client's commands do on the mount's wire, timed there.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "guided_mount.h"
#include "linked_pty.h"
#include "pseudo_terminals.h"
#include "test_files.h"

namespace celvaro {
namespace {

using namespace std::chrono_literals;

class GuiderPort : public ::testing::Test {
 protected:
  void SetUp() override {
    SKIP_WITHOUT_PSEUDO_TERMINALS();
    ASSERT_TRUE(mount.linkAndTrack());
    mount.controller.openGuiderPort(2);
    ASSERT_TRUE(mount.listener.waitFor("guider 3"));
  }
  // Sends guide commands and waits for the mount's first command after them
  // that is `awaited`.
  bool sendAndAwait(const std::string& commands, const std::string& awaited) {
    const size_t from = mount.commandCount();
    client->write(commands);
    return mount.waitForCommand(awaited, from) >= 0;
  }
  // Matches the step-period command of axis 1 with this period.
  static std::function<bool(const std::string&)> period(int64_t value) {
    return [value](const std::string& c) { return c.rfind(":I1", 0) == 0 && testing::motorValue(c) == value; };
  }
  // Heartbeats given by hand, a little apart.
  void beats(int count) {
    for (int i = 0; i < count; ++i) {
      mount.controller.heartBeat();
      std::this_thread::sleep_for(50ms);
    }
  }

  testing::ScratchDir dir;
  std::unique_ptr<testing::Pty> client = std::make_unique<testing::Pty>(dir.path(), 2);
  testing::GuidedMount mount{dir.path()};
};

// Overlapping timed pulses on both axes each keep their own length (single
// pulses, timed by a real guiding client's driver, are in the INDI test).
TEST_F(GuiderPort, TimedPulsesMoveTheMountForTheirLength) {
  const size_t from = mount.commandCount();
  client->write(":Mgs0300#:Mgw0600#");
  const auto south = mount.declinationMove(from, 3s);
  const auto west = mount.rightAscensionMove(from, 3s);
  EXPECT_EQ(south.direction, 1);
  EXPECT_NEAR(south.milliseconds, 300, 30);
  EXPECT_EQ(west.period, testing::GuidedMount::kWestGuidePeriod);
  EXPECT_NEAR(west.milliseconds, 600, 30);
}

TEST_F(GuiderPort, ClosingThePortStopsTheMovesItStarted) {
  ASSERT_TRUE(sendAndAwait(":Mn#", ":J2"));
  size_t from = mount.commandCount();
  client->write(":Mw#");
  ASSERT_GE(mount.waitForCommand(period(testing::GuidedMount::kWestGuidePeriod), from), 0);
  from = mount.commandCount();
  mount.controller.closeGuiderPort();
  EXPECT_GE(mount.waitForCommand(":K2", from, 1s), 0);
  EXPECT_GE(mount.waitForCommand(period(testing::GuidedMount::kSiderealPeriod), from, 1s), 0);
  EXPECT_TRUE(mount.listener.waitFor("guider 0"));
}

// A client whose end of the line hangs up (a cable pulled, a bridge that
// ended with its program) has its moves stopped at once; once a device is
// there again under the same name, the port opens again by itself.
TEST_F(GuiderPort, APortThatHangsUpStopsItsMovesAndOpensAgainWhenItComesBack) {
  ASSERT_TRUE(sendAndAwait(":Ms#", ":J2"));
  const size_t from = mount.commandCount();
  client.reset();
  EXPECT_GE(mount.waitForCommand(":K2", from, 500ms), 0);
  ASSERT_TRUE(mount.listener.waitFor("guider 0"));

  std::filesystem::remove(dir.path() / "ports" / "COM2");
  client = std::make_unique<testing::Pty>(dir.path(), 2);
  beats(2);
  ASSERT_TRUE(mount.listener.waitFor("guider 3", 2));
  client->write(":GD#");
  EXPECT_EQ(client->read(10, 1s).size(), 10u);
}

// Through a bridge that keeps its ends open (a pseudo-terminal pair), a
// client that dies is only silence: a move it left on ends after three
// heartbeats without a byte from it; a client that keeps talking keeps it.
TEST_F(GuiderPort, AMoveOfAClientThatFellSilentStops) {
  ASSERT_TRUE(sendAndAwait(":Mn#", ":J2"));
  size_t from = mount.commandCount();
  for (int i = 0; i < 4; ++i) {
    client->write(":GR#");
    std::this_thread::sleep_for(30ms);  // the reader hears it before the heartbeat
    beats(1);
  }
  EXPECT_LT(mount.waitForCommand(":K2", from, 200ms), 0);
  from = mount.commandCount();
  beats(4);
  EXPECT_GE(mount.waitForCommand(":K2", from, 1s), 0);
}

}  // namespace
}  // namespace celvaro
