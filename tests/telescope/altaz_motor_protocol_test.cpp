// MountType 5 on the bench: handshake, moves, reference points, goto with
// its polling, tracking, and replies that are wrong or too long.
#include <gtest/gtest.h>

#include <string>

#include "astro/coordinates.h"
#include "protocol_bench.h"
#include "telescope/basic_command_sender.h"
#include "telescope/mount_types.h"
#include "telescope/telescope_command_codes.h"

namespace celvaro {
namespace {

using testing::ProtocolBench;

constexpr uint32_t kBase = 0x800000;
constexpr double kLatitude = 47.0, kLongitude = 19.0;
const std::string kOk = "=\r";

std::string valueReply(uint32_t value) { return "=" + motorValueBytes(1, 'x', value).substr(3); }
std::string plain(char command, char axis) { return motorCommandBytes(command, axis); }

class AltAzMountTest : public ::testing::Test {
 protected:
  // Runs the handshake: axis 1 has 1000000 counts per revolution, axis 2 1200000.
  void linkUp() {
    bench.protocol->connect();
    for (const std::string& reply : {kOk, kOk, valueReply(1000000), kOk, valueReply(1200000), kOk})
      bench.receive(reply);
    bench.sent();
    bench.reported();
  }
  // Answers the command just sent and gives the next one.
  std::string answer(const std::string& reply = kOk) {
    bench.receive(reply);
    return bench.sent();
  }
  // Right ascension and declination of a point of the local sky now.
  SharedTelescopeValues skyAt(double azimuthDeg, double altitudeDeg, int index = 0) {
    const EquatorialPosition p =
        horizontalToEquatorial(altitudeDeg, azimuthDeg, kLatitude, kLongitude, bench.clock.hours);
    SharedTelescopeValues v;
    v.latitudeDeg = kLatitude;
    v.longitudeDeg = kLongitude;
    v.referenceRaRad = v.gotoRaRad = p.raRad;
    v.referenceDecRad = v.gotoDecRad = p.decRad;
    v.referenceIndex = index;
    return v;
  }
  void storeReference(int index, double azimuthDeg, double altitudeDeg, uint32_t count1, uint32_t count2) {
    bench.command({kCmdSetReference}, skyAt(azimuthDeg, altitudeDeg, index));
    EXPECT_EQ(bench.sent(), plain('j', '1'));
    EXPECT_EQ(answer(valueReply(count1)), plain('j', '2'));
    EXPECT_EQ(answer(valueReply(count2)), "");
    EXPECT_EQ(bench.reported(), std::vector<int>{16});
  }
  // The slew after the goto or tracking decision, answered step by step.
  std::string slewBytes() {
    std::string wire = bench.sent();
    for (int i = 0; i < 7; ++i) wire += answer();
    EXPECT_EQ(answer(), "");
    return wire;
  }
  static std::string expectedSlew(uint32_t count1, uint32_t count2) {
    return plain('L', '1') + plain('L', '2') + ":G100\r" + motorValueBytes(1, 'S', count1) + plain('J', '1') +
           ":G200\r" + motorValueBytes(2, 'S', count2) + plain('J', '2');
  }

  ProtocolBench bench{kMountMotorAltAz};
};

TEST_F(AltAzMountTest, HandshakeByteForByteWithEchoesSkipped) {
  EXPECT_EQ(bench.protocol->connect(), kKeepLink);
  EXPECT_EQ(bench.sent(), ":F1\r");
  // The mount echoes each command before answering.
  EXPECT_EQ(answer(":F1\r=\r"), ":F2\r");
  EXPECT_EQ(answer(), ":a1\r");
  EXPECT_EQ(answer(valueReply(2500000)), ":D1\r");
  EXPECT_EQ(answer(), ":a2\r");
  EXPECT_EQ(answer(valueReply(800000)), ":D2\r");
  EXPECT_TRUE(bench.reported().empty());
  EXPECT_EQ(bench.receive(kOk), kLinkEstablished);
  EXPECT_EQ(bench.reported(), std::vector<int>{linkEstablishedCode(kMountMotorAltAz)});
  EXPECT_EQ(bench.sent(), "");
}

TEST_F(AltAzMountTest, ImplausibleCountsPerRevolutionCloseThePort) {
  for (uint32_t counts : {2500001u, 799999u}) {
    bench.protocol->connect();
    bench.receive(kOk + kOk);
    EXPECT_EQ(bench.receive(valueReply(counts)), kClosePort) << counts;
    EXPECT_EQ(bench.reported(), std::vector<int>{5});
  }
  bench.protocol->connect();
  bench.receive(kOk + kOk + valueReply(1000000) + kOk);
  EXPECT_EQ(bench.receive("=12\r"), kClosePort);  // no value at all
}

TEST_F(AltAzMountTest, WatchdogEndsAHandshakeAfterTwelveHeartbeats) {
  bench.protocol->connect();
  bench.receive(kOk);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(bench.protocol->tick(), kKeepLink);
  EXPECT_EQ(bench.protocol->tick(), kClosePort);
  EXPECT_EQ(bench.reported(), std::vector<int>{4});

  linkUp();
  for (int i = 0; i < 20; ++i) EXPECT_EQ(bench.protocol->tick(), kKeepLink);
  EXPECT_TRUE(bench.reported().empty());
}

TEST_F(AltAzMountTest, RepliesReachingFiftyBytesAreDroppedWithTheirLine) {
  bench.protocol->connect();
  bench.sent();
  EXPECT_EQ(answer("=" + std::string(48, '0') + "\r"), ":F2\r");
  EXPECT_EQ(answer("=" + std::string(49, '0') + "\r"), "");
  // The rest of a dropped line opens no reply, even with '=' in it.
  EXPECT_EQ(answer("=" + std::string(60, '0') + "=\r"), "");
  const std::string huge = "=" + std::string(5000, '7') + "\r";
  EXPECT_EQ(bench.receive(huge), kKeepLink);
  EXPECT_EQ(answer(), ":a1\r");
}

TEST_F(AltAzMountTest, MovesByteForByte) {
  linkUp();
  bench.command({kCmdMoveFast, 2, 1});
  EXPECT_EQ(bench.reported(), std::vector<int>{12});
  EXPECT_EQ(bench.sent(), ":L1\r");
  EXPECT_EQ(answer(), ":G130\r");
  EXPECT_EQ(answer(), motorValueBytes(1, 'I', 100));
  EXPECT_EQ(answer(), ":J1\r");
  EXPECT_EQ(answer(), "");

  bench.command({kCmdMoveSlow, 1, 9});  // rate index clamped to 5
  EXPECT_EQ(bench.reported(), std::vector<int>{13});
  std::string wire = bench.sent();
  for (int i = 0; i < 3; ++i) wire += answer();
  EXPECT_EQ(wire, ":L2\r:G211\r" + motorValueBytes(2, 'I', 4) + ":J2\r");

  bench.command({kCmdMoveFast, 5, 0});
  EXPECT_EQ(bench.sent(), "");
}

TEST_F(AltAzMountTest, SixteenBitRatesSetTheStepPeriod) {
  linkUp();
  for (auto [rate, period] : {std::pair{0, 320}, {4560, 48}, {4799, 48}, {4800, 32}, {65535, 32}}) {
    bench.command({kCmdMoveAtRate, 3, static_cast<uint8_t>(rate & 0xFF), static_cast<uint8_t>(rate >> 8)});
    EXPECT_EQ(bench.sent(), ":L1\r");
    EXPECT_EQ(answer(), ":G111\r");
    EXPECT_EQ(answer(), motorValueBytes(1, 'I', period)) << rate;
  }
  EXPECT_EQ(bench.reported(), std::vector<int>(5, 12));
}

TEST_F(AltAzMountTest, StopsAndErrorReplies) {
  linkUp();
  bench.command({kCmdStop, 4});
  EXPECT_EQ(bench.sent(), ":L1\r");
  EXPECT_EQ(answer(), ":L2\r");
  EXPECT_EQ(answer(), "");
  EXPECT_EQ(bench.reported(), std::vector<int>{11});
  bench.command({kCmdStop, 1});
  EXPECT_EQ(bench.sent(), ":L2\r");
  bench.command({kCmdStop, 2});
  EXPECT_EQ(bench.sent(), ":L1\r");

  // An error reply ends the sequence: later replies send nothing.
  bench.command({kCmdMoveFast, 0, 0});
  bench.sent();
  bench.reported();
  EXPECT_EQ(answer("!0\r"), "");
  EXPECT_EQ(bench.reported(), std::vector<int>{6});
  EXPECT_EQ(answer(), "");
}

TEST_F(AltAzMountTest, PositionCommandsNeedAReferencePoint) {
  linkUp();
  bench.command({kCmdGoto}, skyAt(40, 50));
  bench.command({kCmdReadPosition});
  bench.command({kCmdTracking, 1});
  EXPECT_EQ(bench.reported(), (std::vector<int>{8, 8, 8}));
  EXPECT_EQ(bench.sent(), "");
}

TEST_F(AltAzMountTest, GotoByteForByteWithPollingUntilBothAxesStand) {
  linkUp();
  storeReference(0, 10, 20, kBase, kBase);
  bench.command({kCmdGoto}, skyAt(40, 50));
  EXPECT_EQ(bench.reported(), std::vector<int>{14});
  EXPECT_EQ(slewBytes(), expectedSlew(kBase + 83333, kBase + 100000));

  bench.protocol->tick();
  EXPECT_EQ(bench.sent(), ":f1\r");
  EXPECT_EQ(answer("=013\r"), ":f2\r");
  EXPECT_EQ(answer("=203\r"), "");
  EXPECT_TRUE(bench.reported().empty());
  bench.protocol->tick();
  EXPECT_EQ(bench.sent(), ":f1\r");
  EXPECT_EQ(answer("=003\r"), ":f2\r");
  EXPECT_EQ(answer("=203\r"), "");
  EXPECT_EQ(bench.reported(), std::vector<int>{11});
  bench.protocol->tick();
  EXPECT_EQ(bench.sent(), "");
}

TEST_F(AltAzMountTest, AStatusThatDoesNotParseEndsThePolling) {
  linkUp();
  storeReference(0, 10, 20, kBase, kBase);
  bench.command({kCmdGoto}, skyAt(40, 50));
  slewBytes();
  bench.protocol->tick();
  EXPECT_EQ(bench.sent(), ":f1\r");
  EXPECT_EQ(answer("=20A\r"), "");
  EXPECT_EQ(bench.reported(), (std::vector<int>{14, 6}));
  bench.protocol->tick();
  EXPECT_EQ(bench.sent(), "");
}

TEST_F(AltAzMountTest, TargetsOutOfReachAreRefused) {
  linkUp();
  storeReference(2, 10, 20, kBase, kBase);
  bench.command({kCmdGoto}, skyAt(40, 50));  // slot 2 alone makes no model
  bench.command({kCmdGoto}, skyAt(40, 85));
  bench.command({kCmdGoto}, skyAt(40, -5));
  EXPECT_EQ(bench.reported(), (std::vector<int>{8, 18, 19}));
  EXPECT_EQ(bench.sent(), "");
}

TEST_F(AltAzMountTest, TwoPointModelInTheGoto) {
  linkUp();
  storeReference(0, 10, 20, kBase, kBase);
  storeReference(1, 45, 25, kBase + 100000, kBase + 90000);
  bench.command({kCmdGoto}, skyAt(80, 30));
  EXPECT_EQ(slewBytes(), expectedSlew(kBase + 200000, kBase + 180000));
}

TEST_F(AltAzMountTest, ReadPositionReportsTheSkyAndTheOffsetsFromTheBase) {
  linkUp();
  storeReference(0, 10, 20, kBase, kBase);
  bench.command({kCmdReadPosition});
  EXPECT_EQ(bench.sent(), ":j1\r");
  EXPECT_EQ(answer(valueReply(kBase + 50000)), ":j2\r");
  answer(valueReply(kBase - 60000));
  ASSERT_EQ(bench.listener.positions.size(), 1u);
  const auto& p = bench.listener.positions[0];
  const SharedTelescopeValues expected = skyAt(10 + 18, 20 - 18);
  EXPECT_NEAR(p.ra, expected.gotoRaRad, 1e-9);
  EXPECT_NEAR(p.dec, expected.gotoDecRad, 1e-9);
  EXPECT_EQ(p.rawA, 50000);
  EXPECT_EQ(p.rawB, -60000);

  for (const std::string& unreadable : {std::string("=12\r"), std::string("=ZZ%@~x\r")}) {
    bench.command({kCmdReadPosition});
    bench.sent();
    EXPECT_EQ(answer(unreadable), "");
    EXPECT_EQ(bench.reported(), std::vector<int>{6});
    EXPECT_EQ(answer(valueReply(kBase)), "");  // back to idle: the next reply is not read
  }
  EXPECT_EQ(bench.listener.positions.size(), 1u);
}

TEST_F(AltAzMountTest, TrackingReslewsEveryFourIdleHeartbeatsUntilTheTargetSets) {
  linkUp();
  storeReference(0, 10, 20, kBase, kBase);
  bench.command({kCmdTracking, 1});
  EXPECT_EQ(bench.sent(), ":j1\r");
  answer(valueReply(kBase + 83333));
  EXPECT_EQ(answer(valueReply(kBase + 100000)), "");
  for (int i = 0; i < 3; ++i) bench.protocol->tick();
  EXPECT_EQ(bench.sent(), "");
  bench.protocol->tick();
  EXPECT_EQ(slewBytes(), expectedSlew(kBase + 83333, kBase + 100000));
  EXPECT_TRUE(bench.reported().empty());  // no 14 for a tracking slew
  bench.protocol->tick();
  answer("=003\r");
  answer("=203\r");
  EXPECT_EQ(bench.reported(), std::vector<int>{11});

  // Half a day later the target is below the horizon: tracking stops.
  bench.clock.hours += 12;
  for (int i = 0; i < 4; ++i) bench.protocol->tick();
  EXPECT_EQ(bench.reported(), std::vector<int>{19});
  for (int i = 0; i < 8; ++i) bench.protocol->tick();
  EXPECT_EQ(bench.sent(), "");

  // A manual move ends tracking too.
  bench.command({kCmdTracking, 1});
  answer(valueReply(kBase));
  answer(valueReply(kBase));
  bench.command({kCmdMoveSlow, 0, 0});
  for (int i = 0; i < 4; ++i) answer();
  for (int i = 0; i < 8; ++i) bench.protocol->tick();
  EXPECT_EQ(bench.sent(), "");
}

TEST_F(AltAzMountTest, DeletingReferencePoints) {
  linkUp();
  storeReference(0, 10, 20, kBase, kBase);
  storeReference(1, 45, 25, kBase + 100000, kBase + 90000);
  bench.command({kCmdDeleteReference, 0});
  EXPECT_TRUE(bench.reported().empty());
  bench.command({kCmdGoto}, skyAt(45, 25));  // slot 1 is now the base
  EXPECT_EQ(slewBytes(), expectedSlew(kBase + 100000, kBase + 90000));

  bench.command({kCmdDeleteReference, 255});
  EXPECT_EQ(bench.reported(), (std::vector<int>{14, 8}));
  bench.command({kCmdGoto}, skyAt(45, 25));
  EXPECT_EQ(bench.reported(), std::vector<int>{8});
}

TEST_F(AltAzMountTest, AnewHandshakeKeepsThePointsButNeedsOneStoredAgain) {
  linkUp();
  storeReference(0, 10, 20, kBase, kBase);
  bench.command({kCmdReinitialise});
  EXPECT_EQ(bench.sent(), ":F1\r");
  for (const std::string& reply : {kOk, kOk, valueReply(1000000), kOk, valueReply(1200000)})
    bench.receive(reply);
  EXPECT_EQ(bench.receive(kOk), kLinkEstablished);
  bench.sent();
  bench.reported();
  bench.command({kCmdGoto}, skyAt(80, 30));
  EXPECT_EQ(bench.reported(), std::vector<int>{8});
  storeReference(1, 45, 25, kBase + 100000, kBase + 90000);
  bench.command({kCmdGoto}, skyAt(80, 30));
  EXPECT_EQ(slewBytes(), expectedSlew(kBase + 200000, kBase + 180000));
}

}  // namespace
}  // namespace celvaro
