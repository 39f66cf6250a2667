// The SVG output: page size in millimetres, a view box in hundredths of a
// millimetre with y downward, one style sheet for every class written, a
// group per layer. Lines carry the class of the pen selected last; stars,
// deep-sky symbols and texts carry classes of their own.
#pragma once

#include <string_view>

#include "output/rendering_output_file.h"

namespace celvaro {

class RenderingOutputSvg final : public RenderingOutputFile {
 public:
  RenderingOutputSvg() : RenderingOutputFile(true) {}

  bool drawsStarsByClass() const override { return false; }
  void beginGroup(std::string_view layerName) override;
  void endGroup() override { put("</g>\r\n"); }
  void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  void rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool stroke, bool fill) override;
  void setFrameLineStyle() override { lineClass_ = "framelines"; }
  void selectPen(int lineStyle) override;
  void selectBrush(int fillStyle) override { fillStyle_ = fillStyle; }
  void setTextStyle(int textStyle) override { textStyle_ = textStyle; }

  void globularCluster(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t size) override;
  void openCluster(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t size) override;
  void planetaryNebula(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t size) override;
  void diffuseNebula(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t size) override;

  // The class of each text class.
  static constexpr std::string_view kTextClasses[7] = {"titlebartext",     "gridtext",         "starsmalltext",
                                                       "starlargetext",    "deepskysmalltext", "deepskylargetext",
                                                       "constnames"};

 private:
  void writeHeader(PageSize page) override;
  void writeTrailer() override { put("</svg>"); }
  void beginClip(Point low, Point high) override;
  void endClip() override { put("</g>\r\n"); }
  void moveTo(int32_t x, int32_t y) override;
  void lineTo(int32_t x, int32_t y) override;
  void curveTo(Point a, Point b, Point end) override;
  void closePath() override { put("z "); }
  void strokePath() override { put("\"/>\r\n"); }
  void circleOutline(int32_t x, int32_t y, int32_t radius) override { circleElement(lineClass_, x, y, radius); }
  void star(int32_t x, int32_t y, int32_t, int32_t radius) override { circleElement("star", x, y, radius); }
  void bodyDisc(int32_t x, int32_t y, int32_t radius) override { circleElement("body", x, y, radius); }
  void fillOutline(const std::vector<Point>& outline, int greyPercent) override;
  void fillArea(const AreaRings& area, int greyPercent) override;
  // "rgb(g,g,g)" of a grey in percent of white.
  void putGrey(int greyPercent);
  void writeText(int32_t x, int32_t y, int textClass, std::u16string_view text) override;
  void writeStarLabel(int32_t x, int32_t y, const StarLabelParts& label) override;

  void writeStyleSheet();
  void lineRule(std::string_view name, const Pen& pen);
  void circleElement(std::string_view name, int32_t x, int32_t y, int32_t radius);
  void attribute(std::string_view name, int32_t value);
  // "x,y" device points of chart points, blank-separated.
  void putPoints(std::initializer_list<Point> points);
  void startText(std::string_view textClass, int32_t x, int32_t y);

  std::string_view lineClass_ = "framelines";
};

}  // namespace celvaro
