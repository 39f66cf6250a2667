// What the star catalogs too large to keep in memory share: each drawing
// reads the parts of the sky on the chart, collects their visible stars
// into the StarBuffer of SkyCatalogs and draws the buffer by
// whole-magnitude bands. The queries answer for the buffer's stars, the
// stars of the last drawing.
#pragma once

#include <string>
#include <vector>

#include "catalog/star_buffer.h"
#include "catalog/star_data.h"

namespace celvaro {

class BinaryFile;

class LargeStarData : public iStarData {
 public:
  explicit LargeStarData(StarBuffer& buffer) : buffer_(buffer) {}

  void setDataDirectory(const std::string& directory) override { directory_ = directory; }
  bool getPosition(int index, StarPosition& out) const override;
  // "[magnitude in hundredths]".
  bool getDesignation(int index, std::string& out) const override;
  // These stars carry no catalogue numbers: false, kind 0.
  bool getCatalogNumbers(int index, int& kind, int32_t& n1, int32_t& n2, int32_t& n3,
                         int32_t& n4) const override;
  // The stars of the last drawing.
  int starCount() const override { return buffer_.count(); }

  // Takes the stars of one drawing into the buffer: those in front of the
  // visibility limit, not fainter than the magnitude limit and inside the
  // output.
  class Collector {
   public:
    Collector(StarBuffer& buffer, RenderingOutput& output, iTransformer& transformer, int32_t limitHundredths);
    void offer(double raRad, double decRad, int32_t magHundredths, uint32_t identifier, uint8_t colourClass);
    // A star already projected.
    void offerProjected(int32_t x, int32_t y, double depth, double raRad, double decRad, int32_t magHundredths,
                        uint32_t identifier, uint8_t colourClass);

   private:
    StarBuffer& buffer_;
    RenderingOutput& output_;
    iTransformer& transformer_;
    double visibleDepth_;
    int32_t limit_;
  };

 protected:
  Collector collector(RenderingOutput& output, iTransformer& transformer, int32_t limitHundredths) {
    return Collector(buffer_, output, transformer, limitHundredths);
  }
  // Draws the buffer band by band, each band as its magnitude 100 b: the
  // magnitude class on vector outputs, discs in the settings' colours on
  // the others, with the stars' indices on the screen.
  void drawBuffer(RenderingOutput& output, const ChartSettings& settings);
  // The bytes of `count` records of `recordBytes` from byte `offset`, or of
  // as many whole records as the file holds from there; false when none.
  static bool readRecords(BinaryFile& file, uint64_t offset, int64_t count, int recordBytes,
                          std::vector<uint8_t>& bytes);

  StarBuffer& buffer_;
  std::string directory_;
};

}  // namespace celvaro
