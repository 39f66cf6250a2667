// The bytes of the motor-controller commands, 24-bit values and turn
// fractions.
#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <tuple>

#include "telescope/basic_command_sender.h"
#include "telescope/mount_encodings.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;

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

// Below 0 and from a whole turn on, an angle keeps its place on the circle.
TEST(TurnFractions, SouthernAnglesAndAWholeTurn) {
  EXPECT_EQ(turnFractionSingle(-10 * kPi / 180), 0xF8E4);
  EXPECT_EQ(turnFraction(2 * kPi), 0);
  EXPECT_NEAR(declinationOfTurnFraction(0x2000), kPi / 4, 1e-12);
}

}  // namespace
}  // namespace celvaro
