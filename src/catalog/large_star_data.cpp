#include "catalog/large_star_data.h"

#include <algorithm>

#include "catalog/star_disc_pen.h"
#include "output/rendering_output.h"
#include "platform/binary_file.h"
#include "projection/transformer.h"

namespace celvaro {

bool LargeStarData::getPosition(int index, StarPosition& out) const { return buffer_.position(index, out); }

bool LargeStarData::getDesignation(int index, std::string& out) const {
  if (!buffer_.contains(index)) return false;
  out += "[" + std::to_string(buffer_.magnitude(index)) + "]";
  return true;
}

bool LargeStarData::getCatalogNumbers(int, int& kind, int32_t&, int32_t&, int32_t&, int32_t&) const {
  kind = 0;
  return false;
}

LargeStarData::Collector::Collector(StarBuffer& buffer, RenderingOutput& output, iTransformer& transformer,
                                    int32_t limitHundredths)
    : buffer_(buffer),
      output_(output),
      transformer_(transformer),
      visibleDepth_(transformer.visibilityLimit()),
      limit_(limitHundredths) {}

void LargeStarData::Collector::offer(double raRad, double decRad, int32_t magHundredths, uint32_t identifier,
                                     uint8_t colourClass) {
  if (magHundredths > limit_) return;
  ProjectedPoint p;
  if (!transformer_.project(raRad, decRad, p)) return;
  offerProjected(p.x, p.y, p.depth, raRad, decRad, magHundredths, identifier, colourClass);
}

void LargeStarData::Collector::offerProjected(int32_t x, int32_t y, double depth, double raRad, double decRad,
                                              int32_t magHundredths, uint32_t identifier, uint8_t colourClass) {
  // A position that is not a number (a damaged record) gives no depth and
  // is never collected.
  if (magHundredths > limit_ || !(depth > visibleDepth_) || !output_.isInsideOutput(x, y)) return;
  buffer_.add(x, y, static_cast<int16_t>(magHundredths), raRad, decRad, identifier, colourClass);
}

void LargeStarData::drawBuffer(RenderingOutput& output, const ChartSettings& settings) {
  if (!buffer_.bandsBuilt()) buffer_.buildBands();
  const bool byClass = output.drawsStarsByClass();
  StarDiscPen pen(output, settings, output.isScreen());
  for (int band = 0; band < StarBuffer::kBands; ++band) {
    const int32_t magnitude = 100 * band;
    if (!byClass) pen.setMagnitude(magnitude);
    for (int i = buffer_.bandHead(band); i >= 0; i = buffer_.next(i)) {
      if (byClass) output.drawStar(buffer_.x(i), buffer_.y(i), magnitudeClass(magnitude), 0);
      else pen.draw(i, buffer_.x(i), buffer_.y(i), buffer_.colourClass(i));
    }
  }
}

bool LargeStarData::readRecords(BinaryFile& file, uint64_t offset, int64_t count, int recordBytes,
                                std::vector<uint8_t>& bytes) {
  const int64_t size = file.size();
  bytes.clear();
  if (size < 0 || offset > static_cast<uint64_t>(size) || count <= 0) return false;
  const int64_t n = std::min(count, (size - static_cast<int64_t>(offset)) / recordBytes);
  return n > 0 && file.seek(offset) && file.readInto(bytes, static_cast<size_t>(n) * recordBytes);
}

}  // namespace celvaro
