// The writer of the Milky Way file (catalog/milky_way.h describes it),
// shared by the catalog builder and the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace celvaro {

struct MilkyWayPoint {
  int32_t raThousandthsDeg;   // 0..359999
  int32_t decThousandthsDeg;  // -90000..90000
};
using MilkyWayRing = std::vector<MilkyWayPoint>;
using MilkyWayLevel = std::vector<MilkyWayRing>;

// The complete file of the levels, faintest first.
std::string milkyWayBytes(const std::vector<MilkyWayLevel>& levels);

}  // namespace celvaro
