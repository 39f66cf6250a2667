// The Guide Star Catalog (gsc_format.h), read region by region: the
// regions whose centres lie within the chart's field of view plus two
// degrees of the chart centre are read for each drawing.
//
// Header (catalog_header.h): type = s_gsc, gscdir = the directory of the
// region files (default data/gsc under the application directory, also
// when the named one does not exist). The directory holds either the 24
// zone directories with one file per region, <zone>/NNNN.gsc, or the packed
// layout: the index gsc_idx.dat and one <zone>.dat per zone.
//
// data/gsc.dat, the region table: the 9537 right ascensions, then the
// 9537 declinations of the region centres, little-endian doubles, radians.
#pragma once

#include <vector>

#include "catalog/gsc_format.h"
#include "catalog/large_star_data.h"

namespace celvaro {

class StarDataGsc final : public LargeStarData {
 public:
  static constexpr const char* kRegionTablePath = "data/gsc.dat";
  static constexpr const char* kDefaultDirectory = "data/gsc";
  static constexpr const char* kPackedIndexName = "gsc_idx.dat";

  using LargeStarData::LargeStarData;

  // 4 when the header cannot be opened, neither directory exists or the
  // region table cannot be read whole.
  int open(const std::string& relativePath) override;
  void draw(RenderingOutput& output, iTransformer& transformer, const ChartSettings& settings,
            const OutputArea& area, int32_t limitHundredths, bool recordIndices) override;

  const std::string& regionDirectory() const { return regionDirectory_; }
  bool isPacked() const { return packed_; }

 private:
  bool readRegionTable();
  void readPackedIndex(const std::string& path);
  // Regions are numbered from 0 here, from 1 in the files.
  void collectRegionFile(Collector& stars, int region);
  void collectPackedRegion(Collector& stars, int region);

  std::string regionDirectory_;
  bool packed_ = false;
  std::vector<double> centreRa_, centreDec_;
  std::vector<gsc::PackedRegion> packedRegions_;  // those the index holds; zone -1 holds nothing
  std::vector<int32_t> workX_, workY_;
  std::vector<double> workDepth_;
};

}  // namespace celvaro
