// The devices: the gamepad over js_event records from a file or a pipe standing
// in for the joystick device (this kernel offers no joystick or uinput
// device); serial ports' control lines after opening, measured on the
// machine's own UART, the exclusive mode left behind on a pseudo-terminal,
// and how a port number finds its device.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/joystick.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/gamepad.h"
#include "platform/serial_port.h"
#include "pseudo_terminals.h"
#include "telescope/linked_pty.h"
#include "test_files.h"

namespace celvaro {
namespace {

std::string record(uint8_t type, uint8_t number, int16_t value) {
  const js_event event{.time = 1234, .value = value, .type = type, .number = number};
  return std::string(reinterpret_cast<const char*>(&event), sizeof event);
}
std::string button(uint8_t number, bool pressed) { return record(JS_EVENT_BUTTON, number, pressed ? 1 : 0); }

class GamepadTest : public ::testing::Test {
 protected:
  void append(const std::string& records) { std::ofstream(path, std::ios::binary | std::ios::app) << records; }
  testing::ScratchDir dir;
  const std::string path = dir.file("js0");
  GamepadState state;
};

TEST_F(GamepadTest, ButtonRecordsFromAFileSetTheMask) {
  // The initial state, an axis beyond the D-pad's, a button beyond the mask.
  append(record(JS_EVENT_BUTTON | JS_EVENT_INIT, 2, 1) + record(JS_EVENT_AXIS, 2, -32767) + button(40, true) +
         button(0, true));
  Gamepad pad(path);
  ASSERT_EQ(pad.poll(state), Gamepad::kOk);
  EXPECT_EQ(state, (GamepadState{0b101u, 0}));
  append(button(2, false) + button(31, true));
  ASSERT_EQ(pad.poll(state), Gamepad::kOk);
  EXPECT_EQ(state.buttons, 0x80000001u);
}

// A D-pad on axes 0 (left negative) and 1 (up negative): past half the
// range presses, the centre releases, the far side at once swaps.
TEST_F(GamepadTest, ADpadOnAxesPressesItsDirections) {
  append(record(JS_EVENT_AXIS | JS_EVENT_INIT, 1, 32767));
  Gamepad pad(path);
  const std::pair<std::string, uint8_t> steps[] = {
      {"", Gamepad::kDpadDown},
      {record(JS_EVENT_AXIS, 0, -16383), Gamepad::kDpadDown},  // not yet half
      {record(JS_EVENT_AXIS, 0, -16384), Gamepad::kDpadDown | Gamepad::kDpadLeft},
      {record(JS_EVENT_AXIS, 1, 0), Gamepad::kDpadLeft},
      {record(JS_EVENT_AXIS, 0, 32767), Gamepad::kDpadRight},
      {record(JS_EVENT_AXIS, 1, -32767) + record(JS_EVENT_AXIS, 0, 0), Gamepad::kDpadUp},
  };
  for (const auto& [records, held] : steps) {
    append(records);
    ASSERT_EQ(pad.poll(state), Gamepad::kOk);
    EXPECT_EQ(state.dpad, held) << records.size();
    EXPECT_EQ(state.buttons, 0u);
  }
}

TEST_F(GamepadTest, DevicesAreTheJoysticksInNumberOrderAndAMissingOneIsUnplugged) {
  for (const char* name : {"js10", "event3", "js1", "js0", "jsx", "mouse0"}) std::ofstream(dir.file(name)) << "";
  EXPECT_EQ(gamepadDevices(dir.path().string()),
            (std::vector<std::string>{dir.file("js0"), dir.file("js1"), dir.file("js10")}));
  EXPECT_TRUE(gamepadDevices(dir.file("none")).empty());
  // A device that is not there answers unplugged and leaves the state alone.
  Gamepad pad(dir.file("js2"));
  state = {99, 1};
  EXPECT_EQ(pad.poll(state), Gamepad::kUnplugged);
  EXPECT_EQ(state, (GamepadState{99, 1}));
}

// A pipe may deliver a record in parts; its writer closing is the gamepad
// going away.
TEST_F(GamepadTest, RecordsSplitInAPipeAndItsEndIsUnplugged) {
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  const int writer = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  Gamepad pad(path);
  ASSERT_EQ(pad.poll(state), Gamepad::kOk);
  EXPECT_EQ(state.buttons, 0u);
  const std::string press = button(3, true);
  ASSERT_EQ(::write(writer, press.data(), 5), 5);
  ASSERT_EQ(pad.poll(state), Gamepad::kOk);
  EXPECT_EQ(state.buttons, 0u);
  ASSERT_EQ(::write(writer, press.data() + 5, 3), 3);
  ASSERT_EQ(pad.poll(state), Gamepad::kOk);
  EXPECT_EQ(state.buttons, 0b1000u);
  ::close(writer);
  EXPECT_EQ(pad.poll(state), Gamepad::kUnplugged);
}

namespace fs = std::filesystem;

constexpr const char* kUart = "/dev/ttyS0";

int modemLines(int fd) {
  int lines = -1;
  return ::ioctl(fd, TIOCMGET, &lines) == 0 ? lines : -1;
}

// The kernel raises DTR and RTS when a serial device opens; a camera's
// shutter cable on RTS would start an exposure at Connect. Nothing is
// written: the UART is the machine's console.
TEST(SerialPortTest, OpensARealUartWithDtrAndRtsOffAndRaisesRtsOnlyWhenAsked) {
  SerialPort port;
  if (!port.open(kUart)) GTEST_SKIP() << kUart << " does not open here (no UART, or not root)";
  int lines = modemLines(port.descriptor());
  if (lines < 0) GTEST_SKIP() << kUart << " answers no TIOCMGET: not a UART with modem lines";
  EXPECT_EQ(std::tuple(lines & TIOCM_DTR, lines & TIOCM_RTS), std::tuple(0, 0));

  port.setControlLines(false, true);  // the shutter open
  lines = modemLines(port.descriptor());
  EXPECT_EQ(lines & TIOCM_DTR, 0);
  EXPECT_NE(lines & TIOCM_RTS, 0);
  port.setControlLines(false, false);
  EXPECT_EQ(modemLines(port.descriptor()) & (TIOCM_DTR | TIOCM_RTS), 0);

  // A second open, as another program would make later, finds them off too.
  port.close();
  ASSERT_TRUE(port.open(kUart));
  EXPECT_EQ(modemLines(port.descriptor()) & (TIOCM_DTR | TIOCM_RTS), 0);
}

// A pseudo-terminal's slave outlives our descriptor while its master is
// open (a socat pair for a guiding program): its exclusive mode must not
// lock out the next user.
TEST(SerialPortTest, ClosingGivesUpTheExclusiveMode) {
  SKIP_WITHOUT_PSEUDO_TERMINALS();
  const testing::ScratchDir dir;
  const testing::Pty master(dir.path(), 1);
  const std::string slave = fs::read_symlink(dir.path() / "ports" / "COM1").string();
  SerialPort port;
  ASSERT_TRUE(port.open(slave));
  int exclusive = 0;
  ASSERT_EQ(::ioctl(port.descriptor(), TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 1);
  port.close();
  const int again = ::open(slave.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(again, 0);
  ASSERT_EQ(::ioctl(again, TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 0);
  ::close(again);
}

class SerialPortNumbers : public ::testing::Test {
 protected:
  SerialPortNumbers() {
    fs::create_directories(dir.path() / "ports");
    fs::create_directories(byId);
  }
  void link(const fs::path& target, const fs::path& at) { fs::create_symlink(target, at); }
  fs::path port(int n) const { return dir.path() / "ports" / ("COM" + std::to_string(n)); }

  testing::ScratchDir dir;
  const fs::path byId = dir.path() / "by-id";
};

// An adapter that is unplugged leaves its by-id link dangling: the port is
// unavailable, never the machine's own UART or another adapter.
TEST_F(SerialPortNumbers, ALinkAlwaysWinsAndADanglingOneIsUnavailable) {
  link(byId / "usb-FTDI_FT232R_USB_UART_A10K1234-if00-port0", port(1));
  link("/dev/null", port(2));
  EXPECT_EQ(serialDeviceForPort(dir.path().string(), 1), "");
  EXPECT_EQ(serialDeviceForPort(dir.path().string(), 2), port(2).string());
  SerialPort serial;
  EXPECT_FALSE(serial.open(serialDeviceForPort(dir.path().string(), 1)));
  EXPECT_EQ(serialDeviceForPort(dir.path().string(), 0), "");
  EXPECT_EQ(serialDeviceForPort(dir.path().string(), 257), "");
}

// The dialogs show beside each number the device it ends at and the stable
// by-id name of the adapter, whether the link goes through by-id or not.
TEST_F(SerialPortNumbers, DescriptionsNameTheDeviceAndItsByIdName) {
  const std::string adapter = "usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0";
  link("/dev/null", byId / adapter);
  link(byId / adapter, port(1));
  link("/dev/null", port(2));
  link(byId / "usb-gone-if00-port0", port(3));
  const std::vector<SerialPortInfo> ports = describeSerialPorts(dir.path().string(), 4, byId.string());
  ASSERT_EQ(ports.size(), 4u);
  const auto row = [](const SerialPortInfo& p) { return std::tuple(p.device, p.resolved, p.byIdName, p.missing); };
  EXPECT_EQ(row(ports[0]), std::tuple(port(1).string(), "/dev/null", adapter, false));
  EXPECT_EQ(row(ports[1]), std::tuple(port(2).string(), "/dev/null", adapter, false));
  EXPECT_EQ(row(ports[2]), std::tuple("", (byId / "usb-gone-if00-port0").string(), "", true));
  // COM4 has no link: it is the machine's own numbering, or nothing.
  EXPECT_EQ(ports[3].device, serialDeviceForPort(dir.path().string(), 4));
  EXPECT_FALSE(ports[3].missing);
}

}  // namespace
}  // namespace celvaro
