// "ImageView": a child window that shows a picture centred at its natural
// size, or the "no picture" text when it has none.
#pragma once

#include <QImage>
#include <QWidget>

namespace celvaro {

class Bitmap24;
class UiResources;

class ImageView final : public QWidget {
 public:
  static constexpr int kControlId = 100;
  ImageView(UiResources& resources, QWidget* parent);

  // Shows the picture, or the text when `picture` is null or empty.
  void setPicture(const Bitmap24* picture);
  bool hasPicture() const { return !image_.isNull(); }

  // The picture as a QImage: rows top-down, red-green-blue.
  static QImage toImage(const Bitmap24& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  UiResources& resources_;
  QImage image_;
};

}  // namespace celvaro
