// MountType 4: its handshake and the arithmetic of its axes.
#include "telescope/equatorial_motor_protocol.h"

#include <gtest/gtest.h>

#include <numbers>
#include <string>

#include "protocol_bench.h"
#include "telescope/basic_command_sender.h"
#include "telescope/equatorial_axes.h"
#include "telescope/mount_types.h"

namespace celvaro {
namespace {

using testing::ProtocolBench;

constexpr double kPi = std::numbers::pi;
const std::string kOk = "=\r";

std::string valueReply(uint32_t value) { return "=" + motorValueBytes(1, 'x', value).substr(3); }

TEST(EquatorialMountHandshake, ByteForByteWithTheParkPosition) {
  ProtocolBench bench(kMountMotorEquatorial);
  bench.protocol->connect();
  std::string wire = bench.sent();
  for (const std::string& reply : {kOk, kOk, valueReply(9024000), valueReply(9024000)}) {
    bench.receive(reply);
  }
  for (int i = 0; i < 11; ++i) bench.receive(kOk);
  wire += bench.sent();
  EXPECT_EQ(wire,
            ":c1\r:c2\r:a1\r:a2\r:b1\r:g1\r:s1\r:j2\r:j1\r:f1\r:E1000080\r:E280935D\r:j2\r:j1\r:F1\r:F2\r");
  EXPECT_TRUE(bench.reported().empty());
  EXPECT_EQ(bench.receive(kOk), kLinkEstablished);
  EXPECT_EQ(bench.reported(), std::vector<int>{linkEstablishedCode(kMountMotorEquatorial)});
}

TEST(EquatorialMountHandshake, WatchdogOfSixteenAndUnusableCounts) {
  ProtocolBench bench(kMountMotorEquatorial);
  bench.protocol->connect();
  for (int i = 0; i < 15; ++i) EXPECT_EQ(bench.protocol->tick(), kKeepLink);
  EXPECT_EQ(bench.protocol->tick(), kClosePort);
  EXPECT_EQ(bench.reported(), std::vector<int>{4});

  // No scale for an axis: the port is closed rather than divided by zero.
  bench.protocol->connect();
  bench.receive(kOk + kOk);
  EXPECT_EQ(bench.receive(valueReply(0)), kClosePort);
  EXPECT_EQ(bench.reported(), std::vector<int>{5});
}

TEST(EquatorialAxes, RateTablesFollowTheCountsPerRevolution) {
  EquatorialAxes axes;
  EXPECT_EQ(axes.rates().siderealPeriod, 620);
  EXPECT_EQ(axes.halfRevolution(1), 4512000);
  EXPECT_NEAR(axes.countsPerDegree(2), 25066.667, 1e-3);
  EXPECT_EQ(axes.countsPerHour(1), 376000.0);
  axes.setCountsPerRevolution(1, 4000000);
  EXPECT_EQ(axes.rates().siderealPeriod, 703);
  EXPECT_EQ(axes.rates().trackingEast[1], 0);
  axes.setCountsPerRevolution(1, 5000000);
  EXPECT_EQ(axes.rates().fast[0], 30);
}

TEST(EquatorialAxes, MotorCountsInTheSky) {
  EquatorialAxes axes;
  const int32_t home = EquatorialAxes::kHome;
  // At home the tube points at the pole, six hours east of the meridian.
  EquatorialPosition p = axes.skyPosition(home, home, 3.0);
  EXPECT_NEAR(p.decRad, kPi / 2, 1e-12);
  EXPECT_NEAR(p.raRad, 9.0 * kPi / 12, 1e-12);
  // Park: a quarter turn down to the equator.
  p = axes.skyPosition(home + 2 * 376000, axes.parkAxis2(), 3.0);
  EXPECT_NEAR(p.decRad, 0, 1e-6);  // the scale is single precision
  EXPECT_NEAR(p.raRad, 7.0 * kPi / 12, 1e-9);
  // Past home on axis 2 the hour offset runs the other way round.
  p = axes.skyPosition(home - 376000, home + 9024000 / 8, 3.0);
  EXPECT_NEAR(p.decRad, kPi / 4, 1e-6);
  EXPECT_NEAR(p.raRad, 22.0 * kPi / 12, 1e-9);
}

TEST(EquatorialAxes, EastWestSwapPositionInHours) {
  EXPECT_EQ(eastWestSwapHours(45), -2.0);
  EXPECT_EQ(eastWestSwapHours(-45), 2.0);
  EXPECT_EQ(eastWestSwapHours(15), -1.0);
}

}  // namespace
}  // namespace celvaro
