// The motor controller's commands, driven directly in simulated time.
#include "motor_controller_mount.h"

#include <gtest/gtest.h>

#include <cmath>

#include "answers.h"
#include "telescope/basic_command_sender.h"

namespace celvaro::mountsim {
namespace {

constexpr uint32_t kHome = 0x800000;

class MotorControllerMountTest : public ::testing::Test {
 protected:
  std::string exchange(std::string_view bytes, double now = 0) { return mountsim::answers(mount_, bytes, now); }
  std::string value(int axis, char command, uint32_t number, double now = 0) {
    return exchange(motorValueBytes(axis, command, number), now);
  }
  uint32_t read(char command, int axis, double now = 0) {
    const std::string reply = exchange(motorCommandBytes(command, char('0' + axis)), now);
    uint32_t number = 0;
    EXPECT_TRUE(reply.size() == 8 && readMotorValue(reply.c_str() + 1, 6, number)) << reply;
    return number;
  }

  MotorControllerMount mount_{true, {9024000, 9024000}, {kHome, kHome}};
};

TEST_F(MotorControllerMountTest, SiderealPeriodTurnsTheAxisOnceASiderealDay) {
  EXPECT_EQ(exchange(":G110\r"), "=\r");
  EXPECT_EQ(value(1, 'I', read('D', 1)), "=\r");
  EXPECT_EQ(exchange(":J1\r"), "=\r");
  const double halfDay = 86164.0905 / 2;
  EXPECT_NEAR(double(read('j', 1, halfDay)) - kHome, 9024000 / 2.0, 9024000 * 0.001);
}

TEST_F(MotorControllerMountTest, FastRateIsSixteenTimesTheSlowOneAndPeriodChangesAtOnce) {
  exchange(":G131\r");
  value(1, 'I', 100);
  exchange(":J1\r");
  const uint32_t fast = kHome - read('j', 1, 1.0);
  exchange(":K1\r:G111\r", 1.0);
  value(1, 'I', 100, 1.0);
  exchange(":J1\r", 1.0);
  const uint32_t before = read('j', 1, 1.0);
  const uint32_t slow = before - read('j', 1, 2.0);
  EXPECT_NEAR(double(fast) / slow, 16.0, 0.05);
  value(1, 'I', 50, 2.0);  // a guide correction: twice as fast
  EXPECT_NEAR(double(read('j', 1, 2.0) - read('j', 1, 3.0)), 2.0 * slow, 2);
}

TEST_F(MotorControllerMountTest, DistanceGotoRunsInTheGivenDirectionAndStopsOnTheCount) {
  exchange(":G201\r");
  value(2, 'H', 1000000);
  exchange(":J2\r");
  EXPECT_EQ(exchange(":f2\r", 1.0), "=311\r");
  EXPECT_EQ(read('j', 2, 500.0), kHome - 1000000);
  EXPECT_EQ(exchange(":f2\r", 500.0), "=301\r");
}

TEST_F(MotorControllerMountTest, AltAzimuthStatusReadsStoppedOnlyAfterTheGoto) {
  MotorControllerMount altaz(false, {0x1AF100, 0x1AF100}, {kHome, kHome});
  auto ask = [&](const std::string& bytes, double now) { return mountsim::answers(altaz, bytes, now); };
  ask(":G200\r" + motorValueBytes(2, 'S', kHome - 5000) + ":J2\r", 0);
  EXPECT_EQ(ask(":f2\r", 0.01), "=013\r");
  EXPECT_EQ(ask(":f2\r", 30), "=003\r");
  ask(":G231\r:J2\r", 30);
  EXPECT_EQ(ask(":f2\r", 31), "=313\r");
  ask(":L2\r:G201\r" + motorValueBytes(2, 'S', kHome) + ":J2\r", 31);
  EXPECT_EQ(ask(":f2\r", 200), "=203\r");
}

TEST_F(MotorControllerMountTest, SetPositionAndMotionNeedAStandingAxis) {
  EXPECT_EQ(value(1, 'E', 0x123456), "=\r");
  EXPECT_EQ(read('j', 1), 0x123456u);
  exchange(":G130\r:J1\r");
  EXPECT_EQ(value(1, 'E', kHome), "!2\r");
  EXPECT_EQ(exchange(":G110\r"), "!2\r");
  EXPECT_EQ(exchange(":K1\r:G110\r"), "=\r=\r");
}

TEST_F(MotorControllerMountTest, MalformedCommandsGetErrorCodes) {
  EXPECT_EQ(exchange(":x1\r"), "!0\r");
  EXPECT_EQ(exchange(":j3\r"), "!3\r");
  EXPECT_EQ(exchange(":S1123\r"), "!1\r");
  EXPECT_EQ(exchange(":S1GG0000\r"), "!3\r");
  EXPECT_EQ(exchange(":G151\r"), "!3\r");
}

TEST_F(MotorControllerMountTest, FramingDropsStrayBytesAndJoinsSplitCommands) {
  EXPECT_EQ(exchange("noise:j"), "");
  EXPECT_EQ(exchange("1\r"), "=000080\r");
  EXPECT_EQ(exchange(":a1:F1\r"), "=\r");  // a new ':' restarts the command
}

}  // namespace
}  // namespace celvaro::mountsim
