#include "ui/night_vision.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolTip>

#include <optional>

namespace celvaro {
namespace {

// Red levels of the palette. Text at full red on a background of 64 has a
// luminance contrast of 4.3, near the 5.25 that full red on black gives.
constexpr int kFull = 255, kBright = 192, kMiddle = 128, kQuarter = 64, kDim = 48, kDeep = 32;

// Brightness by the luma weights of ITU-R BT.601, in thousandths.
int luma(QRgb pixel) { return (299 * qRed(pixel) + 587 * qGreen(pixel) + 114 * qBlue(pixel) + 500) / 1000; }

QImage inRed(const QImage& image) {
  QImage red = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < red.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(red.scanLine(y));
    for (int x = 0; x < red.width(); ++x) line[x] = qRgba(luma(line[x]), 0, 0, qAlpha(line[x]));
  }
  return red;
}

QPixmap inRed(const QPixmap& pixmap) {
  return pixmap.isNull() ? pixmap : QPixmap::fromImage(inRed(pixmap.toImage()));
}

// The classic style paints bevels, check marks and arrows with the
// palette's colours only, where the default style lightens colours and lays
// white over them. What it still paints in other colours is turned red here.
class NightVisionStyle final : public QProxyStyle {
 public:
  NightVisionStyle() : QProxyStyle(QStyleFactory::create("Windows")) {}

  QPalette standardPalette() const override { return nightVisionPalette(); }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element == PE_FrameFocusRect) {
      drawFocusFrame(option, painter);
      return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element == PE_PanelLineEdit) drawTextCursor(option, painter, widget);
  }

  // Text fields draw their cursor inverted, which turns red into cyan: they
  // draw none, and the style draws it under the text instead.
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    return metric == PM_TextCursorWidth ? 0 : QProxyStyle::pixelMetric(metric, option, widget);
  }

  QPixmap generatedIconPixmap(QIcon::Mode mode, const QPixmap& pixmap, const QStyleOption* option) const override {
    return inRed(QProxyStyle::generatedIconPixmap(mode, pixmap, option));
  }

  // Message-box and dialog icons.
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override {
    const QIcon coloured = QProxyStyle::standardIcon(icon, option, widget);
    QIcon red;
    for (int side : {16, 24, 32, 48, 64}) {
      const QPixmap pixmap = coloured.pixmap(side);
      if (!pixmap.isNull()) red.addPixmap(inRed(pixmap));
    }
    return red;
  }

 private:
  // The classic focus frame is dotted in the inverse of its background,
  // which is no red: it is dotted in the text colour instead.
  static void drawFocusFrame(const QStyleOption* option, QPainter* painter) {
    painter->save();
    painter->setPen(QPen(option->palette.color(QPalette::WindowText), 1, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
  }

  // A field's cursor area reaches 5 pixels left of the cursor and spans
  // the text line and one pixel more.
  static void drawTextCursor(const QStyleOption* option, QPainter* painter, const QWidget* widget) {
    const auto* field = qobject_cast<const QLineEdit*>(widget);
    if (!field || !field->hasFocus() || field->isReadOnly()) return;
    const QRect area = field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    painter->fillRect(QRect(area.left() + 5, area.top(), 1, area.height() - 1), option->palette.color(QPalette::Text));
  }
};

// What the program looked like before night vision, while it is on.
struct DayLook {
  QString style;
  QPalette palette;
  QPalette toolTips;
  QFont font;
};
std::optional<DayLook>& dayLook() {
  static std::optional<DayLook> look;
  return look;
}

}  // namespace

QPalette nightVisionPalette() {
  auto red = [](int level) { return QColor(level, 0, 0); };
  QPalette palette;
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::BrightText,
                                   QPalette::ToolTipText, QPalette::Link}) {
    palette.setColor(role, red(kFull));
  }
  for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button}) palette.setColor(role, red(kQuarter));
  palette.setColor(QPalette::Base, red(kDeep));
  palette.setColor(QPalette::AlternateBase, red(kDim));
  palette.setColor(QPalette::ToolTipBase, red(kDeep));
  palette.setColor(QPalette::Light, red(kBright));
  palette.setColor(QPalette::Midlight, red(kMiddle));
  palette.setColor(QPalette::Mid, red(kDim));
  palette.setColor(QPalette::Dark, red(kDeep));
  palette.setColor(QPalette::Shadow, red(0));
  palette.setColor(QPalette::Highlight, red(kBright));
  palette.setColor(QPalette::HighlightedText, red(0));
  palette.setColor(QPalette::LinkVisited, red(kBright));
  palette.setColor(QPalette::PlaceholderText, red(kMiddle));
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Disabled, role, red(kMiddle));
  }
  // Disabled text is not etched in the light colour.
  palette.setColor(QPalette::Disabled, QPalette::Light, red(kQuarter));
  return palette;
}

void showNightVision(bool on) {
  std::optional<DayLook>& day = dayLook();
  if (on == day.has_value()) return;
  if (on) {
    day = DayLook{QApplication::style()->name(), QApplication::palette(), QToolTip::palette(), QApplication::font()};
    QApplication::setStyle(new NightVisionStyle);
    QApplication::setPalette(nightVisionPalette());
    QToolTip::setPalette(nightVisionPalette());
    QFont font = day->font;
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    QApplication::setFont(font);
    return;
  }
  QApplication::setStyle(day->style);
  QApplication::setPalette(day->palette);
  QToolTip::setPalette(day->toolTips);
  QApplication::setFont(day->font);
  day.reset();
}

bool nightVisionShown() { return dayLook().has_value(); }

QColor nightSafe(const QColor& colour) {
  if (!nightVisionShown()) return colour;
  return QColor(luma(colour.rgb()), 0, 0, colour.alpha());
}

QImage nightSafe(const QImage& image) { return nightVisionShown() ? inRed(image) : image; }

}  // namespace celvaro
