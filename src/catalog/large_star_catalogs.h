// The large star catalogs registered at start-up after the main catalog of
// slot 0, each in the next free slot when its header file is in data/:
//
//   data/stars_deep.hdr  the segmented catalog celvaro-catalogs builds: every
//                        star of the sources, to about magnitude 10.5
//   data/gsc.hdr         the Guide Star Catalog, for users who have it
//   data/usnoa2.hdr      USNO-A2.0, for users who have it
//
// Each is deeper than the one before and shown only for narrower fields,
// so zooming in switches to the next and zooming out back.
#pragma once

#include <cstdint>

#include "catalog/star_data.h"

namespace celvaro {

class SkyCatalogs;

struct LargeStarCatalog {
  const char* path;
  const char* displayName;
  int identifierKind;
  int32_t minLimitHundredths;  // the chart's limit must be fainter
  int32_t maxFieldArcmin;      // the chart's field must not be wider
};

// The deep catalog takes over where the main catalog, Hipparcos, is no
// longer complete (about magnitude 8) on fields of 5 degrees and less.
constexpr LargeStarCatalog kLargeStarCatalogs[] = {
    {"data/stars_deep.hdr", "Deep stars", kIdentifierHipparcos, 800, 300},
    {"data/gsc.hdr", "GSC", 0, 1100, 90},
    {"data/usnoa2.hdr", "USNO-A2.0", 0, 1400, 45},
};

// Registers those whose headers exist and open, from slot 1 on; the number
// registered.
int registerLargeStarCatalogs(SkyCatalogs& catalogs);

}  // namespace celvaro
