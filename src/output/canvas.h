// The device the screen output draws on: a raster image in device pixels,
// x to the right and y downward. The desktop program implements it on its
// chart image; tests record what is drawn.
#pragma once

#include <cstdint>
#include <string_view>

#include "output/color_table.h"

namespace celvaro {

struct DevicePoint {
  int32_t x, y;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // A solid pen one pixel wide. In XOR mode what is drawn is combined with
  // the image by exclusive or, so drawing it twice restores the image.
  virtual void setPen(Rgb colour, bool xorMode) = 0;
  // The fill of ellipses; none when `colour` is null.
  virtual void setBrush(const Rgb* colour) = 0;

  virtual void fillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, Rgb colour) = 0;
  virtual void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
  virtual void polyline(const DevicePoint* points, int count) = 0;
  // An ellipse inside the box, right and bottom edges excluded: outlined
  // with the pen and filled with the brush.
  virtual void ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
  // Fills the area of closed rings by the even-odd rule in the colour; the
  // points one ring after another, ring k ending before ends[k].
  virtual void fillArea(const DevicePoint* points, const uint32_t* ends, int rings, Rgb colour) = 0;
  // Label text with its top-left corner at (x, y), on a transparent background.
  virtual void text(int32_t x, int32_t y, std::u16string_view text, Rgb colour) = 0;
};

}  // namespace celvaro
