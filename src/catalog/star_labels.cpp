#include "catalog/star_labels.h"

#include <cstring>

#include "model/chart_settings.h"
#include "output/render_options.h"
#include "output/rendering_output.h"
#include "platform/binary_file.h"
#include "projection/transformer.h"

namespace celvaro {

int StarLabels::open(const std::string& path) {
  records_.clear();
  j2000_.clear();
  text_.clear();
  BinaryFile file(path);
  if (!file.isOpen()) return 4;
  uint8_t header[kHeaderBytes];
  if (!file.read(header, sizeof header) || std::memcmp(header, "CLV_STLS", 8) != 0 ||
      loadU32(header + 8) != 1) {
    return 3;
  }
  const uint32_t count = loadU32(header + 12), textBytes = loadU32(header + 16);
  std::vector<uint8_t> bytes;
  if (count > 1000000 || textBytes > 64 * 1024 * 1024 || !file.readInto(bytes, count * kRecordBytes) ||
      !file.readInto(bytes, textBytes)) {
    return 3;
  }
  records_.resize(count);
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* r = &bytes[i * kRecordBytes];
    StarLabelRecord& record = records_[i];
    record.nameOffset = static_cast<int32_t>(loadU32(r));
    std::memcpy(&record.raRad, r + 8, 8);
    std::memcpy(&record.decRad, r + 16, 8);
    record.magnitude = static_cast<int16_t>(loadU16(r + 24));
    record.flamsteed = static_cast<int16_t>(loadU16(r + 26));
    record.constellation = static_cast<int8_t>(r[28]);
    record.greekLetter = static_cast<int8_t>(r[29]);
    record.superscript = static_cast<int8_t>(r[30]);
  }
  text_.assign(bytes.begin() + count * kRecordBytes, bytes.end());
  text_.push_back('\0');  // a last name without its zero still ends inside the block
  return 0;
}

const char* StarLabels::name(size_t i) const {
  const int32_t offset = records_[i].nameOffset;
  if (offset <= 0 || static_cast<size_t>(offset) >= text_.size()) return nullptr;
  return text_.data() + offset;
}

void StarLabels::draw(RenderingOutput& output, iTransformer& transformer, const ChartSettings& settings,
                      const RenderOptions& options) const {
  const double visible = transformer.visibilityLimit();
  for (size_t i = 0; i < records_.size(); ++i) {
    const StarLabelRecord& r = records_[i];
    const bool wantName = r.magnitude < settings.starNameLimitHundredths;
    const bool wantBayer = r.magnitude < settings.bayerLimitHundredths;
    const bool wantFlamsteed = r.magnitude < settings.flamsteedLimitHundredths;
    const bool wantAbbreviation = r.magnitude < settings.abbreviationLimitHundredths;
    if (!wantName && !wantBayer && !wantFlamsteed && !wantAbbreviation) continue;
    ProjectedPoint p;
    if (!transformer.project(r.raRad, r.decRad, p) || p.depth <= visible) continue;
    if (!output.isInsideOutput(p.x, p.y)) continue;
    const int32_t d = output.starDiameterForMagnitude(r.magnitude);
    StarLabelParts label;
    label.greekLetter = wantBayer ? r.greekLetter : -1;
    label.superscript = wantBayer ? r.superscript : -1;
    label.flamsteed = wantFlamsteed ? r.flamsteed : -1;
    label.constellation = wantAbbreviation ? r.constellation : -1;
    label.name = wantName ? name(i) : nullptr;
    output.drawStarLabel(static_cast<int>(i), p.x, p.y, d / 2 + options.labelOffsetX,
                         options.starLabelOffsetDy, label);
  }
}

}  // namespace celvaro
