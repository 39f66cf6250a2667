// One end of a pseudo-terminal: the master side of a new one that a scratch
// program directory offers as one of its ports (what a mount or an
// autoguider would see of the controller), or a simulated mount's slave
// side opened raw as the program opens it; and two joined as a cable.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace celvaro::testing {

// Raw, so nothing is echoed or changed on the way.
inline void makeRaw(int fd) {
  termios tio{};
  if (fd < 0 || ::tcgetattr(fd, &tio) != 0) return;
  ::cfmakeraw(&tio);
  ::tcsetattr(fd, TCSANOW, &tio);
}

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
    makeRaw(fd_);
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

// Two pseudo-terminals joined like a null-modem cable: what one program
// writes on the slave side at `first` the other reads on the slave side at
// `second` (both paths are links to the slave devices). When the program at
// the second end has had its end open and closes it (ends, or is killed),
// the bridge hangs up the first end and removes both links, as a cable
// whose far end went away: the program at the first end sees its port hang
// up. A new bridge may then be laid under the same names.
class PtyBridge {
 public:
  PtyBridge(const std::filesystem::path& first, const std::filesystem::path& second)
      : links_{first, second} {
    for (int end = 0; end < 2; ++end) {
      masters_[end] = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
      if (masters_[end] < 0 || ::grantpt(masters_[end]) != 0 || ::unlockpt(masters_[end]) != 0) return;
      makeSlaveRaw(::ptsname(masters_[end]));
      std::filesystem::create_directories(links_[end].parent_path());
      std::filesystem::create_symlink(::ptsname(masters_[end]), links_[end]);
    }
    if (::pipe2(stop_, O_CLOEXEC) != 0) return;
    thread_ = std::thread([this] { relay(); });
  }
  ~PtyBridge() {
    // A byte on the stop pipe wakes the relay; a full pipe is awake already.
    [[maybe_unused]] const ssize_t woken = stop_[1] >= 0 ? ::write(stop_[1], "x", 1) : 0;
    if (thread_.joinable()) thread_.join();
    hangUp();
    for (int fd : stop_) {
      if (fd >= 0) ::close(fd);
    }
  }
  PtyBridge(const PtyBridge&) = delete;
  PtyBridge& operator=(const PtyBridge&) = delete;

  bool working() const { return thread_.joinable(); }
  // Every byte the second end sent to the first so far.
  std::string sentToFirst() {
    std::lock_guard lock(mutex_);
    return sentToFirst_;
  }

 private:
  // Raw from the start, before a program sets the port up.
  static void makeSlaveRaw(const char* slave) {
    const int fd = ::open(slave, O_RDWR | O_NOCTTY | O_CLOEXEC);
    makeRaw(fd);
    if (fd >= 0) ::close(fd);
  }
  void relay() {
    bool secondSeen = false;
    for (;;) {
      pollfd p[3] = {{masters_[0], POLLIN, 0}, {masters_[1], POLLIN, 0}, {stop_[0], POLLIN, 0}};
      ::poll(p, 3, 10);
      if (p[2].revents) return;
      for (int end = 0; end < 2; ++end) {
        if (p[end].revents & POLLIN) pass(masters_[end], masters_[1 - end], end == 1);
      }
      // A master reports a hang-up while no program has its slave open.
      const bool secondOpen = !(p[1].revents & POLLHUP);
      if (secondOpen) secondSeen = true;
      if (secondSeen && !secondOpen) {
        hangUp();
        return;
      }
      if (p[0].revents & POLLHUP || p[1].revents & POLLHUP) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  // Bytes from one end to the other; an end nobody reads gets a moment.
  void pass(int from, int to, bool keep) {
    char buffer[256];
    const ssize_t n = ::read(from, buffer, sizeof buffer);
    if (n > 0 && keep) {
      std::lock_guard lock(mutex_);
      sentToFirst_.append(buffer, static_cast<size_t>(n));
    }
    int waits = 0;
    for (ssize_t done = 0; n > 0 && done < n;) {
      const ssize_t written = ::write(to, buffer + done, static_cast<size_t>(n - done));
      if (written > 0) {
        done += written;
      } else if (written < 0 && errno == EAGAIN && ++waits < 100) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      } else {
        return;
      }
    }
  }
  void hangUp() {
    for (int end = 0; end < 2; ++end) {
      if (masters_[end] >= 0) ::close(masters_[end]);
      masters_[end] = -1;
      std::error_code ignored;
      std::filesystem::remove(links_[end], ignored);
    }
  }

  std::filesystem::path links_[2];
  int masters_[2] = {-1, -1};
  int stop_[2] = {-1, -1};
  std::mutex mutex_;
  std::string sentToFirst_;
  std::thread thread_;
};

}  // namespace celvaro::testing
