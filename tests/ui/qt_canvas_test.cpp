#include "ui/qt_canvas.h"

#include "app/ui_resources.h"
#include "output/bitmap24.h"
#include "ui/image_view.h"

#include <gtest/gtest.h>


namespace celvaro {
namespace {

QImage blackImage(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::black);
  return image;
}

TEST(QtCanvas, SmallDiscsKeepTheBoxGeometry) {
  EXPECT_EQ(QtCanvas::discMask(3), (std::vector<uint8_t>{0, 1, 0, 1, 2, 1, 0, 1, 0}));
  const auto four = QtCanvas::discMask(4);
  EXPECT_EQ(four[0], 0);   // rounded corner
  EXPECT_EQ(four[5], 2);   // inner 2 x 2
  EXPECT_EQ(four[1], 1);
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
  EXPECT_EQ(image.pixel(6, 6), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(7, 7), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(5, 6), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(8, 8), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(19, 19), qRgb(255, 255, 255));
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
  EXPECT_EQ(discRun, 8);
  EXPECT_EQ(image.pixel(9, 14), qRgb(0, 0, 0));
  EXPECT_EQ(lineRows, 2);
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

TEST(QtCanvas, FillsTheRectangleUpToItsRightAndBottomEdges) {
  QImage image = blackImage(20, 20);
  QtCanvas(image).fillRect(0, 0, 10, 10, {0, 0, 92});
  EXPECT_EQ(image.pixel(9, 9), qRgb(0, 0, 92));
  EXPECT_EQ(image.pixel(10, 10), qRgb(0, 0, 0));
}

TEST(ImageView, ShowsAPictureCentredOrTheNoPictureText) {
  UiResources resources;
  ImageView view(resources, nullptr);
  view.resize(40, 30);
  EXPECT_FALSE(view.hasPicture());
  Bitmap24 picture;
  picture.create(2, 1);
  const uint8_t pixels[6] = {255, 0, 0, 0, 0, 255};  // blue, then red
  picture.setRow(0, pixels);
  view.setPicture(&picture);
  ASSERT_TRUE(view.hasPicture());
  const QImage shown = view.grab().toImage();
  EXPECT_EQ(shown.pixel(19, 14), qRgb(0, 0, 255));
  EXPECT_EQ(shown.pixel(20, 14), qRgb(255, 0, 0));
  view.setPicture(nullptr);
  EXPECT_FALSE(view.hasPicture());
}

}  // namespace
}  // namespace celvaro
