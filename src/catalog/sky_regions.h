// The sky regions of the regional catalogs (deep sky, double and variable
// stars): each region is a right-ascension and declination box holding a
// run of records, so a drawing pass can pass over the regions off the chart.
//
// Region record, 40 bytes little-endian: first record (int32), record
// count (int32), right-ascension bounds 1 and 2, declination bounds 1 and 2
// (doubles, radians).
#pragma once

#include <cstdint>
#include <vector>

namespace celvaro {

class iTransformer;
struct OutputArea;

struct SkyRegion {
  int32_t first = 0;
  int32_t count = 0;
  double ra1 = 0, ra2 = 0, dec1 = 0, dec2 = 0;
};

constexpr int kRegionRecordBytes = 40;

// Whether a region's bounds are a box on the sky: finite, each pair in
// order, right ascension spanning at most 2 pi within -2 pi..4 pi (a box
// may straddle 0), declination within -pi/2..pi/2.
// Bounds beyond the sky would make the visibility test sample without end.
bool regionBoundsSound(const SkyRegion& region);

// Decodes `count` region records; false when a record's run lies outside
// 0..recordCount or its bounds are not sound (the regions are then
// unusable).
bool decodeRegions(const uint8_t* bytes, int count, int32_t recordCount, std::vector<SkyRegion>& regions);

// Which regions may hold something on the chart. The corners, and points
// along the edges of a region wider than 15 degrees, are projected against
// the output rectangle widened by 60 arcminutes: a region whose border
// points all lie in front is passed over when they all lie beyond one side
// of the rectangle. A region with a point behind the visible side of the sky
// may still reach round onto the chart (near the edge of a whole-sky chart):
// it is kept when a grid of its points comes near enough to the chart
// centre, judged by angle.
std::vector<bool> visibleRegions(const std::vector<SkyRegion>& regions, const OutputArea& area,
                                 iTransformer& transformer);

// How far from the chart centre, by angle, something must come to touch the
// chart: its half diagonal widened by 60 arcminutes, as the scale at the
// centre gives it, generously widened again for the projections that
// squeeze their edges.
double chartReachRadians(const OutputArea& area, iTransformer& transformer);

}  // namespace celvaro
