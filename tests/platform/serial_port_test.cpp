// Serial ports: the control lines after opening, measured on the machine's
// own UART; the exclusive mode left behind on a pseudo-terminal; and how a
// port number finds its device.
#include "platform/serial_port.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "pseudo_terminals.h"
#include "test_files.h"

namespace celvaro {
namespace {

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
  EXPECT_EQ(lines & TIOCM_DTR, 0);
  EXPECT_EQ(lines & TIOCM_RTS, 0);

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
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const std::string slave = ::ptsname(master);
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
  ::close(master);
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
  EXPECT_EQ(ports[0].device, port(1).string());
  EXPECT_EQ(ports[0].resolved, "/dev/null");
  EXPECT_EQ(ports[0].byIdName, adapter);
  EXPECT_FALSE(ports[0].missing);
  EXPECT_EQ(ports[1].resolved, "/dev/null");
  EXPECT_EQ(ports[1].byIdName, adapter);
  EXPECT_EQ(ports[2].device, "");
  EXPECT_TRUE(ports[2].missing);
  EXPECT_EQ(ports[2].resolved, (byId / "usb-gone-if00-port0").string());
  // COM4 has no link: it is the machine's own numbering, or nothing.
  EXPECT_EQ(ports[3].device, serialDeviceForPort(dir.path().string(), 4));
  EXPECT_FALSE(ports[3].missing);
}

}  // namespace
}  // namespace celvaro
