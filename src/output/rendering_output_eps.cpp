#include "output/rendering_output_eps.h"

#include "output/text_encoding.h"

namespace celvaro {
namespace {

constexpr int kSymbolFonts = 20;  // FONT20..FONT25
constexpr PrintColour kBlack{0, 0, 0};
// No colour: what the page's colour is after the cut is forgotten.
constexpr PrintColour kNoColour{-1, -1, -1};

using Ink = RenderingOutputFile::Ink;

PrintColour inkColour(Ink ink) {
  return ink == Ink::kGrey ? PrintColour{50, 50, 50} : ink == Ink::kWhite ? PrintColour{100, 100, 100} : kBlack;
}

// The prolog's text font: Helvetica re-encoded as ISOLatin1Encoding with
// the apostrophe, hyphen and grave as themselves (not the quote and minus
// of that encoding) and the text font's own glyphs at 0x80..0x9F.
constexpr std::string_view kEncoding =
    "/TextEncoding ISOLatin1Encoding 256 array copy def\r\n"
    "TextEncoding 39 /quotesingle put TextEncoding 45 /hyphen put TextEncoding 96 /grave put\r\n"
    "TextEncoding 128 [";
constexpr std::string_view kTextFont =
    "] putinterval\r\n"
    "/Helvetica findfont dup length dict begin\r\n"
    "{ 1 index /FID ne { def } { pop pop } ifelse } forall\r\n"
    "/Encoding TextEncoding def currentdict end\r\n"
    "/Helvetica-Text exch definefont pop\r\n";
// The disc of the stars filled with FC and outlined in the current colour.
constexpr std::string_view kDisc =
    "/FC { 0 0 0 } def\r\n"
    "/D { newpath 0 360 arc closepath gsave FC setrgbcolor fill grestore stroke } bind def\r\n";

}  // namespace

void RenderingOutputEps::writeHeader(PageSize page) {
  auto points = [](int32_t hundredths) { return static_cast<int32_t>((int64_t{hundredths} * 2835 + 99999) / 100000); };
  ink_ = penColour_ = textColour_ = discFill_ = kBlack;
  put("%!PS-Adobe-3.0 EPSF-3.0\r\n%%BoundingBox: 0 0 ");
  put(points(page.width));
  put(' ');
  put(points(page.height));
  put("\r\n%%Creator: Celvaro\r\n%%LanguageLevel: 2\r\n%%EndComments\r\n%%BeginProlog\r\n");
  put(kEncoding);
  put(kTextFontDifferences);
  put(kTextFont);
  put(kDisc);
  writeFonts();
  put("%%EndProlog\r\n72 2540 div dup scale\r\n1 setlinejoin\r\n");
}

void RenderingOutputEps::writeFonts() {
  for (int index = 0; index < 6; ++index) {
    for (const std::string_view family : {"Helvetica-Text", "Symbol"}) {
      const int font = family == "Symbol" ? kSymbolFonts + index : index;
      put("/F");
      put(font);
      put(" /");
      put(family);
      put(" findfont ");
      put(fontSizeAt(index));
      put(" scalefont def /FONT");
      put(font);
      put(" { F");
      put(font);
      put(" setfont } def\r\n");
    }
  }
}

void RenderingOutputEps::writeTrailer() {
  put("showpage\r\n");
  put('\x04');
}

void RenderingOutputEps::beginClip(Point low, Point high) {
  put("gsave ");
  moveTo(low.x, low.y);
  lineTo(low.x, high.y);
  lineTo(high.x, high.y);
  lineTo(high.x, low.y);
  closePath();
  put(" clip newpath\r\n");
}

// Restoring the graphics state puts back the colour, the line width and
// the font of the cut's start: the next drawing writes its own again.
void RenderingOutputEps::endClip() {
  put("grestore\r\n");
  ink_ = kNoColour;
}

// --- colours ----------------------------------------------------------------------

// Percent as "whole.hundredths": 5 is 0.05, 100 is 1.00.
void RenderingOutputEps::putColour(PrintColour colour) {
  bool first = true;
  for (const int32_t c : {colour.red, colour.green, colour.blue}) {
    if (!first) put(' ');
    first = false;
    put(c / 100);
    put('.');
    put(static_cast<char>('0' + c % 100 / 10));
    put(static_cast<char>('0' + c % 10));
  }
}

void RenderingOutputEps::setColour(PrintColour colour) {
  putColour(colour);
  put(" setrgbcolor\r\n");
  ink_ = colour;
}

void RenderingOutputEps::putFont(int index) {
  put("FONT");
  put(index);
}

// --- path operators ------------------------------------------------------------------

void RenderingOutputEps::moveTo(int32_t x, int32_t y) {
  put("newpath ");
  putPoint(x, y);
  put(" moveto");
}

void RenderingOutputEps::lineTo(int32_t x, int32_t y) {
  put(' ');
  putPoint(x, y);
  put(" lineto");
}

void RenderingOutputEps::curveTo(Point a, Point b, Point end) {
  for (const Point& p : {a, b, end}) {
    put(' ');
    putPoint(p.x, p.y);
  }
  put(" curveto");
}

void RenderingOutputEps::strokePath() {
  if (ink_ != penColour_) {
    put(' ');
    putColour(penColour_);
    put(" setrgbcolor");
    ink_ = penColour_;
  }
  put(" stroke\r\n");
}

void RenderingOutputEps::circleOutline(int32_t x, int32_t y, int32_t radius) {
  put("newpath ");
  putPoint(x, y);
  put(' ');
  put(radius);
  put(" 0 360 arc closepath");
  strokePath();
}

void RenderingOutputEps::rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool stroke, bool fill) {
  moveTo(x1, y1);
  lineTo(x1, y2);
  lineTo(x2, y2);
  lineTo(x2, y1);
  closePath();
  put(' ');
  if (fill && stroke) put("gsave ");
  if (fill) {
    putColour(fillColour());
    put(" setrgbcolor fill");
    ink_ = fillColour();
  }
  if (fill && stroke) put(" grestore ");
  if (stroke) {
    put("0.0 0.0 0.0 setrgbcolor stroke");
    ink_ = kBlack;
  }
  put("\r\n");
}

void RenderingOutputEps::disc(int32_t x, int32_t y, int32_t radius) {
  if (ink_ != penColour_) setColour(penColour_);
  const PrintColour fill = inkColour(fillOf(fillStyle_).value_or(Ink::kBlack));
  if (discFill_ != fill) {
    discFill_ = fill;
    put("/FC { ");
    putColour(discFill_);
    put(" } def\r\n");
  }
  putPoint(x, y);
  put(' ');
  put(radius);
  put(" D\r\n");
}

void RenderingOutputEps::fillOutline(const std::vector<Point>& outline, int greyPercent) {
  if (outline.empty()) return;
  moveTo(outline[0].x, outline[0].y);
  for (size_t i = 1; i < outline.size(); ++i) lineTo(outline[i].x, outline[i].y);
  put(" closepath gsave ");
  putColour({greyPercent, greyPercent, greyPercent});
  put(" setrgbcolor fill grestore newpath\r\n");
}

// Each ring's moveto starts a new path: the rings are put as subpaths of
// one path here instead.
void RenderingOutputEps::fillArea(const AreaRings& area, int greyPercent) {
  put("newpath");
  for (size_t ring = 0, i = 0; ring < area.ends.size(); ++ring) {
    put(' ');
    putPoint(area.x[i], area.y[i]);
    put(" moveto");
    for (++i; i < area.ends[ring]; ++i) lineTo(area.x[i], area.y[i]);
    put(" closepath");
  }
  put(" gsave ");
  putColour({greyPercent, greyPercent, greyPercent});
  put(" setrgbcolor eofill grestore newpath\r\n");
}

// --- texts ------------------------------------------------------------------------

void RenderingOutputEps::writeText(int32_t x, int32_t y, int textClass, std::u16string_view text) {
  if (ink_ != textColour_) setColour(textColour_);
  putPoint(x, y);
  put(" moveto");
  putRuns(text, fontIndex(textClass));
  put("\r\n");
}

// Each run shown in its font: the Greek letters in the Symbol font of the
// size, the rest in the text font.
void RenderingOutputEps::putRuns(std::u16string_view text, int font) {
  std::vector<TextRun> runs = encodeRuns(text);
  if (runs.empty()) runs.push_back({TextFont::kText, {}});
  for (const TextRun& run : runs) {
    put(' ');
    putFont(run.font == TextFont::kSymbol ? font + kSymbolFonts : font);
    put(' ');
    appendLiteralString(document(), run.bytes);
    put(" show");
  }
}

void RenderingOutputEps::writeStarLabel(int32_t x, int32_t y, const StarLabelParts& label) {
  const bool greek = hasGreekLetter(label);
  const std::u16string tail = starLabelTail(label);
  if (!greek && label.flamsteed < 0 && tail.empty()) return;
  if (ink_ != textColour_) setColour(textColour_);
  const int symbolFont = fontIndex(kStarSmallText) + kSymbolFonts;
  putPoint(x, y);
  put(" moveto");
  if (greek) {
    put(' ');
    putFont(symbolFont);
    put(" <");
    put(kSymbolGreek.substr(2 * label.greekLetter, 2));
    put("> show");
  }
  if (label.flamsteed >= 0) {
    put(' ');
    putFont(symbolFont);
    put(" (");
    put(label.flamsteed);
    put(") show");
  }
  if (!tail.empty()) {
    putRuns(tail, fontIndex(kStarSmallText));
  }
  put("\r\n");
}

// --- styles -------------------------------------------------------------------------

void RenderingOutputEps::selectPen(int lineStyle) {
  if (lineStyle == lineStyle_) return;
  const auto pen = penOf(lineStyle);
  if (!pen) return;
  lineStyle_ = lineStyle;
  putDashArray(*pen);
  put(" 0 setdash ");
  put(pen->width);
  put(" setlinewidth\r\n");
  penColour_ = inkColour(pen->ink);
}

void RenderingOutputEps::setFrameLineStyle() {
  put("[] 0 setdash ");
  put(options_.frameLineWidth);
  put(" setlinewidth\r\n");
  penColour_ = kBlack;
  lineStyle_ = -1;
}

// Star labels in the stars' colour, deep-sky labels in the deep-sky colour.
void RenderingOutputEps::setTextStyle(int textStyle) {
  const int entry = textStyle == 4 ? 6 : textStyle == 6 ? 10 : -1;
  if (entry < 0) return;
  textStyle_ = textStyle;
  textColour_ = colours().entry(entry);
  setColour(textColour_);
}

}  // namespace celvaro
