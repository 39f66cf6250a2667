// A rendering output that draws nothing and counts what it is asked to draw.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "output/rendering_output.h"
#include "platform/utf_text.h"

namespace celvaro::testing {

class CountingOutput : public RenderingOutput {
 public:
  explicit CountingOutput(bool byClass = false) : byClass_(byClass) {}

  bool drawsStarsByClass() const override { return byClass_; }
  bool isScreen() const override { return false; }
  bool begin(const std::string&, PageSize, const OutputArea& area) override {
    setClipRectangle(-area.width / 2, -area.height / 2, area.width / 2, area.height / 2);
    return true;
  }
  void end() override {}
  void beginGroup(std::string_view) override {}
  void endGroup() override {}
  bool toDevice(int32_t, int32_t, int32_t&, int32_t&) const override { return true; }
  void polyStart(int32_t x, int32_t y) override { poly("start", x, y); }
  void polyLineTo(int32_t x, int32_t y) override { poly("to", x, y); }
  void polyFinish(int32_t x, int32_t y, bool) override { poly("finish", x, y); }
  void polyEnd(bool) override { poly("end", 0, 0); }
  void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override {
    ++count["line"];
    lines.push_back({x1, y1, x2, y2});
  }
  void pathMoveTo(int32_t, int32_t) override {}
  void pathLineTo(int32_t, int32_t) override {}
  void pathEnd(bool) override {}
  void circle(int32_t, int32_t, int32_t) override {}
  void rectangle(int32_t, int32_t, int32_t, int32_t, bool, bool) override {}
  void polyline(const int32_t*, const int32_t*, int) override {}
  void clear() override {}
  void setFrameLineStyle() override {}
  void selectPen(int) override {}
  void selectBrush(int style) override { ++count["selectBrush" + std::to_string(style)]; }
  void setTextStyle(int) override {}
  bool planetDisc(int id, int mark, int32_t, int32_t, int32_t d, int32_t) override { return disc("planet", id, mark, d); }
  bool discWithTick(int, int, int32_t, int32_t, int32_t, int32_t, double) override { return true; }
  bool minorPlanetDisc(int id, int32_t, int32_t, int32_t d, int32_t) override { return disc("minor", id, -1, d); }
  bool cometDisc(int id, int32_t, int32_t, int32_t d, int32_t) override { return disc("comet", id, -1, d); }
  bool drawStarIndexed(int index, int32_t x, int32_t y, int32_t d, int32_t r) override {
    lastIndex = index;
    return star("indexed", x, y, d, r);
  }
  bool drawColouredStarIndexed(int index, int32_t x, int32_t y, int32_t d, int32_t r, int c) override {
    lastIndex = index;
    lastColour = c;
    return star("colouredIndexed", x, y, d, r);
  }
  bool drawStar(int32_t x, int32_t y, int32_t d, int32_t r) override { return star("plain", x, y, d, r); }
  bool drawColouredStar(int32_t x, int32_t y, int32_t d, int32_t r, int c) override {
    lastColour = c;
    return star("coloured", x, y, d, r);
  }
  void legendStar(int32_t, int32_t, int32_t, int32_t) override {}
  bool variableStar(int, int32_t, int32_t, int32_t, int32_t) override { return true; }
  bool dashMarker(int, int32_t, int32_t, int32_t) override { return true; }
  void galaxyEllipse(int, int32_t, int32_t, int32_t, int32_t, int32_t) override { ++count["galaxy"]; }
  void rotatedGalaxyEllipse(int, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override {
    ++count["rotatedGalaxy"];
  }
  void globularCluster(int, int32_t, int32_t, int32_t, int32_t) override { ++count["globular"]; }
  void openCluster(int, int32_t, int32_t, int32_t, int32_t) override { ++count["open"]; }
  void planetaryNebula(int, int32_t, int32_t, int32_t, int32_t) override {}
  void diffuseNebula(int, int32_t, int32_t, int32_t, int32_t) override { ++count["diffuse"]; }
  void squareSymbol(int, int32_t, int32_t, int32_t, int32_t) override {}
  void pentagonSymbol(int, int32_t, int32_t, int32_t) override {}
  void crossTickSymbol(int, int32_t, int32_t) override {}
  void text(int32_t, int32_t, int32_t, int32_t, int, std::string_view t) override { texts.emplace_back(t); }
  void wideText(int32_t, int32_t, int32_t, int32_t, int, std::u16string_view t) override {
    texts.push_back(utf16ToUtf8(t));
  }
  void legendText(int32_t, int32_t, int, std::string_view t) override { texts.emplace_back(t); }
  bool drawStarLabel(int, int32_t, int32_t, int32_t dx, int32_t, const StarLabelParts& label) override {
    ++count["label"];
    lastLabel = label;
    lastLabelDx = dx;
    return true;
  }

  struct DiscCall { std::string kind; int id, mark; int32_t diameter; };
  std::vector<DiscCall> discs;
  std::vector<std::array<int32_t, 4>> lines;
  struct PolyCall { std::string op; int32_t x, y; };
  std::map<std::string, int> count;
  std::vector<PolyCall> polyCalls;
  std::vector<std::string> texts;
  int32_t lastDiameter = -1, lastRadius = -1, lastIndex = -1, lastLabelDx = 0;
  int lastColour = -1;
  StarLabelParts lastLabel;

 private:
  void poly(const char* op, int32_t x, int32_t y) {
    ++count[std::string("poly_") + op];
    polyCalls.push_back({op, x, y});
  }
  bool disc(const char* kind, int id, int mark, int32_t d) {
    discs.push_back({kind, id, mark, d});
    return true;
  }
  bool star(const char* kind, int32_t, int32_t, int32_t d, int32_t r) {
    ++count[kind];
    lastDiameter = d;
    lastRadius = r;
    return true;
  }
  bool byClass_;
};

}  // namespace celvaro::testing
