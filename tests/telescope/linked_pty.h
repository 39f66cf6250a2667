// The master side of a pseudo-terminal whose slave side a scratch program
// directory offers as one of its ports: what a mount or an autoguider
// program would see of the controller.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace celvaro::testing {

// The master side of a pseudo-terminal, linked as <dir>/ports/COM<n>.
class Pty {
 public:
  Pty(const std::filesystem::path& programDir, int port) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    ::grantpt(master_);
    ::unlockpt(master_);
    std::filesystem::create_directories(programDir / "ports");
    std::filesystem::create_symlink(::ptsname(master_), programDir / "ports" / ("COM" + std::to_string(port)));
  }
  ~Pty() { hangUp(); }
  // The bytes as the mount's side sends them; false when the line took fewer.
  bool write(const std::string& bytes) {
    return ::write(master_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }
  // What the controller sent, gathered until `count` bytes or the time-out.
  std::string read(size_t count, std::chrono::milliseconds timeout = std::chrono::milliseconds(2000)) {
    std::string out;
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (out.size() < count && std::chrono::steady_clock::now() < end) {
      pollfd p{master_, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      char buffer[64];
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n > 0) out.append(buffer, static_cast<size_t>(n));
    }
    return out;
  }
  void hangUp() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
};

}  // namespace celvaro::testing
