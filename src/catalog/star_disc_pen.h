// Star discs on the outputs that draw discs (screen, EPS, SVG): the disc
// of a magnitude from the output's size table, filled in the star's colour
// while the magnitude is within the settings' colour limit, and drawn with
// the star's index where a click must find it.
#pragma once

#include <cstdint>

namespace celvaro {

class RenderingOutput;
struct ChartSettings;

class StarDiscPen {
 public:
  StarDiscPen(RenderingOutput& output, const ChartSettings& settings, bool indexed);

  // The disc and fill of the stars that follow, all drawn as this
  // magnitude (hundredths). Leaving the coloured magnitudes selects the
  // plain star fill again.
  void setMagnitude(int32_t magHundredths);
  void draw(int index, int32_t x, int32_t y, int colourClass);

 private:
  RenderingOutput& output_;
  const ChartSettings& settings_;
  bool indexed_;
  int32_t diameter_ = 10, radius_ = 5;
  bool colourMagnitude_ = false;
  bool coloured_ = false;  // the output's fill is a star colour
};

}  // namespace celvaro
