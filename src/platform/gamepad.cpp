#include "platform/gamepad.h"

#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/numbered_devices.h"

namespace celvaro {
namespace {

constexpr int kRecordBytes = sizeof(js_event);
static_assert(kRecordBytes == 8);
constexpr int kMaskButtons = 32;
// An axis past half its range presses its direction; back near the centre
// it releases it (a stick resting a little off the centre does not chatter).
constexpr int kPressedBeyond = 16384, kReleasedWithin = 8192;

// The axes of a D-pad: the hat when the device has one, else the first
// two axes (pads whose D-pad is their only "stick"). Triggers, which rest
// at one end of their range, are never taken.
struct AxisPair {
  int horizontal = 0, vertical = 1;
};

AxisPair dpadAxes(int fd) {
  uint8_t count = 0;
  uint8_t map[ABS_CNT] = {};
  if (::ioctl(fd, JSIOCGAXES, &count) != 0 || ::ioctl(fd, JSIOCGAXMAP, map) != 0) return {};
  auto axisOf = [&](int code) {
    for (int axis = 0; axis < count && axis < ABS_CNT; ++axis) {
      if (map[axis] == code) return axis;
    }
    return -1;
  };
  const AxisPair hat{axisOf(ABS_HAT0X), axisOf(ABS_HAT0Y)};
  if (hat.horizontal >= 0 && hat.vertical >= 0) return hat;
  return {axisOf(ABS_X), axisOf(ABS_Y)};
}

// The two directions of one axis after a new value.
uint8_t pressedAlong(uint8_t held, uint8_t negative, uint8_t positive, int value) {
  if (value <= -kPressedBeyond) held |= negative;
  else if (value > -kReleasedWithin) held &= ~negative;
  if (value >= kPressedBeyond) held |= positive;
  else if (value < kReleasedWithin) held &= ~positive;
  return held;
}

}  // namespace

std::vector<std::string> gamepadDevices(const std::string& directory) { return numberedDevices(directory, "js"); }

Gamepad::~Gamepad() { close(); }

int Gamepad::poll(GamepadState& state) {
  if (fd_ < 0 && !open()) return kUnplugged;
  if (!readRecords()) {
    close();
    return kUnplugged;
  }
  state = state_;
  return kOk;
}

bool Gamepad::open() {
  fd_ = ::open(device_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return false;
  struct stat info {};
  regularFile_ = ::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode);
  const AxisPair axes = dpadAxes(fd_);
  horizontalAxis_ = axes.horizontal;
  verticalAxis_ = axes.vertical;
  state_ = {};
  partialBytes_ = 0;
  return true;
}

void Gamepad::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  state_ = {};
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

// Button and axis records, the initial ones included; buttons from 32 on
// and axes other than the D-pad's are not kept.
void Gamepad::take(const uint8_t* record) {
  js_event event{};
  std::memcpy(&event, record, kRecordBytes);
  const int type = event.type & ~JS_EVENT_INIT;
  if (type == JS_EVENT_AXIS) {
    takeAxis(event.number, event.value);
  } else if (type == JS_EVENT_BUTTON && event.number < kMaskButtons) {
    const uint32_t bit = 1u << event.number;
    state_.buttons = event.value ? (state_.buttons | bit) : (state_.buttons & ~bit);
  }
}

// Negative is left and up, as the joystick interface reports them.
void Gamepad::takeAxis(int axis, int value) {
  if (axis == horizontalAxis_) state_.dpad = pressedAlong(state_.dpad, kDpadLeft, kDpadRight, value);
  else if (axis == verticalAxis_) state_.dpad = pressedAlong(state_.dpad, kDpadUp, kDpadDown, value);
}

}  // namespace celvaro
