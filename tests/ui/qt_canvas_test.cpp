#include "ui/ui_test_support.h"

#include "output/bitmap24.h"
#include "ui/image_view.h"

namespace celvaro {
namespace {

using namespace testing;

QImage blackImage(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::black);
  return image;
}

TEST(QtCanvas, SmallDiscsKeepTheBoxGeometry) {
  QImage image = blackImage(20, 20);
  {
    QtCanvas canvas(image);
    canvas.setPen({0, 0, 0}, false);
    const Rgb white{255, 255, 255};
    canvas.setBrush(&white);
    canvas.ellipse(5, 5, 9, 9);     // a 4-pixel box: a white 2 x 2 core
    canvas.ellipse(-1, -1, 2, 2);   // clipped at the corner
    canvas.ellipse(18, 18, 22, 22);
  }
  for (const auto& [x, y, white] : {std::tuple{6, 6, true}, {7, 7, true}, {5, 6, false}, {8, 8, false}, {0, 0, true},
                                   {19, 19, true}}) {
    EXPECT_EQ(image.pixel(x, y), white ? qRgb(255, 255, 255) : qRgb(0, 0, 0)) << x << "," << y;
  }
}

// At a device pixel ratio of 2, as on a dense screen, a disc and a line
// are twice as wide in the image's pixels.
TEST(QtCanvas, DrawsAtTheImagesDevicePixelRatio) {
  QImage image = blackImage(40, 40);
  image.setDevicePixelRatio(2);
  {
    QtCanvas canvas(image);
    canvas.setPen({255, 255, 255}, false);
    const Rgb white{255, 255, 255};
    canvas.setBrush(&white);
    canvas.ellipse(5, 5, 9, 9);  // a 4-pixel box: 8 image pixels from (10, 10)
    canvas.line(0, 15, 19, 15);
  }
  int discRun = 0, lineRows = 0;
  for (int x = 0; x < 40; ++x) discRun += image.pixel(x, 14) == qRgb(255, 255, 255);
  for (int y = 20; y < 40; ++y) lineRows += image.pixel(5, y) == qRgb(255, 255, 255);
  EXPECT_EQ((std::tuple{discRun, image.pixel(9, 14), lineRows}), (std::tuple{8, qRgb(0, 0, 0), 2}));
}

// Solid lines on a 60 x 40 image: the pixels set, counted by hand (one a
// column along a flat line, one a row along a steep one, over the part on
// the image), and each within a pixel of the true line.
TEST(QtCanvas, LinesSetOnePixelAStepAndOnlyOnTheImage) {
  const struct { const char* what; DevicePoint from, to; int pixels; } cases[] = {
      {"inside", {2, 3}, {12, 7}, 11},
      {"across both sides", {-10, 5}, {70, 25}, 60},
      {"down through top and bottom", {30, -100}, {30, 500}, 40},
      {"corner to corner", {0, 0}, {59, 39}, 60},
      {"from far away", {-2000000000, 20}, {2000000000, 20}, 60},
      {"outside", {-5, -5}, {-1, 50}, 0},
      {"a point", {5, 5}, {5, 5}, 1},
  };
  for (const auto& c : cases) {
    QImage image = blackImage(60, 40);
    {
      QtCanvas canvas(image);
      canvas.setPen({255, 255, 255}, false);
      const DevicePoint points[] = {c.from, c.to};
      canvas.polyline(points, 2);
    }
    const double dx = double(c.to.x) - c.from.x, dy = double(c.to.y) - c.from.y, length = std::hypot(dx, dy);
    int set = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 60; ++x) {
        if (image.pixel(x, y) != qRgb(255, 255, 255)) continue;
        ++set;
        const double off = length == 0 ? std::hypot(x - c.from.x, y - c.from.y)
                                       : std::abs(dy * (x - c.from.x) - dx * (y - c.from.y)) / length;
        EXPECT_LE(off, 1.0) << c.what << " at " << x << "," << y;
      }
    }
    EXPECT_EQ(set, c.pixels) << c.what;
  }
}

// Areas are filled by the even-odd rule at pixel centres: a 20-pixel
// square less its 10-pixel hole (300 pixels), a square off the corner of
// which 3 x 3 pixels are on the image, and a right triangle whose rows
// hold 9, 8, ... 0 pixels (45).
TEST(QtCanvas, FillsAreasByTheEvenOddRuleAtPixelCentres) {
  QImage image = blackImage(40, 40);
  const DevicePoint points[] = {{5, 5},     {25, 5},  {25, 25}, {5, 25},  {10, 10}, {10, 20}, {20, 20}, {20, 10},
                                {-10, -10}, {3, -10}, {3, 3},   {-10, 3}, {30, 0},  {40, 0},  {30, 10}};
  const uint32_t ends[] = {4, 8, 12, 15};
  QtCanvas(image).fillArea(points, ends, 4, {0, 80, 0});
  int square = 0, corner = 0, triangle = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      if (image.pixel(x, y) != qRgb(0, 80, 0)) continue;
      ++(x < 4 && y < 4 ? corner : x >= 30 ? triangle : square);
    }
  }
  EXPECT_EQ(std::tuple(square, corner, triangle), std::tuple(300, 9, 45));
  EXPECT_EQ(image.pixel(15, 15), qRgb(0, 0, 0));  // the hole
  // A ring from two thousand million pixels away, on a dense screen, covers
  // the whole image and nothing beyond it.
  QImage dense = blackImage(20, 20);
  dense.setDevicePixelRatio(2);
  const DevicePoint far[] = {{-2000000000, -2000000000}, {2000000000, -2000000000}, {2000000000, 2000000000},
                             {-2000000000, 2000000000}};
  const uint32_t farEnd[] = {4};
  QtCanvas(dense).fillArea(far, farEnd, 1, {0, 80, 0});
  EXPECT_EQ((std::tuple{dense.pixel(0, 0), dense.pixel(19, 19)}), (std::tuple{qRgb(0, 80, 0), qRgb(0, 80, 0)}));
}

TEST(QtCanvas, XorDrawingTwiceRestoresTheImage) {
  QImage image = blackImage(200, 100);
  {
    QtCanvas canvas(image);
    canvas.setPen({10, 200, 30}, false);
    canvas.line(0, 0, 199, 99);
    canvas.text(20, 20, u"Vega αβγ", {200, 200, 0});
  }
  const QImage before = image.copy();
  for (int pass = 0; pass < 2; ++pass) {
    QtCanvas canvas(image);
    canvas.setPen({127, 255, 127}, true);
    canvas.setBrush(nullptr);
    canvas.ellipse(50, 20, 90, 60);
    canvas.ellipse(10, 10, 15, 15);
    const DevicePoint frame[] = {{30, 30}, {150, 30}, {150, 80}, {30, 80}, {30, 30}};
    canvas.polyline(frame, 5);
    canvas.line(100, 0, 100, 99);
  }
  EXPECT_EQ(image, before);
}

// Labels drawn from the kept layouts, the second time from the kept one,
// set the pixels the painter's own text drawing sets.
TEST(QtCanvas, KeptLayoutsDrawTheLabelsThePainterDraws) {
  const std::u16string_view labels[] = {u"α Betelgeuse", u"M42, Orion Nebula", u"-30", u"Nagy Medve"};
  QImage painted = blackImage(200, 80), kept = blackImage(200, 80);
  TextLayouts layouts;
  {
    QtCanvas plain(painted);
    for (int i = 0; i < 4; ++i) plain.text(5, 3 + 18 * i, labels[i], {250, 250, 0});
  }
  for (int pass = 0; pass < 2; ++pass) {
    kept.fill(Qt::black);
    QtCanvas canvas(kept, &layouts);
    for (int i = 0; i < 4; ++i) canvas.text(5, 3 + 18 * i, labels[i], {250, 250, 0});
  }
  EXPECT_EQ(kept, painted);
}

TEST(QtCanvas, FillsTheRectangleUpToItsRightAndBottomEdges) {
  QImage image = blackImage(20, 20);
  QtCanvas(image).fillRect(0, 0, 10, 10, {0, 0, 92});
  EXPECT_EQ((std::tuple{image.pixel(9, 9), image.pixel(10, 10)}), (std::tuple{qRgb(0, 0, 92), qRgb(0, 0, 0)}));
}

TEST(ImageView, ShowsAPictureCentred) {
  UiResources resources;
  ImageView view(resources, nullptr);
  view.resize(40, 30);
  Bitmap24 picture;
  picture.create(2, 1);
  const uint8_t pixels[6] = {255, 0, 0, 0, 0, 255};  // blue, then red
  picture.setRow(0, pixels);
  view.setPicture(&picture);
  const QImage shown = view.grab().toImage();
  EXPECT_EQ((std::tuple{shown.pixel(19, 14), shown.pixel(20, 14)}), (std::tuple{qRgb(0, 0, 255), qRgb(255, 0, 0)}));
}

}  // namespace
}  // namespace celvaro
