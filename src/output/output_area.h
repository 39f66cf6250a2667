// The rectangle a chart is drawn into, in device units (screen pixels, or
// hundredths of a millimetre on a printed page), with the legend strip
// below it and the title strip above it. The chart's own coordinates have their origin in the middle of
// this rectangle and y upward.
#pragma once

#include <cstdint>

namespace celvaro {

struct OutputArea {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t verticalOffset = 0;  // projection centre shift in the horizontal frame
  int32_t pageMarginX = 0;
  int32_t pageMarginY = 0;
  int32_t legendWidth = 0;     // 0: no legend
  int32_t legendHeight = 0;
  int32_t titleHeight = 0;     // 0: no title strip; as wide as the chart
};

}  // namespace celvaro
