// The LX200 and NexStar command sets, driven directly in simulated time.
#include <gtest/gtest.h>

#include "answers.h"
#include "lx200_mount.h"
#include "nexstar_mount.h"

namespace celvaro::mountsim {
namespace {

TEST(Lx200MountTest, TargetTextsInEitherFormAndOutOfRange) {
  Lx200Mount mount(0, 0);
  EXPECT_EQ(answers(mount, ":Sr 12:34:56#"), "1");
  EXPECT_EQ(answers(mount, ":Sd-00:30#"), "1");
  EXPECT_EQ(answers(mount, ":MS#"), "0");
  EXPECT_EQ(answers(mount, ":GR#:GD#", 100), "12:34:56#-00*30'00#");
  EXPECT_EQ(answers(mount, ":Sd+45*10:20#"), "1");
  EXPECT_EQ(answers(mount, ":Sr24:00.0#"), "0");
  EXPECT_EQ(answers(mount, ":Sr12:60.0#"), "0");
  EXPECT_EQ(answers(mount, ":Sd+91:00#"), "0");
  EXPECT_EQ(answers(mount, ":Sd+45#"), "0");
}

TEST(Lx200MountTest, SlewTakesTheShortWayRoundInRightAscension) {
  Lx200Mount mount(23.5, 0);
  answers(mount, ":Sr00:30.0#:MS#");
  EXPECT_EQ(answers(mount, ":GR#", 1.0), "00:02:00#");  // 8 degrees a second, eastward
  EXPECT_EQ(answers(mount, ":GR#", 60), "00:30:00#");
}

TEST(Lx200MountTest, MovesRunAtTheChosenRateUntilStopped) {
  Lx200Mount mount(1, 89);
  EXPECT_EQ(answers(mount, ":RS#:Mw#:Mn#"), "");
  EXPECT_EQ(answers(mount, ":GR#:GD#", 1.0), "00:28:00#+90*00'00#");  // the pole stops declination
  answers(mount, ":Qw#", 1.0);
  EXPECT_EQ(answers(mount, ":GR#", 5.0), "00:28:00#");
  answers(mount, ":RG#:Ms#:Me#", 5.0);
  answers(mount, ":Q#", 6.0);
  EXPECT_EQ(answers(mount, ":GR#:GD#", 9.0), "00:28:01#+89*59'45#");
}

TEST(Lx200MountTest, AcknowledgesWithPolarModeAndIgnoresUnknownCommands) {
  Lx200Mount mount(0, 0);
  EXPECT_EQ(answers(mount, "\x06"), "P");
  EXPECT_EQ(answers(mount, ":XY#junk"), "");
}

TEST(NexStarMountTest, GotoThenPositionInTurnFractions) {
  NexStarMount mount(0, 0);
  EXPECT_EQ(answers(mount, "R8000,F000"), "#");  // 180 degrees, -22.5 degrees
  EXPECT_EQ(answers(mount, "E", 60), "8000,F000#");
  EXPECT_EQ(answers(mount, "Rzzzz,0000E", 60), "#8000,F000#");
}

TEST(NexStarMountTest, PassThroughMovesAndStops) {
  NexStarMount mount(0, 10);
  const std::string up9("P\x02\x11\x24\x09\x00\x00\x00", 8);
  const std::string stop("P\x02\x11\x24\x00\x00\x00\x00", 8);
  const std::string unknownMotor("P\x02\x12\x24\x09\x00\x00\x00", 8);
  EXPECT_EQ(answers(mount, up9), "#");
  EXPECT_EQ(answers(mount, stop, 1.0), "#");  // 4 degrees a second
  EXPECT_EQ(answers(mount, unknownMotor, 1.0), "#");
  EXPECT_EQ(answers(mount, "E", 10.0), "0000,09F5#");  // 14 degrees
}

TEST(NexStarMountTest, TrackingGetsNoReplyAndStrayBytesAreDropped) {
  NexStarMount mount(0, 0);
  EXPECT_EQ(answers(mount, "T2T0"), "");
  EXPECT_EQ(answers(mount, "#!K"), "");
  EXPECT_EQ(answers(mount, "q"), "q#");
}

}  // namespace
}  // namespace celvaro::mountsim
