// A game controller through the Linux joystick interface: the device
// delivers js_event records; the buttons held now are kept as a bit mask
// (bit n for button n below 32), and a D-pad that reports as two axes as
// four direction bits. The device is opened at the first poll and again
// after it went away, so a gamepad can be plugged in while the program runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace celvaro {

// What a gamepad holds down at one poll.
struct GamepadState {
  uint32_t buttons = 0;  // bit n: button n
  uint8_t dpad = 0;      // Gamepad::kDpad* bits
  bool operator==(const GamepadState&) const = default;
};

// The joystick devices js0, js1 ... of a directory, in number order.
std::vector<std::string> gamepadDevices(const std::string& directory = "/dev/input");

class Gamepad {
 public:
  static constexpr int kOk = 0;
  // What a poll answers without a gamepad, as the unplugged result did.
  static constexpr int kUnplugged = 6;
  static constexpr uint8_t kDpadUp = 1, kDpadDown = 2, kDpadRight = 4, kDpadLeft = 8;

  explicit Gamepad(std::string device) : device_(std::move(device)) {}
  ~Gamepad();
  Gamepad(const Gamepad&) = delete;
  Gamepad& operator=(const Gamepad&) = delete;

  const std::string& device() const { return device_; }
  // Reads every record waiting and gives what is held now: kOk, or
  // kUnplugged when there is no device or it went away (a read error, or
  // the end of a pipe standing in for it).
  int poll(GamepadState& state);

 private:
  bool open();
  void close();
  // Reads what waits; false when the device is gone.
  bool readRecords();
  void take(const uint8_t* record);
  void takeAxis(int axis, int value);

  std::string device_;
  int fd_ = -1;
  bool regularFile_ = false;  // a file standing in: its end is only the end for now
  GamepadState state_;
  int horizontalAxis_ = 0;  // the D-pad's axes
  int verticalAxis_ = 1;
  uint8_t partial_[8] = {};
  int partialBytes_ = 0;
};

}  // namespace celvaro
