// Writers of the double-star (CLV_WDSC) and variable-star (CLV_GCVS)
// catalogs (catalog/star_catalog_file.h), shared by the catalog builder and
// the tests, and the sky regions the builder lays them out in. Each writer
// returns the complete file as bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/sky_regions.h"
#include "catalog_writers.h"

namespace celvaro {

struct DoubleStarEntry {
  double raRad = 0, decRad = 0;
  // Version 3: the label, at most 7 characters; version 4: the discoverer
  // designation, 7 characters ("STF  60").
  std::string designation;
  int32_t primary = 0;     // hundredths
  int32_t companion = 0;   // version 4 only, like the separation and information
  int32_t separation = 0;  // tenths of an arcsecond, 0 unknown
  std::vector<InfoValue> info;
};

struct VariableStarEntry {
  double raRad = 0, decRad = 0;
  int16_t faintest = 0, brightest = 0;  // thousandths
  int32_t period = 0;                   // hundredths of a day
  uint8_t typeFlags = 0;
  uint8_t constellation = 0;            // packed abbreviation number 1..88
  int16_t code = 0;
  std::vector<InfoValue> info;          // version 5 only
};

// The records in the order given. The regional versions (double 4,
// variable 5) write the regions as given and an information area; the flat
// ones (3) write no regions whatever `regions` holds. The header's
// information maxima are those of the records.
std::string doubleStarCatalogBytes(int version, const std::vector<SkyRegion>& regions,
                                   const std::vector<DoubleStarEntry>& records);
std::string variableStarCatalogBytes(int version, const std::vector<SkyRegion>& regions,
                                     const std::vector<VariableStarEntry>& records);

struct RegionPoint {
  double raRad, decRad;
  int32_t magnitude;
};

struct SkyRegionLayout {
  std::vector<SkyRegion> regions;  // runs over `order`
  std::vector<size_t> order;       // point indices in file order
};

// Nine declination bands of 20 degrees, each cut into equal right-ascension
// sectors, 16 at the equator thinning with the cosine of the band's middle
// but never fewer than 4 (so that a region's corners surround what it
// holds, as the visibility test needs): 94 regions, empty ones kept.
// Within each region the points run brightest first.
SkyRegionLayout skyRegionLayout(const std::vector<RegionPoint>& points);

}  // namespace celvaro
