#include "milky_way_writer.h"

#include "catalog/milky_way.h"
#include "catalog_writers.h"
#include "platform/binary_file.h"

namespace celvaro {

std::string milkyWayBytes(const std::vector<MilkyWayLevel>& levels) {
  std::string out;
  appendMagic(out, "CLV_MWAY", MilkyWay::kVersion);
  appendU32(out, static_cast<uint32_t>(levels.size()));
  for (const MilkyWayLevel& level : levels) {
    appendU32(out, static_cast<uint32_t>(level.size()));
    for (const MilkyWayRing& ring : level) {
      appendU32(out, static_cast<uint32_t>(ring.size()));
      for (const MilkyWayPoint& p : ring) {
        appendU32(out, static_cast<uint32_t>(p.raThousandthsDeg));
        appendU32(out, static_cast<uint32_t>(p.decThousandthsDeg));
      }
    }
  }
  return out;
}

}  // namespace celvaro
