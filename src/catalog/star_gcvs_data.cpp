#include "catalog/star_gcvs_data.h"

#include <cstring>

#include "catalog/chart_point.h"
#include "model/chart_settings.h"
#include "output/rendering_output.h"
#include "platform/binary_file.h"

namespace celvaro {
namespace {

constexpr int kLabelTextClass = 4;

}  // namespace

VariableStarRecord StarGcvsData::decodeCommon(const uint8_t* p) {
  VariableStarRecord r;
  std::memcpy(&r.raRad, p, 8);
  std::memcpy(&r.decRad, p + 8, 8);
  r.faintest = static_cast<int16_t>(loadU16(p + 16));
  r.brightest = static_cast<int16_t>(loadU16(p + 18));
  r.period = static_cast<int32_t>(loadU32(p + 20));
  r.typeFlags = p[24];
  r.constellation = p[25];
  r.code = static_cast<int16_t>(loadU16(p + 26));
  return r;
}

bool StarGcvsData::findByDesignation(std::string_view text, StarPosition& found) const {
  int code = 0, constellation = 0;
  if (!parseVariableDesignation(text, code, constellation)) return false;
  for (int i = 0; i < count(); ++i) {
    if (records_[i].code == code && records_[i].constellation == constellation) {
      found = {i, records_[i].raRad, records_[i].decRad};
      return true;
    }
  }
  return false;
}

bool StarGcvsData::getPosition(int index, StarPosition& position) const {
  if (index < 0 || index >= count()) return false;
  position = {index, records_[index].raRad, records_[index].decRad};
  return true;
}

void StarGcvsData::getDesignation(int index, std::string& text) const {
  if (index < 0 || index >= count()) return;
  const VariableStarRecord& r = records_[index];
  text += variableStarText(r.code, r.constellation, r.typeFlags, r.brightest, r.faintest, true, true);
}

void StarGcvsData::drawStar(RenderingOutput& output, const RenderOptions& layout, iTransformer& transformer,
                            const ChartSettings& settings, int index) const {
  const VariableStarRecord& r = records_[index];
  ProjectedPoint p;
  if (!pointOnChart(output, transformer, r.raRad, r.decRad, p)) return;
  const int32_t magClass = magnitudeClass(r.magnitude()), d = output.starDiameter(magClass);
  if (output.drawsStarsByClass()) {
    output.variableStar(index, p.x, p.y, magClass, 0);
  } else {
    output.variableStar(index, p.x, p.y, d, d / 2);
  }
  if (settings.needVariableLabels && r.magnitude() <= settings.variableLabelLimitHundredths) {
    output.text(p.x, p.y, layout.labelOffsetX + d / 2, layout.starLabelOffsetDy, kLabelTextClass,
                variableStarText(r.code, r.constellation, r.typeFlags, r.brightest, r.faintest,
                                 settings.variableLabelWithType, settings.variableLabelWithRange));
  }
}

}  // namespace celvaro
