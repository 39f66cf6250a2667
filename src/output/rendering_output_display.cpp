#include "output/rendering_output_display.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "astro/constellation_list.h"
#include "platform/utf_text.h"

namespace celvaro {
namespace {

// The screen's drawing resources in their fixed order, as colour-table
// indices: 0 background brush, 1 grid, 2 ecliptic, 3 horizon, 4 figure and
// 5 boundary pens, 6 star brush, 7 star-edge brush, 8 star-edge pen, 9 star
// pen, 10 planet brush, 11 planet-track, 12 deep-sky pens, 13 text colour,
// 14 star-hop and 15 selection pens; the planet brush's colour is the comet
// tails' pen too. Line, fill and text styles name slots.
constexpr int kSlotColour[16] = {kColorBackground, kColorGrid,      kColorEcliptic,    kColorHorizon,
                                 kColorConstLines, kColorConstBoundaries, kColorStars, kColorStarEdge,
                                 kColorStarEdge,   kColorStars,     kColorPlanets,     kColorPlanetTracks,
                                 kColorDeepsky,    kColorText,      kColorStarHop,     kColorSelection};
constexpr int kTextSlot = 13;
constexpr int kXorLineStyle = 24;

// The pen slot of each line style, -1 where the style keeps the pen.
int penSlotOf(int lineStyle) {
  switch (lineStyle) {
    case 2: return 1;
    case 3: return 4;
    case 4: return 5;
    case 5: return 2;
    case 6: return 3;
    case 7: case 21: return 8;
    case 8: case 9: return 9;
    case 10: case 11: case 12: case 15: case 16: return 12;
    case 22: return 11;
    case 25: return 10;  // comet tails in the planets' colour
    case 23: return 14;
    case kXorLineStyle: return 15;
    default: return -1;
  }
}

// The star fills by colour class, blue-white to red.
constexpr Rgb kStarClassColour[8] = {{255, 255, 255}, {64, 128, 255}, {128, 255, 255}, {255, 128, 128},
                                     {255, 255, 128}, {255, 255, 0},   {255, 140, 0},   {255, 64, 64}};

// Deep-sky symbol codes kept in the hit list.
enum DeepskySymbol : int {
  kSymbolGalaxy = 1,
  kSymbolGlobular = 2,
  kSymbolOpenCluster = 3,
  kSymbolPlanetary = 6,
  kSymbolDiffuse = 7,
  kSymbolSquare = 9,
  kSymbolPentagon = 10,
  kSymbolCrossTick = 15,
  kSymbolLargeOutline = 16,
};

constexpr size_t kStarLabelChars = 40;
constexpr int32_t kVariableRingGap = 2;  // pixels between a variable star's disc and its ring

}  // namespace

RenderingOutputDisplay::RenderingOutputDisplay(const ColorTable& colors) : colors_(colors) {
  for (int i = 0; i < 20; ++i) starSizes_.set(i, 1);
}

bool RenderingOutputDisplay::begin(const std::string&, PageSize, const OutputArea& area) {
  cx_ = area.width / 2;
  cy_ = area.height / 2;
  width_ = area.width;
  setClipRectangle(-cx_, -cy_, cx_, cy_);
  forgetStyles();
  starColourClass_ = -1;
  polyPoints_.clear();
  return true;
}

void RenderingOutputDisplay::end() { flushPolyline(); }

bool RenderingOutputDisplay::toDevice(int32_t x, int32_t y, int32_t& dx, int32_t& dy) const {
  if (!isInsideOutput(x, y)) return false;
  dx = cx_ + x;
  dy = cy_ - y;
  return true;
}

// --- lines ---------------------------------------------------------------

void RenderingOutputDisplay::flushPolyline() {
  if (polyPoints_.size() >= 2) canvas_->polyline(polyPoints_.data(), static_cast<int>(polyPoints_.size()));
  polyPoints_.clear();
}

void RenderingOutputDisplay::polyStart(int32_t x, int32_t y) {
  flushPolyline();
  polyPoints_.push_back(device(x, y));
}

void RenderingOutputDisplay::polyLineTo(int32_t x, int32_t y) { polyPoints_.push_back(device(x, y)); }

void RenderingOutputDisplay::polyFinish(int32_t x, int32_t y, bool close) {
  polyPoints_.push_back(device(x, y));
  polyEnd(close);
}

void RenderingOutputDisplay::polyEnd(bool close) {
  if (close && polyPoints_.size() >= 2) polyPoints_.push_back(polyPoints_.front());
  flushPolyline();
}

void RenderingOutputDisplay::line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const DevicePoint a = device(x1, y1), b = device(x2, y2);
  canvas_->line(a.x, a.y, b.x, b.y);
}

void RenderingOutputDisplay::closedOutline(const DevicePoint* points, int count) {
  std::vector<DevicePoint> closed(points, points + count);
  closed.push_back(points[0]);
  canvas_->polyline(closed.data(), static_cast<int>(closed.size()));
}

void RenderingOutputDisplay::circle(int32_t x, int32_t y, int32_t radius) {
  const DevicePoint c = device(x, y);
  canvas_->ellipse(c.x - radius, c.y - radius, c.x + radius, c.y + radius);
}

void RenderingOutputDisplay::rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool stroke, bool fill) {
  const DevicePoint a = device(x1, y1), b = device(x2, y2);
  const int32_t left = std::min(a.x, b.x), right = std::max(a.x, b.x);
  const int32_t top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
  if (fill && brushSet_) canvas_->fillRect(left, top, right, bottom, brushColour_);
  if (stroke) {
    const DevicePoint corners[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    closedOutline(corners, 4);
  }
}

void RenderingOutputDisplay::polyline(const int32_t* x, const int32_t* y, int count) {
  count = std::min(count, kPolylinePoints);
  std::vector<DevicePoint> points(std::max(count, 0));
  for (int i = 0; i < count; ++i) points[i] = device(x[i], y[i]);
  if (count >= 2) canvas_->polyline(points.data(), count);
}

void RenderingOutputDisplay::clear() {
  canvas_->fillRect(0, 0, width_, 2 * cy_ + 1, colors_.getColor(kColorBackground));
  starColourClass_ = -1;
}

// The faintest level a quarter of the way from the background to the grid
// colour, the brightest 85 percent of it: the grid stays in sight above.
void RenderingOutputDisplay::milkyWayArea(double brightness, const AreaRings& area) {
  if (area.empty()) return;
  flushPolyline();
  const Rgb back = colors_.getColor(kColorBackground), grid = colors_.getColor(kColorGrid);
  const double share = 0.1 + 0.75 * std::clamp(brightness, 0.0, 1.0);
  auto mix = [share](uint8_t from, uint8_t to) { return static_cast<uint8_t>(std::lround(from + share * (to - from))); };
  areaPoints_.resize(area.x.size());
  for (size_t i = 0; i < area.x.size(); ++i) areaPoints_[i] = device(area.x[i], area.y[i]);
  canvas_->fillArea(areaPoints_.data(), area.ends.data(), static_cast<int>(area.ends.size()),
                    {mix(back.red, grid.red), mix(back.green, grid.green), mix(back.blue, grid.blue)});
}

// --- styles ----------------------------------------------------------------

void RenderingOutputDisplay::selectPen(int lineStyle) {
  if (lineStyle == lineStyle_) return;
  const int slot = penSlotOf(lineStyle);
  if (slot < 0) return;
  flushPolyline();
  lineStyle_ = lineStyle;
  penColour_ = colors_.getColor(kSlotColour[slot]);
  penXor_ = lineStyle == kXorLineStyle;
  canvas_->setPen(penColour_, penXor_);
}

void RenderingOutputDisplay::selectBrush(int fillStyle) {
  if (fillStyle == fillStyle_) return;
  int slot;
  switch (fillStyle) {
    case 0: case 1: slot = -1; break;
    case 2: slot = 6; break;
    case 3: slot = 7; break;
    case 4: case 5: case 6: slot = 10; break;
    default: return;
  }
  fillStyle_ = fillStyle;
  starColourClass_ = -1;
  brushSet_ = slot >= 0;
  if (brushSet_) brushColour_ = colors_.getColor(kSlotColour[slot]);
  canvas_->setBrush(brushSet_ ? &brushColour_ : nullptr);
}

void RenderingOutputDisplay::setTextStyle(int textStyle) {
  if (textStyle < 1 || textStyle > 6) return;
  textStyle_ = textStyle;
  textColour_ = colors_.getColor(kSlotColour[kTextSlot]);
}

void RenderingOutputDisplay::selectStarColour(int colourClass) {
  if (colourClass < 0 || colourClass >= 8 || colourClass == starColourClass_) return;
  starColourClass_ = colourClass;
  fillStyle_ = -1;  // the star brush replaces the fill style's
  brushSet_ = true;
  // In night vision every star takes the scheme's star colour, which is red.
  brushColour_ = colors_.night() ? colors_.getColor(kColorStars) : kStarClassColour[colourClass];
  canvas_->setBrush(&brushColour_);
}

// --- discs ------------------------------------------------------------------

void RenderingOutputDisplay::disc(int32_t x, int32_t y, int32_t diameter, int32_t radius) {
  const DevicePoint c = device(x, y);
  canvas_->ellipse(c.x - radius, c.y - radius, c.x - radius + diameter + 2, c.y - radius + diameter + 2);
}

bool RenderingOutputDisplay::planetDisc(int body, int mark, int32_t x, int32_t y, int32_t diameter,
                                        int32_t radius) {
  if (!isInsideOutput(x, y)) return false;
  disc(x, y, diameter, radius);
  if (hits_) hits_->addSolarSystem(body, mark, cx_ + x, cy_ - y);
  return true;
}

bool RenderingOutputDisplay::discWithTick(int index, int subIndex, int32_t x, int32_t y, int32_t diameter,
                                          int32_t radius, double angleRad) {
  if (!planetDisc(index, subIndex, x, y, diameter, radius)) return false;
  // The tick points toward the angle: 0 up, growing clockwise.
  const DevicePoint c = device(x, y);
  canvas_->line(c.x, c.y, c.x + static_cast<int32_t>(std::lround(radius * std::sin(angleRad))),
                c.y - static_cast<int32_t>(std::lround(radius * std::cos(angleRad))));
  return true;
}

bool RenderingOutputDisplay::minorPlanetDisc(int objectCode, int32_t x, int32_t y, int32_t diameter,
                                             int32_t radius) {
  return planetDisc(objectCode, -1, x, y, diameter, radius);
}

bool RenderingOutputDisplay::cometDisc(int objectCode, int32_t x, int32_t y, int32_t diameter, int32_t radius) {
  return planetDisc(objectCode, -1, x, y, diameter, radius);
}

// The dark part in a quarter of the fill's brightness, the lit part in
// the fill over it.
bool RenderingOutputDisplay::moonDisc(int body, int32_t x, int32_t y, int32_t diameter, int32_t radius,
                                      const MoonPhase& phase) {
  if (!isInsideOutput(x, y)) return false;
  const Rgb lit = brushSet_ ? brushColour_ : colors_.getColor(kColorPlanets);
  const Rgb dim{static_cast<uint8_t>(lit.red / 4), static_cast<uint8_t>(lit.green / 4),
                static_cast<uint8_t>(lit.blue / 4)};
  canvas_->setBrush(&dim);
  disc(x, y, diameter, radius);
  canvas_->setBrush(brushSet_ ? &brushColour_ : nullptr);
  // The disc's box runs from the corner over diameter + 2 pixels.
  const DevicePoint c = device(x, y);
  const double centre = (diameter + 2) / 2.0;
  MoonPhase onDevice = phase;
  onDevice.towardSunY = -phase.towardSunY;
  fillOutline(litOutline(c.x - radius + centre, c.y - radius + centre, diameter / 2.0, onDevice, 32), lit);
  if (hits_) hits_->addSolarSystem(body, -1, cx_ + x, cy_ - y);
  return true;
}

void RenderingOutputDisplay::fillOutline(const std::vector<OutlinePoint>& outline, Rgb colour) {
  if (outline.empty()) return;
  canvas_->setPen(colour, false);
  double top = outline[0].y, bottom = top;
  for (const OutlinePoint& p : outline) top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  std::vector<double> crossings;
  for (auto row = static_cast<int32_t>(std::floor(top)); row <= static_cast<int32_t>(std::ceil(bottom)); ++row) {
    const double middle = row + 0.5;
    crossings.clear();
    for (size_t i = 0; i < outline.size(); ++i) {
      const OutlinePoint& a = outline[i];
      const OutlinePoint& b = outline[(i + 1) % outline.size()];
      if ((a.y <= middle) != (b.y <= middle)) crossings.push_back(a.x + (middle - a.y) * (b.x - a.x) / (b.y - a.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const auto left = static_cast<int32_t>(std::ceil(crossings[i] - 0.5));
      const auto right = static_cast<int32_t>(std::floor(crossings[i + 1] - 0.5));
      if (left <= right) canvas_->line(left, row, right, row);
    }
  }
  canvas_->setPen(penColour_, penXor_);
}

bool RenderingOutputDisplay::drawStarIndexed(int index, int32_t x, int32_t y, int32_t diameter, int32_t radius) {
  if (!drawStar(x, y, diameter, radius)) return false;
  if (hits_) hits_->addStar(index, cx_ + x, cy_ - y);
  return true;
}

bool RenderingOutputDisplay::drawColouredStarIndexed(int index, int32_t x, int32_t y, int32_t diameter,
                                                     int32_t radius, int colourClass) {
  if (!drawColouredStar(x, y, diameter, radius, colourClass)) return false;
  if (hits_) hits_->addStar(index, cx_ + x, cy_ - y);
  return true;
}

bool RenderingOutputDisplay::drawStar(int32_t x, int32_t y, int32_t diameter, int32_t radius) {
  if (!isInsideOutput(x, y)) return false;
  disc(x, y, diameter, radius);
  return true;
}

bool RenderingOutputDisplay::drawColouredStar(int32_t x, int32_t y, int32_t diameter, int32_t radius,
                                              int colourClass) {
  if (!isInsideOutput(x, y)) return false;
  selectStarColour(colourClass);
  disc(x, y, diameter, radius);
  return true;
}

void RenderingOutputDisplay::legendStar(int32_t x, int32_t y, int32_t diameter, int32_t radius) {
  disc(x, y, diameter, radius);
}

// A variable star: the filled disc of its mean brightness in the star
// colour, and a ring two pixels outside it in the pen.
bool RenderingOutputDisplay::variableStar(int index, int32_t x, int32_t y, int32_t diameter, int32_t radius) {
  if (!isInsideOutput(x, y)) return false;
  const Rgb starColour = colors_.getColor(kColorStars);
  canvas_->setBrush(&starColour);
  disc(x, y, diameter, radius);
  canvas_->setBrush(nullptr);
  disc(x, y, diameter + 2 * kVariableRingGap, radius + kVariableRingGap);
  canvas_->setBrush(brushSet_ ? &brushColour_ : nullptr);
  starColourClass_ = -1;
  if (hits_) hits_->addVariableStar(index, cx_ + x, cy_ - y);
  return true;
}

bool RenderingOutputDisplay::dashMarker(int index, int32_t x, int32_t y, int32_t halfLength) {
  if (!isInsideOutput(x, y)) return false;
  const DevicePoint c = device(x, y);
  canvas_->line(c.x - halfLength, c.y, c.x + halfLength, c.y);
  if (hits_) hits_->addDoubleStar(index, c.x, c.y);
  return true;
}

// --- deep-sky symbols ---------------------------------------------------------

void RenderingOutputDisplay::recordDeepsky(int32_t x, int32_t y, int symbolType, int index) {
  if (hits_ && isInsideOutput(x, y)) hits_->addDeepsky(cx_ + x, cy_ - y, symbolType, index);
}

void RenderingOutputDisplay::galaxyEllipse(int index, int32_t x, int32_t y, int32_t, int32_t width,
                                           int32_t height) {
  const DevicePoint c = device(x, y);
  canvas_->ellipse(c.x - width / 2, c.y - height / 2, c.x - width / 2 + width, c.y - height / 2 + height);
  recordDeepsky(x, y, kSymbolGalaxy, index);
}

void RenderingOutputDisplay::rotatedGalaxyEllipse(int index, int32_t x, int32_t y, int32_t ux, int32_t uy,
                                                  int32_t vx, int32_t vy) {
  constexpr int kSteps = 24;
  DevicePoint outline[kSteps];
  const DevicePoint c = device(x, y);
  for (int i = 0; i < kSteps; ++i) {
    const double t = i * (2 * std::numbers::pi / kSteps);
    outline[i] = {c.x + static_cast<int32_t>(std::lround(ux * std::cos(t) + vx * std::sin(t))),
                  c.y - static_cast<int32_t>(std::lround(uy * std::cos(t) + vy * std::sin(t)))};
  }
  closedOutline(outline, kSteps);
  recordDeepsky(x, y, kSymbolGalaxy, index);
}

void RenderingOutputDisplay::globularCluster(int index, int32_t x, int32_t y, int32_t, int32_t size) {
  const DevicePoint c = device(x, y);
  const int32_t h = size / 2;
  canvas_->ellipse(c.x - h, c.y - h, c.x - h + size, c.y - h + size);
  canvas_->line(c.x - h, c.y, c.x + h, c.y);
  canvas_->line(c.x, c.y - h, c.x, c.y + h);
  recordDeepsky(x, y, kSymbolGlobular, index);
}

void RenderingOutputDisplay::openCluster(int index, int32_t x, int32_t y, int32_t, int32_t size) {
  const DevicePoint c = device(x, y);
  const int32_t h = size / 2;
  canvas_->ellipse(c.x - h, c.y - h, c.x - h + size, c.y - h + size);
  recordDeepsky(x, y, kSymbolOpenCluster, index);
}

void RenderingOutputDisplay::planetaryNebula(int index, int32_t x, int32_t y, int32_t, int32_t size) {
  const DevicePoint c = device(x, y);
  const int32_t h = size / 2;
  canvas_->ellipse(c.x - h, c.y - h, c.x - h + size, c.y - h + size);
  canvas_->line(c.x, c.y - h, c.x, c.y - size);
  canvas_->line(c.x, c.y + h, c.x, c.y + size);
  canvas_->line(c.x - h, c.y, c.x - size, c.y);
  canvas_->line(c.x + h, c.y, c.x + size, c.y);
  recordDeepsky(x, y, kSymbolPlanetary, index);
}

void RenderingOutputDisplay::diffuseNebula(int index, int32_t x, int32_t y, int32_t, int32_t size) {
  rectangle(x - size / 2, y - size / 2, x - size / 2 + size, y - size / 2 + size, true, false);
  recordDeepsky(x, y, kSymbolDiffuse, index);
}

void RenderingOutputDisplay::squareSymbol(int index, int32_t x, int32_t y, int32_t, int32_t size) {
  rectangle(x - size / 2, y - size / 2, x - size / 2 + size, y - size / 2 + size, true, false);
  recordDeepsky(x, y, kSymbolSquare, index);
}

void RenderingOutputDisplay::pentagonSymbol(int index, int32_t x, int32_t y, int32_t size) {
  DevicePoint corners[5];
  const DevicePoint c = device(x, y);
  for (int i = 0; i < 5; ++i) {
    const double a = i * (2 * std::numbers::pi / 5);  // the first corner straight up
    corners[i] = {c.x + static_cast<int32_t>(std::lround(size * std::sin(a))),
                  c.y - static_cast<int32_t>(std::lround(size * std::cos(a)))};
  }
  closedOutline(corners, 5);
  recordDeepsky(x, y, kSymbolPentagon, index);
}

void RenderingOutputDisplay::crossTickSymbol(int index, int32_t x, int32_t y) {
  const DevicePoint c = device(x, y);
  for (int sx : {-1, 1}) {
    for (int sy : {-1, 1}) canvas_->line(c.x + 2 * sx, c.y + 2 * sy, c.x + 5 * sx, c.y + 5 * sy);
  }
  recordDeepsky(x, y, kSymbolCrossTick, index);
}

void RenderingOutputDisplay::largeOutline(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t ux, int32_t uy,
                                          int32_t vx, int32_t vy) {
  RenderingOutput::largeOutline(index, x, y, catalogValue, ux, uy, vx, vy);
  recordDeepsky(x, y, kSymbolLargeOutline, index);
}

// --- texts -------------------------------------------------------------------

void RenderingOutputDisplay::text(int32_t x, int32_t y, int32_t dx, int32_t dy, int textClass,
                                  std::string_view text) {
  wideText(x, y, dx, dy, textClass, utf8ToUtf16(text));
}

void RenderingOutputDisplay::wideText(int32_t x, int32_t y, int32_t dx, int32_t dy, int,
                                      std::u16string_view text) {
  canvas_->text(cx_ + x + dx, cy_ - y + dy, text, textColour_);
}

std::u16string RenderingOutputDisplay::starLabelText(const StarLabelParts& label) {
  std::u16string text;
  if (label.greekLetter >= 0 && label.greekLetter <= 23) {
    // alpha..omega, skipping the final sigma U+03C2.
    text += static_cast<char16_t>(0x03B1 + label.greekLetter + (label.greekLetter >= 17 ? 1 : 0));
  }
  if (label.flamsteed >= 0) text += utf8ToUtf16(std::to_string(label.flamsteed));
  auto append = [&text](std::u16string_view part) {
    if (part.empty()) return;
    if (!text.empty()) text += u' ';
    text += part;
  };
  if (label.name) append(utf8ToUtf16(label.name));
  append(utf8ToUtf16(constellationAbbreviation(label.constellation)));
  if (text.size() > kStarLabelChars) text.resize(kStarLabelChars);
  return text;
}

bool RenderingOutputDisplay::drawStarLabel(int index, int32_t x, int32_t y, int32_t dx, int32_t dy,
                                           const StarLabelParts& label) {
  if (!isInsideOutput(x, y)) return false;
  canvas_->text(cx_ + x + dx, cy_ - y + dy, starLabelText(label), textColour_);
  if (hits_) hits_->addNamedStar(index, cx_ + x, cy_ - y);
  return true;
}

}  // namespace celvaro
