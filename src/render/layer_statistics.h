// A rendering output that passes everything on to another and counts what
// each layer of the chart drew: objects for the catalog layers, segments
// for the line layers, names for the constellation names.
#pragma once

#include <map>
#include <vector>
#include <string>

#include "render/forwarding_output.h"

namespace celvaro {

class LayerStatistics final : public ForwardingOutput {
 public:
  // The layers in the order they are reported.
  static const std::vector<std::string>& layerNames();

  explicit LayerStatistics(RenderingOutput& inner) : ForwardingOutput(inner) {}

  int count(const std::string& layer) const;
  void reset() { counts_.clear(); }

  bool begin(const std::string& fileName, PageSize page, const OutputArea& area) override;
  void polyLineTo(int32_t x, int32_t y) override;
  void polyFinish(int32_t x, int32_t y, bool close) override;
  void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  void selectPen(int lineStyle) override;
  // The Milky Way counts the rings it fills.
  void milkyWayArea(double brightness, const AreaRings& area) override {
    counts_["milkyway"] += static_cast<int>(area.ends.size());
    inner_.milkyWayArea(brightness, area);
  }

  bool planetDisc(int body, int mark, int32_t x, int32_t y, int32_t d, int32_t r) override {
    return counted("solarsystem", inner_.planetDisc(body, mark, x, y, d, r));
  }
  bool discWithTick(int index, int sub, int32_t x, int32_t y, int32_t d, int32_t r, double angle) override {
    return counted("solarsystem", inner_.discWithTick(index, sub, x, y, d, r, angle));
  }
  bool minorPlanetDisc(int code, int32_t x, int32_t y, int32_t d, int32_t r) override {
    return counted("solarsystem", inner_.minorPlanetDisc(code, x, y, d, r));
  }
  bool moonDisc(int body, int32_t x, int32_t y, int32_t d, int32_t r, const MoonPhase& phase) override {
    return counted("solarsystem", inner_.moonDisc(body, x, y, d, r, phase));
  }
  bool cometDisc(int code, int32_t x, int32_t y, int32_t d, int32_t r) override {
    return counted("solarsystem", inner_.cometDisc(code, x, y, d, r));
  }
  bool drawStarIndexed(int index, int32_t x, int32_t y, int32_t d, int32_t r) override {
    return counted("stars", inner_.drawStarIndexed(index, x, y, d, r));
  }
  bool drawColouredStarIndexed(int index, int32_t x, int32_t y, int32_t d, int32_t r, int c) override {
    return counted("stars", inner_.drawColouredStarIndexed(index, x, y, d, r, c));
  }
  bool drawStar(int32_t x, int32_t y, int32_t d, int32_t r) override { return counted("stars", inner_.drawStar(x, y, d, r)); }
  bool drawColouredStar(int32_t x, int32_t y, int32_t d, int32_t r, int c) override {
    return counted("stars", inner_.drawColouredStar(x, y, d, r, c));
  }
  bool variableStar(int index, int32_t x, int32_t y, int32_t d, int32_t r) override {
    return counted("variables", inner_.variableStar(index, x, y, d, r));
  }
  bool dashMarker(int index, int32_t x, int32_t y, int32_t half) override {
    return counted("doubles", inner_.dashMarker(index, x, y, half));
  }

  void galaxyEllipse(int i, int32_t x, int32_t y, int32_t v, int32_t w, int32_t h) override {
    ++counts_["deepsky"];
    inner_.galaxyEllipse(i, x, y, v, w, h);
  }
  void rotatedGalaxyEllipse(int i, int32_t x, int32_t y, int32_t ux, int32_t uy, int32_t vx, int32_t vy) override {
    ++counts_["deepsky"];
    inner_.rotatedGalaxyEllipse(i, x, y, ux, uy, vx, vy);
  }
  void largeOutline(int i, int32_t x, int32_t y, int32_t v, int32_t ux, int32_t uy, int32_t vx, int32_t vy) override {
    ++counts_["deepsky"];
    inner_.largeOutline(i, x, y, v, ux, uy, vx, vy);
  }
  void globularCluster(int i, int32_t x, int32_t y, int32_t v, int32_t s) override {
    ++counts_["deepsky"];
    inner_.globularCluster(i, x, y, v, s);
  }
  void openCluster(int i, int32_t x, int32_t y, int32_t v, int32_t s) override {
    ++counts_["deepsky"];
    inner_.openCluster(i, x, y, v, s);
  }
  void planetaryNebula(int i, int32_t x, int32_t y, int32_t v, int32_t s) override {
    ++counts_["deepsky"];
    inner_.planetaryNebula(i, x, y, v, s);
  }
  void diffuseNebula(int i, int32_t x, int32_t y, int32_t v, int32_t s) override {
    ++counts_["deepsky"];
    inner_.diffuseNebula(i, x, y, v, s);
  }
  void squareSymbol(int i, int32_t x, int32_t y, int32_t v, int32_t s) override {
    ++counts_["deepsky"];
    inner_.squareSymbol(i, x, y, v, s);
  }
  void pentagonSymbol(int i, int32_t x, int32_t y, int32_t s) override {
    ++counts_["deepsky"];
    inner_.pentagonSymbol(i, x, y, s);
  }
  void crossTickSymbol(int i, int32_t x, int32_t y) override {
    ++counts_["deepsky"];
    inner_.crossTickSymbol(i, x, y);
  }

  void text(int32_t x, int32_t y, int32_t dx, int32_t dy, int textClass, std::string_view text) override;
  bool drawStarLabel(int index, int32_t x, int32_t y, int32_t dx, int32_t dy, const StarLabelParts& label) override {
    return counted("starlabels", inner_.drawStarLabel(index, x, y, dx, dy, label));
  }

 private:
  bool counted(const char* layer, bool drawn) {
    if (drawn) ++counts_[layer];
    return drawn;
  }
  void segment();

  std::map<std::string, int> counts_;
  int lineStyle_ = 0;
};

}  // namespace celvaro
