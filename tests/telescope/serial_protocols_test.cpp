// The LX200, Nexstar, old Nexstar and own-controller protocols on the bench.
#include <gtest/gtest.h>

#include <numbers>
#include <string>

#include "protocol_bench.h"
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

SharedTelescopeValues target(double raRad, double decRad) {
  SharedTelescopeValues v;
  v.gotoRaRad = raRad;
  v.gotoDecRad = decRad;
  return v;
}

class Lx200Test : public ::testing::Test {
 protected:
  void SetUp() override {
    bench.protocol->connect();
    EXPECT_EQ(bench.sent(), "\x06");
    EXPECT_EQ(bench.protocol->tick(), kLinkEstablished);
    EXPECT_EQ(bench.reported(), std::vector<int>{linkEstablishedCode(kMountLx200)});
  }
  ProtocolBench bench{kMountLx200};
};

TEST_F(Lx200Test, AReplyAlsoBringsTheLinkUp) {
  bench.protocol->connect();
  EXPECT_EQ(bench.receive("L"), kLinkEstablished);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(bench.protocol->tick(), kKeepLink);
}

TEST_F(Lx200Test, GotoSetsBothCoordinatesThenSlews) {
  bench.command({kCmdGoto}, target(82.5 * kRad, -0.5 * kRad));
  EXPECT_EQ(bench.sent(), ":Sr05:30.0#");
  bench.receive("1");
  EXPECT_EQ(bench.sent(), ":Sd-00:30#");
  bench.receive("1");
  EXPECT_EQ(bench.sent(), ":MS#");
  EXPECT_EQ(bench.reported(), std::vector<int>{11});

  bench.command({kCmdGoto}, target(0, 45.25 * kRad));
  bench.receive("1");
  EXPECT_EQ(bench.sent(), ":Sr00:00.0#:Sd+45:15#");
  bench.receive("0");
  EXPECT_EQ(bench.reported(), std::vector<int>{6});
  bench.receive("1");
  EXPECT_EQ(bench.sent(), "");
}

TEST_F(Lx200Test, ReadPositionParsesBothReplies) {
  bench.command({kCmdReadPosition});
  EXPECT_EQ(bench.sent(), ":GR#");
  bench.receive("05:30:");
  bench.receive("15#");
  EXPECT_EQ(bench.sent(), ":GD#");
  bench.receive("+45*30'15#");
  EXPECT_EQ(bench.reported(), std::vector<int>{11});
  ASSERT_EQ(bench.listener.positions.size(), 1u);
  EXPECT_NEAR(bench.listener.positions[0].ra, (82.5 + 15.0 / 240) * kRad, 1e-6);
  EXPECT_NEAR(bench.listener.positions[0].dec, (45.5 + 15.0 / 3600) * kRad, 1e-6);
  EXPECT_EQ(bench.listener.positions[0].rawA, 0);

  // Short forms: no seconds.
  bench.command({kCmdReadPosition});
  bench.receive("05:30.5#-12*30#");
  EXPECT_NEAR(bench.listener.positions[1].ra, 82.5 * kRad, 1e-6);
  EXPECT_NEAR(bench.listener.positions[1].dec, -12.5 * kRad, 1e-6);

  bench.command({kCmdReadPosition});
  bench.receive(std::string(70, '1') + "#");  // too long: dropped
  EXPECT_EQ(bench.sent(), ":GR#:GD#:GR#");
  bench.receive("0x:30:00#");
  EXPECT_EQ(bench.reported(), (std::vector<int>{11, 6}));
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
  EXPECT_EQ(bench.reported(), (std::vector<int>{12, 13, 11, 11, 11}));
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

TEST_F(NexstarTest, AWrongEchoIsAnError) {
  bench.protocol->connect();
  EXPECT_EQ(bench.receive("y#"), kKeepLink);
  EXPECT_EQ(bench.reported(), std::vector<int>{6});
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
  EXPECT_EQ(bench.sent(), bytes({'P', 2, 16, 37, 0, 0, 0, 0}));
  bench.receive("#");
  EXPECT_EQ(bench.sent(), bytes({'P', 2, 17, 36, 0, 0, 0, 0}));
  bench.receive("#");
  EXPECT_EQ(bench.reported(), (std::vector<int>{11, 11}));

  bench.command({kCmdGuideMove, 2});
  bench.protocol->guideMove(0);
  bench.protocol->guideStop(2);
  EXPECT_EQ(bench.sent(),
            bytes({'P', 2, 16, 36, 1, 0, 0, 0, 'P', 2, 17, 36, 1, 0, 0, 0, 'P', 2, 16, 36, 0, 0, 0, 0}));
  bench.protocol->guideStop(4);
  EXPECT_EQ(bench.sent(), bytes({'P', 2, 16, 37, 0, 0, 0, 0}));
}

TEST_F(NexstarTest, ReadPositionAndTracking) {
  bench.command({kCmdReadPosition});
  EXPECT_EQ(bench.sent(), "E");
  bench.receive("8000,F8E4#");
  ASSERT_EQ(bench.listener.positions.size(), 1u);
  EXPECT_DOUBLE_EQ(bench.listener.positions[0].ra, kPi);
  EXPECT_NEAR(bench.listener.positions[0].dec, -10 * kRad, 1e-4);
  EXPECT_EQ(bench.listener.positions[0].rawA, 0x8000);
  EXPECT_EQ(bench.listener.positions[0].rawB, 0xF8E4);

  bench.command({kCmdReadPosition});
  bench.receive(std::string(60, '0') + "#");  // too long: dropped
  bench.receive("80G0,0000#");
  EXPECT_EQ(bench.reported(), std::vector<int>{6});

  bench.command({kCmdTracking, 0});
  bench.command({kCmdTracking, 1});
  EXPECT_EQ(bench.sent(), "ET0T2");
}

TEST(OldNexstar, GotoAsksFirstAndNeverLinks) {
  ProtocolBench bench(kMountOldNexstar);
  EXPECT_EQ(bench.protocol->connect(), kKeepLink);
  EXPECT_EQ(bench.sent(), "");

  bench.command({kCmdGoto}, target(kPi, kPi / 4));
  EXPECT_EQ(bench.reported(), std::vector<int>{14});
  EXPECT_EQ(bench.sent(), "?");
  bench.receive("#");
  EXPECT_EQ(bench.sent(), bytes({'R', 0x80, 0x00, 0x20, 0x00}));
  bench.receive("@");
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
  EXPECT_DOUBLE_EQ(bench.listener.positions[0].ra, kPi);
  EXPECT_NEAR(bench.listener.positions[0].dec, -10 * kRad, 1e-4);
}

TEST(OwnController, ConnectsAndGivesUpAfterFourHeartbeats) {
  ProtocolBench bench(kMountOwnController);
  bench.protocol->connect();
  EXPECT_EQ(bench.sent(), bytes({0xAA, 0, 0}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(bench.protocol->tick(), kKeepLink);
  EXPECT_EQ(bench.protocol->tick(), kClosePort);
  EXPECT_EQ(bench.reported(), std::vector<int>{4});
}

TEST(MountProtocols, NoneForTypesWithoutAProtocol) {
  EXPECT_EQ(ProtocolBench(kMountNone).protocol, nullptr);
  EXPECT_EQ(ProtocolBench(kMountNexstar2).protocol, nullptr);
}

}  // namespace
}  // namespace celvaro
