#include "fuzz_chart.h"

#include <cmath>

namespace celvaro::fuzz {

FuzzChart::FuzzChart(double raDeg, double decDeg, int32_t fieldArcmin) {
  area.width = area.height = kPixels;
  settings.centreRaArcmin = static_cast<int32_t>(std::lround(raDeg * 60));
  settings.centreDecArcmin = static_cast<int32_t>(std::lround(decDeg * 60));
  settings.fieldArcmin = fieldArcmin;
  transformer.setScale(kPixels / 2, fieldArcmin / 2);
  transformer.setup(area, settings);
  output.setCanvas(&canvas_);
  output.setHitList(&hits_);
  output.begin("", {}, area);
}

}  // namespace celvaro::fuzz
