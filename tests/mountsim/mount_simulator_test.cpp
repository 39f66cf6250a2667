// The simulator over its pseudo-terminal, as the program sees it.
#include "mount_simulator.h"

#include <gtest/gtest.h>
#include <time.h>

#include <mutex>
#include <vector>

#include "pseudo_terminals.h"
#include "pty_client.h"

namespace celvaro::mountsim {
namespace {

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
    PtyClient port(simulator.slavePath());
    ASSERT_TRUE(port.isOpen());
    EXPECT_EQ(port.ask(":F1\r", '\r'), "=\r");
    EXPECT_EQ(port.ask(":F2\r", '\r'), "=\r");
    EXPECT_EQ(port.ask(":a1\r", '\r'), "=00F11A\r");  // 0x1AF100, low byte first
    EXPECT_EQ(port.ask(":D1\r", '\r').size(), 8u);
  }
  ::usleep(50000);  // the simulator notices the program gone
  PtyClient port(simulator.slavePath());
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
  PtyClient port(simulator.slavePath());
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

TEST(MountSimulatorTest, LogStampsBytesInAndOutWithTheMonotonicClock) {
  SKIP_WITHOUT_PSEUDO_TERMINALS();
  std::mutex mutex;
  std::vector<LogRecord> records;
  MountOptions options = frozen(MountKind::AltAzimuth);
  options.log = [&](const LogRecord& record) {
    std::lock_guard lock(mutex);
    records.push_back(record);
  };
  MountSimulator simulator(options);
  ASSERT_TRUE(simulator.start());
  timespec before{};
  ::clock_gettime(CLOCK_MONOTONIC, &before);
  PtyClient port(simulator.slavePath());
  EXPECT_EQ(port.ask(":F1\r", '\r'), "=\r");
  simulator.stop();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_TRUE(records[0].incoming);
  EXPECT_EQ(records[0].bytes, ":F1\r");
  EXPECT_FALSE(records[1].incoming);
  EXPECT_EQ(records[1].bytes, "=\r");
  EXPECT_GE(records[0].microseconds, int64_t(before.tv_sec) * 1000000 + before.tv_nsec / 1000);
  EXPECT_GE(records[1].microseconds, records[0].microseconds);
  EXPECT_EQ(formatLogRecord(records[0]), std::to_string(records[0].microseconds) + " in  :F1\\r");
}

// Silent answers nothing until switched off; Error answers with the kind's
// error reply; Garbage keeps the framing but not the data.
TEST(MountSimulatorTest, SilentErrorAndGarbageFaults) {
  SKIP_WITHOUT_PSEUDO_TERMINALS();
  MountSimulator motor(frozen(MountKind::Equatorial));
  MountSimulator lx200(frozen(MountKind::Lx200));
  ASSERT_TRUE(motor.start());
  ASSERT_TRUE(lx200.start());
  PtyClient motorPort(motor.slavePath());
  PtyClient lx200Port(lx200.slavePath());
  motor.setFault(Fault::Silent);
  motorPort.send(":F1\r");
  EXPECT_EQ(motorPort.readUntil('\r', 200), "");
  motor.setFault(Fault::None);
  EXPECT_EQ(motorPort.ask(":F1\r", '\r'), "=\r");
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
    PtyClient port(simulator.slavePath());
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
  PtyClient port(simulator.slavePath());
  EXPECT_EQ(port.ask("\x06", 'P'), "P");
  EXPECT_EQ(port.ask(":GR#", '#'), "00:00:00#");
  ::usleep(400000);
  EXPECT_EQ(simulator.fault(), Fault::Silent);
  port.send(":GR#");
  EXPECT_EQ(port.readUntil('#', 300), "");
}

TEST(MountSimulatorTest, HangUpClosesThePortUnderTheProgram) {
  SKIP_WITHOUT_PSEUDO_TERMINALS();
  MountSimulator simulator(frozen(MountKind::AltAzimuth));
  ASSERT_TRUE(simulator.start());
  PtyClient port(simulator.slavePath());
  EXPECT_EQ(port.ask(":F1\r", '\r'), "=\r");
  simulator.setFault(Fault::Hangup);
  EXPECT_TRUE(port.seesHangUp(2000));
  EXPECT_TRUE(simulator.hungUp());
}

}  // namespace
}  // namespace celvaro::mountsim
