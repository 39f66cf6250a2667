#include "ui/led_display.h"

#include <QPainter>

#include <algorithm>

namespace celvaro {
namespace {

constexpr int kMargin = 8;
// Red alone, so the display is as safe for the dark-adapted eye as night vision.
const QColor kLit(255, 0, 0);
const QColor kDark(48, 0, 0);

}  // namespace

LedDisplay::LedDisplay(int digits, QWidget* parent) : QWidget(parent), masks_(digits, 0) {
  setProperty("windowClass", kWindowClass);
  setMinimumSize(24 * digits + kMargin * (digits + 1), 48);
}

// A value with more digits than the display holds shows dashes: dropping
// its high digits would show a wrong number.
void LedDisplay::setValue(int value) {
  if (value == value_) return;
  value_ = value;
  int rest = value;
  for (int digit = static_cast<int>(masks_.size()) - 1; digit >= 0; --digit) {
    masks_[digit] = value < 0 ? 0 : kDigitMasks[rest % 10];
    rest /= 10;
  }
  if (rest > 0) std::fill(masks_.begin(), masks_.end(), kDash);
  for (size_t digit = 0; digit + 1 < masks_.size() && masks_[digit] == kDigitMasks[0]; ++digit) masks_[digit] = 0;
  update();
}

void LedDisplay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  const int digits = static_cast<int>(masks_.size());
  const int digitWidth = (width() - 2 * kMargin - kMargin * (digits - 1)) / digits;
  const int halfHeight = (height() - 2 * kMargin) / 2;
  for (int digit = 0; digit < digits; ++digit) {
    drawDigit(painter, digit, QRect(kMargin + digit * (digitWidth + kMargin), kMargin, digitWidth, 2 * halfHeight));
  }
}

// Each segment a bar along the digit's box: verticals on the left and
// right halves, horizontals at the top, middle and bottom.
void LedDisplay::drawDigit(QPainter& painter, int digit, const QRect& box) const {
  const int t = std::max(2, box.width() / 6);
  const int half = box.height() / 2;
  const QRect bars[7] = {
      {box.left(), box.top() + half, t, half},        {box.left(), box.top(), t, half},
      {box.left(), box.top(), box.width(), t},        {box.right() - t + 1, box.top(), t, half},
      {box.right() - t + 1, box.top() + half, t, half}, {box.left(), box.bottom() - t + 1, box.width(), t},
      {box.left(), box.top() + half - t / 2, box.width(), t}};
  for (int segment = 0; segment < 7; ++segment) {
    painter.fillRect(bars[segment], (masks_[digit] >> segment) & 1 ? kLit : kDark);
  }
}

}  // namespace celvaro
