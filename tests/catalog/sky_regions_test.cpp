#include "catalog/sky_regions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numbers>

#include "model/chart_settings.h"
#include "output/output_area.h"
#include "projection/transformer_orthographic.h"

namespace celvaro {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

SkyRegion box(double ra1, double ra2, double dec1, double dec2) {
  return {0, 0, ra1 * kDeg, ra2 * kDeg, dec1 * kDeg, dec2 * kDeg};
}

// A chart centred on right ascension 0, declination 0.
std::vector<bool> visibleOnChart(const std::vector<SkyRegion>& regions, int fieldArcmin) {
  OutputArea area;
  area.width = area.height = 1000;
  ChartSettings settings;
  settings.fieldArcmin = fieldArcmin;
  TransformerOrthographic transformer;
  transformer.setScale(500, fieldArcmin / 2);
  transformer.setup(area, settings);
  return visibleRegions(regions, area, transformer);
}

TEST(SkyRegions, OnlyRegionsThatMayReachTheChartAreWalked) {
  const std::vector<SkyRegion> regions = {
      box(-10, 10, -10, 10),   // holds the centre
      box(20, 40, -10, 10),    // beside a narrow chart, in front
      box(150, 210, -10, 10),  // on the far side of the sky
      box(60, 120, -30, 0),    // reaches from behind round to 60 degrees away
  };
  EXPECT_EQ(visibleOnChart(regions, 120), (std::vector<bool>{true, false, false, false}));
  // On a whole-sky chart the region reaching round from behind is on it.
  EXPECT_EQ(visibleOnChart(regions, 10800), (std::vector<bool>{true, true, false, true}));
}

TEST(SkyRegions, RunsOutsideTheRecordsMakeTheRegionsUnusable) {
  uint8_t bytes[kRegionRecordBytes] = {};
  bytes[0] = 5;  // first record 5
  bytes[4] = 3;  // three records
  std::vector<SkyRegion> regions;
  EXPECT_TRUE(decodeRegions(bytes, 1, 8, regions));
  EXPECT_FALSE(decodeRegions(bytes, 1, 7, regions));
  EXPECT_TRUE(regions.empty());
}

TEST(SkyRegions, BoundsBeyondTheSkyMakeTheRegionsUnusable) {
  // Such bounds, read from a damaged deep-sky file, had the visibility test
  // sample a border some 10^69 steps long.
  for (const SkyRegion& bad : {box(0, 1e71, 0, 10), box(0, 10, -91, 0), box(20, 10, 0, 10), box(0, 10, 10, 0),
                               box(-10, 360, 0, 10), box(-400, -380, 0, 10), SkyRegion{0, 0, 0, std::nan(""), 0, 0.1}}) {
    EXPECT_FALSE(regionBoundsSound(bad));
    uint8_t bytes[kRegionRecordBytes] = {};
    std::memcpy(bytes + 8, &bad.ra1, 8), std::memcpy(bytes + 16, &bad.ra2, 8);
    std::memcpy(bytes + 24, &bad.dec1, 8), std::memcpy(bytes + 32, &bad.dec2, 8);
    std::vector<SkyRegion> regions;
    EXPECT_FALSE(decodeRegions(bytes, 1, 1, regions));
  }
  EXPECT_TRUE(regionBoundsSound(box(0, 360, -90, 90)));
  EXPECT_TRUE(regionBoundsSound(box(10, 10, 0, 0)));
  EXPECT_TRUE(regionBoundsSound(box(-10, 10, -5, 5)));  // across right ascension 0
}

}  // namespace
}  // namespace celvaro
