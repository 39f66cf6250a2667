// Version 4 double-star catalogs (CLV_WDSC 4): up to 120,000 systems in
// 4..100 sky regions, each region's run sorted by primary magnitude, with
// an information record per system (star_catalog_file.h).
//
// Record, 48 bytes: 0 right ascension, 8 declination (doubles, radians);
// 16 discoverer designation, 7 bytes: the discoverer code padded with
// blanks to three characters, then the number right-aligned in four
// ("STF  60"); 23 not read; 24 primary and 28 companion magnitude (int32,
// hundredths); 32 separation (int32, tenths of an arcsecond, 0 unknown);
// 36 offset of the information record in the information area; 40 its
// packed size; 44..47 not read.
#pragma once

#include "catalog/star_dbl_wds_data.h"

namespace celvaro {

class StarDblWDSDataD2 final : public StarDblWDSData {
 public:
  static constexpr StarCatalogFormat kFormat{"CLV_WDSC", 4, 120000, 48};

  int open(const std::string& relativePath) override;
  // In each region that may be on the chart, the systems up to the first
  // one fainter than the double-star limit, passing over those whose
  // companion is fainter than the second double-star limit and, with the
  // separation filter on, those whose separation lies outside its range.
  void draw(RenderingOutput& output, const OutputArea& area, iTransformer& transformer,
            const ChartSettings& settings, int32_t labelDx, int32_t labelDy) const override;
  bool readObjectInfo(int index, std::vector<StarInfoItem>& items) const override;
};

// The chart label of a discoverer designation: the code up to its first
// blank, a blank and the number's digits ("STF  60" gives "STF 60").
std::string doubleStarLabel(std::string_view designation);

}  // namespace celvaro
