#include "platform/gamepad.h"

#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace celvaro {
namespace {

constexpr int kRecordBytes = sizeof(js_event);
static_assert(kRecordBytes == 8);
constexpr int kMaskButtons = 32;

}  // namespace

Gamepad::~Gamepad() { close(); }

int Gamepad::poll(uint32_t& buttons) {
  if (fd_ < 0 && !open()) return kUnplugged;
  if (!readRecords()) {
    close();
    return kUnplugged;
  }
  buttons = buttons_;
  return kOk;
}

bool Gamepad::open() {
  fd_ = ::open(device_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return false;
  struct stat info {};
  regularFile_ = ::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode);
  buttons_ = 0;
  partialBytes_ = 0;
  return true;
}

void Gamepad::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  buttons_ = 0;
}

// Records may arrive split; the part of one waits for the rest.
bool Gamepad::readRecords() {
  uint8_t bytes[64 * kRecordBytes];
  for (;;) {
    const ssize_t n = ::read(fd_, bytes, sizeof bytes);
    if (n < 0) return errno == EAGAIN || errno == EINTR;
    if (n == 0) return regularFile_;
    for (ssize_t i = 0; i < n; ++i) {
      partial_[partialBytes_++] = bytes[i];
      if (partialBytes_ == kRecordBytes) {
        take(partial_);
        partialBytes_ = 0;
      }
    }
  }
}

// Button records, the initial ones included, set or clear their bit;
// axes and buttons from 32 on are not kept.
void Gamepad::take(const uint8_t* record) {
  js_event event{};
  std::memcpy(&event, record, kRecordBytes);
  if ((event.type & ~JS_EVENT_INIT) != JS_EVENT_BUTTON || event.number >= kMaskButtons) return;
  const uint32_t bit = 1u << event.number;
  buttons_ = event.value ? (buttons_ | bit) : (buttons_ & ~bit);
}

}  // namespace celvaro
