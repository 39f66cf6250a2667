// Holds back the labels of a chart pass while the layers draw, then places
// them so that none covers another, the disc of a star as bright as its
// object or brighter, a body's disc or the frame (grid numbers, which name
// no object, keep off the bright stars and the deep-sky symbols too):
// each keeps its described offset when that place is free, else takes the
// first free of the other sides; the labels of the brightest objects go
// first, so those of the faintest are the ones left out. A double or
// variable star the star layer has labelled gets no second label. Every
// output (screen and files) draws its chart through one, so a printed map
// shows the labels the screen does.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "output/output_area.h"
#include "render/forwarding_output.h"
#include "render/occupancy_grid.h"

namespace celvaro {

class LabelPlacer final : public ForwardingOutput {
 public:
  LabelPlacer(RenderingOutput& inner, const OutputArea& area, const RenderOptions& options);

  // Places and draws the labels held back, each layer's in a group of its own.
  void finish();

  void setTextStyle(int textStyle) override;

  bool planetDisc(int body, int mark, int32_t x, int32_t y, int32_t d, int32_t r) override {
    return marked(x, y, d, r, DiscKind::kBody, inner_.planetDisc(body, mark, x, y, d, r));
  }
  bool minorPlanetDisc(int code, int32_t x, int32_t y, int32_t d, int32_t r) override {
    return marked(x, y, d, r, DiscKind::kBody, inner_.minorPlanetDisc(code, x, y, d, r));
  }
  bool cometDisc(int code, int32_t x, int32_t y, int32_t d, int32_t r) override {
    return marked(x, y, d, r, DiscKind::kBody, inner_.cometDisc(code, x, y, d, r));
  }
  bool moonDisc(int body, int32_t x, int32_t y, int32_t d, int32_t r, const MoonPhase& phase) override {
    return marked(x, y, d, r, DiscKind::kBody, inner_.moonDisc(body, x, y, d, r, phase));
  }
  bool discWithTick(int index, int sub, int32_t x, int32_t y, int32_t d, int32_t r, double angle) override {
    return marked(x, y, d, r, DiscKind::kStar, inner_.discWithTick(index, sub, x, y, d, r, angle));
  }
  bool drawStarIndexed(int index, int32_t x, int32_t y, int32_t d, int32_t r) override {
    return marked(x, y, d, r, DiscKind::kStar, inner_.drawStarIndexed(index, x, y, d, r));
  }
  bool drawColouredStarIndexed(int index, int32_t x, int32_t y, int32_t d, int32_t r, int c) override {
    return marked(x, y, d, r, DiscKind::kStar, inner_.drawColouredStarIndexed(index, x, y, d, r, c));
  }
  bool drawStar(int32_t x, int32_t y, int32_t d, int32_t r) override {
    return marked(x, y, d, r, DiscKind::kStar, inner_.drawStar(x, y, d, r));
  }
  bool drawColouredStar(int32_t x, int32_t y, int32_t d, int32_t r, int c) override {
    return marked(x, y, d, r, DiscKind::kStar, inner_.drawColouredStar(x, y, d, r, c));
  }
  bool variableStar(int index, int32_t x, int32_t y, int32_t d, int32_t r) override {
    return marked(x, y, d, r, DiscKind::kStar, inner_.variableStar(index, x, y, d, r));
  }

  // The deep-sky symbols: each is entered for the grid numbers to keep off,
  // and its magnitude kept for the label that follows it.
  void galaxyEllipse(int i, int32_t x, int32_t y, int32_t v, int32_t w, int32_t h) override {
    symbol(x, y, std::max(w, h) / 2, v);
    inner_.galaxyEllipse(i, x, y, v, w, h);
  }
  void rotatedGalaxyEllipse(int i, int32_t x, int32_t y, int32_t ux, int32_t uy, int32_t vx, int32_t vy) override;
  void globularCluster(int i, int32_t x, int32_t y, int32_t v, int32_t s) override {
    symbol(x, y, s / 2, v);
    inner_.globularCluster(i, x, y, v, s);
  }
  void openCluster(int i, int32_t x, int32_t y, int32_t v, int32_t s) override {
    symbol(x, y, s / 2, v);
    inner_.openCluster(i, x, y, v, s);
  }
  void planetaryNebula(int i, int32_t x, int32_t y, int32_t v, int32_t s) override {
    symbol(x, y, s / 2, v);
    inner_.planetaryNebula(i, x, y, v, s);
  }
  void diffuseNebula(int i, int32_t x, int32_t y, int32_t v, int32_t s) override {
    symbol(x, y, s / 2, v);
    inner_.diffuseNebula(i, x, y, v, s);
  }
  // A large object's outline: its middle is entered, its magnitude kept
  // for its label (set at the outline's edge); the labels inside stay free.
  void largeOutline(int i, int32_t x, int32_t y, int32_t v, int32_t ux, int32_t uy, int32_t vx, int32_t vy) override {
    symbol(x, y, 1, v);
    inner_.largeOutline(i, x, y, v, ux, uy, vx, vy);
  }
  void pentagonSymbol(int i, int32_t x, int32_t y, int32_t s) override {
    symbol(x, y, s, kUnknownMagnitude);
    inner_.pentagonSymbol(i, x, y, s);
  }

  void text(int32_t x, int32_t y, int32_t dx, int32_t dy, int textClass, std::string_view text) override;
  void wideText(int32_t x, int32_t y, int32_t dx, int32_t dy, int textClass, std::u16string_view text) override;
  bool drawStarLabel(int index, int32_t x, int32_t y, int32_t dx, int32_t dy, const StarLabelParts& label) override;

 private:
  // The layers whose labels are placed, in the order their groups are drawn.
  enum Layer : int { kNames, kGrid, kDeepsky, kDoubles, kStars, kVariables, kSolarSystem, kLayers };
  struct Held {
    int32_t x, y, dx, dy;
    int textClass, textStyle;
    Layer layer;
    int32_t radius;  // of the object's disc or symbol
    // That of a star disc as bright as the object: the label keeps off the
    // star discs of this size and larger, and the larger, the sooner placed.
    int32_t starRadius;
    std::u16string text;
    std::string narrow;  // the text as given to text(), else empty
    int starIndex = -1;  // a star label's, with its parts
    StarLabelParts parts{};
    ChartBox box{};  // where it is drawn, once placed
    bool placed = false;
  };

  // Font size (the unit of the advances), ascent and descent of a text
  // class in device units. The screen draws every label in one 14-pixel
  // face, whose letters run wider than the files' Helvetica: 17 pixels.
  struct Metrics {
    int32_t size, ascent, descent;
  };
  Metrics metrics(int textClass) const;
  static constexpr int32_t kUnknownMagnitude = 9999;  // hundredths
  bool marked(int32_t x, int32_t y, int32_t d, int32_t r, DiscKind kind, bool drawn);
  void symbol(int32_t x, int32_t y, int32_t radius, int32_t magHundredths);
  int32_t starRadiusOf(const Held& label) const;
  void hold(Held label);
  Layer layerOf(int textClass) const;
  int tier(Layer layer) const;
  static int32_t prominence(const Held& label);
  void dropRepeatedStars();
  void place(Held& label);
  // The label's box at its described offset.
  ChartBox describedBox(const Held& label) const;
  int32_t textWidth(const Held& label) const;
  bool isFree(const ChartBox& box, const Held& label) const;
  KeepOff keepOff(const Held& label) const;
  void draw(const Held& label);

  OccupancyGrid occupied_;
  std::vector<Held> held_;
  int currentTextStyle_ = 0;
  int drawnTextStyle_ = -1;
  int32_t lineHeight_;  // of the smallest text, for gaps and tolerances
  int32_t brightStarRadius_ = 1;  // the discs grid numbers and names keep off, from this size
  // The deep-sky symbol drawn last: its centre and magnitude.
  int32_t symbolX_ = 0, symbolY_ = 0, symbolMagnitude_ = kUnknownMagnitude;
};

}  // namespace celvaro
