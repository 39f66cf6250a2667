// The chart canvas on a QImage: outlines and text through QPainter; small
// filled discs (the stars) written straight into the image from
// pre-rendered sprites, one per size and pair of colours, and so are solid
// lines one pixel wide and filled areas. The canvas draws
// in the image's device-independent pixels: on an image with a device
// pixel ratio of 2 every disc, line and label is twice as wide in the
// image's pixels, as on a screen of that ratio.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "output/canvas.h"
#include "ui/text_layouts.h"

namespace celvaro {

class QtCanvas final : public Canvas {
 public:
  // Discs up to this box size use sprites; larger ones QPainter.
  static constexpr int kMaxSpriteBox = 64;

  // Draws on `image` (Format_RGB32) at its device pixel ratio until
  // destruction; labels through `layouts` when given, which outlive the canvas.
  explicit QtCanvas(QImage& image, TextLayouts* layouts = nullptr);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  void setPen(Rgb colour, bool xorMode) override;
  void setBrush(const Rgb* colour) override;
  void fillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, Rgb colour) override;
  void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  void polyline(const DevicePoint* points, int count) override;
  void fillArea(const DevicePoint* points, const uint32_t* ends, int rings, Rgb colour) override;
  void ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
  void text(int32_t x, int32_t y, std::u16string_view text, Rgb colour) override;

  // Which pixels of an n-by-n box a disc covers: 0 outside, 1 outline
  // (`outline` pixels thick), 2 inside.
  static std::vector<uint8_t> discMask(int n, int outline = 1);

 private:
  // A disc as spans per row: outline on [begin, end) outside the interior
  // [innerBegin, innerEnd), which is filled.
  struct Span {
    int16_t begin, end, innerBegin, innerEnd;
  };
  struct Sprite {
    int size;
    std::vector<Span> rows;
  };
  static Sprite makeSprite(int size, int outline);
  const Sprite& spriteOf(int size);
  void blitDisc(int32_t left, int32_t top, const Sprite& sprite);
  // A canvas coordinate or length in the image's pixels; at ratio 1, on
  // most screens, itself, without the rounding a star would pay for.
  int32_t toImage(int32_t v) const { return ratio_ == 1 ? v : static_cast<int32_t>(std::lround(v * ratio_)); }
  void painterEllipse(int32_t left, int32_t top, int32_t right, int32_t bottom);
  // Solid lines one image pixel wide are set straight into the image: for
  // the grid, the figures and the outlines of a chart the painter's
  // stroker costs many times the pixels it sets.
  bool setsLinesItself() const { return ratio_ == 1 && !xor_; }
  void setLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  bool clipToImage(double a[2], double b[2]) const;
  static int pixelAtOrAfter(double at, int count);
  template <typename Visit>
  void forEachCrossing(const DevicePoint& a, const DevicePoint& b, Visit visit) const;

  QImage& image_;
  uint32_t* pixels_;  // the image's memory, taken once: bits() detaches
  int width_, height_, stride_;  // in the image's pixels
  double ratio_;  // image pixels per canvas pixel
  int outline_;   // a disc's outline in image pixels: one canvas pixel
  QPainter painter_;
  Rgb pen_{};
  bool xor_ = false;
  std::optional<Rgb> brush_;
  std::unordered_map<int, Sprite> sprites_;
  TextLayouts* layouts_;
  std::optional<QFont> font_;  // made at the first label: fonts need the application
  int ascent_ = 0;
};

}  // namespace celvaro
