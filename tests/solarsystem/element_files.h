// Element files of the solar system looked for in one directory.
#pragma once

#include <string>

#include "solarsystem/solar_system.h"

namespace celvaro::testing {

inline SolarSystem::ElementFilePath elementFilesIn(const std::string& directory) {
  return [directory](const std::string& name) { return directory + "/" + name; };
}

}  // namespace celvaro::testing
