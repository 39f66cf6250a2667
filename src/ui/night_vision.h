// Night vision on screen: the whole program turns red, and every pixel it
// draws carries red alone, so the eye at the telescope keeps its dark
// adaptation. The chart itself turns red through its colour scheme; this is
// the rest: widgets, icons, pictures.
#pragma once

#include <QColor>
#include <QImage>
#include <QPalette>

namespace celvaro {

// Switches every widget of the program to night vision (the red palette
// and a style that paints with the palette's colours only, without
// subpixel-coloured text) or back to the style, palette and font they had.
void showNightVision(bool on);
bool nightVisionShown();

// The red palette: text at full red on backgrounds no brighter than a
// quarter, so text keeps the most contrast red alone can give.
QPalette nightVisionPalette();

// In night vision a colour or picture becomes its brightness (luma) in red
// alone; otherwise it is returned unchanged. For controls that paint
// pictures or fixed colours of their own.
QColor nightSafe(const QColor& colour);
QImage nightSafe(const QImage& image);

}  // namespace celvaro
