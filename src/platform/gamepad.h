// A game controller through the Linux joystick interface: the device
// delivers js_event records, and the buttons pressed now are kept as a bit
// mask (bit n for button n below 32). The device is opened at the first
// poll and again after it went away, so a gamepad can be plugged in while
// the program runs.
#pragma once

#include <cstdint>
#include <string>

namespace celvaro {

class Gamepad {
 public:
  static constexpr const char* kDefaultDevice = "/dev/input/js0";
  static constexpr int kOk = 0;
  // What a poll answers without a gamepad, as the unplugged result did.
  static constexpr int kUnplugged = 6;

  explicit Gamepad(std::string device = kDefaultDevice) : device_(std::move(device)) {}
  ~Gamepad();
  Gamepad(const Gamepad&) = delete;
  Gamepad& operator=(const Gamepad&) = delete;

  // Reads every record waiting and gives the buttons held now: kOk, or
  // kUnplugged when there is no device or it went away (a read error, or
  // the end of a pipe standing in for it).
  int poll(uint32_t& buttons);

 private:
  bool open();
  void close();
  // Reads what waits; false when the device is gone.
  bool readRecords();
  void take(const uint8_t* record);

  std::string device_;
  int fd_ = -1;
  bool regularFile_ = false;  // a file standing in: its end is only the end for now
  uint32_t buttons_ = 0;
  uint8_t partial_[8] = {};
  int partialBytes_ = 0;
};

}  // namespace celvaro
