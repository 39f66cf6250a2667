// The guide-command parser, and the controller itself over real
// pseudo-terminals, with the simulated mount behind its guider port.
#include "telescope/telescope_control.h"

#include <gtest/gtest.h>

#include <chrono>
#include <numbers>
#include <utility>
#include <filesystem>
#include <string>
#include <vector>

#include "telescope/guide_command_parser.h"
#include "telescope/guider_replies.h"
#include "guided_mount.h"
#include "linked_pty.h"
#include "protocol_bench.h"
#include "pseudo_terminals.h"
#include "test_files.h"
#include "waiting_listener.h"

namespace celvaro {
namespace {

using namespace std::chrono_literals;

GuideCommandParser::Result feedParser(GuideCommandParser& parser, const std::string& text) {
  GuideCommandParser::Result last;
  for (char c : text) {
    auto r = parser.add(static_cast<uint8_t>(c));
    if (r.event || !r.reply.empty()) last = r;
  }
  return last;
}

TEST(GuideCommands, MovesPulsesStopsAndTheAcknowledgeProbe) {
  GuiderReplies replies;
  GuideCommandParser parser(replies);
  struct Case { std::string text; int event, pulseMs; };
  const Case cases[] = {
      {":Mw#", 1, 0}, {":ms#", 4, 0}, {":Qe#", 5, 0}, {":qn#", 6, 0}, {":Q#", 7, 0},
      {":Mx#", 7, 0},  // an unknown move stops all guiding
      // Timed moves, four digits of milliseconds as LX200 clients send them;
      // one that does not read as such is an unknown move.
      {":Mgn0500#", 3, 500}, {":Mgw1000#", 1, 1000}, {":Mge9999#", 2, 9999}, {":Mgs0020#", 4, 20},
      {":Mgx0500#", 7, 0}, {":Mgn05a0#", 7, 0}, {":Mgn12345#", 7, 0}, {":Mgn0000#", 0, 0},
      {"junk:#", 0, 0},
      // A command longer than the buffer keeps its first 50 bytes and counts.
      {":Mw" + std::string(60, 'x') + "#", 1, 0},
  };
  for (const Case& c : cases) {
    const auto r = feedParser(parser, c.text);
    EXPECT_EQ(std::pair(r.event, r.pulseMs), std::pair(c.event, c.pulseMs)) << c.text;
  }

  EXPECT_EQ(parser.add(0x06).reply, "P");
  // Inside a command the byte is kept like any other and answers nothing.
  parser.add(':');
  EXPECT_EQ(parser.add(0x06).reply, "");
  parser.add('#');
  // A guide-rate command is not one of the port's: no event, no answer.
  const auto rate = feedParser(parser, ":RG#");
  EXPECT_EQ(std::tuple(rate.event, rate.reply), std::tuple(0, ""));
}

// The replies in the formats of Meade's LX200 command set, for places
// around the world at 2026-03-05 21:07:09 UT; longitudes are given west
// of Greenwich, 0..360, and ":GG#" is the hours to add to the local time
// to get universal time.
TEST(GuideCommands, SiteClockAndPositionRepliesInTheMountsFormats) {
  using namespace std::chrono;
  const auto instant = sys_days{2026y / March / 5} + 21h + 7min + 9s;
  GuiderReplies replies([&] { return system_clock::time_point(instant); });
  GuideCommandParser parser(replies);
  const auto reply = [&](const std::string& text) { return feedParser(parser, text).reply; };
  EXPECT_EQ(reply(":GR#") + reply(":gS#") + reply(":GD#"), "00:00:00#00:00:00#+00*00'00#");
  EXPECT_EQ((std::tuple{reply(":Gd#"), reply(":Gc#"), reply(":GT#")}), (std::tuple{"", "24#", "60.1#"}));

  struct Site { ObservingPlace place; const char *latitude, *longitude, *offset, *time, *date; };
  const Site sites[] = {
      {{-1, 47.4979, 19.0402, 1, 0}, "+47*30#", "340*58#", "-01#", "22:07:09#", "03/05/26#"},
      {{-1, -33.865, 151.2094, 10, 1}, "-33*52#", "208*47#", "-11#", "08:07:09#", "03/06/26#"},
      {{-1, 40.7128, -74.006, -5, 1}, "+40*43#", "074*00#", "+04#", "17:07:09#", "03/05/26#"},
      {{-1, 28.61, 77.21, 5.5, 0}, "+28*37#", "282*47#", "-05.5#", "02:37:09#", "03/06/26#"},
      // A named zone's rules win over the typed zone: Sydney keeps summer time until April.
      {{-1, -33.865, 151.2094, 0, 0, "Australia/Sydney"}, "-33*52#", "208*47#", "-11#", "08:07:09#", "03/06/26#"},
  };
  for (const Site& site : sites) {
    replies.setPlace(site.place);
    EXPECT_EQ(reply(":Gt#") + reply(":Gg#") + reply(":GG#") + reply(":GL#") + reply(":GC#"),
              std::string(site.latitude) + site.longitude + site.offset + site.time + site.date);
  }

  constexpr double kHour = std::numbers::pi / 12, kDegree = std::numbers::pi / 180;
  replies.setPosition((5 + 55 / 60.0 + 10 / 3600.0) * kHour, -0.5 * kDegree);
  EXPECT_EQ(reply(":GR#") + reply(":GD#"), "05:55:10#-00*30'00#");
  replies.setPosition((23 + 59 / 60.0 + 59.7 / 3600.0) * kHour, 89.99999 * kDegree);
  EXPECT_EQ(reply(":GR#") + reply(":GD#"), "00:00:00#+90*00'00#");
  replies.setPosition(12.5 * kHour, -(45 + 7 / 60.0 + 30.2 / 3600.0) * kDegree);
  EXPECT_EQ(reply(":GR#") + reply(":GD#"), "12:30:00#-45*07'30#");
}

// A guiding client asks where the mount points in the frame of the date, as
// a mount answers: M 42 (J2000 05h35m17.3s -05°23'28") stands at 05h36m32.38s
// -05°22'29.0" on 2025-01-01 0h UT by PyEphem 4.1.4.
TEST(GuideCommands, ThePositionIsToldInTheFrameOfTheDate) {
  GuiderReplies replies;
  testing::FixedSiderealTime clock;
  clock.date = 2460676.5;
  testing::WaitingListener next;
  PositionKeepingListener keeping(next, replies, clock);
  constexpr double kHour = std::numbers::pi / 12, kDegree = std::numbers::pi / 180;
  keeping.onMountPosition((5 + 35 / 60.0 + 17.3 / 3600) * kHour, -(5 + 23 / 60.0 + 28 / 3600.0) * kDegree, 0, 0);
  EXPECT_EQ(replies.reply("GR") + replies.reply("GD"), "05:36:32#-05*22'29#");
  EXPECT_EQ(next.count("position"), 1);
}

// --- the controller against pseudo-terminals -------------------------------------------------

class ControllerTest : public ::testing::Test {
 protected:
  ControllerTest() : controller(listener, clock, dir.path().string()) {
    clock.hours = 6.0;
    controller.start({});
  }
  void SetUp() override { SKIP_WITHOUT_PSEUDO_TERMINALS(); }
  testing::ScratchDir dir;
  testing::WaitingListener listener;
  testing::FixedSiderealTime clock;
  TelescopeControl controller;
};

// A mount type without a protocol never links and has its commands
// refused. The panels switch off (20) on a Disconnect as on a lost port,
// where the reason (4) follows at once.
TEST_F(ControllerTest, DisconnectAndAVanishedMountSwitchThePanelsOff) {
  {
    testing::Pty mount(dir.path(), 1);
    controller.connect(kMountNexstar2, 1);
    ASSERT_TRUE(listener.waitFor("link 10"));
    controller.readPosition();
    ASSERT_TRUE(listener.waitFor("link 7"));
    controller.disconnect();
    ASSERT_TRUE(listener.waitFor("link 20"));
  }
  testing::Pty mount(dir.path(), 2);
  controller.connect(kMountNexstar2, 2);
  ASSERT_TRUE(listener.waitFor("link 10", 2));
  mount.hangUp();
  ASSERT_TRUE(listener.waitFor("link 4"));
  const std::vector<std::string> events = listener.history();
  EXPECT_EQ(std::vector<std::string>(events.end() - 3, events.end()),
            (std::vector<std::string>{"link 10", "link 20", "link 4"}));
  controller.disconnect();  // the port is closed already: the panels switch off all the same
  EXPECT_TRUE(listener.waitFor("link 20", 2));
  controller.connect(kMountNexstar2, 5);  // no such port
  EXPECT_TRUE(listener.waitFor("link 2"));
}

// TIOCEXCL does not keep root out, so the guider port must itself refuse
// the device the mount port has open, by whatever link it is named; and
// the other way round.
TEST_F(ControllerTest, TheGuiderPortAndTheMountPortNeverShareADevice) {
  testing::Pty mount(dir.path(), 1);
  std::filesystem::create_symlink(std::filesystem::read_symlink(dir.path() / "ports" / "COM1"),
                                  dir.path() / "ports" / "COM4");
  controller.connect(kMountNexstar2, 1);
  ASSERT_TRUE(listener.waitFor("link 10"));
  controller.openGuiderPort(1);
  ASSERT_TRUE(listener.waitFor("guider 1"));
  controller.openGuiderPort(4);
  ASSERT_TRUE(listener.waitFor("guider 1", 2));
  EXPECT_EQ(listener.count("guider 3"), 0);
  controller.disconnect();
  testing::Pty guider(dir.path(), 3);
  controller.openGuiderPort(3);
  ASSERT_TRUE(listener.waitFor("guider 3"));
  controller.connect(kMountNexstar2, 3);
  EXPECT_TRUE(listener.waitFor("link 2"));
}

// The monitor sees every direction that was on at any moment since the
// last heartbeat: a correction that starts and stops between two, a move
// that follows a stop of its axis, a timed move.
TEST_F(ControllerTest, EveryCorrectionBetweenHeartbeatsReachesTheMonitor) {
  testing::Pty guider(dir.path(), 3);
  controller.openGuiderPort(3);
  ASSERT_TRUE(listener.waitFor("guider 3"));
  const auto beat = [&](const std::string& commands) {
    EXPECT_TRUE(guider.write(commands)) << commands;
    std::this_thread::sleep_for(100ms);  // the reader hands the events on
    const int before = static_cast<int>(listener.history().size());
    controller.heartBeat();
    for (int wait = 0; wait < 100 && static_cast<int>(listener.history().size()) == before; ++wait) {
      std::this_thread::sleep_for(10ms);
    }
    return listener.history().back();
  };
  const std::string north = "movement " + std::to_string(5 << 16), west = "movement 5", none = "movement 0";
  EXPECT_EQ((std::tuple{beat(":Mn#:Qn#"), beat(""), beat(":Mw#:Qw#:Mw#")}), (std::tuple{north, none, west}));
  EXPECT_EQ(beat(""), west);  // still on
  EXPECT_EQ((std::tuple{beat(":Qw#"), beat("")}), (std::tuple{west, none}));
  // West and east in one second report -5, north and south -5.
  const std::string both = "movement " + std::to_string(static_cast<int32_t>((0xFFFBu << 16) | 0xFFFB));
  EXPECT_EQ((std::tuple{beat(":Mw#:Me#:Mn#:Ms#"), beat(":Q#"), beat("")}), (std::tuple{both, both, none}));
  // A timed move ends by itself: it shows in the second it ended in.
  EXPECT_EQ(beat(":Mgn0300#"), north);
  std::this_thread::sleep_for(400ms);
  EXPECT_EQ((std::tuple{beat(""), beat("")}), (std::tuple{north, none}));
  controller.closeGuiderPort();
  EXPECT_TRUE(listener.waitFor("guider 0"));
  controller.closeGuiderPort();
  EXPECT_TRUE(listener.waitFor("guider 2"));
}

// --- the guider port with the simulated equatorial mount behind it ---------------------------

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
    client.write(commands);
    return mount.waitForCommand(awaited, from) >= 0;
  }
  // Heartbeats given by hand, a little apart.
  void beats(int count) {
    for (int i = 0; i < count; ++i) {
      mount.controller.heartBeat();
      std::this_thread::sleep_for(50ms);
    }
  }

  testing::ScratchDir dir;
  testing::Pty client{dir.path(), 2};
  testing::GuidedMount mount{dir.path()};
};

// Through a bridge that keeps its ends open (a pseudo-terminal pair), a
// client that dies is only silence: a move it left on ends after three
// heartbeats without a byte from it; a client that keeps talking keeps it.
TEST_F(GuiderPort, AMoveOfAClientThatFellSilentStops) {
  ASSERT_TRUE(sendAndAwait(":Mn#", ":J2"));
  size_t from = mount.commandCount();
  for (int i = 0; i < 4; ++i) {
    client.write(":GR#");
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
