#include "output/rendering_output_svg.h"

#include <algorithm>

#include "output/text_encoding.h"
#include "platform/utf_text.h"

namespace celvaro {
namespace {

constexpr int kLineStyles = 26;

// The class of the lines of each line style; empty where the style keeps
// the current one (24 is the screen's only). Styles with the same pen share
// a class.
constexpr std::string_view kLineClasses[kLineStyles] = {
    "",          "framelines",  "gridlines",     "constlines",       "constboundaries", "eclipticline",
    "horizonline", "staroutline", "varstarlines", "doublestars",     "galaxies",        "globulars",
    "openclusters", "openclusters", "nebulousclusters", "planetaries", "brightnebulae", "remnants",
    "darknebulae", "galaxyclusters", "quasars",   "varstarlines",     "tracks",          "route",
    "",          "comettails"};

std::string_view colourOf(RenderingOutputFile::Ink ink) {
  using Ink = RenderingOutputFile::Ink;
  return ink == Ink::kGrey ? "#808080" : ink == Ink::kWhite ? "#fff" : "#000";
}

// The Greek letter alpha..omega, without the final sigma.
char16_t greekLetter(int number) { return static_cast<char16_t>(0x03B1 + number + (number >= 17 ? 1 : 0)); }

}  // namespace

// --- the document frame ----------------------------------------------------------------

void RenderingOutputSvg::writeHeader(PageSize page) {
  auto millimetres = [this](int32_t hundredths) {
    put(hundredths / 100);
    put('.');
    put(static_cast<char>('0' + hundredths % 100 / 10));
    put(static_cast<char>('0' + hundredths % 10));
    put("mm\"");
  };
  lineClass_ = "framelines";
  put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"");
  millimetres(page.width);
  put(" height=\"");
  millimetres(page.height);
  put(" viewBox=\"0 0 ");
  put(page.width);
  put(' ');
  put(page.height);
  put("\">\r\n");
  writeStyleSheet();
  put("<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\r\n");  // paper, not transparency
}

void RenderingOutputSvg::writeStyleSheet() {
  put("<style type=\"text/css\">\r\n");
  for (int style = 1; style < kLineStyles; ++style) {
    const std::string_view name = kLineClasses[style];
    bool first = true;
    for (int earlier = 1; earlier < style; ++earlier) first = first && kLineClasses[earlier] != name;
    if (first) lineRule(name, *penOf(style));
  }
  const RenderOptions& o = options_;
  lineRule("gc", *penOf(11));
  lineRule("oc", *penOf(12));
  lineRule("pn", *penOf(15));
  lineRule("dn", *penOf(16));
  put(".star{fill:#000;stroke:#fff;stroke-width:");
  put(o.starOutlineWidth);
  put("}\r\n.body{fill:#808080;stroke:#000;stroke-width:");
  put(o.starOutlineWidth);
  put("}\r\ntext{font-family:Helvetica,Arial,sans-serif;fill:#000}\r\n");
  for (int textClass = 0; textClass < 7; ++textClass) {
    put('.');
    put(kTextClasses[textClass]);
    put("{font-size:");
    put(fontSize(textClass));
    put("px}\r\n");
  }
  put("</style>\r\n");
}

void RenderingOutputSvg::lineRule(std::string_view name, const Pen& pen) {
  put('.');
  put(name);
  put("{fill:none;stroke:");
  put(colourOf(pen.ink));
  put(";stroke-width:");
  put(pen.width);
  if (pen.dashOn > 0) {
    put(";stroke-dasharray:");
    put(pen.dashOn);
    put(' ');
    put(pen.dashOff);
  }
  put("}\r\n");
}

// The layers in a group cut at the chart's rectangle.
void RenderingOutputSvg::beginClip(Point low, Point high) {
  put("<clipPath id=\"chart-area\"><rect");
  attribute("x", deviceX(low.x));
  attribute("y", deviceY(high.y));
  attribute("width", high.x - low.x);
  attribute("height", high.y - low.y);
  put("/></clipPath>\r\n<g clip-path=\"url(#chart-area)\">\r\n");
}

// An id is one name: the blanks of a layer's name become hyphens.
void RenderingOutputSvg::beginGroup(std::string_view layerName) {
  put("<g id=\"");
  std::string id(layerName);
  std::replace(id.begin(), id.end(), ' ', '-');
  appendXmlText(document(), utf8ToUtf16(id));
  put("\">\r\n");
}

// --- elements ----------------------------------------------------------------------------

void RenderingOutputSvg::attribute(std::string_view name, int32_t value) {
  put(' ');
  put(name);
  put("=\"");
  put(value);
  put('"');
}

void RenderingOutputSvg::putPoints(std::initializer_list<Point> points) {
  bool first = true;
  for (const Point& p : points) {
    if (!first) put(' ');
    first = false;
    put(deviceX(p.x));
    put(',');
    put(deviceY(p.y));
  }
}

void RenderingOutputSvg::circleElement(std::string_view name, int32_t x, int32_t y, int32_t radius) {
  put("<circle class=\"");
  put(name);
  put('"');
  attribute("cx", deviceX(x));
  attribute("cy", deviceY(y));
  attribute("r", radius);
  put("/>\r\n");
}

void RenderingOutputSvg::moveTo(int32_t x, int32_t y) {
  put("<path class=\"");
  put(lineClass_);
  put("\" d=\"M");
  putPoint(x, y);
  put(' ');
}

void RenderingOutputSvg::lineTo(int32_t x, int32_t y) {
  put('L');
  putPoint(x, y);
  put(' ');
}

void RenderingOutputSvg::curveTo(Point a, Point b, Point end) {
  put('C');
  putPoint(a.x, a.y);
  put(' ');
  putPoint(b.x, b.y);
  put(' ');
  putPoint(end.x, end.y);
  put(' ');
}

void RenderingOutputSvg::line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  put("<line class=\"");
  put(lineClass_);
  put('"');
  attribute("x1", deviceX(x1));
  attribute("y1", deviceY(y1));
  attribute("x2", deviceX(x2));
  attribute("y2", deviceY(y2));
  put("/>\r\n");
}

void RenderingOutputSvg::rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool, bool) {
  put("<polygon class=\"");
  put(lineClass_);
  put("\" points=\"");
  putPoints({{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}});
  put("\"/>\r\n");
}

void RenderingOutputSvg::putGrey(int greyPercent) {
  const int level = greyPercent * 255 / 100;
  put("rgb(");
  for (int i = 0; i < 3; ++i) {
    put(level);
    put(i < 2 ? ',' : ')');
  }
}

void RenderingOutputSvg::fillArea(const AreaRings& area, int greyPercent) {
  put("<path style=\"stroke:none;fill-rule:evenodd;fill:");
  putGrey(greyPercent);
  put("\" d=\"");
  for (size_t ring = 0, i = 0; ring < area.ends.size(); ++ring) {
    for (const size_t start = i; i < area.ends[ring]; ++i) {
      put(i == start ? 'M' : 'L');
      putPoint(area.x[i], area.y[i]);
      put(' ');
    }
    put('Z');
  }
  put("\"/>\r\n");
}

void RenderingOutputSvg::fillOutline(const std::vector<Point>& outline, int greyPercent) {
  if (outline.empty()) return;
  put("<polygon style=\"stroke:none;fill:");
  putGrey(greyPercent);
  put("\" points=\"");
  for (size_t i = 0; i < outline.size(); ++i) {
    if (i > 0) put(' ');
    put(deviceX(outline[i].x));
    put(',');
    put(deviceY(outline[i].y));
  }
  put("\"/>\r\n");
}

// --- deep-sky symbols ----------------------------------------------------------------------

void RenderingOutputSvg::globularCluster(int, int32_t x, int32_t y, int32_t, int32_t size) {
  if (!isInsideOutput(x, y)) return;
  const int32_t r = size / 2;
  circleElement("gc", x, y, r);
  put("<path class=\"gc\" d=\"M");
  put(deviceX(x) - r);
  put(',');
  put(deviceY(y));
  put(" l");
  put(2 * r);
  put(",0 m-");
  put(r);
  put(",-");
  put(r);
  put(" l0,");
  put(2 * r);
  put("\"/>\r\n");
}

void RenderingOutputSvg::openCluster(int, int32_t x, int32_t y, int32_t, int32_t size) {
  if (isInsideOutput(x, y)) circleElement("oc", x, y, size / 2);
}

void RenderingOutputSvg::planetaryNebula(int, int32_t x, int32_t y, int32_t, int32_t size) {
  if (!isInsideOutput(x, y)) return;
  const int32_t r = size / 2;
  circleElement("pn", x, y, r);
  put("<path class=\"pn\" d=\"");
  // Right, left, down and up of the centre on the page.
  const Point ticks[4][2] = {{{x + r, y}, {x + 2 * r, y}},
                             {{x - r, y}, {x - 2 * r, y}},
                             {{x, y - r}, {x, y - 2 * r}},
                             {{x, y + r}, {x, y + 2 * r}}};
  for (int i = 0; i < 4; ++i) {
    if (i > 0) put(' ');
    put('M');
    putPoints({ticks[i][0]});
    put(" L");
    putPoints({ticks[i][1]});
  }
  put("\"/>\r\n");
}

void RenderingOutputSvg::diffuseNebula(int, int32_t x, int32_t y, int32_t, int32_t size) {
  if (!isInsideOutput(x, y)) return;
  const int32_t r = size / 2;
  put("<polygon class=\"dn\" points=\"");
  putPoints({{x - r, y - r}, {x + r, y - r}, {x + r, y + r}, {x - r, y + r}});
  put("\"/>\r\n");
}

// --- texts -----------------------------------------------------------------------------------

void RenderingOutputSvg::startText(std::string_view textClass, int32_t x, int32_t y) {
  put("<text class=\"");
  put(textClass);
  put('"');
  attribute("x", deviceX(x));
  attribute("y", deviceY(y));
  put('>');
}

void RenderingOutputSvg::writeText(int32_t x, int32_t y, int textClass, std::u16string_view text) {
  startText(kTextClasses[textClassOf(textClass)], x, y);
  appendXmlText(document(), text);
  put("</text>\r\n");
}

// The Greek letter in the larger star-label size, the rest in the smaller.
void RenderingOutputSvg::writeStarLabel(int32_t x, int32_t y, const StarLabelParts& label) {
  const bool greek = hasGreekLetter(label);
  const std::u16string tail = starLabelTail(label);
  if (!greek && label.flamsteed < 0 && tail.empty()) return;
  startText(kTextClasses[kStarSmallText], x, y);
  if (greek) {
    put("<tspan class=\"starlargetext\">");
    appendXmlText(document(), std::u16string(1, greekLetter(label.greekLetter)));
    put("</tspan>");
  }
  if (label.flamsteed >= 0) put(label.flamsteed);
  appendXmlText(document(), tail);
  put("</text>\r\n");
}

// --- styles ------------------------------------------------------------------------------------

void RenderingOutputSvg::selectPen(int lineStyle) {
  if (lineStyle > 0 && lineStyle < kLineStyles && !kLineClasses[lineStyle].empty()) {
    lineStyle_ = lineStyle;
    lineClass_ = kLineClasses[lineStyle];
  }
}

}  // namespace celvaro
