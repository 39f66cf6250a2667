// One end of a pseudo-terminal: the master side of a new one that a scratch
// program directory offers as one of its ports (what a mount or an
// autoguider would see of the controller), or a simulated mount's slave
// side opened raw as the program opens it.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace celvaro::testing {

class Pty {
 public:
  // The master side, linked as <dir>/ports/COM<n>.
  Pty(const std::filesystem::path& programDir, int port) : fd_(::posix_openpt(O_RDWR | O_NOCTTY)) {
    ::grantpt(fd_);
    ::unlockpt(fd_);
    std::filesystem::create_directories(programDir / "ports");
    std::filesystem::create_symlink(::ptsname(fd_), programDir / "ports" / ("COM" + std::to_string(port)));
  }
  explicit Pty(const std::string& device) : fd_(::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {
    termios tio{};
    if (fd_ < 0 || ::tcgetattr(fd_, &tio) != 0) return;
    ::cfmakeraw(&tio);
    ::tcsetattr(fd_, TCSANOW, &tio);
  }
  ~Pty() { hangUp(); }
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  bool isOpen() const { return fd_ >= 0; }
  // False when the line took fewer bytes.
  bool write(std::string_view bytes) {
    return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }
  // What came, gathered until `count` bytes, the byte `last` or the time-out.
  std::string read(size_t count, std::chrono::milliseconds timeout = std::chrono::milliseconds(2000), int last = -1) {
    std::string out;
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (out.size() < count && (last < 0 || out.empty() || out.back() != char(last)) &&
           std::chrono::steady_clock::now() < end) {
      pollfd p{fd_, POLLIN, 0};
      char byte = 0;
      if (::poll(&p, 1, 20) > 0 && ::read(fd_, &byte, 1) == 1) out += byte;
    }
    return out;
  }
  std::string readUntil(char last, int timeoutMs = 2000) {
    return read(std::string::npos, std::chrono::milliseconds(timeoutMs), last);
  }
  std::string ask(std::string_view command, char last) {
    write(command);
    return readUntil(last);
  }
  // True when the far side goes (end of file, EIO or POLLHUP) within the time.
  bool seesHangUp(int timeoutMs) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0) return false;
    char byte = 0;
    const ssize_t count = (p.revents & POLLHUP) ? 0 : ::read(fd_, &byte, 1);
    return count == 0 || (count < 0 && errno == EIO);
  }
  void hangUp() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

}  // namespace celvaro::testing
