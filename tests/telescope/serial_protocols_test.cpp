// The LX200, Nexstar, old Nexstar and own-controller protocols on the bench,
// and the bytes of motor-controller commands and 24-bit values.
#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "protocol_bench.h"
#include "telescope/basic_command_sender.h"
#include "telescope/mount_types.h"
#include "telescope/telescope_command_codes.h"

namespace celvaro {
namespace {

using testing::ProtocolBench;

constexpr double kPi = std::numbers::pi;
constexpr double kRad = kPi / 180;

std::string bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

// A target as the mount is to be sent it, and a reported position as the
// mount told it.
SharedTelescopeValues target(double raRad, double decRad) {
  const EquatorialPosition j2000 = testing::chartPlaceOf(raRad, decRad);
  SharedTelescopeValues v;
  v.gotoRaRad = j2000.raRad;
  v.gotoDecRad = j2000.decRad;
  return v;
}

template <typename Position>
EquatorialPosition mountPlace(const Position& p) { return testing::mountPlaceOf(p.ra, p.dec); }

TEST(MotorControllerBytes, CommandsAndValues) {
  EXPECT_EQ(motorCommandBytes('F', '1'), ":F1\r");
  EXPECT_EQ(motorCommandBytes('G', '2', '3', '1'), ":G231\r");
  // Low byte first, each byte high nibble first.
  for (const auto& [axis, command, value, bytes] :
       {std::tuple{1, 'S', 0x123456u, ":S1563412\r"}, {2, 'I', 0xFEDCBA98u, ":I298BADC\r"}, {0, 'S', 1u, ""},
        {3, 'S', 1u, ""}}) {
    EXPECT_EQ(motorValueBytes(axis, command, value), bytes) << axis << command << value;
  }
}

TEST(MotorControllerBytes, ValuesReadBackInTheSameOrder) {
  uint32_t value = 0;
  ASSERT_TRUE(readMotorValue("563412", 6, value));
  EXPECT_EQ(value, 0x123456u);
  ASSERT_TRUE(readMotorValue("ABCDEF", 6, value));
  EXPECT_EQ(value, 0xEFCDABu);
  EXPECT_FALSE(readMotorValue("56341", 5, value));
  // Only upper-case hex digits make a value: a garbled reply once read as
  // 0xB05B53, a real slew distance.
  for (const char* garbled : {"ZZ%@~x", "abcdef", "56341G", "5634 2", "56:412"}) {
    value = 7;
    EXPECT_FALSE(readMotorValue(garbled, 6, value)) << garbled;
    EXPECT_EQ(value, 7u) << garbled;
  }
}

// Every status and every text of the mount, in the order told.
struct TellingListener : testing::RecordingListener {
  void onLinkStatus(int code) override {
    RecordingListener::onLinkStatus(code);
    told.push_back(std::to_string(code));
  }
  void onMountMessage(const std::string& text) override { told.push_back(text); }
  std::vector<std::string> told;
};
using Told = std::vector<std::string>;

// Replies as Meade's LX200 command set gives them: 0x06 is answered with the
// alignment letter, each set command with '1' (or '0' when refused), ":MS#"
// with '0' or a digit and a message up to '#'.
class Lx200Test : public ::testing::Test {
 protected:
  void SetUp() override {
    bench.protocol = createMountProtocol(kMountLx200, {bench.sender, listener, bench.clock}, 0);
    linkUp("P", "05:30.0#");
    EXPECT_EQ(told(), Told{"458852"});
  }
  // The acknowledge, then the right ascension in the mount's precision.
  void linkUp(const char* letter, const char* rightAscension) {
    bench.protocol->connect();
    EXPECT_EQ(bench.sent(), "\x06");
    EXPECT_EQ(bench.receive(letter), kKeepLink);
    EXPECT_EQ(bench.sent(), ":GR#");
    EXPECT_EQ(bench.receive(rightAscension), kLinkEstablished);
  }
  Told told() { return std::exchange(listener.told, {}); }
  void gotoUpToTheSlew(double raRad, double decRad) {
    bench.command({kCmdGoto}, target(raRad, decRad));
    EXPECT_TRUE(bench.dialog({"1", "1"}).ends_with("|:MS#"));
  }

  TellingListener listener;
  ProtocolBench bench{kMountLx200};
};

TEST_F(Lx200Test, LinksOnlyOnAnAlignmentLetter) {
  for (const char* letter : {"A", "L"}) linkUp(letter, "05:30.0#");
  EXPECT_EQ(told(), (Told{"458852", "458852"}));
  // Nothing answering: heartbeats and stray bytes leave the link down until
  // the sixth heartbeat closes the port.
  bench.protocol->connect();
  EXPECT_EQ(bench.receive("0#\r!x"), kKeepLink);
  EXPECT_EQ(bench.beatsToClose(), 6);
  EXPECT_EQ(told(), Told{"4"});
}

// 5h55m10s is 5h55.17m, 23h59m59s rounds up to the next day's 00:00.0, and
// 89°59'50" to +90:00.
TEST_F(Lx200Test, GotoSendsTheNearestTenthOfAMinuteAndArcminute) {
  bench.command({kCmdGoto}, target((5 + 55 / 60.0 + 10 / 3600.0) * 15 * kRad, -0.5 * kRad));
  EXPECT_EQ(bench.dialog({"1", "1"}), ":Sr05:55.2#|:Sd-00:30#|:MS#");
  EXPECT_EQ(told(), Told{});
  bench.receive("0");
  EXPECT_EQ(told(), Told{"14"});  // slewing, until the distance bars go
  bench.protocol->tick();
  EXPECT_EQ(bench.dialog({"\x7F#"}), ":D#|");
  bench.protocol->tick();
  EXPECT_EQ(bench.dialog({"#"}), ":D#|");
  EXPECT_EQ(told(), Told{"11"});

  bench.command({kCmdGoto}, target((23 + 59 / 60.0 + 59 / 3600.0) * 15 * kRad, (90 - 10 / 3600.0) * kRad));
  bench.receive("1");
  EXPECT_EQ(bench.sent(), ":Sr00:00.0#:Sd+90:00#");
  bench.receive("0");
  EXPECT_EQ(told(), Told{"6"});
  bench.receive("1");
  EXPECT_EQ(bench.sent(), "");
}

// A mount that tells its right ascension to the second takes places to the
// second: ":SrHH:MM:SS#" and ":SdsDD*MM:SS#".
TEST_F(Lx200Test, GotoSendsSecondsToAMountInHighPrecision) {
  linkUp("P", "05:30:15#");
  told();
  bench.command({kCmdGoto}, target((5 + 55 / 60.0 + 10 / 3600.0) * 15 * kRad, -(0.5 + 7 / 3600.0) * kRad));
  EXPECT_EQ(bench.dialog({"1", "1"}), ":Sr05:55:10#|:Sd-00*30:07#|:MS#");
  bench.receive("0");
  EXPECT_EQ(told(), Told{"14"});
  // A mount without distance bars ends the slew, and keeps its link, when
  // :D# goes unanswered for three heartbeats.
  EXPECT_EQ(bench.beatsToClose(4), 0);
  EXPECT_EQ(told(), Told{"11"});
  // An answer in neither form: the low precision every LX200 takes.
  bench.sent();
  linkUp("P", "garbled#");
  bench.command({kCmdGoto}, target(0, 0));
  EXPECT_EQ(bench.sent(), ":Sr00:00.0#");
}

TEST_F(Lx200Test, ARefusedSlewIsReportedWithTheMountsText) {
  gotoUpToTheSlew(0, -80 * kRad);
  bench.receive("1Object Below");
  EXPECT_EQ(told(), Told{});
  bench.receive(" Horizon#");
  EXPECT_EQ(told(), (Told{"26", "Object Below Horizon"}));
  gotoUpToTheSlew(0, 80 * kRad);
  bench.receive("2Object Below Higher#");
  EXPECT_EQ(told(), (Told{"26", "Object Below Higher"}));
  gotoUpToTheSlew(0, 0);
  bench.receive("x");
  EXPECT_EQ(told(), Told{"6"});
  bench.sent();
  bench.protocol->tick();  // idle again: the heartbeat reads the position
  EXPECT_EQ(bench.sent(), ":GR#");
}

TEST_F(Lx200Test, AnAwaitedReplyMissingForThreeHeartbeatsClosesThePort) {
  const auto closesOnTheThird = [&](const char* what) {
    EXPECT_EQ(bench.beatsToClose(), 3) << what;
    EXPECT_EQ(told(), Told{"4"}) << what;
  };
  bench.command({kCmdReadPosition});
  closesOnTheThird(":GR# unanswered");
  bench.command({kCmdReadPosition});
  bench.receive("05:30:00#");
  closesOnTheThird(":GD# unanswered");
  bench.command({kCmdGoto}, target(0, 0));
  closesOnTheThird(":Sr unanswered");
  gotoUpToTheSlew(0, 0);
  closesOnTheThird(":MS# unanswered");
  gotoUpToTheSlew(0, 0);
  bench.receive("1Object");
  closesOnTheThird("refusal unfinished");
  // A reply in time holds the link; moves and stops await nothing.
  bench.command({kCmdReadPosition});
  bench.protocol->tick();
  bench.protocol->tick();
  bench.receive("05:30:00#+10*00#");
  bench.command({kCmdMoveFast, 3, 0});
  bench.command({kCmdStop, 3});
  told();
  // Idle, each heartbeat reads the position unannounced: a mount silent
  // while idle is noticed too.
  bench.sent();
  bench.protocol->tick();
  EXPECT_EQ(bench.dialog({"05:30:00#", "+10*00'00#"}), ":GR#|:GD#|");
  EXPECT_EQ(told(), Told{});
  EXPECT_EQ(listener.positions.size(), 2u);
  EXPECT_EQ(bench.beatsToClose(), 4);
  EXPECT_EQ(told(), Told{"4"});
}

// Meade's two precisions: "HH:MM.T#" "sDD*MM#" and "HH:MM:SS#" "sDD*MM'SS#".
TEST_F(Lx200Test, ReadPositionTakesBothPrecisionsAndNothingElse) {
  bench.command({kCmdReadPosition});
  EXPECT_EQ(bench.dialog({"05:30:", "15#", "+45*30'15#"}), ":GR#||:GD#|");
  EXPECT_EQ(told(), Told{"11"});
  ASSERT_EQ(listener.positions.size(), 1u);
  EXPECT_NEAR(mountPlace(listener.positions[0]).raRad, (82.5 + 15.0 / 240) * kRad, 1e-6);
  EXPECT_NEAR(mountPlace(listener.positions[0]).decRad, (45.5 + 15.0 / 3600) * kRad, 1e-6);
  EXPECT_EQ(listener.positions[0].rawA, 0);

  bench.command({kCmdReadPosition});
  bench.receive("05:30.5#-12*30#");
  ASSERT_EQ(listener.positions.size(), 2u);
  EXPECT_NEAR(mountPlace(listener.positions[1]).raRad, 82.625 * kRad, 1e-6);
  EXPECT_NEAR(mountPlace(listener.positions[1]).decRad, -12.5 * kRad, 1e-6);
  EXPECT_EQ(told(), Told{"11"});

  for (const char* bad : {"0x:30:00#", "05:30:1Z#", "05:30.Z#", "24:00:00#", "05:60:00#", "05:30;00#",
                          "05:30:00#+45*3Z#", "05:30:00#+45*30'Z0#", "05:30:00#+45*30'1#", "05:30:00#+91*00#",
                          "05:30:00#+45*60#", "05:30:00#45*30#"}) {
    bench.command({kCmdReadPosition});
    bench.receive(bad);
    EXPECT_EQ(told(), Told{"6"}) << bad;
  }
  bench.command({kCmdReadPosition});
  bench.receive(std::string(70, '1') + "#");  // too long: dropped
  EXPECT_EQ(told(), Told{});
  EXPECT_EQ(listener.positions.size(), 2u);
}

TEST_F(Lx200Test, MovesAndStops) {
  bench.command({kCmdMoveFast, 3, 0});
  bench.command({kCmdMoveSlow, 0, 0});
  bench.command({kCmdMoveFast, 7, 0});
  EXPECT_EQ(bench.sent(), ":RS#:Mw#:RM#:Mn#");
  bench.command({kCmdStop, 2});
  bench.command({kCmdStop, 1});
  bench.command({kCmdStop, 4});
  EXPECT_EQ(bench.sent(), ":Qe#:Qs#:Q#");
  EXPECT_EQ(told(), (Told{"12", "13", "11", "11", "11"}));
}

class NexstarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bench.protocol->connect();
    EXPECT_EQ(bench.sent(), "Kx");
    EXPECT_EQ(bench.receive("x#"), kLinkEstablished);
    EXPECT_EQ(bench.reported(), std::vector<int>{linkEstablishedCode(kMountNexstar)});
  }
  ProtocolBench bench{kMountNexstar};
};

TEST_F(NexstarTest, AWrongOrMissingEchoLeavesTheLinkDown) {
  bench.protocol->connect();
  EXPECT_EQ(bench.receive("y#"), kKeepLink);
  EXPECT_EQ(bench.reported(), std::vector<int>{6});
  bench.protocol->connect();
  EXPECT_EQ(bench.beatsToClose(), 6);
  EXPECT_EQ(bench.reported(), std::vector<int>{4});
}

TEST_F(NexstarTest, AnAwaitedReplyMissingForThreeHeartbeatsClosesThePort) {
  for (const auto& command :
       {std::vector<uint8_t>{kCmdGoto}, {kCmdReadPosition}, {kCmdMoveSlow, 2, 4}, {kCmdStop, 4}}) {
    bench.protocol->command(command.data(), static_cast<int>(command.size()), target(0, 0));
    if (command[0] == kCmdStop) bench.receive("#");  // the first axis stopped; the second never answers
    EXPECT_EQ(bench.beatsToClose(), 3) << int(command[0]);
  }
  EXPECT_EQ(bench.reported(), (std::vector<int>{4, 4, 4, 4}));
  // Answered in time, the link stays. Idle, the heartbeat reads the
  // position (a lone '#', tracking's answer, passed over), so a mount
  // fallen silent is noticed then too: one heartbeat asks, three wait.
  bench.command({kCmdGoto}, target(0, 0));
  bench.protocol->tick();
  bench.protocol->tick();
  bench.receive("#");
  bench.command({kCmdTracking, 1});
  bench.sent();
  EXPECT_EQ(bench.protocol->tick(), kKeepLink);
  EXPECT_EQ(bench.sent(), "E");
  EXPECT_TRUE(bench.protocol->awaitsPoll());
  bench.receive("#4000,2000#");
  EXPECT_FALSE(bench.protocol->awaitsPoll());
  EXPECT_EQ(bench.listener.positions.size(), 1u);
  EXPECT_EQ(bench.beatsToClose(), 4);
}

TEST_F(NexstarTest, GotoInTurnFractions) {
  bench.command({kCmdGoto}, target(kPi, -10 * kRad));
  EXPECT_EQ(bench.sent(), "R8000,F8E4");
  bench.receive("#");
  EXPECT_EQ(bench.reported(), std::vector<int>{11});
}

TEST_F(NexstarTest, MovesStopsAndGuidingThroughThePassThrough) {
  bench.command({kCmdMoveFast, 1, 12});
  EXPECT_EQ(bench.sent(), bytes({'P', 2, 17, 37, 9, 0, 0, 0}));
  bench.receive("#");
  bench.command({kCmdStop, 0});
  EXPECT_EQ(bench.dialog({"#", "#"}), bytes({'P', 2, 16, 37, 0, 0, 0, 0, '|', 'P', 2, 17, 36, 0, 0, 0, 0, '|'}));
  EXPECT_EQ(bench.reported(), (std::vector<int>{11, 11}));

  bench.command({kCmdGuideMove, 2});
  bench.protocol->guideMove(0);
  bench.protocol->guideStop(2);
  EXPECT_EQ(bench.sent(), bytes({'P', 2, 16, 36, 1, 0, 0, 0, 'P', 2, 17, 36, 1, 0, 0, 0, 'P', 2, 16, 36, 0, 0, 0, 0}));
  bench.protocol->guideStop(4);
  EXPECT_EQ(bench.sent(), bytes({'P', 2, 16, 37, 0, 0, 0, 0}));
}

TEST_F(NexstarTest, ReadPositionAndTracking) {
  bench.command({kCmdReadPosition});
  EXPECT_EQ(bench.sent(), "E");
  bench.receive("8000,F8E4#");
  ASSERT_EQ(bench.listener.positions.size(), 1u);
  EXPECT_NEAR(mountPlace(bench.listener.positions[0]).raRad, kPi, 1e-8);
  EXPECT_NEAR(mountPlace(bench.listener.positions[0]).decRad, -10 * kRad, 1e-4);
  EXPECT_EQ(bench.listener.positions[0].rawA, 0x8000);
  EXPECT_EQ(bench.listener.positions[0].rawB, 0xF8E4);

  bench.command({kCmdReadPosition});
  bench.receive(std::string(60, '0') + "#");  // too long: dropped
  bench.receive("80G0,0000#");
  EXPECT_EQ(bench.reported(), std::vector<int>{6});

  // 'T' and the mode as a binary byte: 0 off, 2 equatorial north; each
  // answered with '#', which is not taken for a later reply.
  bench.command({kCmdTracking, 0});
  bench.receive("#");
  bench.command({kCmdTracking, 1});
  EXPECT_EQ(bench.sent(), "E" + bytes({'T', 0, 'T', 2}));
  bench.command({kCmdReadPosition});
  bench.receive("#8000,F8E4#");
  EXPECT_EQ(bench.listener.positions.size(), 2u);
  EXPECT_EQ(bench.reported(), std::vector<int>{});
}

TEST(OldNexstar, GotoAsksFirstAndNeverLinks) {
  ProtocolBench bench(kMountOldNexstar);
  EXPECT_EQ(bench.protocol->connect(), kKeepLink);
  EXPECT_EQ(bench.sent(), "");

  bench.command({kCmdGoto}, target(kPi, kPi / 4));
  EXPECT_EQ(bench.reported(), std::vector<int>{14});
  EXPECT_EQ(bench.dialog({"#", "@"}), "?|" + bytes({'R', 0x80, 0x00, 0x20, 0x00}) + "|");
  EXPECT_EQ(bench.reported(), std::vector<int>{11});

  bench.command({kCmdGoto}, target(0, 0));
  bench.receive("@");
  EXPECT_EQ(bench.reported(), (std::vector<int>{14, 6}));
}

TEST(OldNexstar, RecordsCarryThePosition) {
  ProtocolBench bench(kMountOldNexstar);
  bench.receive(bytes({0x80, 0x00, 0xF8}));
  EXPECT_TRUE(bench.listener.positions.empty());
  bench.receive(bytes({0xE4, '#'}));
  ASSERT_EQ(bench.listener.positions.size(), 1u);
  EXPECT_NEAR(mountPlace(bench.listener.positions[0]).raRad, kPi, 1e-8);
  EXPECT_NEAR(mountPlace(bench.listener.positions[0]).decRad, -10 * kRad, 1e-4);
}

TEST(OwnController, ConnectsAndGivesUpAfterFourHeartbeats) {
  ProtocolBench bench(kMountOwnController);
  bench.protocol->connect();
  EXPECT_EQ(bench.sent(), bytes({0xAA, 0, 0}));
  EXPECT_EQ(bench.beatsToClose(), 4);
  EXPECT_EQ(bench.reported(), std::vector<int>{4});
}

// Each button the panel offers reaches a protocol that acts on it (sends
// bytes or reports), and each of these commands a protocol acts on has its
// button. "Get pos" and "Goto" come with any button.
TEST(MountCapabilities, OfferWhatEachProtocolActsOn) {
  struct Button { int bit; std::vector<std::vector<uint8_t>> commands; };
  const Button buttons[] = {{kCanMove, {{kCmdMoveFast, 0, 0}, {kCmdMoveSlow, 2, 1}, {kCmdStop, 4}}},
                            {kCanTrack, {{kCmdTracking, 1}}},
                            {kCanSpiral, {{kCmdSpiralSearch, 10, 2, 1}}},
                            {kCanPark, {{kCmdSetPark}, {kCmdGotoPark}}}};
  const std::vector<std::vector<uint8_t>> positionCommands = {{kCmdGoto}, {kCmdReadPosition}};
  const auto acts = [](int type, const std::vector<uint8_t>& command) {
    ProtocolBench bench(type);
    bench.protocol->command(command.data(), static_cast<int>(command.size()), {});
    return !bench.sent().empty() || !bench.reported().empty();
  };
  for (int type : {kMountOldNexstar, kMountNexstar, kMountMotorEquatorial, kMountMotorAltAz, kMountOwnController,
                   kMountLx200}) {
    const int mask = mountCapabilities(type);
    for (const Button& button : buttons) {
      for (const auto& command : button.commands) {
        EXPECT_EQ(acts(type, command), (mask & button.bit) != 0) << "type " << type << ", code " << int(command[0]);
      }
    }
    for (const auto& command : positionCommands) {
      EXPECT_TRUE(mask == 0 || acts(type, command)) << "type " << type << ", code " << int(command[0]);
    }
  }
}

}  // namespace
}  // namespace celvaro
