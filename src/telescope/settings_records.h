// The telescope's per-installation records kept in the configuration file:
// the mount and its link, the spiral search and the gamepad.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "astro/value_range.h"

namespace celvaro {

// The equatorial mount's east-west swap takes at most 30 either way.
constexpr ValueRange kEastWestSwapRange{-30, 30};
// The spiral's speed is the dialog's slider; radius and turns reach the
// controller as one byte each, and it makes at most ten turns.
constexpr ValueRange kSpiralSpeedRange{0, 6};
constexpr ValueRange kSpiralRadiusRange{1, 255};
constexpr ValueRange kSpiralTurnsRange{1, 10};

// The INDI server's port, as TCP takes it.
constexpr ValueRange kIndiPortRange{1, 65535};

struct ScopeSettings {
  int type = 0;  // MountType
  int port = 1;  // serial port number, COM1 = 1
  int eastWestSwapPosition = 0;
  // The INDI server a mount of type INDI is reached through, and its device.
  std::string indiHost = "localhost";
  int indiPort = 7624;
  std::string indiDevice;
  bool operator==(const ScopeSettings&) const = default;
};

struct SpiralSearchSettings {
  int speed = 2;
  int radius = 40;
  int turns = 3;
  bool operator==(const SpiralSearchSettings&) const = default;
};

struct GamepadSettings {
  static constexpr int kButtonCount = 12;
  static constexpr int kMaxButtonValue = 17;
  static constexpr const char* kDefaultDevice = "/dev/input/js0";

  uint8_t enabled = 1;
  uint8_t mapMode = 0;  // not kept in the configuration file
  std::array<int, kButtonCount> buttons{1, 3, 4, 2, 5, 6, 15, 16, 13, 14, 0, 0};
  std::string device = kDefaultDevice;  // the joystick device the gamepad is read from
  bool operator==(const GamepadSettings&) const = default;
};

}  // namespace celvaro
