#include "catalog/star_dbl_wds_data.h"

#include "catalog/chart_point.h"
#include "model/chart_settings.h"
#include "output/rendering_output.h"

namespace celvaro {

int StarDblWDSData::findByDesignation(std::string_view text, StarPosition& found) const {
  const std::string key = doubleStarKey(text);
  if (key.empty()) return kDoubleNotParsable;
  for (int i = 0; i < count(); ++i) {
    if (records_[i].designation.starts_with(key)) {
      found = {i, records_[i].raRad, records_[i].decRad};
      return kDoubleFound;
    }
  }
  return kDoubleNotFound;
}

bool StarDblWDSData::getPosition(int index, StarPosition& position) const {
  if (index < 0 || index >= count()) return false;
  position = {index, records_[index].raRad, records_[index].decRad};
  return true;
}

void StarDblWDSData::getDesignation(int index, std::string& text) const {
  if (index >= 0 && index < count()) text += labelOf(records_[index]);
}

void StarDblWDSData::drawSystem(RenderingOutput& output, iTransformer& transformer, const ChartSettings& settings,
                                int index, int32_t labelDx, int32_t labelDy) const {
  const DoubleStarRecord& r = records_[index];
  ProjectedPoint p;
  if (!pointOnChart(output, transformer, r.raRad, r.decRad, p)) return;
  const int32_t d = output.starDiameter(magnitudeClass(r.primary));
  output.dashMarker(index, p.x, p.y, d);
  if (settings.needDoubleLabels && r.primary <= settings.doubleLimitHundredths + settings.doubleLabelOffset) {
    output.text(p.x, p.y, labelDx + d / 2, labelDy, kStarSmallText, labelOf(r));
  }
}

}  // namespace celvaro
