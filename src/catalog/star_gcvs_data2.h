// Version 5 variable-star catalogs (CLV_GCVS 5): up to 100,000 stars in
// 4..100 sky regions, each region's run sorted by brightest magnitude, with
// an information record per star (star_catalog_file.h). Records are 40
// bytes: the common 28 (star_gcvs_data.h), 28 offset of the information
// record in the information area, 32 its packed size, 36..39 not read.
#pragma once

#include "catalog/star_gcvs_data.h"

namespace celvaro {

class StarGcvsData2 final : public StarGcvsData {
 public:
  static constexpr StarCatalogFormat kFormat{"CLV_GCVS", 5, 100000, 40};

  // The path is resolved on the first call only; later calls reopen that
  // file whatever they are given.
  int open(const std::string& relativePath) override;
  // In each region that may be on the chart, the stars up to the first one
  // fainter than the variable-star limit that pass the amplitude, type and
  // period filters switched on.
  void draw(RenderingOutput& output, const RenderOptions& layout, const OutputArea& area,
            iTransformer& transformer, const ChartSettings& settings) const override;
  bool readObjectInfo(int index, std::vector<StarInfoItem>& items) const override;

 private:
  std::string path_;
};

}  // namespace celvaro
