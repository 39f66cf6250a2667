// The spiral search on both motor-controller types: the legs byte for byte,
// the arms they reach on the simulated controller, the offsets reported, the
// turns and speeds, and what ends a spiral.
#include "telescope/spiral_search.h"

#include <gtest/gtest.h>

#include <string>

#include "simulated_bench.h"
#include "telescope/basic_command_sender.h"
#include "telescope/mount_types.h"
#include "telescope/telescope_command_codes.h"

namespace celvaro {
namespace {

using testing::ProtocolBench;
using testing::SimulatedBench;

constexpr uint32_t kHome = 0x800000;
const std::string kOk = "=\r";

std::string valueReply(uint32_t value) { return "=" + motorValueBytes(1, 'x', value).substr(3); }

// Axis 1 of the alt-azimuth bench turns 1080000 counts a revolution: 3000
// a degree, so a step of 10 arcminutes is 500 counts.
constexpr uint32_t kAltAzCounts = 1080000;
constexpr int32_t kAltAzStep = 500;

// The arm each leg ends on, in steps from the start, and its axis.
struct Arm {
  int axis;
  int steps;
};
constexpr Arm kTwoTurns[] = {{1, 1},  {2, 1},  {1, -2}, {2, -2}, {1, 3},  {2, 3},
                             {1, -4}, {2, -4}, {1, 5},  {2, 5},  {1, -6}, {2, -6}};

// Each leg stopped on its arm from `start`, overshooting by less than one
// heartbeat's travel.
void expectArms(const SimulatedBench& sim, std::array<int32_t, 2> start, int legs, int32_t step, int32_t travel) {
  ASSERT_EQ(static_cast<int>(sim.stops.size()), legs);
  for (int leg = 0; leg < legs; ++leg) {
    const Arm arm = kTwoTurns[leg];
    const int32_t reached = sim.stops[leg][arm.axis - 1] - start[arm.axis - 1];
    const int32_t target = arm.steps * step;
    const int32_t beyond = arm.steps > 0 ? reached - target : target - reached;
    EXPECT_GE(beyond, 0) << "leg " << leg;
    EXPECT_LT(beyond, travel) << "leg " << leg;
  }
}

class AltAzSpiral : public ::testing::Test {
 protected:
  AltAzSpiral() { sim.linkUp(); }
  // Runs a spiral to its end; the number of heartbeats it took, or -1.
  int run(int turns, int speed, double heartbeatSeconds) {
    sim.command({kCmdSpiralSearch, 10, static_cast<uint8_t>(turns), static_cast<uint8_t>(speed)});
    return sim.beatUntil(11, heartbeatSeconds, 20000) ? 1 : -1;
  }
  SimulatedBench sim{kMountMotorAltAz, false, kAltAzCounts};
};

TEST(SpiralSearchLegs, FirstLegAndItsEndByteForByte) {
  ProtocolBench bench(kMountMotorAltAz);
  bench.protocol->connect();
  for (const std::string& reply : {kOk, kOk, valueReply(kAltAzCounts), kOk, valueReply(kAltAzCounts), kOk})
    bench.receive(reply);
  bench.sent();
  bench.reported();

  bench.command({kCmdSpiralSearch, 10, 1, 1});
  EXPECT_EQ(bench.sent(), ":j1\r");
  bench.receive(valueReply(kHome + 7));
  EXPECT_EQ(bench.sent(), ":j2\r");
  bench.receive(valueReply(kHome - 3));
  EXPECT_EQ(bench.reported(), std::vector<int>{23});
  EXPECT_EQ(bench.sent(), ":G130\r");
  bench.receive(kOk);
  EXPECT_EQ(bench.sent(), motorValueBytes(1, 'I', 300));
  bench.receive(kOk);
  EXPECT_EQ(bench.sent(), ":J1\r");
  bench.receive(kOk);
  EXPECT_EQ(bench.sent(), "");

  // Short of the target: the offset is reported and the leg goes on.
  bench.protocol->tick();
  EXPECT_EQ(bench.sent(), ":j1\r");
  bench.receive(valueReply(kHome + 7 + 499));
  EXPECT_EQ(bench.sent(), ":j2\r");
  bench.receive(valueReply(kHome - 3));
  EXPECT_EQ(bench.sent(), "");
  // On the target: the leg ends and the next turns to axis 2.
  bench.protocol->tick();
  bench.sent();
  bench.receive(valueReply(kHome + 7 + 500));
  bench.sent();
  bench.receive(valueReply(kHome - 1));
  EXPECT_EQ(bench.sent(), ":L1\r");
  bench.receive(kOk);
  EXPECT_EQ(bench.sent(), ":G230\r");
  using Offsets = std::vector<std::pair<int, int>>;
  EXPECT_EQ(bench.listener.offsets, (Offsets{{499, 0}, {500, 2}}));

  // While axis 2 moves its count is read twice and taken for axis 2 only.
  for (int i = 0; i < 3; ++i) {
    bench.receive(kOk);
    bench.sent();
  }
  bench.protocol->tick();
  EXPECT_EQ(bench.sent(), ":j2\r");
  bench.receive(valueReply(kHome + 40));
  EXPECT_EQ(bench.sent(), ":j2\r");
  bench.receive(valueReply(kHome + 41));
  EXPECT_EQ(bench.listener.offsets.back(), std::make_pair(500, 44));
}

TEST_F(AltAzSpiral, OneTurnRunsEightLegsOutToTwoStepsEachWay) {
  ASSERT_EQ(run(1, 1, 0.02), 1);
  // Speed 1 runs fast at period 300: 3463 counts a second, 70 a heartbeat.
  expectArms(sim, {kHome, kHome}, 8, kAltAzStep, 70);
  const std::vector<std::string> legs = sim.commandsStarting("G");
  ASSERT_EQ(legs.size(), 8u);
  const char* expected[] = {"G130", "G230", "G131", "G231"};
  for (size_t leg = 0; leg < legs.size(); ++leg) EXPECT_EQ(legs[leg], expected[leg % 4]);
  EXPECT_EQ(sim.commandsStarting("L").size(), 8u);
  // The last offset reported is where the last leg ended.
  const auto& last = sim.bench.listener.offsets.back();
  EXPECT_EQ(last.first, sim.stops[7][0] - static_cast<int32_t>(kHome));
  EXPECT_EQ(last.second, sim.stops[7][1] - static_cast<int32_t>(kHome));
  EXPECT_EQ(sim.bench.reported(), (std::vector<int>{23, 11}));
}

TEST_F(AltAzSpiral, TurnsOfNoneRunOneAndMoreThanTenRunTen) {
  ASSERT_EQ(run(0, 5, 0.02), 1);
  EXPECT_EQ(sim.stops.size(), 8u);
  sim.stops.clear();
  sim.bench.reported();
  ASSERT_EQ(run(12, 5, 0.05), 1);
  EXPECT_EQ(sim.stops.size(), 44u);  // four legs a turn and four more
}

TEST_F(AltAzSpiral, SpeedsAboveTheTableRunAtItsFastest) {
  sim.command({kCmdSpiralSearch, 10, 1, 9});
  EXPECT_EQ(sim.commandsStarting("I1"), std::vector<std::string>{"I1" + motorValueBytes(1, 'I', 80).substr(3, 6)});
}

TEST_F(AltAzSpiral, AStopReplacesTheSpiral) {
  sim.command({kCmdSpiralSearch, 10, 3, 1});
  sim.heartbeat(0.02);
  sim.command({kCmdStop, 4});
  const size_t reads = sim.commandsStarting("j").size();
  for (int i = 0; i < 5; ++i) sim.heartbeat(0.02);
  EXPECT_EQ(sim.commandsStarting("j").size(), reads);
  EXPECT_EQ(sim.bench.reported(), (std::vector<int>{23, 11}));
  EXPECT_EQ(sim.status(1)[1], '0');
}

// MountType 4: 9024000 counts a revolution, 25066.667 a degree, so 10
// arcminutes are 4178 counts.
class EquatorialSpiral : public ::testing::Test {
 protected:
  EquatorialSpiral() { sim.linkUp(); }
  SimulatedBench sim{kMountMotorEquatorial, true, 9024000};
};

TEST_F(EquatorialSpiral, SlowLegsEndedWithKAndReadAgainstAxisOne) {
  const std::array<int32_t, 2> start{sim.position(1), sim.position(2)};
  sim.command({kCmdSpiralSearch, 10, 1, 0});
  ASSERT_TRUE(sim.beatUntil(11, 0.1, 5000));
  // Period 60: 1082 counts a second, 108 a heartbeat.
  expectArms(sim, start, 8, 4178, 109);
  const std::vector<std::string> legs = sim.commandsStarting("G");
  const char* expected[] = {"G110", "G210", "G111", "G211"};
  ASSERT_EQ(legs.size(), 8u);
  for (size_t leg = 0; leg < legs.size(); ++leg) EXPECT_EQ(legs[leg], expected[leg % 4]);
  EXPECT_EQ(sim.commandsStarting("K").size(), 8u);
  EXPECT_EQ(sim.commandsStarting("L").size(), 0u);
  EXPECT_EQ(sim.commandsStarting("I1")[0], "I1" + motorValueBytes(1, 'I', 60).substr(3, 6));
  // Axis 2 stays where it was through the legs of axis 1.
  EXPECT_EQ(sim.bench.listener.offsets.front().second, 0);
  EXPECT_EQ(sim.bench.reported(), (std::vector<int>{23, 11}));
}

TEST_F(EquatorialSpiral, TrackingStopsFirstAndResumesAfterTheSpiral) {
  sim.command({kCmdTracking, 1});
  sim.heartbeat(1);
  sim.commands.clear();
  sim.command({kCmdSpiralSearch, 10, 1, 5});
  EXPECT_EQ(sim.commands, std::vector<std::string>{"K1"});
  sim.heartbeat(0.1);
  EXPECT_EQ(sim.commandsStarting("f1").size(), 1u);
  EXPECT_EQ(sim.commandsStarting("j1").size(), 1u);  // axis 1 stood at once: the spiral reads its start
  ASSERT_TRUE(sim.beatUntil(11, 0.1, 5000));
  const std::vector<std::string> tail(sim.commands.end() - 3, sim.commands.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"G110", "I1" + motorValueBytes(1, 'I', 620).substr(3, 6), "J1"}));
  EXPECT_EQ(sim.status(1), "111");
}

TEST_F(EquatorialSpiral, OnlyFromIdle) {
  sim.command({kCmdGoto}, {});
  sim.commands.clear();
  sim.command({kCmdSpiralSearch, 10, 1, 5});
  EXPECT_TRUE(sim.commands.empty());
}

}  // namespace
}  // namespace celvaro
