#include "catalog/star_disc_pen.h"

#include "model/chart_settings.h"
#include "output/rendering_output.h"

namespace celvaro {

namespace {
constexpr int kPlainStarFill = 2;
}

StarDiscPen::StarDiscPen(RenderingOutput& output, const ChartSettings& settings, bool indexed)
    : output_(output), settings_(settings), indexed_(indexed) {}

void StarDiscPen::setMagnitude(int32_t magHundredths) {
  diameter_ = output_.starDiameter(magnitudeClass(magHundredths));
  radius_ = diameter_ / 2;
  if (diameter_ < 1) diameter_ = 10, radius_ = 5;
  colourMagnitude_ = settings_.starColouring && magHundredths <= settings_.colourLimitHundredths;
  if (!colourMagnitude_ && coloured_) {
    output_.selectBrush(kPlainStarFill);
    coloured_ = false;
  }
  coloured_ = coloured_ || colourMagnitude_;
}

void StarDiscPen::draw(int index, int32_t x, int32_t y, int colourClass) {
  if (colourMagnitude_ && indexed_) {
    output_.drawColouredStarIndexed(index, x, y, diameter_, radius_, colourClass);
  } else if (colourMagnitude_) {
    output_.drawColouredStar(x, y, diameter_, radius_, colourClass);
  } else if (indexed_) {
    output_.drawStarIndexed(index, x, y, diameter_, radius_);
  } else {
    output_.drawStar(x, y, diameter_, radius_);
  }
}

}  // namespace celvaro
