// The spiral search on both motor-controller types: the legs byte for byte,
// the arms they reach on the simulated controller, the offsets reported, the
// turns and speeds, and what ends a spiral.
#include "telescope/spiral_search.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <thread>

#include "simulated_bench.h"
#include "telescope/basic_command_sender.h"
#include "telescope/link_status_codes.h"
#include "telescope/mount_types.h"
#include "telescope/telescope_command_codes.h"

namespace celvaro {
namespace {

using testing::kOk;
using testing::ProtocolBench;
using testing::SimulatedBench;
using testing::valueReply;

constexpr uint32_t kHome = 0x800000;

// Axis 1 of the alt-azimuth bench turns 1080000 counts a revolution: 3000
// a degree, so a step of 10 arcminutes is 500 counts.
constexpr uint32_t kAltAzCounts = 1080000;
// The simulated alt-azimuth controller's own counts per revolution.
constexpr uint32_t kSimulatorCounts = 0x1AF100;

// The spiral's settings as the dialog's "Default" button sets them.
constexpr uint8_t kDefaultSpeed = 2, kDefaultRadius = 40, kDefaultTurns = 3;

// The step of a spiral in counts of an axis with `countsPerRevolution`.
double stepCounts(double arcmin, uint32_t countsPerRevolution) { return arcmin / 60 * countsPerRevolution / 360.0; }

// The arm each leg ends on, in steps from the start, and its axis: +1, +1,
// -2, -2, +3, +3 ... on axis 1, axis 2, axis 1, axis 2 ...
struct Arm { int axis; int steps; };
Arm armOfLeg(int leg) {
  const int size = leg / 2 + 1;
  return {leg % 2 + 1, leg % 4 < 2 ? size : -size};
}

// Where each leg stopped, in the mount's own counts at the moment the stop
// arrived, lies on its arm from `start` within `tolerance` of a step.
void expectArms(const SimulatedBench& sim, std::array<int32_t, 2> start, int legs, double step, double tolerance) {
  ASSERT_EQ(static_cast<int>(sim.stops.size()), legs);
  for (int leg = 0; leg < legs; ++leg) {
    const Arm arm = armOfLeg(leg);
    const double reached = (sim.stops[leg][arm.axis - 1] - start[arm.axis - 1]) / step;
    EXPECT_NEAR(reached, arm.steps, tolerance) << "leg " << leg;
  }
}

// The legs' direction commands cycle through `cycle`, one leg each.
void expectLegCycle(const SimulatedBench& sim, std::array<const char*, 4> cycle) {
  const std::vector<std::string> legs = sim.commandsStarting("G");
  ASSERT_EQ(legs.size(), 16u);
  for (size_t leg = 0; leg < legs.size(); ++leg) EXPECT_EQ(legs[leg], cycle[leg % 4]) << "leg " << leg;
}

// Runs a spiral to its end at one heartbeat a second; false when it did
// not end.
bool runSpiral(SimulatedBench& sim, int radius, int turns, int speed) {
  sim.command({kCmdSpiralSearch, static_cast<uint8_t>(radius), static_cast<uint8_t>(turns),
               static_cast<uint8_t>(speed)});
  return sim.beatUntil(kStatusSpiralFinished, 1.0, 2000);
}

class AltAzSpiral : public ::testing::Test {
 protected:
  AltAzSpiral() { sim.linkUp(); }
  SimulatedBench sim{kMountMotorAltAz, false, kAltAzCounts};
};

TEST(SpiralSearchLegs, FirstLegAndItsEndByteForByte) {
  ProtocolBench bench(kMountMotorAltAz);
  bench.linkUpAltAz(kAltAzCounts, kAltAzCounts);

  bench.command({kCmdSpiralSearch, 10, 1, 1});
  EXPECT_EQ(bench.dialog({valueReply(kHome + 7), valueReply(kHome - 3), kOk, kOk}),
            ":j1\r|:j2\r|:G130\r|" + motorValueBytes(1, 'I', 300) + "|:J1\r");
  EXPECT_EQ(bench.reported(), std::vector<int>{kStatusSpiralStarted});
  // Before the leg's speed is known the position is read on every reply,
  // and the leg ends on the read that reaches its target.
  EXPECT_EQ(bench.dialog({kOk, valueReply(kHome + 7 + 499), valueReply(kHome + 7 + 500), kOk}),
            "|:j1\r|:j1\r|:L1\r|:G230\r");
  using Offsets = std::vector<std::pair<int, int>>;
  EXPECT_EQ(bench.listener.offsets, (Offsets{{500, 0}}));
  EXPECT_EQ(bench.dialog({kOk, kOk}), "|" + motorValueBytes(2, 'I', 300) + "|:J2\r");

  // An axis that does not move is not asked again and again: after three
  // reads over a tenth of a second that find it where it was, the next read
  // waits for a heartbeat, which reads the moving axis and then axis 2.
  // (Reads that come back at once may find a moving axis unchanged.)
  const std::string standing = valueReply(kHome - 3);
  EXPECT_EQ(bench.dialog({kOk, standing, standing, standing}), "|:j2\r|:j2\r|:j2\r|:j2\r");
  std::this_thread::sleep_for(std::chrono::milliseconds(110));
  EXPECT_EQ(bench.dialog({standing}), "|");
  bench.protocol->tick();
  EXPECT_EQ(bench.dialog({valueReply(kHome + 40)}), ":j2\r|:j2\r");
  bench.receive(valueReply(kHome + 41));
  EXPECT_EQ(bench.listener.offsets.back(), std::make_pair(500, 44));
}

// On a line whose replies come late the leg's time ends it: axis 1 ran its
// first leg of 500 counts in a second, so its next leg, 1500 counts back
// from +500 to -1000, is over after three seconds, wherever the last read
// found it. Axis 2 has not run a leg yet: its first ends on position only.
TEST(SpiralSearchLegs, ALegWhoseReadsComeLateEndsOnItsTime) {
  static constexpr SpiralForm kForm = {'3', 'L', 2, {360, 300, 220, 160, 120, 80}};
  using Clock = SpiralSearch::Clock;
  using std::chrono::milliseconds;
  SpiralSearch spiral;
  spiral.setUp(kForm, 500, 1, 1);
  spiral.startAt(0, 0);
  const Clock::time_point t0 = Clock::now();
  spiral.legStarted(t0);
  EXPECT_FALSE(spiral.timeUp(t0 + milliseconds(60000)));
  spiral.takeCount(0, 500, t0 + milliseconds(1000));
  ASSERT_TRUE(spiral.legDone());
  spiral.nextLeg();
  const Clock::time_point t1 = t0 + milliseconds(1100);
  spiral.legStarted(t1);
  EXPECT_FALSE(spiral.timeUp(t1 + milliseconds(60000)));
  spiral.takeCount(0, 500, t1 + milliseconds(1000));
  spiral.nextLeg();
  const Clock::time_point t2 = t1 + milliseconds(1100);
  spiral.legStarted(t2);
  spiral.takeCount(0, 0, t2 + milliseconds(1000));
  EXPECT_FALSE(spiral.timeUp(t2 + milliseconds(2990)));
  EXPECT_TRUE(spiral.timeUp(t2 + milliseconds(3000)));
  EXPECT_FALSE(spiral.legDone());
}

// At the default settings a leg lasts less than a heartbeat: with the
// position read once a heartbeat the legs ended +1.32, +1.41, -2.97, -2.89,
// +4.21 ... steps out and objects between the turns were missed.
TEST(AltAzSpiralOnTheSimulator, DefaultLegsEndOnTheirArms) {
  SimulatedBench sim(kMountMotorAltAz, false, kSimulatorCounts);
  sim.linkUp();
  ASSERT_TRUE(runSpiral(sim, kDefaultRadius, kDefaultTurns, kDefaultSpeed));
  expectArms(sim, {kHome, kHome}, 16, stepCounts(kDefaultRadius, kSimulatorCounts), 0.04);
  expectLegCycle(sim, {"G130", "G230", "G131", "G231"});
  EXPECT_EQ(sim.commandsStarting("I1")[0], "I1" + motorValueBytes(1, 'I', 220).substr(3, 6));
  EXPECT_EQ(sim.commandsStarting("L").size(), 16u);
  EXPECT_EQ(sim.bench.reported(), (std::vector<int>{kStatusSpiralStarted, kStatusSpiralFinished}));
}

TEST_F(AltAzSpiral, AStopReplacesTheSpiral) {
  sim.command({kCmdSpiralSearch, 60, 3, 1});
  sim.heartbeat(1);
  sim.command({kCmdStop, 4});
  const size_t reads = sim.commandsStarting("j").size();
  for (int i = 0; i < 5; ++i) sim.heartbeat(1);
  EXPECT_EQ(sim.commandsStarting("j").size(), reads);
  EXPECT_EQ(sim.bench.reported(), (std::vector<int>{kStatusSpiralStarted, kStatusFinished}));
  EXPECT_EQ(sim.status(1)[1], '0');
}

// MountType 4: 9024000 counts a revolution; its legs run at the slow rate.
class EquatorialSpiral : public ::testing::Test {
 protected:
  EquatorialSpiral() { sim.linkUp(); }
  static constexpr uint32_t kCounts = 9024000;
  SimulatedBench sim{kMountMotorEquatorial, true, kCounts};
};

// Legs of several heartbeats: read once a heartbeat, and on every reply
// only near their ends.
TEST_F(EquatorialSpiral, DefaultLegsEndOnTheirArmsAndLeaveTheLineMostlyFree) {
  const std::array<int32_t, 2> start{sim.position(1), sim.position(2)};
  const double began = sim.now;
  sim.command({kCmdSpiralSearch, kDefaultRadius, kDefaultTurns, kDefaultSpeed});
  ASSERT_TRUE(sim.beatUntil(kStatusSpiralFinished, 1.0, 2000));
  expectArms(sim, start, 16, stepCounts(kDefaultRadius, kCounts), 0.04);
  expectLegCycle(sim, {"G110", "G210", "G111", "G211"});
  EXPECT_EQ((std::tuple{sim.commandsStarting("K").size(), sim.commandsStarting("L").size()}), (std::tuple{16u, 0u}));
  EXPECT_EQ(sim.commandsStarting("I1")[0], "I1" + motorValueBytes(1, 'I', 30).substr(3, 6));
  // A read and its reply take 12 bytes on the line.
  const double readSeconds = 12 * SimulatedBench::kSecondsPerByte * sim.commandsStarting("j").size();
  EXPECT_LT(readSeconds, 0.25 * (sim.now - began));
  // Axis 2 stays where it was through the legs of axis 1.
  EXPECT_EQ(sim.bench.listener.offsets.front().second, 0);
  EXPECT_EQ(sim.bench.reported(), (std::vector<int>{kStatusSpiralStarted, kStatusSpiralFinished}));
}

TEST_F(EquatorialSpiral, TrackingStopsFirstAndResumesAfterTheSpiral) {
  sim.command({kCmdTracking, 1});
  sim.heartbeat(1);
  EXPECT_EQ(sim.commandsFor({kCmdSpiralSearch, 10, 1, 5}), std::vector<std::string>{"K1"});
  sim.heartbeat(1);
  EXPECT_EQ(sim.commandsStarting("f1").size(), 1u);
  EXPECT_EQ(sim.commandsStarting("j1")[0], "j1");  // axis 1 stood at once: the spiral reads its start
  ASSERT_TRUE(sim.beatUntil(kStatusSpiralFinished, 1, 500));
  const std::vector<std::string> tail(sim.commands.end() - 3, sim.commands.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"G110", "I1" + motorValueBytes(1, 'I', 620).substr(3, 6), "J1"}));
  EXPECT_EQ(sim.status(1), "111");
}

TEST_F(EquatorialSpiral, OnlyFromIdle) {
  sim.command({kCmdGoto}, {});
  EXPECT_TRUE(sim.commandsFor({kCmdSpiralSearch, 10, 1, 5}).empty());
}

}  // namespace
}  // namespace celvaro
