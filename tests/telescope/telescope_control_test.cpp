// The controller's frames, its guide-command parser, and the controller
// itself over real pseudo-terminals.
#include "telescope/telescope_control.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "app/clock_listener.h"
#include "telescope/guide_command_parser.h"
#include "telescope/pipe_frame.h"
#include "linked_pty.h"
#include "pseudo_terminals.h"
#include "test_files.h"
#include "waiting_listener.h"

namespace celvaro {
namespace {

using namespace std::chrono_literals;

TEST(PipeFrames, ReceivedBytesAreCutIntoFramesOfThirtyOneAndGatheredInOrder) {
  std::string received;
  for (int i = 0; i < 40; ++i) received += static_cast<char>('a' + i % 26);
  const std::string frames = serialDataFrames(reinterpret_cast<const uint8_t*>(received.data()), received.size());
  ASSERT_EQ(frames.size(), 42u);
  EXPECT_EQ(static_cast<uint8_t>(frames[0]), 0xDF);
  EXPECT_EQ(static_cast<uint8_t>(frames[32]), 0xC9);

  // A stray byte below 0x80 between frames is skipped; the heartbeat's
  // filler completes its frame.
  const std::string stream = std::string("\x00\x13", 2) + frames + heartbeatFrame() + commandFrame({9, 4});
  FrameAssembler assembler;
  std::vector<std::string> gathered;
  for (char c : stream) {
    if (assembler.add(static_cast<uint8_t>(c))) {
      gathered.push_back(std::to_string(assembler.kind()) + ":" +
                         std::string(reinterpret_cast<const char*>(assembler.payload()), assembler.payloadLength()));
    }
  }
  ASSERT_EQ(gathered.size(), 4u);
  EXPECT_EQ(gathered[0], "2:" + received.substr(0, 31));
  EXPECT_EQ(gathered[1], "2:" + received.substr(31));
  EXPECT_EQ(gathered[2], "1:");
  EXPECT_EQ(gathered[3], std::string("0:\x09\x04"));
}

TEST(GuideCommands, MovesStopsAndInquiries) {
  GuideCommandParser parser;
  auto feed = [&](const std::string& text) {
    GuideCommandParser::Result last;
    for (char c : text) {
      const auto r = parser.add(static_cast<uint8_t>(c));
      if (r.event || r.reply) last = r;
    }
    return last;
  };
  EXPECT_EQ(feed(":Mw#").event, 1);
  EXPECT_EQ(feed(":ms#").event, 4);
  EXPECT_EQ(feed(":Mx#").event, 7);  // an unknown move stops all guiding
  EXPECT_EQ(feed(":Qe#").event, 5);
  EXPECT_EQ(feed(":qn#").event, 6);
  EXPECT_EQ(feed(":Q#").event, 7);
  EXPECT_STREQ(feed(":GD#").reply, "+00*00'00#");
  EXPECT_STREQ(feed(":GR#").reply, "00:00:00#");
  EXPECT_STREQ(feed(":gS#").reply, "00:00:00#");
  EXPECT_EQ(feed(":Gd#").reply, nullptr);
  EXPECT_EQ(feed("junk:#").event, 0);
  // A command longer than the buffer keeps its first 50 bytes and counts.
  EXPECT_EQ(feed(":Mw" + std::string(60, 'x') + "#").event, 1);
}

TEST(GuideCommands, TheAcknowledgeProbeIsAnsweredOutsideACommandOnly) {
  GuideCommandParser parser;
  EXPECT_STREQ(parser.add(0x06).reply, "P");
  EXPECT_EQ(parser.add(0x06).event, 0);
  // Inside a command the byte is kept like any other and answers nothing.
  parser.add(':');
  EXPECT_EQ(parser.add(0x06).reply, nullptr);
  parser.add('#');
  // A guide-rate command is not one of the port's: no event, no answer.
  GuideCommandParser::Result r;
  for (char c : std::string(":RG#")) r = parser.add(static_cast<uint8_t>(c));
  EXPECT_EQ(r.event, 0);
  EXPECT_EQ(r.reply, nullptr);
}

// The frames the user interface's operations write, byte for byte.
class FrameRecorder : public TelescopeControl {
 public:
  using TelescopeControl::TelescopeControl;
  void writeFrames(const std::string& frames) override { written += frames; }
  std::string written;
};

TEST(TelescopeOperations, EachWritesItsFrame) {
  testing::WaitingListener listener;
  struct : iSiderealTime {
    double greenwichSiderealHours() const override { return 0; }
    double localSiderealHours() const override { return 0; }
  } clock;
  FrameRecorder link(listener, clock, "");
  auto bytes = [&](auto operation) {
    link.written.clear();
    operation();
    return link.written;
  };
  EXPECT_EQ(bytes([&] { link.heartBeat(); }), std::string("\xA0\x00", 2));
  EXPECT_EQ(bytes([&] { link.connect(5, 3); }), "\x83\x03\x05\x03");
  EXPECT_EQ(bytes([&] { link.moveFast(2, 4); }), "\x83\x06\x02\x04");
  EXPECT_EQ(bytes([&] { link.moveFast(0x83, -4560); }), "\x84\x08\x03\xD0\x11");
  EXPECT_EQ(bytes([&] { link.moveAtRate(1, 4800); }), "\x84\x08\x01\xC0\x12");
  EXPECT_EQ(bytes([&] { link.deleteReferencePoint(iTelescopeControl::kAllReferencePoints); }), "\x82\x0B\xFF");
  EXPECT_EQ(bytes([&] { link.gotoPosition(1.0, 0.5); }), "\x81\x0D");
  EXPECT_EQ(bytes([&] { link.startSpiralSearch(300, 3, 2); }), "\x84\x12\xFF\x03\x02");
  EXPECT_EQ(bytes([&] { link.startDslrSeries(10, 300, 5); }), std::string("\x87\x13\x0A\x00\x2C\x01\x05\x00", 8));
  EXPECT_EQ(bytes([&] { link.command21(1, 0x0203); }), "\x84\x15\x01\x03\x02");
  EXPECT_EQ(bytes([&] { link.closeGuiderPort(); }), "\x81\x19");
}

// --- the controller against pseudo-terminals -------------------------------------------------

class FixedSiderealTime : public iSiderealTime {
 public:
  double greenwichSiderealHours() const override { return 6.0; }
  double localSiderealHours() const override { return 6.0; }
};

class ControllerTest : public ::testing::Test {
 protected:
  ControllerTest() : controller(listener, clock, dir.path().string()) { controller.start({}); }
  void SetUp() override { SKIP_WITHOUT_PSEUDO_TERMINALS(); }
  testing::ScratchDir dir;
  testing::WaitingListener listener;
  FixedSiderealTime clock;
  TelescopeControl controller;
};

TEST_F(ControllerTest, AMountTypeWithoutAProtocolNeverLinksAndRefusesCommands) {
  testing::Pty mount(dir.path(), 1);
  controller.connect(kMountNexstar2, 1);
  ASSERT_TRUE(listener.waitFor("link 10"));
  controller.readPosition();
  ASSERT_TRUE(listener.waitFor("link 7"));
  controller.connect(kMountNexstar2, 2);  // no such port
  EXPECT_TRUE(listener.waitFor("link 2"));
}

TEST_F(ControllerTest, GuideCommandsAreAnsweredAndFoldedIntoTheHeartbeat) {
  testing::Pty guider(dir.path(), 3);
  controller.openGuiderPort(3);
  ASSERT_TRUE(listener.waitFor("guider 3"));
  guider.write(":GD#");
  EXPECT_EQ(guider.read(10), "+00*00'00#");
  guider.write(":Mw#:Me#:Mn#:Ms#");
  std::this_thread::sleep_for(100ms);  // the reader hands the events on
  controller.heartBeat();
  // West and east together report -5, north and south together -5.
  EXPECT_TRUE(listener.waitFor("movement " + std::to_string(static_cast<int32_t>((0xFFFBu << 16) | 0xFFFB))));
  guider.write(":Q#");
  std::this_thread::sleep_for(100ms);
  controller.heartBeat();
  EXPECT_TRUE(listener.waitFor("movement 0"));
  controller.closeGuiderPort();
  EXPECT_TRUE(listener.waitFor("guider 0"));
  controller.closeGuiderPort();
  EXPECT_TRUE(listener.waitFor("guider 2"));
}

// An LX200 client probes with the acknowledge byte and waits for the answer
// before it goes on, sets a guide rate once, then guides.
TEST_F(ControllerTest, AnLx200ClientConnectsAndGuidesNorth) {
  testing::Pty guider(dir.path(), 2);
  controller.openGuiderPort(2);
  ASSERT_TRUE(listener.waitFor("guider 3"));
  guider.write("\x06");
  EXPECT_EQ(guider.read(1), "P");
  const int32_t north = 5 << 16;
  for (const char* command : {":RG#", ":Mn#", ":Qn#"}) {
    std::this_thread::sleep_for(500ms);
    guider.write(command);
    std::this_thread::sleep_for(100ms);  // the reader hands the event on
    controller.heartBeat();
    ASSERT_TRUE(listener.waitFor(std::string(command) == ":Mn#" ? "movement " + std::to_string(north) : "movement 0",
                                 std::string(command) == ":Qn#" ? 2 : 1));
  }
  EXPECT_EQ(listener.count("movement " + std::to_string(north)), 1);
  EXPECT_EQ(guider.read(1, 200ms), "");  // nothing answered the guide-rate command
}

TEST_F(ControllerTest, AVanishedMountBringsTheLinkDownAndSaysSo) {
  testing::Pty mount(dir.path(), 1);
  controller.connect(kMountNexstar2, 1);
  ASSERT_TRUE(listener.waitFor("link 10"));
  mount.hangUp();
  EXPECT_TRUE(listener.waitFor("link 20"));
  EXPECT_TRUE(listener.waitFor("link 4"));
  controller.disconnect();  // the port is closed already
  EXPECT_TRUE(listener.waitFor("link 7"));
}

}  // namespace
}  // namespace celvaro
