// What both versions of the variable-star catalog share: the stars held in
// memory, lookups by index and by designation, and the drawing of one star
// with its symbol and label.
//
// The first 28 bytes of a record are common: 0 right ascension, 8
// declination (doubles, radians); 16 faintest and 18 brightest magnitude
// (int16, thousandths); 20 period (int32, hundredths of a day); 24 type
// flags (VariableTypeBit); 25 constellation (1..88 in the packed
// abbreviation list); 26 designation code (int16).
#pragma once

#include "catalog/star_catalog_file.h"
#include "catalog/variable_star_data.h"

namespace celvaro {

struct VariableStarRecord {
  double raRad = 0, decRad = 0;
  int16_t faintest = 0, brightest = 0;  // thousandths
  int32_t period = 0;                   // hundredths of a day, 0 unknown
  uint8_t typeFlags = 0;
  uint8_t constellation = 0;
  int16_t code = 0;
  uint32_t infoOffset = 0, infoSize = 0;

  // The mean magnitude in hundredths, as the limits and labels take it.
  int32_t magnitude() const { return meanVariableMagnitude(brightest, faintest); }
};

class StarGcvsData : public iStarVarData {
 public:
  static constexpr int kCommonRecordBytes = 28;

  void setDataDirectory(const std::string& directory) override { directory_ = directory; }
  bool findByDesignation(std::string_view text, StarPosition& found) const override;
  bool getPosition(int index, StarPosition& position) const override;
  void getDesignation(int index, std::string& text) const override;
  int count() const override { return static_cast<int>(records_.size()); }
  const VariableStarRecord& record(int index) const { return records_[index]; }
  void moveMarks(const MarkMotions& motions, double years) override {
    celvaro::moveMarks(records_, j2000_, motions, years);
  }
  // The common part of a record.
  static VariableStarRecord decodeCommon(const uint8_t* record);

 protected:
  // The symbol of star `index` when it is on the chart, with its label when
  // labels are on and reach its magnitude.
  void drawStar(RenderingOutput& output, const RenderOptions& layout, iTransformer& transformer,
                const ChartSettings& settings, int index) const;

  std::string directory_;
  StarCatalogFile file_;
  std::vector<VariableStarRecord> records_;
  std::vector<EquatorialPosition> j2000_;  // the file's places of the moving marks, once moved
};

}  // namespace celvaro
