#include "ui/image_view.h"

#include <QPainter>

#include <algorithm>

#include "app/ui_resources.h"
#include "model/text_ids.h"
#include "output/bitmap24.h"
#include "ui/night_vision.h"

namespace celvaro {

ImageView::ImageView(UiResources& resources, QWidget* parent) : QWidget(parent), resources_(resources) {
  setObjectName(QStringLiteral("id%1").arg(kControlId));
}

QImage ImageView::toImage(const Bitmap24& picture) {
  QImage image(picture.width(), picture.height(), QImage::Format_RGB888);
  for (int row = 0; row < picture.height(); ++row) {
    const uint8_t* bgr = picture.rowFromTop(row);
    uchar* rgb = image.scanLine(row);
    for (int x = 0; x < picture.width(); ++x) {
      rgb[3 * x] = bgr[3 * x + 2];
      rgb[3 * x + 1] = bgr[3 * x + 1];
      rgb[3 * x + 2] = bgr[3 * x];
    }
  }
  return image;
}

void ImageView::setPicture(const Bitmap24* picture) {
  image_ = picture && !picture->isEmpty() ? toImage(*picture) : QImage();
  update();
}

void ImageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().button());
  if (image_.isNull()) {
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine,
                     QString::fromStdString(resources_.textOr(text_id::kNoPicture, "No picture")));
    return;
  }
  painter.drawImage(std::max(0, (width() - image_.width()) / 2), std::max(0, (height() - image_.height()) / 2),
                    nightSafe(image_));
}

}  // namespace celvaro
