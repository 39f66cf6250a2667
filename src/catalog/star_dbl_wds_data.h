// What both versions of the double-star catalog share: the systems held in
// memory, lookups by index and by discoverer designation, and the drawing
// of one system with its dash marker and label.
#pragma once

#include "catalog/double_star_data.h"
#include "catalog/star_catalog_file.h"

namespace celvaro {

struct DoubleStarRecord {
  double raRad = 0, decRad = 0;
  std::string designation;  // what lookups match: the stored designation
  int32_t primary = 0;      // magnitudes in hundredths
  int32_t companion = 0;
  int32_t separation = 0;   // tenths of an arcsecond, 0 unknown
  uint32_t infoOffset = 0, infoSize = 0;
};

class StarDblWDSData : public iStarDblData {
 public:
  void setDataDirectory(const std::string& directory) override { directory_ = directory; }
  int findByDesignation(std::string_view text, StarPosition& found) const override;
  bool getPosition(int index, StarPosition& position) const override;
  void getDesignation(int index, std::string& text) const override;
  int count() const override { return static_cast<int>(records_.size()); }
  const DoubleStarRecord& record(int index) const { return records_[index]; }
  void moveMarks(const MarkMotions& motions, double years) override {
    celvaro::moveMarks(records_, j2000_, motions, years);
  }

 protected:
  // What the chart and getDesignation show for a system: its designation as
  // stored.
  virtual std::string labelOf(const DoubleStarRecord& r) const { return r.designation; }
  // The marker of system `index` when it is on the chart, with its label
  // when labels are on and reach its magnitude.
  void drawSystem(RenderingOutput& output, iTransformer& transformer, const ChartSettings& settings, int index,
                  int32_t labelDx, int32_t labelDy) const;

  std::string directory_;
  StarCatalogFile file_;
  std::vector<DoubleStarRecord> records_;
  std::vector<EquatorialPosition> j2000_;  // the file's places of the moving marks, once moved
};

}  // namespace celvaro
