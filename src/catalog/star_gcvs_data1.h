// Version 3 variable-star catalogs (CLV_GCVS 3): up to 10,000 stars in one
// run sorted by brightest magnitude, without regions or information.
// Records are 32 bytes: the common 28 (star_gcvs_data.h), then 4 not read.
#pragma once

#include "catalog/star_gcvs_data.h"

namespace celvaro {

class StarGcvsData1 final : public StarGcvsData {
 public:
  static constexpr StarCatalogFormat kFormat{"CLV_GCVS", 3, 10000, 32};

  int open(const std::string& relativePath) override;
  // Every star not fainter than the variable-star limit.
  void draw(RenderingOutput& output, const RenderOptions& layout, const OutputArea& area,
            iTransformer& transformer, const ChartSettings& settings) const override;
  bool readObjectInfo(int, std::vector<StarInfoItem>&) const override { return false; }
};

}  // namespace celvaro
