// The mounts' command sets driven directly in simulated time (the motor
// controller's, the LX200's and the NexStar's), and the simulator over its
// pseudo-terminal, as the program sees it.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "lx200_mount.h"
#include "motor_controller_mount.h"
#include "mount_simulator.h"
#include "nexstar_mount.h"
#include "pseudo_terminals.h"
#include "telescope/linked_pty.h"
#include "simulated_mount.h"
#include "telescope/basic_command_sender.h"

namespace celvaro::mountsim {
namespace {

// Every reply of a mount to the commands in `bytes`.
std::string answers(SimulatedMount& mount, std::string_view bytes, double now = 0) {
  std::string replies;
  for (const std::string& command : mount.takeCommands(bytes)) replies += mount.reply(command, now);
  return replies;
}

constexpr uint32_t kHome = 0x800000;

class MotorControllerMountTest : public ::testing::Test {
 protected:
  std::string exchange(std::string_view bytes, double now = 0) { return answers(mount_, bytes, now); }
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

TEST_F(MotorControllerMountTest, AltAzimuthStatusReadsStoppedOnlyAfterTheGoto) {
  MotorControllerMount altaz(false, {0x1AF100, 0x1AF100}, {kHome, kHome});
  auto ask = [&](const std::string& bytes, double now) { return answers(altaz, bytes, now); };
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

// Simulated time stands still unless a test advances it.
MountOptions frozen(MountKind kind) {
  MountOptions options;
  options.kind = kind;
  options.timeScale = 0;
  return options;
}

// The handshake's counts per revolution, a goto that ends exactly on its
// target reading stopped, and the port opened again after the program
// closed it.
TEST(MountSimulatorTest, MotorControllerOverTheTerminal) {
  SKIP_WITHOUT_PSEUDO_TERMINALS();
  MountSimulator simulator(frozen(MountKind::AltAzimuth));
  ASSERT_TRUE(simulator.start());
  {
    testing::Pty port(simulator.slavePath());
    ASSERT_TRUE(port.isOpen());
    EXPECT_EQ(port.ask(":F1\r", '\r'), "=\r");
    EXPECT_EQ(port.ask(":F2\r", '\r'), "=\r");
    EXPECT_EQ(port.ask(":a1\r", '\r'), "=00F11A\r");  // 0x1AF100, low byte first
    EXPECT_EQ(port.ask(":D1\r", '\r').size(), 8u);
  }
  ::usleep(50000);  // the simulator notices the program gone
  testing::Pty port(simulator.slavePath());
  for (const char* command : {":L1\r", ":G100\r", ":S1452381\r", ":J1\r"}) EXPECT_EQ(port.ask(command, '\r'), "=\r");
  EXPECT_EQ(port.ask(":f1\r", '\r'), "=013\r");
  simulator.advance(60);
  EXPECT_EQ(port.ask(":j1\r", '\r'), "=452381\r");  // 0x812345
  EXPECT_EQ(port.ask(":f1\r", '\r'), "=003\r");
}

// Simulated time runs on its own at a scale; the mount starts where told.
TEST(MountSimulatorTest, Lx200SlewsToTheTargetSetOnAScaledClock) {
  SKIP_WITHOUT_PSEUDO_TERMINALS();
  MountOptions options;
  options.kind = MountKind::Lx200;
  options.timeScale = 100;  // a 45-degree slew takes about 0.06 s
  options.startRightAscensionHours = 2.5;
  options.startDeclinationDegrees = -10.25;
  MountSimulator simulator(options);
  ASSERT_TRUE(simulator.start());
  testing::Pty port(simulator.slavePath());
  EXPECT_EQ(port.ask("\x06", 'P'), "P");
  EXPECT_EQ(port.ask(":GD#", '#'), "-10*15'00#");
  EXPECT_EQ(port.ask(":Sr05:30.0#", '1'), "1");
  EXPECT_EQ(port.ask(":Sd+20:30#", '1'), "1");
  EXPECT_EQ(port.ask(":MS#", '0'), "0");
  std::string position;
  for (int i = 0; i < 100 && position != "05:30:00#+20*30'00#"; ++i) {
    ::usleep(10000);
    position = port.ask(":GR#", '#') + port.ask(":GD#", '#');
  }
  EXPECT_EQ(position, "05:30:00#+20*30'00#");
}

// Error answers with the kind's error reply; Garbage keeps the framing but
// not the data. Silent: MountFaultSession, on each kind through the program.
TEST(MountSimulatorTest, ErrorAndGarbageFaults) {
  SKIP_WITHOUT_PSEUDO_TERMINALS();
  MountSimulator motor(frozen(MountKind::Equatorial));
  MountSimulator lx200(frozen(MountKind::Lx200));
  ASSERT_TRUE(motor.start());
  ASSERT_TRUE(lx200.start());
  testing::Pty motorPort(motor.slavePath());
  testing::Pty lx200Port(lx200.slavePath());
  motor.setFault(Fault::Error);
  lx200.setFault(Fault::Error);
  EXPECT_EQ(motorPort.ask(":j1\r", '\r'), "!0\r");
  EXPECT_EQ(lx200Port.ask(":GR#", '#'), "!#");
  motor.setFault(Fault::Garbage);
  const std::string reply = motorPort.ask(":a1\r", '\r');
  ASSERT_GE(reply.size(), 3u);
  EXPECT_EQ(reply.front(), '=');
  EXPECT_EQ(reply.back(), '\r');
  EXPECT_EQ(reply.find_first_of("0123456789ABCDEF"), std::string::npos) << reply;
}

// Every digit of a reply turned into a character that is none, the length
// and the separators kept: what a line with noise on it delivers.
TEST(MountSimulatorTest, BadDigitsFaultKeepsTheShapeOfEachReply) {
  SKIP_WITHOUT_PSEUDO_TERMINALS();
  const auto reply = [](MountKind kind, std::string_view command, char last) {
    MountSimulator simulator(frozen(kind));
    EXPECT_TRUE(simulator.start());
    simulator.setFault(Fault::BadDigits);
    testing::Pty port(simulator.slavePath());
    return port.ask(command, last);
  };
  const std::string motor = reply(MountKind::Equatorial, ":j1\r", '\r');
  EXPECT_EQ(motor.size(), 8u);
  EXPECT_EQ(motor.find_first_of("0123456789ABCDEFabcdef"), std::string::npos) << motor;
  EXPECT_EQ(motor.substr(0, 1) + motor.back(), "=\r") << motor;
  const std::string lx200 = reply(MountKind::Lx200, ":GR#", '#');
  EXPECT_EQ(lx200.size(), 9u);
  EXPECT_EQ(lx200.find_first_of("0123456789"), std::string::npos) << lx200;
  EXPECT_EQ(lx200.substr(2, 1) + lx200.substr(5, 1) + lx200.back(), "::#") << lx200;
  const std::string nexstar = reply(MountKind::NexStar, "E", '#');
  EXPECT_EQ(nexstar.size(), 10u);
  EXPECT_EQ(nexstar.find_first_of("0123456789ABCDEFabcdef"), std::string::npos) << nexstar;
  EXPECT_EQ(nexstar.substr(4, 1) + nexstar.back(), ",#") << nexstar;
}

// A fault can wait for the program: it starts a while after the first byte
// the program sends, so a mount can answer the handshake and then fall silent.
TEST(MountSimulatorTest, FaultStartsAWhileAfterTheProgramsFirstByte) {
  SKIP_WITHOUT_PSEUDO_TERMINALS();
  MountSimulator simulator(frozen(MountKind::Lx200));
  ASSERT_TRUE(simulator.start());
  simulator.setFault(Fault::Silent, 0.3);
  ::usleep(400000);  // no program yet: the time has not begun
  testing::Pty port(simulator.slavePath());
  EXPECT_EQ(port.ask("\x06", 'P'), "P");
  EXPECT_EQ(port.ask(":GR#", '#'), "00:00:00#");
  ::usleep(400000);
  EXPECT_EQ(simulator.fault(), Fault::Silent);
  port.write(":GR#");
  EXPECT_EQ(port.readUntil('#', 300), "");
}

TEST(MountSimulatorTest, HangUpClosesThePortUnderTheProgram) {
  SKIP_WITHOUT_PSEUDO_TERMINALS();
  MountSimulator simulator(frozen(MountKind::AltAzimuth));
  ASSERT_TRUE(simulator.start());
  testing::Pty port(simulator.slavePath());
  EXPECT_EQ(port.ask(":F1\r", '\r'), "=\r");
  simulator.setFault(Fault::Hangup);
  EXPECT_TRUE(port.seesHangUp(2000));
  EXPECT_TRUE(simulator.hungUp());
}

}  // namespace
}  // namespace celvaro::mountsim
