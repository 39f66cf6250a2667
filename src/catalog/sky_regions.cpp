#include "catalog/sky_regions.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "output/output_area.h"
#include "projection/transformer.h"

namespace celvaro {
namespace {

enum Outcode : int { kLeft = 1, kRight = 2, kBelow = 4, kAbove = 8 };
constexpr double kRadPerDeg = std::numbers::pi / 180;

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

bool regionBoundsSound(const SkyRegion& g) {
  constexpr double kSlack = 1e-6;
  constexpr double kPi = std::numbers::pi;
  const auto within = [](double low, double a, double b, double high) {
    return std::isfinite(a) && std::isfinite(b) && low - kSlack <= a && a <= b && b <= high + kSlack;
  };
  return within(-2 * kPi, g.ra1, g.ra2, 4 * kPi) && g.ra2 - g.ra1 <= 2 * kPi + kSlack &&
         within(-kPi / 2, g.dec1, g.dec2, kPi / 2);
}

bool decodeRegions(const uint8_t* bytes, int count, int32_t recordCount, std::vector<SkyRegion>& regions) {
  regions.clear();
  for (int r = 0; r < count; ++r) {
    const uint8_t* p = bytes + r * kRegionRecordBytes;
    const SkyRegion region{loadInt(p), loadInt(p + 4), loadDouble(p + 8), loadDouble(p + 16), loadDouble(p + 24),
                           loadDouble(p + 32)};
    if (region.first < 0 || region.count < 0 || region.first > recordCount - region.count ||
        !regionBoundsSound(region)) {
      regions.clear();
      return false;
    }
    regions.push_back(region);
  }
  return true;
}

namespace {

// The largest depth (cosine of the distance from the chart centre) over a
// grid of points covering the region, and half the grid's cell diagonal.
double nearestSampledDepth(const SkyRegion& g, iTransformer& transformer, double& cellRadius) {
  constexpr int kSteps = 4;
  double best = -1;
  for (int i = 0; i <= kSteps; ++i) {
    for (int j = 0; j <= kSteps; ++j) {
      ProjectedPoint p;
      const double ra = g.ra1 + (g.ra2 - g.ra1) * i / kSteps, dec = g.dec1 + (g.dec2 - g.dec1) * j / kSteps;
      transformer.project(ra, dec, p);
      best = std::max(best, p.depth);
    }
  }
  cellRadius = std::hypot((g.ra2 - g.ra1) / kSteps, (g.dec2 - g.dec1) / kSteps) / 2;
  return best;
}

}  // namespace

namespace {

// The outcodes that all points of a region's border share against the
// widened rectangle (0 when none), or -1 when a point lies behind. The
// border is sampled every 15 degrees at most: a declination edge is a
// small circle whose middle bulges away from the line between its
// corners, by less than the 60 arcminute margin over 15 degrees.
int commonOutcode(const SkyRegion& g, iTransformer& transformer, int64_t halfWidth, int64_t halfHeight) {
  constexpr double kMaxStep = 15 * kRadPerDeg;
  const int raSteps = std::max(1, static_cast<int>(std::ceil((g.ra2 - g.ra1) / kMaxStep)));
  const int decSteps = std::max(1, static_cast<int>(std::ceil((g.dec2 - g.dec1) / kMaxStep)));
  const double limit = transformer.visibilityLimit();
  int common = kLeft | kRight | kBelow | kAbove;
  for (int i = 0; i <= raSteps; ++i) {
    for (int j = 0; j <= decSteps; ++j) {
      if (i != 0 && i != raSteps && j != 0 && j != decSteps) continue;  // inside the border
      ProjectedPoint p;
      const double ra = g.ra1 + (g.ra2 - g.ra1) * i / raSteps, dec = g.dec1 + (g.dec2 - g.dec1) * j / decSteps;
      if (!transformer.project(ra, dec, p) || p.depth < limit) return -1;
      common &= (p.x < -halfWidth ? kLeft : 0) | (p.x > halfWidth ? kRight : 0) |
                (p.y < -halfHeight ? kBelow : 0) | (p.y > halfHeight ? kAbove : 0);
    }
  }
  return common;
}

}  // namespace

double chartReachRadians(const OutputArea& area, iTransformer& transformer) {
  const double margin = transformer.tenthArcminToPixels(600);
  const double halfDiagonal = std::hypot(area.width / 2.0, area.height / 2.0) + margin;
  const double linear = transformer.pixelsToArcsec(static_cast<int32_t>(halfDiagonal)) / 3600.0 * kRadPerDeg;
  return 1.5 * linear + 5 * kRadPerDeg;
}

// A region reaching round from behind is kept when it comes within the
// chart's reach, plus half a sampling cell.
std::vector<bool> visibleRegions(const std::vector<SkyRegion>& regions, const OutputArea& area,
                                 iTransformer& transformer) {
  const int64_t margin = transformer.tenthArcminToPixels(600);
  const int64_t halfWidth = area.width / 2 + margin, halfHeight = area.height / 2 + margin;
  const double reach = chartReachRadians(area, transformer);
  std::vector<bool> visible(regions.size(), false);
  for (size_t r = 0; r < regions.size(); ++r) {
    const SkyRegion& g = regions[r];
    const int common = commonOutcode(g, transformer, halfWidth, halfHeight);
    if (common >= 0) {
      visible[r] = common == 0;
      continue;
    }
    double cellRadius;
    const double depth = nearestSampledDepth(g, transformer, cellRadius);
    visible[r] = reach + cellRadius >= std::numbers::pi || depth >= std::cos(reach + cellRadius);
  }
  return visible;
}

}  // namespace celvaro
