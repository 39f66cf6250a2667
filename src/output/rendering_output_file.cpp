#include "output/rendering_output_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <numbers>

#include "astro/constellation_list.h"
#include "platform/file_replace.h"
#include "platform/utf_text.h"

namespace celvaro {
namespace {

constexpr double kControlFraction = 0.5522847498;  // Bezier quarter circle
// The cross ticks of a quasar, from and to this far off the centre along
// each axis.
constexpr int32_t kTickInner = 50, kTickOuter = 125;

// Font-size index of each text class.
constexpr int kClassFont[7] = {2, 0, 0, 1, 0, 1, 2};

// The printed Moon as the eye sees it: the lit part white as the paper,
// the dark part in the grey the paper's bodies are shaded with.
constexpr int kDarkMoonGrey = 50, kLitMoonGrey = 100;

int32_t scaled(int32_t value) { return static_cast<int32_t>(value * kControlFraction); }

int32_t rounded(double value) { return static_cast<int32_t>(std::lround(value)); }

}  // namespace

RenderingOutputFile::RenderingOutputFile(bool yDown) : yDown_(yDown) {
  for (int i = 0; i < StarSizeTable::kClasses; ++i) starSizes_.set(i, kDefaultStarDiameter);
}

void RenderingOutputFile::setOptions(const RenderOptions& options) {
  RenderingOutput::setOptions(options);
  fontSizes_ = options.fontSizes;
}

bool RenderingOutputFile::canCreate(const std::string& fileName) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fileName.empty() || fs::is_directory(fileName, error)) return false;
  const fs::path parent = fs::path(fileName).parent_path();
  return parent.empty() || fs::is_directory(parent, error);
}

bool RenderingOutputFile::begin(const std::string& fileName, PageSize page, const OutputArea& area) {
  written_ = false;
  if (!canCreate(fileName)) return false;
  fileName_ = fileName;
  document_.clear();
  out_ = &document_;
  page_ = page;
  placeChart(area);
  penDown_ = false;
  clipping_ = false;
  writeHeader(page);
  writeChartStart();
  return true;
}

bool RenderingOutputFile::nextChart(const OutputArea& area, bool newPage) {
  if (fileName_.empty()) return false;
  endChartClip();
  finishPolyline();
  if (newPage && !writePageBreak()) return false;
  placeChart(area);
  writeChartStart();
  return true;
}

void RenderingOutputFile::placeChart(const OutputArea& area) {
  setClipRectangle(-area.width / 2, -area.height / 2, area.width / 2, area.height / 2);
  originX_ = area.width / 2 + area.left;
  originY_ = area.height / 2 + area.top;
  if (yDown_) originY_ = page_.height - originY_;
  forgetStyles();
}

void RenderingOutputFile::end() {
  if (fileName_.empty()) return;
  endChartClip();
  finishPolyline();
  writeTrailer();
  written_ = writeOutputFile(fileName_, document_);
  document_ = std::string();
  fileName_.clear();
}

void RenderingOutputFile::finishPolyline() {
  if (penDown_) strokePath();
  penDown_ = false;
}

void RenderingOutputFile::clipToChart() {
  if (clipping_) return;
  finishPolyline();
  clipping_ = true;
  beginClip({clipLeft_, clipBottom_}, {clipRight_, clipTop_});
}

void RenderingOutputFile::endChartClip() {
  if (!clipping_) return;
  finishPolyline();
  clipping_ = false;
  endClip();
  forgetStyles();
}

bool RenderingOutputFile::toDevice(int32_t x, int32_t y, int32_t& dx, int32_t& dy) const {
  dx = deviceX(x);
  dy = deviceY(y);
  return true;
}

RenderingOutputFile::Scratch::Scratch(RenderingOutputFile& output, std::string& text)
    : output_(output), out_(output.out_), originX_(output.originX_), originY_(output.originY_) {
  output_.out_ = &text;
  output_.originX_ = output_.originY_ = 0;
}

RenderingOutputFile::Scratch::~Scratch() {
  output_.out_ = out_;
  output_.originX_ = originX_;
  output_.originY_ = originY_;
}

void RenderingOutputFile::put(int32_t value) {
  char digits[12];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out_->append(digits, result.ptr);
}

void RenderingOutputFile::putPoint(int32_t x, int32_t y) {
  put(deviceX(x));
  put(' ');
  put(deviceY(y));
}

// --- polylines and paths -------------------------------------------------------

void RenderingOutputFile::polyStart(int32_t x, int32_t y) {
  finishPolyline();
  start_ = last_ = {x, y};
  penDown_ = fromStart_ = isInsideOutput(x, y);
  if (penDown_) moveTo(x, y);
}

void RenderingOutputFile::polyLineTo(int32_t x, int32_t y) {
  const Point from = last_;
  last_ = {x, y};
  if (!clipSegment(from.x, from.y, x, y)) return;
  const Segment& s = clippedSegment();
  if (!penDown_) {  // entering the chart
    moveTo(s.x1, s.y1);
    penDown_ = true;
    fromStart_ = false;
  }
  lineTo(s.x2, s.y2);
  if (s.x2 != x || s.y2 != y) {  // leaving it
    strokePath();
    penDown_ = false;
  }
}

void RenderingOutputFile::polyFinish(int32_t x, int32_t y, bool close) {
  polyLineTo(x, y);
  polyEnd(close);
}

// Closing goes back to the start: by the path's own close when the stretch
// drawn began there, else by a clipped line to it.
void RenderingOutputFile::polyEnd(bool close) {
  if (close && penDown_ && fromStart_) {
    closePath();
  } else if (close) {
    polyLineTo(start_.x, start_.y);
  }
  finishPolyline();
}

void RenderingOutputFile::line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { segment(x1, y1, x2, y2); }

void RenderingOutputFile::segment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  moveTo(x1, y1);
  lineTo(x2, y2);
  strokePath();
}

void RenderingOutputFile::pathEnd(bool close) {
  if (close) closePath();
  strokePath();
}

void RenderingOutputFile::milkyWayArea(double brightness, const AreaRings& area) {
  if (area.empty()) return;
  fillArea(area, 96 - static_cast<int>(std::lround(16 * std::clamp(brightness, 0.0, 1.0))));
}

void RenderingOutputFile::closedPolygon(const Point* corners, int count) {
  moveTo(corners[0].x, corners[0].y);
  for (int i = 1; i < count; ++i) lineTo(corners[i].x, corners[i].y);
  closePath();
  strokePath();
}

void RenderingOutputFile::ellipsePath(Point c, Point u, Point v) {
  moveTo(c.x + u.x, c.y + u.y);
  Point a = u, b = v;
  for (int quarter = 0; quarter < 4; ++quarter) {
    curveTo({c.x + a.x + scaled(b.x), c.y + a.y + scaled(b.y)}, {c.x + scaled(a.x) + b.x, c.y + scaled(a.y) + b.y},
            {c.x + b.x, c.y + b.y});
    const Point next{-a.x, -a.y};  // (u, v), (v, -u), (-u, -v), (-v, u)
    a = b;
    b = next;
  }
}

// --- stars and discs -------------------------------------------------------------

bool RenderingOutputFile::planetDisc(int, int, int32_t x, int32_t y, int32_t, int32_t radius) {
  if (!isInsideOutput(x, y)) return false;
  bodyDisc(x, y, radius);
  return true;
}

bool RenderingOutputFile::discWithTick(int index, int subIndex, int32_t x, int32_t y, int32_t diameter,
                                       int32_t radius, double angleRad) {
  if (!planetDisc(index, subIndex, x, y, diameter, radius)) return false;
  // 0 up, growing clockwise.
  segment(x, y, x + rounded(radius * std::sin(angleRad)), y + rounded(radius * std::cos(angleRad)));
  return true;
}

bool RenderingOutputFile::minorPlanetDisc(int objectCode, int32_t x, int32_t y, int32_t diameter, int32_t radius) {
  return planetDisc(objectCode, -1, x, y, diameter, radius);
}

bool RenderingOutputFile::cometDisc(int objectCode, int32_t x, int32_t y, int32_t diameter, int32_t radius) {
  return planetDisc(objectCode, -1, x, y, diameter, radius);
}

bool RenderingOutputFile::moonDisc(int, int32_t x, int32_t y, int32_t, int32_t radius, const MoonPhase& phase) {
  if (!isInsideOutput(x, y)) return false;
  auto outline = [&](const MoonPhase& part) {
    std::vector<Point> points;
    for (const OutlinePoint& p : litOutline(x, y, radius, part, 12)) points.push_back({rounded(p.x), rounded(p.y)});
    return points;
  };
  MoonPhase full = phase;
  full.phaseAngleDeg = 0;
  fillOutline(outline(full), kDarkMoonGrey);
  fillOutline(outline(phase), kLitMoonGrey);
  circleOutline(x, y, radius);
  return true;
}

bool RenderingOutputFile::drawStarIndexed(int, int32_t x, int32_t y, int32_t diameter, int32_t radius) {
  return drawStar(x, y, diameter, radius);
}

// A printed map draws every star alike, whatever its colour class.
bool RenderingOutputFile::drawColouredStarIndexed(int, int32_t x, int32_t y, int32_t diameter, int32_t radius,
                                                  int) {
  return drawStar(x, y, diameter, radius);
}

bool RenderingOutputFile::drawColouredStar(int32_t x, int32_t y, int32_t diameter, int32_t radius, int) {
  return drawStar(x, y, diameter, radius);
}

bool RenderingOutputFile::drawStar(int32_t x, int32_t y, int32_t diameter, int32_t radius) {
  if (!isInsideOutput(x, y)) return false;
  star(x, y, diameter, radius);
  return true;
}

// A variable star: the star's disc of its mean brightness and a ring in the
// variable-star pen a little outside it, as on the screen.
bool RenderingOutputFile::variableStar(int, int32_t x, int32_t y, int32_t diameter, int32_t radius) {
  if (!isInsideOutput(x, y)) return false;
  star(x, y, diameter, radius);
  const int32_t discRadius = radius > 0 ? radius : starDiameter(diameter) / 2;
  circleOutline(x, y, discRadius + kVariableRingGap);
  return true;
}

bool RenderingOutputFile::dashMarker(int, int32_t x, int32_t y, int32_t halfLength) {
  if (!isInsideOutput(x, y)) return false;
  line(x - halfLength, y, x + halfLength, y);
  return true;
}

// --- deep-sky symbols: drawn when their centre is on the chart ---------------------

void RenderingOutputFile::galaxyEllipse(int, int32_t x, int32_t y, int32_t, int32_t width, int32_t height) {
  if (!isInsideOutput(x, y)) return;
  ellipsePath({x, y}, {width / 2, 0}, {0, height / 2});
  closePath();
  strokePath();
}

void RenderingOutputFile::rotatedGalaxyEllipse(int, int32_t x, int32_t y, int32_t ux, int32_t uy, int32_t vx,
                                               int32_t vy) {
  if (!isInsideOutput(x, y)) return;
  ellipsePath({x, y}, {vx, vy}, {-ux, -uy});  // from the centre plus v
  closePath();
  strokePath();
}

void RenderingOutputFile::globularCluster(int, int32_t x, int32_t y, int32_t, int32_t size) {
  if (!isInsideOutput(x, y)) return;
  const int32_t r = size / 2;
  circleOutline(x, y, r);
  segment(x - r, y, x + r, y);
  segment(x, y - r, x, y + r);
}

// Traced as a polyline, so that its dashes follow the pen and the chart's
// edge cuts it.
void RenderingOutputFile::openCluster(int, int32_t x, int32_t y, int32_t, int32_t size) {
  const int32_t r = size / 2;
  const int step = r <= 200 ? 20 : r <= 400 ? 10 : 5;
  polyStart(x + r, y);
  for (int degrees = step; degrees < 360; degrees += step) {
    const double a = degrees * std::numbers::pi / 180;
    polyLineTo(x + rounded(r * std::cos(a)), y + rounded(r * std::sin(a)));
  }
  polyFinish(x + r, y, false);
}

void RenderingOutputFile::planetaryNebula(int, int32_t x, int32_t y, int32_t, int32_t size) {
  if (!isInsideOutput(x, y)) return;
  const int32_t r = size / 2;
  circleOutline(x, y, r);
  segment(x + r, y, x + 2 * r, y);
  segment(x - r, y, x - 2 * r, y);
  segment(x, y - r, x, y - 2 * r);
  segment(x, y + r, x, y + 2 * r);
}

void RenderingOutputFile::diffuseNebula(int, int32_t x, int32_t y, int32_t, int32_t size) {
  if (!isInsideOutput(x, y)) return;
  const int32_t r = size / 2;
  const Point corners[4] = {{x - r, y + r}, {x + r, y + r}, {x + r, y - r}, {x - r, y - r}};
  closedPolygon(corners, 4);
}

void RenderingOutputFile::squareSymbol(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t size) {
  RenderingOutputFile::diffuseNebula(index, x, y, catalogValue, size);
}

void RenderingOutputFile::pentagonSymbol(int, int32_t x, int32_t y, int32_t size) {
  if (!isInsideOutput(x, y)) return;
  Point corners[5];
  for (int i = 0; i < 5; ++i) {
    const double a = i * 2 * std::numbers::pi / 5;  // the first corner straight up
    corners[i] = {x + rounded(size * std::sin(a)), y + rounded(size * std::cos(a))};
  }
  closedPolygon(corners, 5);
}

void RenderingOutputFile::crossTickSymbol(int, int32_t x, int32_t y) {
  if (!isInsideOutput(x, y)) return;
  for (int sx : {-1, 1}) {
    for (int sy : {-1, 1}) segment(x + sx * kTickInner, y + sy * kTickInner, x + sx * kTickOuter, y + sy * kTickOuter);
  }
}

// --- texts -----------------------------------------------------------------------

void RenderingOutputFile::text(int32_t x, int32_t y, int32_t dx, int32_t dy, int textClass, std::string_view text) {
  if (isInsideOutput(x, y)) writeText(x + dx, y + dy, textClass, utf8ToUtf16(text));
}

void RenderingOutputFile::wideText(int32_t x, int32_t y, int32_t dx, int32_t dy, int textClass,
                                   std::u16string_view text) {
  if (isInsideOutput(x, y)) writeText(x + dx, y + dy, textClass, text);
}

void RenderingOutputFile::legendText(int32_t x, int32_t y, int textClass, std::string_view text) {
  writeText(x, y, textClass, utf8ToUtf16(text));
}

bool RenderingOutputFile::drawStarLabel(int, int32_t x, int32_t y, int32_t dx, int32_t dy,
                                        const StarLabelParts& label) {
  if (!isInsideOutput(x, y)) return false;
  writeStarLabel(x + dx, y + dy, label);
  return true;
}

std::u16string RenderingOutputFile::starLabelTail(const StarLabelParts& label) {
  bool something = hasGreekLetter(label) || label.flamsteed >= 0;
  std::u16string tail;
  auto append = [&](std::string_view part) {
    if (part.empty()) return;
    if (something) tail += u' ';
    tail += utf8ToUtf16(part);
    something = true;
  };
  if (label.name) append(label.name);
  append(constellationAbbreviation(label.constellation));
  return tail;
}

// --- pens and fonts ----------------------------------------------------------------

std::optional<RenderingOutputFile::Pen> RenderingOutputFile::penOf(int lineStyle) const {
  const RenderOptions& o = options_;
  auto solid = [](int32_t width, Ink ink = Ink::kBlack) { return Pen{width, 0, 0, ink}; };
  // Dashes of on and off; off below 1 is on again, on of 0 or less is solid.
  auto dashed = [](int32_t width, int32_t on, int32_t off) {
    return on <= 0 ? Pen{width, 0, 0, Ink::kBlack} : Pen{width, on, off < 1 ? on : off, Ink::kBlack};
  };
  switch (lineStyle) {
    case 1: return solid(o.frameLineWidth);
    case 2: return solid(o.gridLineWidth, Ink::kGrey);
    case 3: return solid(o.figureWidth);
    case 4: return dashed(o.boundaryWidth, o.boundaryDashOn, o.boundaryDashOff);
    case 5: return dashed(o.eclipticWidth, o.eclipticDashOn, o.eclipticDashOff);
    case 6: return dashed(o.spareWidth, o.spareDash, o.spareDash);  // the horizon
    case 7: return solid(o.starOutlineWidth, Ink::kWhite);
    case 8: case 21: return solid(o.starOutlineWidth);
    case 9: return solid(o.doubleStarLineWidth);
    case 10: return solid(o.galaxyLineWidth);
    case 11: return solid(o.globularLineWidth);
    case 12: case 13: return dashed(o.openClusterLineWidth, o.openClusterDash, o.openClusterDash);
    case 14: return dashed(o.openClusterLineWidth, o.openClusterNebulaDash, o.openClusterNebulaDash);
    case 15: return solid(o.planetaryLineWidth);
    case 16: return solid(o.brightNebulaLineWidth);
    case 17: return solid(o.supernovaRemnantLineWidth);
    case 18: return dashed(o.darkNebulaLineWidth, o.darkNebulaDash, o.darkNebulaDash);
    case 19: return solid(o.galaxyClusterLineWidth);
    case 20: return solid(o.quasarLineWidth);
    case 22: return solid(o.trackLineWidth);
    // A star-hop route stands out from the boundaries: three times as wide
    // and in dashes three times as long.
    case 23: return dashed(3 * o.boundaryWidth, 3 * o.boundaryDashOn, o.boundaryDashOn);
    case 25: return solid(o.trackLineWidth, Ink::kGrey);  // comet tails, in the bodies' grey
    default: return std::nullopt;
  }
}

std::optional<RenderingOutputFile::Ink> RenderingOutputFile::fillOf(int fillStyle) {
  switch (fillStyle) {
    case 1: case 3: return Ink::kWhite;
    case 2: return Ink::kBlack;
    case 4: case 5: case 6: return Ink::kGrey;
    default: return std::nullopt;
  }
}

int RenderingOutputFile::fontIndex(int textClass) {
  return kClassFont[textClassOf(textClass)];
}

void RenderingOutputFile::putDashArray(const Pen& pen) {
  put('[');
  if (pen.dashOn > 0) {
    put(pen.dashOn);
    put(' ');
    put(pen.dashOff);
  }
  put(']');
}

}  // namespace celvaro
