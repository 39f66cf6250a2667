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
  EXPECT_EQ(answers(mount, ":XY#junk"), "");  // unknown commands answer nothing
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

// A site at 47.5° north on the Greenwich meridian whose sidereal time is 6h:
// a star at 6h crosses the meridian there, at 90° − |47.5° − dec| altitude.
TEST(Lx200MountTest, ASlewBelowTheHorizonIsRefusedWithMeadesMessage) {
  Lx200Mount mount(0, 0);
  mount.setSite({47.5, 0}, 6.0);
  EXPECT_EQ(answers(mount, ":Sr06:00.0#:Sd-43:00#:MS#"), "11" "1Object Below Horizon#");  // -0.5°
  EXPECT_EQ(answers(mount, ":GR#:GD#", 60), "00:00:00#+00*00'00#");
  EXPECT_EQ(answers(mount, ":Sd-42:00#:MS#", 60), "1" "0");  // +0.5°
  EXPECT_EQ(answers(mount, ":GD#", 120), "-42*00'00#");
  // Twelve sidereal hours (11h58m02s) later the same star culminates below.
  EXPECT_EQ(answers(mount, ":Sd+43:00#:MS#", 43082), "1" "0");
  EXPECT_EQ(answers(mount, ":Sd+42:00#:MS#", 43082), "1" "1Object Below Horizon#");  // 0.5° under the pole
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

// 'T' and the mode as a binary byte, 0 off to 3 equatorial south.
TEST(NexStarMountTest, TrackingModesAreAnsweredAndStrayBytesAreDropped) {
  NexStarMount mount(0, 0);
  EXPECT_EQ(answers(mount, std::string("T\x00T\x02T\x03", 6)), "###");
  EXPECT_EQ(answers(mount, "T2T0"), "");
  EXPECT_EQ(answers(mount, "#!K"), "");
  EXPECT_EQ(answers(mount, "q"), "q#");
}

}  // namespace
}  // namespace celvaro::mountsim
