// Version 4 double-star catalogs (CLV_WDSC 4): up to 120,000 systems in
// 4..100 sky regions, each region's run sorted by primary magnitude, with
// an information record per system (star_catalog_file.h).
//
// Record, 48 bytes: 0 right ascension, 8 declination (doubles, radians);
// 16 discoverer designation as the WDS writes it, 7 bytes: the code (one
// to four letters, or W. Herschel's "H 1".."H 6" and "H N") padded with
// blanks to three characters, then the number right-aligned in the rest
// ("STF  60", "STFA 43", "H 5  32"); 23 not read; 24 primary and 28
// companion magnitude (int32, hundredths, the companion's 0 unknown); 32
// separation (int32, tenths of an arcsecond, 0 unknown);
// 36 offset of the information record in the information area; 40 its
// packed size; 44..47 not read.
#pragma once

#include <map>
#include <optional>

#include "catalog/star_dbl_wds_data.h"

namespace celvaro {

class StarDblWDSDataD2 final : public StarDblWDSData {
 public:
  static constexpr StarCatalogFormat kFormat{"CLV_WDSC", 4, 120000, 48};

  int open(const std::string& relativePath) override;
  // A discoverer designation as stored ("STF 1744", "Σ 1744"), else one of
  // the further designations or the WDS coordinate designation
  // ("13239+5456", "WDS J13239+5456") of a system's information.
  int findByDesignation(std::string_view text, StarPosition& found) const override;
  // In each region that may be on the chart, the systems up to the first
  // one fainter than the double-star limit, passing over those whose
  // companion is fainter than the second double-star limit and, with the
  // separation filter on, those whose separation lies outside its range.
  void draw(RenderingOutput& output, const OutputArea& area, iTransformer& transformer,
            const ChartSettings& settings, int32_t labelDx, int32_t labelDy) const override;
  bool readObjectInfo(int index, std::vector<StarInfoItem>& items) const override;

 protected:
  // The designation with its discoverer code set apart ("STF 1744").
  std::string labelOf(const DoubleStarRecord& r) const override;

 private:
  // The further designations' keys and the WDS coordinate designations,
  // each with the first system that has it; read from the information on
  // the first lookup that needs them.
  const std::map<std::string, int>& informationDesignations() const;

  mutable std::optional<std::map<std::string, int>> informationDesignations_;
};

// The chart label of a discoverer designation: the code without its
// padding, a blank and the number's digits ("STF  60" gives "STF 60",
// "H 5  32" gives "H 5 32").
std::string doubleStarLabel(std::string_view designation);

}  // namespace celvaro
