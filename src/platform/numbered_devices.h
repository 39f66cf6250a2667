// Device files of one family in a directory, in number order: ttyUSB0,
// ttyUSB1, ... ttyUSB10, or js0, js1 ... The serial ports and the gamepad
// list their devices with it.
#pragma once

#include <string>
#include <vector>

namespace celvaro {

// Paths of the entries `directory`/<prefix><digits>, by number; empty when
// the directory cannot be read.
std::vector<std::string> numberedDevices(const std::string& directory, const std::string& prefix);

}  // namespace celvaro
