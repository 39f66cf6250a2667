// Writing the segmented star catalog (src/catalog/star_data_segmented.h):
// the stars cut into cells of declination and right ascension, brightest
// first within each cell; shared by the catalog builder and the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace celvaro {

struct SegmentedStar {
  uint32_t identifier = 0;  // packed Tycho or Hipparcos number, 0 when none
  int16_t magnitude = 0;    // hundredths, negative for stars brighter than 0.00
  double raRad = 0, decRad = 0;
  uint8_t colourClass = 0;
};

struct StarSegment {
  double ra1, ra2, dec1, dec2;  // radians
  std::vector<SegmentedStar> stars;
};

// Bands of 10 degrees of declination from the south pole, each cut into
// round(36 cos(band middle)) cells of right ascension (at least one), so
// that the cells are of about the same area: 412 segments. Each star goes
// into the cell that holds it, the cells' stars brightest first (stable).
std::vector<StarSegment> segmentsByCells(const std::vector<SegmentedStar>& stars);

// The header; `hipparcos` says that the identifiers are Hipparcos numbers
// rather than packed Tycho numbers.
std::string segmentedHeaderText(size_t segmentCount, bool hipparcos = false);
// The four bound arrays: right-ascension minima, maxima, declination minima, maxima.
std::string segmentIndexBytes(const std::vector<StarSegment>& segments);
// The five columns of a segment file.
std::string segmentBytes(const std::vector<SegmentedStar>& stars);

}  // namespace celvaro
