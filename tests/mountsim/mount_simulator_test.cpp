// The mounts' command sets driven directly in simulated time (the motor
// controller's, the LX200's and the NexStar's), and the simulator over its
// pseudo-terminal, as the program sees it.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>

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
  EXPECT_EQ((std::tuple{ask(":f2\r", 0.01), ask(":f2\r", 30)}), (std::tuple{"=013\r", "=003\r"}));
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
  EXPECT_EQ((std::tuple{exchange(":G110\r"), exchange(":K1\r:G110\r")}), (std::tuple{"!2\r", "=\r=\r"}));
}

TEST_F(MotorControllerMountTest, MalformedCommandsGetErrorCodes) {
  EXPECT_EQ((std::tuple{exchange(":x1\r"), exchange(":j3\r")}), (std::tuple{"!0\r", "!3\r"}));
  EXPECT_EQ((std::tuple{exchange(":S1123\r"), exchange(":S1GG0000\r")}), (std::tuple{"!1\r", "!3\r"}));
  EXPECT_EQ(exchange(":G151\r"), "!3\r");
}

TEST_F(MotorControllerMountTest, FramingDropsStrayBytesAndJoinsSplitCommands) {
  EXPECT_EQ((std::tuple{exchange("noise:j"), exchange("1\r")}), (std::tuple{"", "=000080\r"}));
  EXPECT_EQ(exchange(":a1:F1\r"), "=\r");  // a new ':' restarts the command
}

TEST(Lx200MountTest, TargetTextsInEitherFormAndOutOfRange) {
  Lx200Mount mount(0, 0);
  EXPECT_EQ((std::tuple{answers(mount, ":Sr 12:34:56#"), answers(mount, ":Sd-00:30#")}), (std::tuple{"1", "1"}));
  EXPECT_EQ(answers(mount, ":MS#"), "0");
  EXPECT_EQ(answers(mount, ":GR#:GD#", 100), "12:34:56#-00*30'00#");
  EXPECT_EQ((std::tuple{answers(mount, ":Sd+45*10:20#"), answers(mount, ":Sr24:00.0#")}), (std::tuple{"1", "0"}));
  EXPECT_EQ((std::tuple{answers(mount, ":Sr12:60.0#"), answers(mount, ":Sd+91:00#")}), (std::tuple{"0", "0"}));
  EXPECT_EQ(answers(mount, ":Sd+45#"), "0");
  EXPECT_EQ(answers(mount, ":XY#junk"), "");  // unknown commands answer nothing
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

// 'T' and the mode as a binary byte, 0 off to 3 equatorial south; bytes and
// targets that are none.
TEST(NexStarMountTest, TrackingModesAreAnsweredAndStrayBytesAreDropped) {
  NexStarMount mount(0, 0);
  EXPECT_EQ(answers(mount, std::string("T\x00T\x02T\x03", 6)), "###");
  EXPECT_EQ((std::tuple{answers(mount, "T2T0"), answers(mount, "#!K")}), (std::tuple{"", ""}));
  EXPECT_EQ(answers(mount, "q"), "q#");
  EXPECT_EQ(answers(mount, "Rzzzz,0000E", 60), "#0000,0000#");  // a target that is no number: no goto
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
    EXPECT_EQ((std::tuple{port.ask(":F1\r", '\r'), port.ask(":F2\r", '\r')}), (std::tuple{"=\r", "=\r"}));
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

// The reply with each character that is no hex digit, where `shape` has an
// 'x', shown as 'x'.
std::string shapeOf(std::string reply, std::string_view shape) {
  for (size_t i = 0; i < reply.size() && i < shape.size(); ++i) {
    if (shape[i] == 'x' && !std::isxdigit(static_cast<unsigned char>(reply[i]))) reply[i] = 'x';
  }
  return reply;
}

// Each reply with a fault on, in the shape it must have, 'x' standing for
// any character that is no digit: Error answers with the kind's error
// reply; Garbage keeps the framing, not the data; BadDigits keeps the length
// and the separators, as a line with noise on it delivers. Silent:
// MountFaultSession, on each kind through the program.
TEST(MountSimulatorTest, FaultyRepliesKeepTheirShape) {
  SKIP_WITHOUT_PSEUDO_TERMINALS();
  struct Row { MountKind kind; Fault fault; std::string_view command; std::string shape; };
  const Row rows[] = {{MountKind::Equatorial, Fault::Error, ":j1\r", "!0\r"},
                      {MountKind::Lx200, Fault::Error, ":GR#", "!#"},
                      {MountKind::Equatorial, Fault::Garbage, ":a1\r", "=xxxxx\r"},
                      {MountKind::Equatorial, Fault::BadDigits, ":j1\r", "=xxxxxx\r"},
                      {MountKind::Lx200, Fault::BadDigits, ":GR#", "xx:xx:xx#"},
                      {MountKind::NexStar, Fault::BadDigits, "E", "xxxx,xxxx#"}};
  for (const Row& row : rows) {
    MountSimulator simulator(frozen(row.kind));
    ASSERT_TRUE(simulator.start());
    simulator.setFault(row.fault);
    testing::Pty port(simulator.slavePath());
    EXPECT_EQ(shapeOf(port.ask(row.command, row.shape.back()), row.shape), row.shape) << row.command;
  }
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
  EXPECT_EQ((std::tuple{port.ask("\x06", 'P'), port.ask(":GR#", '#')}), (std::tuple{"P", "00:00:00#"}));
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
