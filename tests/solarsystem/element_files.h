// Element files of the solar system looked for in one directory, and the
// MPCORB.DAT lines of (1) Ceres and (433) Eros (epoch 2022 August 9) and
// the CometEls.txt line of Hale-Bopp the tests share, without line ends.
#pragma once

#include <string>

#include "solarsystem/solar_system.h"

namespace celvaro::testing {

inline const std::string kCeres =
    "00001    3.33  0.12 K2289 334.32717   73.53163   80.26644   10.58680  0.0786358  0.21418055   2.7666190"
    "    JPL 48                                                     (1) Ceres";
inline const std::string kEros =
    "00433   10.39  0.46 K2289 271.07099  178.89706  304.29973   10.82773  0.2228353  0.55965812   1.4581240"
    "    JPL 659                                                    (433) Eros";
inline const std::string kHaleBopp =
    "    CJ95O010  1997 03 29.6466  0.890662  0.994972  130.4139  282.7613   89.2742  20220824  -2.0  4.0  "
    "C/1995 O1 (Hale-Bopp)                                    MPC106342";

inline SolarSystem::ElementFilePath elementFilesIn(const std::string& directory) {
  return [directory](const std::string& name) { return directory + "/" + name; };
}

}  // namespace celvaro::testing
