// The USNO-A2.0 catalog, read cell by cell: the sky in 24 zones of 7.5
// degrees of declination from the south pole, each cut into 96 cells of
// 3.75 degrees of right ascension; the cells on the chart are read for
// each drawing.
//
// Header (catalog_header.h): type = s_usnoa, usnodir = the directory of the
// zone files (default data/usnoa2 under the application directory, also
// when the named one does not exist). Zone file zone0000.cat, zone0075.cat,
// ... zone1725.cat (the south polar distance where the zone begins, tenths
// of a degree): 12-byte records of three big-endian 32-bit integers, sorted
// by right ascension:
//
//   right ascension        hundredths of an arcsecond
//   south polar distance   hundredths of an arcsecond
//   magnitudes             sign ignored; the red magnitude in tenths is the
//                          last three decimal digits; the values 1 and
//                          1000000001 mark records that are skipped
//
// data/usnoa2.dat, the cell index: 2304 little-endian 32-bit values, zone by
// zone, one per cell: the number of the zone file's records up to the end
// of that cell.
#pragma once

#include <vector>

#include "catalog/large_star_data.h"
#include "catalog/sky_regions.h"

namespace celvaro {

class StarDataUSNO final : public LargeStarData {
 public:
  static constexpr const char* kCellIndexPath = "data/usnoa2.dat";
  static constexpr const char* kDefaultDirectory = "data/usnoa2";
  static constexpr int kZones = 24;
  static constexpr int kCellsPerZone = 96;
  static constexpr int kRecordBytes = 12;

  explicit StarDataUSNO(StarBuffer& buffer);

  // 4 when the header cannot be opened, neither directory exists or the
  // cell index cannot be opened. Cells past the end of a short index hold
  // nothing.
  int open(const std::string& relativePath) override;
  void draw(RenderingOutput& output, iTransformer& transformer, const ChartSettings& settings,
            const OutputArea& area, int32_t limitHundredths, bool recordIndices) override;

  const std::string& zoneDirectory() const { return zoneDirectory_; }

 private:
  bool readCellIndex();
  void collectZone(Collector& stars, int zone, const std::vector<bool>& visible);
  void collectCell(Collector& stars, BinaryFile& file, int cell);

  std::string zoneDirectory_;
  std::vector<SkyRegion> cells_;
  std::vector<uint32_t> cellEnds_;
  std::vector<uint8_t> chunk_;
};

}  // namespace celvaro
