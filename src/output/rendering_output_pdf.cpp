#include "output/rendering_output_pdf.h"

#include <algorithm>
#include <cstdio>

#include "output/text_encoding.h"

namespace celvaro {
namespace {

// The star forms' boxes reach this far beyond the disc, for its outline.
constexpr int32_t kStarBoxMargin = 25;

// The fill colour operator of a fill style; empty where the style changes nothing.
std::string_view fillColourOf(int fillStyle) {
  using Ink = RenderingOutputFile::Ink;
  const auto ink = RenderingOutputFile::fillOf(fillStyle);
  if (!ink) return {};
  return *ink == Ink::kWhite ? "1 1 1 rg" : *ink == Ink::kGrey ? "0.5 0.5 0.5 rg" : "0 0 0 rg";
}

}  // namespace

// --- the document frame ----------------------------------------------------------

void RenderingOutputPdf::beginObject(int number) {
  offsets_.resize(std::max<size_t>(offsets_.size(), number));
  offsets_[number - 1] = file().size();
  put(number);
  put(" 0 obj\r\n");
}

void RenderingOutputPdf::putReference(int object) {
  put(object);
  put(" 0 R");
}

// The catalog and the fonts; the first page's forms, pages and stream take
// the numbers between and after them, the page list its own at the end.
void RenderingOutputPdf::writeHeader(PageSize page) {
  offsets_.clear();
  formSets_.clear();
  pageKids_.clear();
  page_ = page;
  fillIsText_ = false;
  put("%PDF-1.3\r\n");
  beginObject(kCatalogObject);
  put("<< /Type /Catalog\r\n/Pages ");
  putReference(kPagesObject);
  put("\r\n>>\r\n");
  endObject();
  fontObject(kTextFontObject, "F1", "Helvetica", textEncoding());
  fontObject(kSymbolFontObject, "F2", "Symbol", "");  // its own encoding: a declared text one would hide the Greek letters
  nextObject_ = kLengthObject + 1;
  startPage(kPageObject, kContentObject, kLengthObject);
}

void RenderingOutputPdf::startPage(int pageObject, int contentObject, int lengthObject) {
  pageObject_ = pageObject;
  contentObject_ = contentObject;
  lengthObject_ = lengthObject;
  pageSets_.clear();
  content_.clear();
  writeInto(&content_);
  put("0.02835 0 0 0.02835 0 0 cm\r\n");  // hundredths of a millimetre to points: 72/2540
}

void RenderingOutputPdf::writeChartStart() {
  const int set = formSetOfStarSizes();
  auto used = std::find(pageSets_.begin(), pageSets_.end(), set);
  if (used == pageSets_.end()) used = pageSets_.insert(used, set);
  starNameBase_ = static_cast<int>(used - pageSets_.begin()) * kStarClasses;
}

int RenderingOutputPdf::formSetOfStarSizes() {
  FormSet wanted{};
  for (int i = 0; i < kStarClasses; ++i) wanted.diameters[i] = starDiameter(i);
  for (size_t i = 0; i < formSets_.size(); ++i) {
    if (formSets_[i].diameters == wanted.diameters) return static_cast<int>(i);
  }
  // The first set takes the numbers after the catalog.
  wanted.firstObject = formSets_.empty() ? kCatalogObject + 1 : nextObject_;
  if (!formSets_.empty()) nextObject_ += kStarClasses;
  writeInto(nullptr);
  for (int i = 0; i < kStarClasses; ++i) starObject(wanted.firstObject + i, i);
  writeInto(&content_);
  formSets_.push_back(wanted);
  return static_cast<int>(formSets_.size() - 1);
}

bool RenderingOutputPdf::writePageBreak() {
  finishPage();
  const int page = newObject(), content = newObject();
  startPage(page, content, newObject());
  fillIsText_ = false;
  return true;
}

// The stream holds the bytes between "stream" and "endstream"; its length
// is an object of its own after it.
void RenderingOutputPdf::finishPage() {
  writeInto(nullptr);
  beginObject(contentObject_);
  put("<< /Length ");
  putReference(lengthObject_);
  put(" >>\r\nstream\r\n");
  put(content_);
  put("endstream\r\n");
  endObject();
  beginObject(lengthObject_);
  put(static_cast<int32_t>(content_.size()));
  put("\r\n");
  endObject();
  pageObject();
  pageKids_.push_back(pageObject_);
  content_ = std::string();
}

// A disc of the class's diameter, filled and outlined with what the page
// has selected when it is placed.
void RenderingOutputPdf::starObject(int number, int magClass) {
  int32_t r = starDiameter(magClass) / 2;
  if (r > kLargestStarRadius || r < 0) {
    std::printf("> PDF generator internal error: Star radius is out of range. idx:%d radius:%d\n", magClass, r);
    std::fflush(stdout);
    r = kFallbackStarRadius;
  }
  std::string path;
  {
    Scratch shape(*this, path);
    circlePath(0, 0, r);
    put("b ");
  }
  const int32_t box = r + kStarBoxMargin;
  beginObject(number);
  put("<< /Type /XObject /Subtype /Form /Resources << /ProcSet [/PDF] >> /BBox [-");
  put(box);
  put(" -");
  put(box);
  put(' ');
  put(box);
  put(' ');
  put(box);
  put("] /Length ");
  put(static_cast<int32_t>(path.size() + 2));
  put(" >>\r\nstream\r\n");
  put(path);
  put("\r\nendstream\r\n");
  endObject();
}

void RenderingOutputPdf::fontObject(int number, std::string_view name, std::string_view baseFont,
                                    std::string_view encoding) {
  beginObject(number);
  put("<< /Type /Font /Subtype /Type1 /Name /");
  put(name);
  put(" /BaseFont /");
  put(baseFont);
  put(encoding);
  put(" >>\r\n");
  endObject();
}

// WinAnsiEncoding with the text font's own glyphs at 0x80..0x9F.
std::string RenderingOutputPdf::textEncoding() {
  std::string encoding = " /Encoding << /Type /Encoding /BaseEncoding /WinAnsiEncoding /Differences [128 ";
  encoding += kTextFontDifferences;
  encoding += "] >>";
  return encoding;
}

void RenderingOutputPdf::pageObject() {
  auto points = [](int32_t hundredths) { return static_cast<int32_t>(int64_t{hundredths} * 2835 / 100000); };
  beginObject(pageObject_);
  put("<< /Type /Page /Parent ");
  putReference(kPagesObject);
  put("\r\n/MediaBox [0 0 ");
  put(points(page_.width));
  put(' ');
  put(points(page_.height));
  put("]\r\n/Contents ");
  putReference(contentObject_);
  put("\r\n/Resources << /ProcSet [/PDF /Text] /XObject <<\r\n");
  for (size_t set = 0; set < pageSets_.size(); ++set) {
    for (int i = 0; i < kStarClasses; ++i) {
      put("/xobj");
      put(static_cast<int32_t>(set * kStarClasses + i));
      put(' ');
      putReference(formSets_[pageSets_[set]].firstObject + i);
      put("\r\n");
    }
  }
  put(">>\r\n/Font << /F1 ");
  putReference(kTextFontObject);
  put(" /F2 ");
  putReference(kSymbolFontObject);
  put(" >>\r\n>>\r\n>>\r\n");
  endObject();
}

void RenderingOutputPdf::writeTrailer() {
  finishPage();
  beginObject(kPagesObject);
  put("<< /Type /Pages /Kids [");
  for (size_t i = 0; i < pageKids_.size(); ++i) {
    if (i > 0) put(' ');
    putReference(pageKids_[i]);
  }
  put("] /Count ");
  put(static_cast<int32_t>(pageKids_.size()));
  put(" >>\r\n");
  endObject();
  const auto xref = static_cast<int32_t>(file().size());
  const auto objects = static_cast<int32_t>(offsets_.size() + 1);
  put("xref\r\n0 ");
  put(objects);
  put("\r\n0000000000 65535 f\r\n");
  for (const size_t offset : offsets_) {
    char entry[24];
    std::snprintf(entry, sizeof entry, "%010d 00000 n\r\n", static_cast<int>(offset));
    put(entry);
  }
  put("trailer\r\n<< /Size ");
  put(objects);
  put(" /Root ");
  putReference(kCatalogObject);
  put(" >>\r\nstartxref\r\n");
  put(xref);
  put("\r\n%%EOF\r\n");
}

// The cut saves the graphics state; restoring it puts back the colours
// and the pen of its start, which the next selections write again.
void RenderingOutputPdf::beginClip(Point low, Point high) {
  put("q ");
  putPoint(low.x, low.y);
  put(' ');
  put(high.x - low.x);
  put(' ');
  put(high.y - low.y);
  put(" re W n\r\n");
}

void RenderingOutputPdf::endClip() {
  put("Q\r\n");
  fillIsText_ = false;
}

// --- path operators -------------------------------------------------------------------

void RenderingOutputPdf::moveTo(int32_t x, int32_t y) {
  putPoint(x, y);
  put(" m ");
}

void RenderingOutputPdf::lineTo(int32_t x, int32_t y) {
  putPoint(x, y);
  put(" l ");
}

void RenderingOutputPdf::curveTo(Point a, Point b, Point end) {
  for (const Point& p : {a, b, end}) {
    putPoint(p.x, p.y);
    put(' ');
  }
  put("c ");
}

void RenderingOutputPdf::rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool stroke, bool fill) {
  if (!stroke && !fill) return;
  if (fill) useFillColour();
  moveTo(x1, y1);
  lineTo(x2, y1);
  lineTo(x2, y2);
  lineTo(x1, y2);
  put(stroke && fill ? "b\r\n" : stroke ? "s\r\n" : "h f\r\n");
}

void RenderingOutputPdf::circleOutline(int32_t x, int32_t y, int32_t radius) {
  circlePath(x, y, radius);
  put("s\r\n");
}

// --- stars, discs and texts -----------------------------------------------------------

void RenderingOutputPdf::star(int32_t x, int32_t y, int32_t magClass, int32_t) {
  useFillColour();
  put("q 1 0 0 1 ");
  putPoint(x, y);
  put(" cm /xobj");
  put(starNameBase_ + std::clamp(magClass, 0, kStarClasses - 1));
  put(" Do Q\r\n");
}

void RenderingOutputPdf::bodyDisc(int32_t x, int32_t y, int32_t radius) {
  useFillColour();
  circlePath(x, y, radius);
  put("b\r\n");
}

void RenderingOutputPdf::beginGreyFill(int greyPercent) {
  put("q ");
  put(greyPercent / 100);
  put('.');
  put(static_cast<char>('0' + greyPercent % 100 / 10));
  put(static_cast<char>('0' + greyPercent % 10));
  put(" g ");
}

void RenderingOutputPdf::fillOutline(const std::vector<Point>& outline, int greyPercent) {
  if (outline.empty()) return;
  beginGreyFill(greyPercent);
  moveTo(outline[0].x, outline[0].y);
  for (size_t i = 1; i < outline.size(); ++i) lineTo(outline[i].x, outline[i].y);
  put("h f Q\r\n");
}

void RenderingOutputPdf::fillArea(const AreaRings& area, int greyPercent) {
  beginGreyFill(greyPercent);
  for (size_t ring = 0, i = 0; ring < area.ends.size(); ++ring) {
    moveTo(area.x[i], area.y[i]);
    for (++i; i < area.ends[ring]; ++i) lineTo(area.x[i], area.y[i]);
    put("h ");
  }
  put("f* Q\r\n");
}

void RenderingOutputPdf::writeText(int32_t x, int32_t y, int textClass, std::u16string_view text) {
  useTextColour();
  put("BT ");
  putRuns(text, fontSize(textClass), [&] {
    putPoint(x, y);
    put(" Td ");
  });
  put("ET\r\n");
}

// Each run in its font: the Greek letters in the Symbol font, the rest in
// the text font. `place` writes the position after the first font choice.
void RenderingOutputPdf::putRuns(std::u16string_view text, int32_t size, const std::function<void()>& place) {
  std::vector<TextRun> runs = encodeRuns(text);
  if (runs.empty()) runs.push_back({TextFont::kText, {}});
  bool first = true;
  for (const TextRun& run : runs) {
    put(run.font == TextFont::kSymbol ? "/F2 " : "/F1 ");
    put(size);
    put(" Tf ");
    if (first && place) place();
    first = false;
    appendLiteralString(document(), run.bytes);
    put(" Tj ");
  }
}

// The Greek letter and the Flamsteed number in the Symbol font, the name
// and the constellation after them in the text font.
void RenderingOutputPdf::writeStarLabel(int32_t x, int32_t y, const StarLabelParts& label) {
  const bool greek = hasGreekLetter(label);
  const std::u16string tail = starLabelTail(label);
  if (!greek && label.flamsteed < 0 && tail.empty()) return;
  useTextColour();
  put("BT ");
  putPoint(x, y);
  put(" Td ");
  if (greek) {
    put("/F2 ");
    put(fontSize(kStarLargeText));
    put(" Tf <");
    put(kSymbolGreek.substr(2 * label.greekLetter, 2));
    put("> Tj ");
  }
  if (label.flamsteed >= 0) {
    put("/F2 ");
    put(fontSize(kStarSmallText));
    put(" Tf (");
    put(label.flamsteed);
    put(") Tj ");
  }
  if (!tail.empty()) {
    putRuns(tail, fontSize(kStarSmallText), nullptr);
  }
  put("ET\r\n");
}

// --- styles ---------------------------------------------------------------------------

void RenderingOutputPdf::selectPen(int lineStyle) {
  if (lineStyle == lineStyle_) return;
  const auto pen = penOf(lineStyle);
  if (!pen) return;
  lineStyle_ = lineStyle;
  putDashArray(*pen);
  put(" 0 d ");
  put(pen->width);
  put(pen->ink == Ink::kGrey ? " w 0.5 0.5 0.5 RG\r\n" : pen->ink == Ink::kWhite ? " w 1 1 1 RG\r\n" : " w 0 0 0 RG\r\n");
}

void RenderingOutputPdf::setFrameLineStyle() {
  put("[] 0 d ");
  put(options_.frameLineWidth);
  put(" w \r\n");
  lineStyle_ = -1;  // the colour stays; the next pen is written whole
}

void RenderingOutputPdf::selectBrush(int fillStyle) {
  const std::string_view colour = fillColourOf(fillStyle);
  if (colour.empty()) return;
  fillStyle_ = fillStyle;
  put(colour);
  put("\r\n");
  fillIsText_ = false;
}

void RenderingOutputPdf::setTextStyle(int textStyle) {
  if (textStyle < 1 || textStyle > 6) return;
  textStyle_ = textStyle;
  put("0 0 0 rg\r\n");
  fillIsText_ = true;
}

void RenderingOutputPdf::useTextColour() {
  if (fillIsText_) return;
  put("0 0 0 rg\r\n");
  fillIsText_ = true;
}

void RenderingOutputPdf::useFillColour() {
  const std::string_view colour = fillColourOf(fillStyle_);
  if (!fillIsText_ || colour.empty()) return;
  put(colour);
  put("\r\n");
  fillIsText_ = false;
}

}  // namespace celvaro
