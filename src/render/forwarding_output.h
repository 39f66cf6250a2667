// A rendering output that passes every call on to another: the base of the
// outputs that watch or hold back part of a chart pass (the layer counts,
// the label placement) and let the rest through unchanged.
#pragma once

#include <string>

#include "output/rendering_output.h"

namespace celvaro {

class ForwardingOutput : public RenderingOutput {
 public:
  explicit ForwardingOutput(RenderingOutput& inner) : inner_(inner) {}

  void setColourTable(const PrintColourTable& colours) override { inner_.setColourTable(colours); }
  void setOptions(const RenderOptions& options) override { inner_.setOptions(options); }
  bool drawsStarsByClass() const override { return inner_.drawsStarsByClass(); }
  bool isScreen() const override { return inner_.isScreen(); }
  bool begin(const std::string& fileName, PageSize page, const OutputArea& area) override {
    return inner_.begin(fileName, page, area);
  }
  void end() override { inner_.end(); }
  void beginGroup(std::string_view name) override {
    group_ = name;
    inner_.beginGroup(name);
  }
  void endGroup() override {
    group_.clear();
    inner_.endGroup();
  }
  void clipToChart() override { inner_.clipToChart(); }
  void endChartClip() override { inner_.endChartClip(); }
  bool toDevice(int32_t x, int32_t y, int32_t& dx, int32_t& dy) const override { return inner_.toDevice(x, y, dx, dy); }

  void polyStart(int32_t x, int32_t y) override { inner_.polyStart(x, y); }
  void polyLineTo(int32_t x, int32_t y) override { inner_.polyLineTo(x, y); }
  void polyFinish(int32_t x, int32_t y, bool close) override { inner_.polyFinish(x, y, close); }
  void polyEnd(bool close) override { inner_.polyEnd(close); }
  void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override { inner_.line(x1, y1, x2, y2); }
  void pathMoveTo(int32_t x, int32_t y) override { inner_.pathMoveTo(x, y); }
  void pathLineTo(int32_t x, int32_t y) override { inner_.pathLineTo(x, y); }
  void pathEnd(bool close) override { inner_.pathEnd(close); }
  void circle(int32_t x, int32_t y, int32_t radius) override { inner_.circle(x, y, radius); }
  void rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool stroke, bool fill) override {
    inner_.rectangle(x1, y1, x2, y2, stroke, fill);
  }
  void polyline(const int32_t* x, const int32_t* y, int count) override { inner_.polyline(x, y, count); }
  void milkyWayArea(double brightness, const AreaRings& area) override { inner_.milkyWayArea(brightness, area); }
  void clear() override { inner_.clear(); }
  void setFrameLineStyle() override { inner_.setFrameLineStyle(); }
  void selectPen(int lineStyle) override { inner_.selectPen(lineStyle); }
  void selectBrush(int fillStyle) override { inner_.selectBrush(fillStyle); }
  void setTextStyle(int textStyle) override { inner_.setTextStyle(textStyle); }

  bool planetDisc(int body, int mark, int32_t x, int32_t y, int32_t d, int32_t r) override {
    return inner_.planetDisc(body, mark, x, y, d, r);
  }
  bool discWithTick(int index, int sub, int32_t x, int32_t y, int32_t d, int32_t r, double angle) override {
    return inner_.discWithTick(index, sub, x, y, d, r, angle);
  }
  bool minorPlanetDisc(int code, int32_t x, int32_t y, int32_t d, int32_t r) override {
    return inner_.minorPlanetDisc(code, x, y, d, r);
  }
  bool cometDisc(int code, int32_t x, int32_t y, int32_t d, int32_t r) override {
    return inner_.cometDisc(code, x, y, d, r);
  }
  bool moonDisc(int body, int32_t x, int32_t y, int32_t d, int32_t r, const MoonPhase& phase) override {
    return inner_.moonDisc(body, x, y, d, r, phase);
  }
  bool drawStarIndexed(int index, int32_t x, int32_t y, int32_t d, int32_t r) override {
    return inner_.drawStarIndexed(index, x, y, d, r);
  }
  bool drawColouredStarIndexed(int index, int32_t x, int32_t y, int32_t d, int32_t r, int c) override {
    return inner_.drawColouredStarIndexed(index, x, y, d, r, c);
  }
  bool drawStar(int32_t x, int32_t y, int32_t d, int32_t r) override { return inner_.drawStar(x, y, d, r); }
  bool drawColouredStar(int32_t x, int32_t y, int32_t d, int32_t r, int c) override {
    return inner_.drawColouredStar(x, y, d, r, c);
  }
  void legendStar(int32_t x, int32_t y, int32_t d, int32_t r) override { inner_.legendStar(x, y, d, r); }
  bool variableStar(int index, int32_t x, int32_t y, int32_t d, int32_t r) override {
    return inner_.variableStar(index, x, y, d, r);
  }
  bool dashMarker(int index, int32_t x, int32_t y, int32_t half) override { return inner_.dashMarker(index, x, y, half); }

  void galaxyEllipse(int i, int32_t x, int32_t y, int32_t v, int32_t w, int32_t h) override {
    inner_.galaxyEllipse(i, x, y, v, w, h);
  }
  void rotatedGalaxyEllipse(int i, int32_t x, int32_t y, int32_t ux, int32_t uy, int32_t vx, int32_t vy) override {
    inner_.rotatedGalaxyEllipse(i, x, y, ux, uy, vx, vy);
  }
  void largeOutline(int i, int32_t x, int32_t y, int32_t v, int32_t ux, int32_t uy, int32_t vx, int32_t vy) override {
    inner_.largeOutline(i, x, y, v, ux, uy, vx, vy);
  }
  void globularCluster(int i, int32_t x, int32_t y, int32_t v, int32_t s) override { inner_.globularCluster(i, x, y, v, s); }
  void openCluster(int i, int32_t x, int32_t y, int32_t v, int32_t s) override { inner_.openCluster(i, x, y, v, s); }
  void planetaryNebula(int i, int32_t x, int32_t y, int32_t v, int32_t s) override { inner_.planetaryNebula(i, x, y, v, s); }
  void diffuseNebula(int i, int32_t x, int32_t y, int32_t v, int32_t s) override { inner_.diffuseNebula(i, x, y, v, s); }
  void squareSymbol(int i, int32_t x, int32_t y, int32_t v, int32_t s) override { inner_.squareSymbol(i, x, y, v, s); }
  void pentagonSymbol(int i, int32_t x, int32_t y, int32_t s) override { inner_.pentagonSymbol(i, x, y, s); }
  void crossTickSymbol(int i, int32_t x, int32_t y) override { inner_.crossTickSymbol(i, x, y); }

  void text(int32_t x, int32_t y, int32_t dx, int32_t dy, int textClass, std::string_view text) override {
    inner_.text(x, y, dx, dy, textClass, text);
  }
  void wideText(int32_t x, int32_t y, int32_t dx, int32_t dy, int textClass, std::u16string_view text) override {
    inner_.wideText(x, y, dx, dy, textClass, text);
  }
  void legendText(int32_t x, int32_t y, int textClass, std::string_view text) override {
    inner_.legendText(x, y, textClass, text);
  }
  bool drawStarLabel(int index, int32_t x, int32_t y, int32_t dx, int32_t dy, const StarLabelParts& label) override {
    return inner_.drawStarLabel(index, x, y, dx, dy, label);
  }

 protected:
  // The group being drawn, empty between groups.
  const std::string& group() const { return group_; }

  RenderingOutput& inner_;

 private:
  std::string group_;
};

}  // namespace celvaro
