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

namespace celvaro {
namespace {

namespace fs = std::filesystem;

constexpr int kWriteWaitMs = 1000;

// The devices of one family in number order: ttyUSB0, ttyUSB1, ... ttyUSB10.
std::vector<std::string> devicesOf(const char* prefix) {
  std::vector<std::pair<long, std::string>> found;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/dev", error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) != 0 || name.size() == std::char_traits<char>::length(prefix)) continue;
    const std::string digits = name.substr(std::char_traits<char>::length(prefix));
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
    found.emplace_back(std::stol(digits), entry.path().string());
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> devices;
  for (auto& [number, path] : found) devices.push_back(path);
  return devices;
}

}  // namespace

std::string serialDeviceForPort(const std::string& programDirectory, int port) {
  if (port < 1 || port > 256) return "";
  const fs::path link = fs::path(programDirectory) / "ports" / ("COM" + std::to_string(port));
  std::error_code error;
  if (fs::exists(link, error)) return link.string();
  std::vector<std::string> devices;
  for (const char* family : {"ttyUSB", "ttyACM", "ttyS"}) {
    const std::vector<std::string> more = devicesOf(family);
    devices.insert(devices.end(), more.begin(), more.end());
  }
  return static_cast<size_t>(port) <= devices.size() ? devices[port - 1] : "";
}

SerialPort::~SerialPort() { close(); }

bool SerialPort::open(const std::string& device) {
  close();
  if (device.empty()) return false;
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  termios tio{};
  // One user of the port at a time, as the mount expects.
  if (::ioctl(fd, TIOCEXCL) != 0 || ::tcgetattr(fd, &tio) != 0) {
    ::close(fd);
    return false;
  }
  ::cfmakeraw(&tio);
  ::cfsetispeed(&tio, B9600);
  ::cfsetospeed(&tio, B9600);
  tio.c_cflag &= ~(PARENB | CSTOPB | CSIZE | CRTSCTS);
  tio.c_cflag |= CS8 | CREAD | CLOCAL;
  tio.c_iflag &= ~(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  purge();
  return true;
}

void SerialPort::close() {
  if (fd_ < 0) return;
  purge();
  ::close(fd_);
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

void SerialPort::purge() {
  if (fd_ >= 0) ::tcflush(fd_, TCIOFLUSH);
}

}  // namespace celvaro
