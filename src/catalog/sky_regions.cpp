#include "catalog/sky_regions.h"

#include <cstring>

#include "app/output_area.h"
#include "projection/transformer.h"

namespace celvaro {
namespace {

enum Outcode : int { kLeft = 1, kRight = 2, kBelow = 4, kAbove = 8 };

double loadDouble(const uint8_t* p) {
  double value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

int32_t loadInt(const uint8_t* p) {
  int32_t value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

}  // namespace

bool decodeRegions(const uint8_t* bytes, int count, int32_t recordCount, std::vector<SkyRegion>& regions) {
  regions.clear();
  for (int r = 0; r < count; ++r) {
    const uint8_t* p = bytes + r * kRegionRecordBytes;
    const SkyRegion region{loadInt(p), loadInt(p + 4), loadDouble(p + 8), loadDouble(p + 16), loadDouble(p + 24),
                           loadDouble(p + 32)};
    if (region.first < 0 || region.count < 0 || region.first > recordCount - region.count) {
      regions.clear();
      return false;
    }
    regions.push_back(region);
  }
  return true;
}

std::vector<bool> visibleRegions(const std::vector<SkyRegion>& regions, const OutputArea& area,
                                 iTransformer& transformer) {
  const int64_t margin = transformer.tenthArcminToPixels(600);
  const int64_t halfWidth = area.width / 2 + margin, halfHeight = area.height / 2 + margin;
  const double limit = transformer.visibilityLimit();
  std::vector<bool> visible(regions.size(), false);
  for (size_t r = 0; r < regions.size(); ++r) {
    const SkyRegion& g = regions[r];
    const double corners[4][2] = {{g.ra1, g.dec1}, {g.ra2, g.dec1}, {g.ra1, g.dec2}, {g.ra2, g.dec2}};
    int common = kLeft | kRight | kBelow | kAbove, behind = 0;
    for (const auto& corner : corners) {
      ProjectedPoint p;
      if (!transformer.project(corner[0], corner[1], p) || p.depth < limit) {
        ++behind;
        common = 0;
        continue;
      }
      const int code = (p.x < -halfWidth ? kLeft : 0) | (p.x > halfWidth ? kRight : 0) |
                       (p.y < -halfHeight ? kBelow : 0) | (p.y > halfHeight ? kAbove : 0);
      common &= code;
    }
    visible[r] = behind < 4 && common == 0;
  }
  return visible;
}

}  // namespace celvaro
