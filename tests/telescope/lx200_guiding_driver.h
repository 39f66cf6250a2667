// Debian's INDI driver for LX200 mounts (indi_lx200generic from indi-bin),
// what guiding programs use to talk to a mount, as a guiding client of the
// program's guider port: a child process speaking INDI's XML, its serial
// port the far end of a pseudo-terminal cable.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "indi_driver.h"

namespace celvaro::testing {

constexpr char kLx200Driver[] = "/usr/bin/indi_lx200generic";
constexpr char kLx200Device[] = "Standard LX200";

// Starts the driver with its home in `dir`.
inline std::unique_ptr<IndiDriver> startLx200Driver(const std::filesystem::path& dir) {
  return std::make_unique<IndiDriver>(kLx200Driver, dir.string(), (dir / "driver.log").string());
}

// Connects the driver on `port`: the mark of its replies from the connect
// request on, once it has read the mount's site and clock (its last step
// of connecting); none when it did not within ten seconds.
inline std::optional<size_t> connectLx200Driver(IndiDriver& driver, const std::filesystem::path& port) {
  if (!driver.running()) return std::nullopt;
  driver.send("<getProperties version='1.7'/>\n");
  driver.setSwitch(kLx200Device, "DEVICE_AUTO_SEARCH", "INDI_DISABLED");
  driver.setText(kLx200Device, "DEVICE_PORT", "PORT", port.string());
  const size_t from = driver.mark();
  driver.setSwitch(kLx200Device, "CONNECTION", "CONNECT");
  if (!driver.awaitVector("TIME_UTC", "Ok", from, std::chrono::seconds(10))) return std::nullopt;
  return from;
}

}  // namespace celvaro::testing
