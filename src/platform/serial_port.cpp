#include "platform/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "platform/numbered_devices.h"

namespace celvaro {
namespace {

// How long a closing port waits for its last bytes to leave, and how often
// it looks.
constexpr int kDrainMilliseconds = 200, kDrainStepMilliseconds = 5;

namespace fs = std::filesystem;

constexpr int kWriteWaitMs = 1000;

// The machine's own serial devices, as numbered when no link names a port.
std::vector<std::string> machinePorts() {
  std::vector<std::string> devices;
  for (const char* family : {"ttyUSB", "ttyACM", "ttyS"}) {
    const std::vector<std::string> more = numberedDevices("/dev", family);
    devices.insert(devices.end(), more.begin(), more.end());
  }
  return devices;
}

struct ByIdName {
  std::string name;
  fs::path device;  // where the name ends
};

std::vector<ByIdName> byIdNames(const std::string& directory) {
  std::vector<ByIdName> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(directory, error)) {
    std::error_code unresolved;
    const fs::path device = fs::canonical(entry.path(), unresolved);
    if (!unresolved) names.push_back({entry.path().filename().string(), device});
  }
  return names;
}

SerialPortInfo describePort(const std::string& programDirectory, int port, const std::vector<std::string>& machine,
                            const std::vector<ByIdName>& names) {
  SerialPortInfo info;
  if (port < 1 || port > kSerialPortCount) return info;
  const fs::path link = fs::path(programDirectory) / "ports" / ("COM" + std::to_string(port));
  std::error_code error;
  if (fs::exists(fs::symlink_status(link, error))) {
    if (!fs::exists(link, error)) {
      info.missing = true;
      info.resolved = fs::read_symlink(link, error).string();
      return info;
    }
    info.device = link.string();
  } else if (static_cast<size_t>(port) <= machine.size()) {
    info.device = machine[port - 1];
  } else {
    return info;
  }
  const fs::path resolved = fs::canonical(info.device, error);
  info.resolved = error ? info.device : resolved.string();
  for (const ByIdName& name : names) {
    if (name.device == resolved) info.byIdName = name.name;
  }
  return info;
}

// The kernel raises both lines when a serial device opens and when its
// speed leaves B0; devices without modem lines refuse the request.
void lowerControlLines(int fd) {
  int lines = TIOCM_DTR | TIOCM_RTS;
  ::ioctl(fd, TIOCMBIC, &lines);
}

void release(int fd) {
  ::ioctl(fd, TIOCNXCL);
  ::close(fd);
}

// Raw 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control.
bool configure(int fd) {
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return false;
  ::cfmakeraw(&tio);
  ::cfsetispeed(&tio, B9600);
  ::cfsetospeed(&tio, B9600);
  tio.c_cflag &= ~(PARENB | CSTOPB | CSIZE | CRTSCTS);
  tio.c_cflag |= CS8 | CREAD | CLOCAL;
  tio.c_iflag &= ~(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

}  // namespace

std::string serialDeviceForPort(const std::string& programDirectory, int port) {
  return describePort(programDirectory, port, machinePorts(), {}).device;
}

std::vector<SerialPortInfo> describeSerialPorts(const std::string& programDirectory, int count,
                                                const std::string& byIdDirectory) {
  const std::vector<std::string> machine = machinePorts();
  const std::vector<ByIdName> names = byIdNames(byIdDirectory);
  std::vector<SerialPortInfo> ports;
  for (int port = 1; port <= count; ++port) ports.push_back(describePort(programDirectory, port, machine, names));
  return ports;
}

SerialPort::~SerialPort() { close(); }

bool SerialPort::open(const std::string& device) {
  close();
  if (device.empty()) return false;
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  lowerControlLines(fd);
  // One user of the port at a time, as the mount expects.
  if (::ioctl(fd, TIOCEXCL) != 0 || !configure(fd)) {
    release(fd);
    return false;
  }
  lowerControlLines(fd);
  fd_ = fd;
  ::tcflush(fd_, TCIOFLUSH);  // what waited in the port before is not the mount's answer
  return true;
}

void SerialPort::close() {
  if (fd_ < 0) return;
  for (int waited = 0; waited < kDrainMilliseconds; waited += kDrainStepMilliseconds) {
    int queued = 0;
    if (::ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued <= 0) break;
    ::usleep(kDrainStepMilliseconds * 1000);
  }
  ::tcflush(fd_, TCIFLUSH);
  release(fd_);
  fd_ = -1;
}

void SerialPort::write(const uint8_t* bytes, size_t count) {
  size_t done = 0;
  while (fd_ >= 0 && done < count) {
    const ssize_t n = ::write(fd_, bytes + done, count - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return;
    pollfd p{fd_, POLLOUT, 0};
    if (::poll(&p, 1, kWriteWaitMs) <= 0 || (p.revents & (POLLERR | POLLHUP | POLLNVAL))) return;
  }
}

void SerialPort::setControlLines(bool dtr, bool rts) {
  if (fd_ < 0) return;
  int dtrBit = TIOCM_DTR, rtsBit = TIOCM_RTS;
  ::ioctl(fd_, dtr ? TIOCMBIS : TIOCMBIC, &dtrBit);
  ::ioctl(fd_, rts ? TIOCMBIS : TIOCMBIC, &rtsBit);
}

}  // namespace celvaro
