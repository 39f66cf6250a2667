// MountType 4: its handshake and the arithmetic of its axes.
#include "telescope/equatorial_motor_protocol.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "protocol_bench.h"
#include "simulated_bench.h"
#include "telescope/basic_command_sender.h"
#include "telescope/equatorial_axes.h"
#include "telescope/mount_types.h"
#include "telescope/telescope_command_codes.h"

namespace celvaro {
namespace {

using testing::kOk;
using testing::ProtocolBench;
using testing::SimulatedBench;
using testing::valueReply;
using Commands = std::vector<std::string>;

constexpr double kPi = std::numbers::pi;

TEST(EquatorialMountHandshake, ByteForByteWithTheParkPosition) {
  ProtocolBench bench(kMountMotorEquatorial);
  bench.protocol->connect();
  std::string wire = bench.sent();
  for (const std::string& reply : {kOk, kOk, valueReply(9024000), valueReply(9024000)}) bench.receive(reply);
  for (int i = 0; i < 11; ++i) bench.receive(kOk);
  wire += bench.sent();
  EXPECT_EQ(wire, ":c1\r:c2\r:a1\r:a2\r:b1\r:g1\r:s1\r:j2\r:j1\r:f1\r:E1000080\r:E280935D\r:j2\r:j1\r:F1\r:F2\r");
  EXPECT_TRUE(bench.reported().empty());
  EXPECT_EQ(bench.receive(kOk), kLinkEstablished);
  EXPECT_EQ(bench.reported(), std::vector<int>{linkEstablishedCode(kMountMotorEquatorial)});
}

TEST(EquatorialMountHandshake, WatchdogOfSixteenAndUnusableCounts) {
  ProtocolBench bench(kMountMotorEquatorial);
  bench.protocol->connect();
  EXPECT_EQ(bench.beatsToClose(), 16);
  EXPECT_EQ(bench.reported(), std::vector<int>{4});

  // No scale for an axis: the port is closed rather than divided by zero.
  bench.protocol->connect();
  bench.receive(kOk + kOk);
  EXPECT_EQ(bench.receive(valueReply(0)), kClosePort);
  EXPECT_EQ(bench.reported(), std::vector<int>{5});
}

// A synchronisation made while axis 2 counted one step a revolution leaves
// a declination offset of some 5e7 radians; after a handshake that reads
// 0xFFFF01 counts the goto's axis-2 target lies far beyond the int32 range.
// The target stops at the range's edge, so the axis runs toward higher
// counts; the arithmetic once overflowed and sent it the other way.
TEST(EquatorialMountGoto, TargetBeyondTheCountRangeStopsAtItsEdge) {
  ProtocolBench bench(kMountMotorEquatorial);
  bench.clock.hours = 6.25;
  SharedTelescopeValues shared;
  shared.gotoRaRad = 1.6, shared.gotoDecRad = 0.35;
  shared.referenceRaRad = 1.5, shared.referenceDecRad = 0.4;
  const auto handshake = [&bench](const std::string& axis2Counts) {
    for (const std::string& reply : {kOk, kOk, valueReply(9024000), axis2Counts}) bench.receive(reply);
    for (int i = 0; i < 12; ++i) bench.receive(kOk);
  };
  bench.protocol->connect();
  handshake("=010000\r");
  bench.command({kCmdSetReference}, shared);
  bench.receive("=FFFFFF\r=000080\r");
  bench.command({kCmdReinitialise}, shared);
  handshake("=01FFFF\r");
  bench.sent();
  bench.command({kCmdGoto}, shared);
  bench.receive(kOk + kOk + "=000080\r=000080\r");  // both axes stopped and read
  bench.receive(kOk + kOk + kOk + kOk);                // axis 1 slews, axis 2's motion is set
  const std::string wire = bench.sent();
  const uint32_t distance = static_cast<uint32_t>(INT32_MAX - EquatorialAxes::kHome) & 0xFFFFFF;
  EXPECT_NE(wire.find(":G200\r" + motorValueBytes(2, 'H', distance)), std::string::npos) << wire;
}

// --- operations against the simulated controller ------------------------------------------------

constexpr int32_t kHome = EquatorialAxes::kHome;
constexpr int32_t kPerHour = 376000;  // 9024000 counts a revolution

std::string value(char command, int axis, uint32_t number) {
  return command + std::to_string(axis) + motorValueBytes(axis, command, number).substr(3, 6);
}

class EquatorialMount : public ::testing::Test {
 protected:
  EquatorialMount() { sim.linkUp(); }
  // A goto to a target `hours` east of the meridian at declination 30°.
  void gotoHoursEast(double hours) {
    const EquatorialPosition j2000 = testing::chartPlaceOf((sim.bench.clock.hours + hours) * kPi / 12, 30 * kPi / 180);
    SharedTelescopeValues target;
    target.gotoRaRad = j2000.raRad;
    target.gotoDecRad = j2000.decRad;
    sim.command({kCmdGoto}, target);
  }
  std::vector<std::string> commandsSince(size_t first) const {
    return {sim.commands.begin() + static_cast<long>(first), sim.commands.end()};
  }
  SimulatedBench sim{kMountMotorEquatorial, true, 9024000};
  static constexpr int32_t kDec30 = 1504000;  // 60° from the pole in axis-2 counts
};

TEST_F(EquatorialMount, EastOfTheSwapPositionGoesToSideOneWestOfItToSideZero) {
  gotoHoursEast(1.0);
  ASSERT_TRUE(sim.beatUntil(11, 1.0, 100));
  EXPECT_EQ((std::tuple{sim.position(1), sim.position(2)}), (std::tuple{kHome + 5 * kPerHour, kHome - kDec30}));
  sim.bench.reported();
  gotoHoursEast(-1.0);
  ASSERT_TRUE(sim.beatUntil(11, 1.0, 100));
  EXPECT_EQ((std::tuple{sim.position(1), sim.position(2)}), (std::tuple{kHome - 5 * kPerHour, kHome + kDec30}));
  // Swapped at two hours east (-45 is kept at the limit of -30): side 0.
  sim.bench.reported();
  sim.command({kCmdEastWestSwap, static_cast<uint8_t>(-45)});
  gotoHoursEast(1.0);
  ASSERT_TRUE(sim.beatUntil(11, 1.0, 100));
  EXPECT_EQ(sim.position(1), kHome - 7 * kPerHour);
}

TEST_F(EquatorialMount, GotoCatchesUpWithTheSkyAndTracksAgain) {
  sim.command({kCmdTracking, 1});
  const size_t first = sim.commands.size();
  const size_t firstStop = sim.stops.size();
  gotoHoursEast(-2.0);
  EXPECT_EQ(sim.bench.reported(), std::vector<int>{14});
  const std::vector<std::string> slew = commandsSince(first);
  ASSERT_EQ(slew.size(), 10u);
  EXPECT_EQ(slew[0], "K1");
  EXPECT_EQ(slew[4], "G101");  // from near home, side 0 lies below it
  // Four hours down from where tracking had taken axis 1 when it stopped.
  ASSERT_GT(sim.stops.size(), firstStop);
  EXPECT_EQ(slew[5], value('H', 1, 4 * kPerHour + (sim.stops[firstStop][0] - kHome)));
  EXPECT_EQ(slew[7], "G200");  // axis 2 from the park position up past home
  EXPECT_EQ(slew[9], "J2");
  // While axis 1 slews the sky turns on by 0.01 hours.
  sim.heartbeat(1.0);
  sim.bench.clock.hours += 0.01;
  ASSERT_TRUE(sim.beatUntil(11, 1.0, 100));
  const std::vector<std::string> h1 = sim.commandsStarting("H1");
  ASSERT_EQ(h1.size(), 2u);
  EXPECT_EQ(h1[1], value('H', 1, static_cast<uint32_t>(std::lround(0.01 * kPerHour))));
  // Axis 1 tracks at the sidereal period once it stood.
  EXPECT_EQ((std::tuple{sim.commandsStarting("I1").back(), sim.status(1)}), (std::tuple{value('I', 1, 620), "111"}));
  EXPECT_EQ((std::tuple{sim.status(2), sim.position(2)}), (std::tuple{"101", kHome + kDec30}));
}

TEST_F(EquatorialMount, ParkSlewsHomeWithoutTrackingAndSetParkDefinesIt) {
  sim.command({kCmdTracking, 1});
  sim.command({kCmdGotoPark});
  EXPECT_EQ(sim.bench.reported(), std::vector<int>{21});
  ASSERT_TRUE(sim.beatUntil(22, 1.0, 100));
  EXPECT_EQ((std::tuple{sim.position(1), sim.position(2)}), (std::tuple{kHome, kHome - 9024000 / 4}));
  EXPECT_EQ(sim.status(1)[1], '0');  // tracking was switched off: axis 1 stands
  // Set park declares where the mount stands to be the park position.
  sim.bench.reported();
  sim.bench.command({kCmdSetPark});
  EXPECT_EQ(sim.bench.dialog({kOk, kOk}), ":E1000080\r|" + motorValueBytes(2, 'E', kHome - 9024000 / 4) + "|");
  EXPECT_EQ(sim.bench.reported(), std::vector<int>{22});
}

// The controller refuses to set the position of a running axis ("!2"):
// tracking stops first and resumes after.
TEST_F(EquatorialMount, SetParkWhileTrackingStopsAxisOneFirst) {
  sim.command({kCmdTracking, 1});
  sim.heartbeat(1);
  EXPECT_EQ(sim.commandsFor({kCmdSetPark}), Commands{"K1"});
  ASSERT_TRUE(sim.beatUntil(22, 1.0, 5));
  EXPECT_EQ(sim.bench.reported(), std::vector<int>{22});
  EXPECT_EQ(sim.position(2), kHome - 9024000 / 4);
  EXPECT_NEAR(sim.position(1), kHome, 200);  // tracking runs on from home
  EXPECT_EQ((std::tuple{sim.status(1), sim.commandsStarting("I1").back()}), (std::tuple{"111", value('I', 1, 620)}));
}

// Connecting again to a mount that tracks (after a Disconnect, say) finds
// its axes running: they keep the positions they have, since the mount is
// not at its park position, and the controller would refuse new ones ("!2").
TEST_F(EquatorialMount, ConnectingAgainToATrackingMountKeepsWhereItPoints) {
  sim.command({kCmdTracking, 1});
  gotoHoursEast(-2.0);
  ASSERT_TRUE(sim.beatUntil(11, 1.0, 100));
  sim.command({kCmdReadPosition});
  const auto before = sim.bench.listener.positions.back();
  sim.heartbeat(5.0);
  sim.bench.clock.hours += 5.0 * 1.0027379 / 3600;  // five seconds of sidereal time
  sim.bench.reported();
  sim.commands.clear();
  sim.bench.protocol->connect();
  sim.answerAll();
  EXPECT_EQ(sim.bench.reported(), std::vector<int>{linkEstablishedCode(kMountMotorEquatorial)});
  EXPECT_TRUE(sim.commandsStarting("E").empty());
  EXPECT_EQ(sim.status(1), "111");  // still tracking
  sim.command({kCmdReadPosition});
  const auto after = sim.bench.listener.positions.back();
  EXPECT_NEAR(after.ra, before.ra, 1e-4);  // tracking held the star: well within an arcminute
  EXPECT_NEAR(after.dec, before.dec, 1e-6);
}

TEST_F(EquatorialMount, MovesUseTheTablesAndTrackingChangesAxisOnesSlowMoves) {
  EXPECT_EQ(sim.commandsFor({kCmdMoveFast, 3, 9}), (Commands{"K1", "G131", value('I', 1, 10), "J1"}));
  EXPECT_EQ(sim.commandsFor({kCmdMoveSlow, 1, 2}), (Commands{"K2", "G211", value('I', 2, 77), "J2"}));
  EXPECT_EQ(sim.bench.reported(), (std::vector<int>{12, 13}));
  sim.command({kCmdTracking, 1});
  // East at rate 1 while tracking: the table's 0 stops axis 1; its -1240
  // runs forward at half the sidereal rate; west runs forward and faster.
  EXPECT_EQ(sim.commandsFor({kCmdMoveSlow, 3, 1}), Commands{"K1"});
  EXPECT_EQ(sim.commandsFor({kCmdMoveSlow, 3, 0}), (Commands{"K1", "G110", value('I', 1, 1240), "J1"}));
  EXPECT_EQ(sim.commandsFor({kCmdMoveSlow, 2, 0}), (Commands{"K1", "G110", value('I', 1, 413), "J1"}));
}

TEST_F(EquatorialMount, StoppingAxisOneWhileTrackingRestartsTracking) {
  sim.command({kCmdTracking, 1});
  sim.command({kCmdMoveFast, 2, 5});
  sim.bench.reported();
  EXPECT_EQ(sim.commandsFor({kCmdStop, 2}), Commands{"K1"});
  EXPECT_EQ(sim.bench.reported(), std::vector<int>{11});
  sim.heartbeat(1);
  EXPECT_EQ(sim.commands, (Commands{"K1", "f1", "G110", value('I', 1, 620), "J1"}));
  // Declination stops alone; the heartbeat reads the position of the idle mount.
  EXPECT_EQ(sim.commandsFor({kCmdStop, 0}), Commands{"K2"});
  sim.heartbeat(1);
  EXPECT_EQ(sim.commands, (Commands{"K2", "j2", "j1"}));
}

// With tracking off a standing axis 1 is started at the guide period, and
// the stop leaves it standing again as before the pulse.
TEST_F(EquatorialMount, GuideCommandsArrivingTogetherAreAllCarriedOut) {
  sim.command({kCmdTracking, 0});
  sim.commands.clear();
  sim.bench.protocol->guideMove(3);
  sim.bench.protocol->guideMove(0);
  sim.answerAll();
  EXPECT_EQ(sim.commands, (Commands{"f1", "G110", value('I', 1, 1240), "J1", "G210", value('I', 2, 1240), "J2"}));
  // Stopping all axes stops both.
  EXPECT_EQ((std::tuple{sim.guideCommands(false, 4), sim.status(1)[1]}), (std::tuple{(Commands{"K1", "K2"}), '0'}));
  EXPECT_EQ(sim.status(2)[1], '0');
  // An east-west pulse alone, likewise.
  sim.guideCommands(true, 2);
  sim.guideCommands(false, 2);
  EXPECT_EQ(sim.status(1)[1], '0');
  // Not while a goto runs.
  sim.command({kCmdGotoPark});
  EXPECT_TRUE(sim.guideCommands(true, 2).empty());
}

TEST_F(EquatorialMount, AnErrorReplyOrAGarbledPositionReportsSixAndGoesIdle) {
  sim.bench.command({kCmdGotoPark});
  sim.bench.sent();
  sim.bench.receive("!0\r");
  EXPECT_EQ(sim.bench.reported(), std::vector<int>{6});
  sim.heartbeat(1);
  EXPECT_EQ(sim.bench.sent(), "");

  // A position with characters that are no hex digits starts no slew.
  sim.bench.command({kCmdGoto});
  EXPECT_EQ(sim.bench.sent(), ":K1\r");
  sim.bench.receive(kOk);
  sim.bench.receive(kOk);
  EXPECT_EQ(sim.bench.sent(), ":K2\r:j1\r");
  EXPECT_EQ(sim.bench.dialog({"=ZZ%@~x\r", valueReply(0x800000)}), "||");
  EXPECT_EQ(sim.bench.reported(), std::vector<int>{6});
  sim.heartbeat(1);
  EXPECT_EQ(sim.bench.sent(), "");
  // Nor does a position read give a position.
  const size_t heard = sim.bench.listener.positions.size();
  sim.bench.command({kCmdReadPosition});
  EXPECT_FALSE(sim.bench.sent().empty());
  sim.bench.receive("=ZZ%@~x\r");
  EXPECT_EQ(sim.bench.reported(), std::vector<int>{6});
  EXPECT_EQ(sim.bench.listener.positions.size(), heard);
}

}  // namespace
}  // namespace celvaro
