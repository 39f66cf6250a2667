// Version 3 double-star catalogs (CLV_WDSC 3): up to 10,000 systems in one
// run sorted by primary magnitude, without regions or information.
//
// Record, 40 bytes: 0 right ascension, 8 declination (doubles, radians);
// 16 designation, 8 bytes zero-terminated (the label); 24 primary
// magnitude (int32, hundredths); 28..39 not read.
#pragma once

#include "catalog/star_dbl_wds_data.h"

namespace celvaro {

class StarDblWDSDataD1 final : public StarDblWDSData {
 public:
  static constexpr StarCatalogFormat kFormat{"CLV_WDSC", 3, 10000, 40};

  int open(const std::string& relativePath) override;
  // Every system up to the first one fainter than the double-star limit.
  void draw(RenderingOutput& output, const OutputArea& area, iTransformer& transformer,
            const ChartSettings& settings, int32_t labelDx, int32_t labelDy) const override;
  bool readObjectInfo(int, std::vector<StarInfoItem>&) const override { return false; }
};

}  // namespace celvaro
