#include "ui/dialogs/moon_calendar_panel.h"

#include <QImage>
#include <QPainter>

#include "aids/moon_calendar.h"
#include "aids/moon_image.h"
#include "app/ui_resources.h"
#include "model/text_ids.h"
#include "ui/night_vision.h"

namespace celvaro {
namespace {

constexpr int kDaysInWeek = 7;
constexpr int kHeadingMaxChars = 32;
constexpr int kDayIndent = 10, kMoonBelowNumber = 15;
constexpr const char* kWeekdays[kDaysInWeek] = {"Monday", "Tuesday", "Wednesday", "Thursday",
                                                "Friday", "Saturday", "Sunday"};

QImage moonPicture(const MoonImage& moon, int phase) {
  const MoonImage::Pixels pixels = moon.shaded(phase);
  QImage image(MoonImage::kSize, MoonImage::kSize, QImage::Format_Grayscale8);
  for (int row = 0; row < MoonImage::kSize; ++row) {
    std::copy_n(pixels.begin() + row * MoonImage::kSize, MoonImage::kSize, image.scanLine(row));
  }
  return image;
}

}  // namespace

MoonCalendarPanel::MoonCalendarPanel(UiResources& resources, const MoonImage& moon, const MoonMonth& month,
                                     QWidget* parent)
    : QWidget(parent), resources_(resources), moon_(moon), month_(month) {
  setObjectName(QStringLiteral("id%1").arg(kControlId));
  setMinimumSize(kDaysInWeek * kCellWidth + 2, kHeadingHeight + 6 * kCellWidth + 2);
}

QPoint MoonCalendarPanel::cellOf(int day, int firstWeekday) {
  const int at = firstWeekday + day;
  return {at % kDaysInWeek, at / kDaysInWeek};
}

void MoonCalendarPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  painter.setPen(nightSafe(QColor(196, 196, 196)));
  for (int c = 0; c < kDaysInWeek; ++c) {
    const std::string heading = resources_.textOr(text_id::kWeekdayFirst + c, kWeekdays[c]).substr(0, kHeadingMaxChars);
    painter.drawText(QRect(kCellWidth * c + 1, 2, kCellWidth - 2, kHeadingHeight - 2), Qt::AlignCenter,
                     QString::fromStdString(heading));
  }
  for (int day = 0; day < month_.dayCount; ++day) {
    const QPoint cell = cellOf(day, month_.firstWeekday);
    const int x = kCellWidth * cell.x() + kDayIndent, y = kHeadingHeight + kCellWidth * cell.y();
    painter.drawText(QRect(x, y, kCellWidth - kDayIndent, kMoonBelowNumber), Qt::AlignLeft | Qt::AlignTop,
                     QString::number(day + 1));
    if (moon_.isBuilt()) painter.drawImage(x, y + kMoonBelowNumber, nightSafe(moonPicture(moon_, month_.phase[day])));
  }
}

}  // namespace celvaro
