#include "pty_client.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace celvaro::mountsim {
namespace {

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

PtyClient::PtyClient(const std::string& path) {
  fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  termios tio{};
  if (fd_ < 0 || ::tcgetattr(fd_, &tio) != 0) return;
  ::cfmakeraw(&tio);
  ::tcsetattr(fd_, TCSANOW, &tio);
}

PtyClient::~PtyClient() {
  if (fd_ >= 0) ::close(fd_);
}

void PtyClient::send(std::string_view bytes) {
  if (fd_ < 0) return;
  [[maybe_unused]] const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
}

std::string PtyClient::readUntil(char last, int timeoutMs) {
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::string bytes;
  while (bytes.empty() || bytes.back() != last) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, millisecondsLeft(deadline)) <= 0) break;
    char byte = 0;
    if (::read(fd_, &byte, 1) != 1) break;
    bytes += byte;
  }
  return bytes;
}

bool PtyClient::seesHangUp(int timeoutMs) {
  pollfd p{fd_, POLLIN, 0};
  if (::poll(&p, 1, timeoutMs) <= 0) return false;
  if (p.revents & POLLHUP) return true;
  char byte = 0;
  const ssize_t count = ::read(fd_, &byte, 1);
  return count == 0 || (count < 0 && errno == EIO);
}

}  // namespace celvaro::mountsim
