// The EPS output: a PostScript page whose prolog scales hundredths of a
// millimetre to points and defines the fonts FONT0..FONT5 (Helvetica in
// the text encoding) and FONT20..FONT25 (Symbol) at the six font sizes. PostScript
// has one current colour: the output keeps track of it and sets the pen's
// before a stroke, the text colour before a text.
#pragma once

#include <string_view>

#include "output/rendering_output_file.h"

namespace celvaro {

class RenderingOutputEps final : public RenderingOutputFile {
 public:
  RenderingOutputEps() : RenderingOutputFile(false) {}

  bool drawsStarsByClass() const override { return false; }
  void beginGroup(std::string_view) override {}
  void endGroup() override {}
  void rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool stroke, bool fill) override;
  void setFrameLineStyle() override;
  void selectPen(int lineStyle) override;
  void selectBrush(int fillStyle) override { fillStyle_ = fillStyle; }
  void setTextStyle(int textStyle) override;

 private:
  void writeHeader(PageSize page) override;
  void writeTrailer() override;
  void beginClip(Point low, Point high) override;
  void endClip() override;
  void moveTo(int32_t x, int32_t y) override;
  void lineTo(int32_t x, int32_t y) override;
  void curveTo(Point a, Point b, Point end) override;
  void closePath() override { put(" closepath"); }
  void strokePath() override;
  void circleOutline(int32_t x, int32_t y, int32_t radius) override;
  void star(int32_t x, int32_t y, int32_t, int32_t radius) override { disc(x, y, radius); }
  void bodyDisc(int32_t x, int32_t y, int32_t radius) override { disc(x, y, radius); }
  void fillOutline(const std::vector<Point>& outline, int greyPercent) override;
  void fillArea(const AreaRings& area, int greyPercent) override;
  void writeText(int32_t x, int32_t y, int textClass, std::u16string_view text) override;
  void writeStarLabel(int32_t x, int32_t y, const StarLabelParts& label) override;

  void writeFonts();
  // A disc filled as the PDF fills it and outlined by the pen.
  void disc(int32_t x, int32_t y, int32_t radius);
  void putColour(PrintColour colour);
  void putFont(int index);
  void putRuns(std::u16string_view text, int font);
  void setColour(PrintColour colour);
  // The rectangles' fill: the print colour of the fill style.
  PrintColour fillColour() const { return colours().entry(fillStyle_); }

  PrintColour ink_{};         // the page's current colour
  PrintColour penColour_{};
  PrintColour textColour_{};
  PrintColour discFill_{};    // what the prolog's FC gives
};

}  // namespace celvaro
