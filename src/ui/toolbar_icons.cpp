#include "ui/toolbar_icons.h"

#include <QPainter>
#include <QPixmap>

#include "model/text_ids.h"

namespace celvaro {
namespace {

enum class Glyph { kText, kStar, kEllipse, kGlobe, kPlanet };

// A text glyph's letters: their text id in the language files, 0 for a
// sign every language shares.
struct IconDesign {
  Glyph glyph;
  const char* text;
  int textId = 0;
};

IconDesign designOf(int id) {
  switch (id) {
    case 2000: return {Glyph::kText, "*"};
    case 2001: case 2016: return {Glyph::kStar, ""};
    case 2002: return {Glyph::kText, "Nm", text_id::kGlyphNamedStars};
    case 2003: case 2017: return {Glyph::kText, "V"};
    case 2004: case 2018: return {Glyph::kText, "D"};
    case 2005: return {Glyph::kPlanet, ""};
    case 2006: case 2019: return {Glyph::kEllipse, ""};
    case 2007: return {Glyph::kText, "+"};
    case 2008: return {Glyph::kText, "-"};
    case 2009: return {Glyph::kText, "m-"};
    case 2010: return {Glyph::kText, "m+"};
    case 2011: return {Glyph::kGlobe, ""};
    case 2012: return {Glyph::kText, "N", text_id::kGlyphNorth};
    case 2013: return {Glyph::kText, "W", text_id::kGlyphNorth + 1};
    case 2014: return {Glyph::kText, "S", text_id::kGlyphNorth + 2};
    case 2015: return {Glyph::kText, "E", text_id::kGlyphNorth + 3};
    case 2020: return {Glyph::kText, "Tel", text_id::kGlyphTelescopeMode};
    default: return {Glyph::kText, "Map", text_id::kGlyphMapMode};
  }
}

// The outline and text, the star's and the planet's fill.
struct IconColours {
  QColor outline, star, planet;
};
const IconColours kDayColours{{30, 30, 60}, {250, 220, 60}, {230, 170, 90}};
const IconColours kNightColours{{255, 0, 0}, {192, 0, 0}, {160, 0, 0}};

}  // namespace

QIcon toolbarIcon(int commandId, bool nightVision, iLanguageTexts& texts) {
  const IconColours& colours = nightVision ? kNightColours : kDayColours;
  const bool wide = commandId >= 2020;  // the gamepad band's buttons are 24 wide
  QPixmap pixmap(wide ? 24 : 16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(colours.outline, 1.2));
  const IconDesign design = designOf(commandId);
  switch (design.glyph) {
    case Glyph::kStar:
      painter.setBrush(colours.star);
      painter.drawEllipse(QRectF(3, 3, 10, 10));
      break;
    case Glyph::kEllipse:
      painter.drawEllipse(QRectF(1, 5, 14, 6));
      break;
    case Glyph::kGlobe:
      painter.drawEllipse(QRectF(1, 1, 14, 14));
      painter.drawLine(1, 8, 15, 8);
      painter.drawEllipse(QRectF(5, 1, 6, 14));
      break;
    case Glyph::kPlanet:
      painter.setBrush(colours.planet);
      painter.drawEllipse(QRectF(4, 4, 8, 8));
      painter.drawLine(1, 10, 15, 6);
      break;
    case Glyph::kText: {
      QFont font = painter.font();
      font.setPixelSize(11);
      font.setBold(true);
      painter.setFont(font);
      const std::string letters = design.textId ? texts.textOr(design.textId, design.text) : design.text;
      painter.drawText(pixmap.rect(), Qt::AlignCenter, QString::fromStdString(letters));
      break;
    }
  }
  return QIcon(pixmap);
}

}  // namespace celvaro
