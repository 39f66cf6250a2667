#include "render/chart_renderer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "astro/angle_tables.h"
#include "astro/constellation_list.h"
#include "catalog/deepsky_data.h"
#include "catalog/double_star_data.h"
#include "catalog/variable_star_data.h"
#include "catalog/sky_catalogs.h"
#include "model/chart_settings.h"
#include "output/output_area.h"
#include "output/render_options.h"
#include "output/rendering_output.h"
#include "output/rendering_output_file.h"
#include "platform/utf_text.h"
#include "projection/transformer.h"
#include "render/polyline_tracer.h"
#include "render/deepsky_layer.h"
#include "render/fov_overlay.h"
#include "render/label_placer.h"
#include "render/milky_way_layer.h"
#include "render/solar_system_layer.h"
#include "render/text_extent.h"

namespace celvaro {
namespace {

constexpr double kRadPerArcmin = std::numbers::pi / 10800;
constexpr int kFullCircleArcmin = 21600;
constexpr int kPoleArcmin = 5400;

// Line, fill and text styles of the layers.
enum Style : int {
  kFrameLine = 1,
  kGridLine = 2,
  kFigureLine = 3,
  kBoundaryLine = 4,
  kEclipticLine = 5,
  kHorizonLine = 6,
  kStarLine = 7,
  kVariableLine = 8,
  kDoubleLine = 9,
  kDeepskyLine = 11,
  kRouteLine = 23,
  kNoFill = 1,
  kStarFill = 2,
  kGridTextStyle = 2,
  kNameTextStyle = 3,
  kLabelTextStyle = 4,
  kDeepskyTextStyle = 6,
};

// The text class of an atlas page's marks: the page numbers.
constexpr int kMarkText = kDeepskyLargeText;

template <typename... Args>
std::string printed(const char* format, Args... args) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

}  // namespace

ChartRenderer::ChartRenderer(SkyCatalogs* catalogs, RenderingOutput* output, iTransformer* transformer,
                             const OutputArea* area, const ChartSettings* settings, const RenderOptions* options)
    : catalogs_(catalogs),
      output_(output),
      transformer_(transformer),
      area_(area),
      settings_(settings),
      options_(options) {}

bool ChartRenderer::visible(double raRad, double decRad, int32_t& x, int32_t& y) const {
  ProjectedPoint p;
  if (!transformer_->project(raRad, decRad, p) || p.depth <= visibilityLimit_) return false;
  x = p.x, y = p.y;
  return true;
}

// The layers draw through a label placer, which draws their labels last,
// above every line and symbol, where they are free. Everything after the
// frame and its legend, labels included, is cut at the chart's edge.
void ChartRenderer::drawChart(const PassFlags& flags) {
  RenderingOutput* const direct = output_;
  LabelPlacer placer(*direct, *area_, *options_);
  output_ = &placer;
  drawLayers(flags);
  output_ = direct;
  placer.finish();
  fovFrames();
  pageMarks();
  direct->endChartClip();
}

void ChartRenderer::textPage() {
  output_->clear();
  output_->beginGroup("textpage");
  titleText(area_->height / 2);
  output_->endGroup();
}

// Over everything, like the frames: the edges' texts just inside the frame.
void ChartRenderer::pageMarks() {
  if (!marks_ || marks_->empty()) return;
  output_->beginGroup("pagemarks");
  output_->selectPen(kFrameLine);
  output_->selectBrush(kNoFill);
  const int32_t inset = options_->fontSizes[RenderingOutputFile::fontIndex(kMarkText)];
  const int32_t w = area_->width / 2 - 2 * inset, h = area_->height / 2 - inset;
  const std::array<std::array<int32_t, 2>, 4> middles{{{0, h}, {w, 0}, {0, -h}, {-w, 0}}};
  for (size_t edge = 0; edge < middles.size(); ++edge) {
    if (!marks_->edges[edge].empty()) boxedText(middles[edge][0], middles[edge][1], marks_->edges[edge]);
  }
  for (const SkyNote& note : marks_->notes) {
    int32_t x, y;
    if (visible(note.raRad, note.decRad, x, y) && output_->isInsideOutput(x, y)) boxedText(x, y, note.text);
  }
  output_->endGroup();
}

// The text centred on the point, on a white box with a frame.
void ChartRenderer::boxedText(int32_t x, int32_t y, const std::string& text) {
  const int32_t size = options_->fontSizes[RenderingOutputFile::fontIndex(kMarkText)];
  const int32_t halfWidth = estimatedTextWidth(utf8ToUtf16(text), size) / 2, pad = size / 4;
  output_->rectangle(x - halfWidth - pad, y - size / 2 - pad, x + halfWidth + pad, y + size / 2 + pad, true, true);
  output_->legendText(x - halfWidth, y - size * 3 / 8, kMarkText, text);
}

// Over everything, labels included, and cut at the frame like them.
void ChartRenderer::fovFrames() {
  if (!fovOverlay_ || !fovOverlay_->shown) return;
  output_->beginGroup("fovoverlay");
  output_->selectPen(kFrameLine);
  output_->selectBrush(kNoFill);
  drawFovOverlay(*fovOverlay_, *output_, *transformer_);
  output_->endGroup();
}

void ChartRenderer::drawLayers(const PassFlags& flags) {
  const ChartSettings& s = *settings_;
  RenderingOutput& out = *output_;
  visibilityLimit_ = transformer_->visibilityLimit();
  transformer_->setup(*area_, s);
  out.clear();
  if (options_->frame) {
    out.beginGroup("frame");
    out.selectPen(kFrameLine);
    out.rectangle(-area_->width / 2, -area_->height / 2, area_->width / 2, area_->height / 2, true, s.frameFill);
    if (area_->legendWidth > 0) legend();
    out.endGroup();
  }
  if (area_->titleHeight > 0) titleStrip();
  out.clipToChart();
  if (s.needMilkyWay && catalogs_) {
    out.beginGroup("milkyway");
    MilkyWayLayer(catalogs_->milkyWay(), out, *transformer_, *area_, visibilityLimit_).draw();
    out.endGroup();
  }
  if (s.needEquatorialGrid) {
    out.beginGroup("equatorialgrid");
    out.selectPen(kGridLine);
    equatorialGrid();
    out.endGroup();
  }
  auto lineLayer = [&](bool wanted, const SkyPolylines* line, const char* group, int style) {
    if (!wanted || !line || line->count() == 0) return;
    out.beginGroup(group);
    out.selectPen(style);
    polylineLayer(*line, false);
    out.endGroup();
  };
  lineLayer(s.needConstBoundaries, catalogs_ ? &catalogs_->constellationBoundaries() : nullptr, "constboundaries",
            kBoundaryLine);
  lineLayer(s.needConstLines, catalogs_ ? &catalogs_->constellationLines() : nullptr, "constlines", kFigureLine);
  if (s.needConstNames || s.needConstAbbreviations) {
    out.setTextStyle(kNameTextStyle);
    constellationNames();
  }
  lineLayer(s.needEcliptic, ecliptic_, "ecliptic line", kEclipticLine);
  lineLayer(s.needHorizon, horizon_, "horizon", kHorizonLine);
  if (s.deepskyMode != 0 && catalogs_ && catalogs_->deepsky()) {
    out.beginGroup("deepsky");
    out.setTextStyle(kDeepskyTextStyle);
    out.selectBrush(kNoFill);
    out.selectPen(kDeepskyLine);
    DeepskyLayer(*catalogs_->deepsky(), out, *transformer_, *area_, s, *options_, visibilityLimit_, language_).draw();
    out.endGroup();
  }
  if (s.showStars) starField(flags);
  if (s.needVariableStars && catalogs_ && catalogs_->variableStars()) {
    out.beginGroup("variables");
    out.selectPen(kVariableLine);
    out.selectBrush(kStarFill);  // a variable star's disc is a star's, its ring in the variable pen
    catalogs_->variableStars()->draw(out, *options_, *area_, *transformer_, s);
    out.endGroup();
  }
  if (catalogs_) {
    out.beginGroup("solarsystem");
    SolarSystemLayer(catalogs_->solarSystem(), out, *transformer_, s, *options_, visibilityLimit_).draw();
    out.endGroup();
  }
  if (s.showRoute) route();
}

void ChartRenderer::starField(const PassFlags& flags) {
  if (!catalogs_) return;
  const ChartSettings& s = *settings_;
  if (s.needDoubleStars && catalogs_->doubleStars()) {
    output_->beginGroup("doubles");
    output_->selectPen(kDoubleLine);
    catalogs_->doubleStars()->draw(*output_, *area_, *transformer_, s, options_->labelOffsetX,
                                   options_->doubleStarLabelDy);
    output_->endGroup();
  }
  if (iStarData* stars = catalogs_->currentStarCatalog()) {
    output_->selectPen(kStarLine);
    output_->selectBrush(kStarFill);
    stars->draw(*output_, *transformer_, s, *area_, s.starLimitHundredths, flags.recordStars);
  }
  if (s.needStarLabel && catalogs_->starLabels().size() > 0) {
    output_->setTextStyle(kLabelTextStyle);
    catalogs_->starLabels().draw(*output_, *transformer_, s, *options_);
  }
}

void ChartRenderer::route() {
  if (!route_) return;
  output_->selectPen(kRouteLine);
  PolylineTracer tracer(*transformer_, *output_, visibilityLimit_, false);
  for (int i = 0; i < route_->count(); ++i) tracer.point(route_->ra()[i], route_->dec()[i], route_->pen()[i] == 0);
}

// The whole line projected at once, each point as project() would give it.
void ChartRenderer::polylineLayer(const SkyPolylines& line, bool close) {
  const size_t n = static_cast<size_t>(line.count());
  ProjectedLine projected(n);
  line.projectAll(*transformer_, projected.x.data(), projected.y.data(), projected.depth.data());
  traceLine(projected, line.pen(), close);
}

// A line of unit vectors (x toward right ascension 0, y toward 6 h, z
// toward the north pole), projected at once.
void ChartRenderer::vectorLine(const std::vector<double>& ux, const std::vector<double>& uy,
                               const std::vector<double>& uz) {
  ProjectedLine projected(ux.size());
  transformer_->projectManyVectors(ux.data(), uy.data(), uz.data(), 0, static_cast<int>(ux.size()), projected.x.data(),
                                   projected.y.data(), projected.depth.data());
  traceLine(projected, nullptr, false);
}

// The visible runs of a projected line; a pen of 0 starts over.
void ChartRenderer::traceLine(const ProjectedLine& line, const uint8_t* pens, bool close) {
  PolylineTracer tracer(*transformer_, *output_, visibilityLimit_, close);
  for (size_t i = 0; i < line.x.size(); ++i) {
    const ProjectedPoint p{line.x[i], line.y[i], line.depth[i]};
    tracer.projected(transformer_->rejects(p.depth) ? nullptr : &p, pens && pens[i] == 0);
  }
}

// --- the equatorial grid ---------------------------------------------------

std::string ChartRenderer::declinationLabel(int arcmin) {
  const int a = std::abs(arcmin);
  const char* sign = arcmin < 0 ? "-" : "";
  return a % 60 == 0 ? printed("%s%d", sign, a / 60) : printed("%s%d %d'", sign, a / 60, a % 60);
}

std::string ChartRenderer::hourLabel(int arcmin) {
  const int h = arcmin / 900, m = (arcmin % 900) / 15, sec = ((arcmin % 900) % 15) * 4;
  return sec == 0 ? printed("%02d:%02d", h, m) : printed("%02d:%02d:%02d", h, m, sec);
}

void ChartRenderer::equatorialGrid() {
  const ChartSettings& s = *settings_;
  const int step = std::max(s.decGridStepArcmin, 1), raStep = std::max(s.raGridStepArcmin, 1);
  const int field = s.fieldArcmin;
  const int n = field / step + (field < 240 ? 1 : 0);
  int centre = s.centreDecArcmin;
  if (centre > 10800) centre -= kFullCircleArcmin;
  if (centre > kPoleArcmin) centre = 10800 - centre;
  if (centre < -kPoleArcmin) centre = -10800 - centre;
  const int k0 = (centre + (centre < 0 ? -step / 2 : step / 2)) / step;
  int kMin = k0 - n, kMax = k0 + n;

  // The circles' points as unit vectors, each degree's sine and cosine
  // from a table (a point n degrees on from an angle by the sum rules).
  std::vector<double> ux, uy, uz;
  // Declination circles, every degree of right ascension from -1 to 359;
  // those beyond the poles would only repeat others.
  for (int k = kMin; k <= kMax; ++k) {
    const int dec = k * step;
    if (std::abs(dec) >= kPoleArcmin) continue;
    const double cosDec = std::cos(dec * kRadPerArcmin), sinDec = std::sin(dec * kRadPerArcmin);
    ux.clear(), uy.clear(), uz.clear();
    for (int deg = -1; deg <= 359; ++deg) {
      const SinCos ra = sinCosOfDegrees(deg);
      ux.push_back(cosDec * ra.cos), uy.push_back(cosDec * ra.sin), uz.push_back(sinDec);
    }
    vectorLine(ux, uy, uz);
  }
  // Hour circles from the lowest to the highest circle, every degree.
  const double lowest = kMin * step * kRadPerArcmin, highest = kMax * step * kRadPerArcmin;
  const double cosLow = std::cos(lowest), sinLow = std::sin(lowest);
  for (int ra = 0; ra < kFullCircleArcmin; ra += raStep) {
    const double cosRa = std::cos(ra * kRadPerArcmin), sinRa = std::sin(ra * kRadPerArcmin);
    ux.clear(), uy.clear(), uz.clear();
    auto add = [&](double cosDec, double sinDec) {
      ux.push_back(cosDec * cosRa), uy.push_back(cosDec * sinRa), uz.push_back(sinDec);
    };
    for (int j = 0, dec = kMin * step; dec < kMax * step; dec += 60, ++j) {
      const SinCos up = sinCosOfDegrees(j);
      add(cosLow * up.cos - sinLow * up.sin, sinLow * up.cos + cosLow * up.sin);
    }
    add(std::cos(highest), std::sin(highest));
    vectorLine(ux, uy, uz);
  }
  if (!s.needGridNumbering) return;
  output_->setTextStyle(kGridTextStyle);
  if (step > 1) {
    kMax = std::min(kMax, kPoleArcmin / step);
    kMin = std::max(kMin, -kPoleArcmin / step);
  }
  const int labelRa = ((s.centreRaArcmin + raStep / 2) / raStep) * raStep;
  int32_t x, y;
  for (int k = kMin; k <= kMax; ++k) {
    if (visible(labelRa * kRadPerArcmin, k * step * kRadPerArcmin, x, y) && output_->isInsideOutput(x, y)) {
      output_->text(x, y, options_->decLabelDx, options_->decLabelDy, kGridText, declinationLabel(k * step));
    }
  }
  int hourDec = k0 * step;
  if (hourDec >= kPoleArcmin) hourDec -= step;
  if (hourDec <= -kPoleArcmin) hourDec += step;
  for (int ra = 0; ra < kFullCircleArcmin; ra += raStep) {
    if (visible(ra * kRadPerArcmin, hourDec * kRadPerArcmin, x, y)) {
      output_->text(x, y, options_->hourLabelDx, options_->hourLabelDy, kGridText, hourLabel(ra));
    }
  }
}

// --- names ---------------------------------------------------------------------

void ChartRenderer::constellationNames() {
  const bool abbreviations = settings_->needConstAbbreviations;
  int32_t x, y;
  for (int i = 0; i < kConstellationCount; ++i) {
    double ra, dec;
    if (!constellationPosition(i, ra, dec) || !visible(ra, dec, x, y) || !output_->isInsideOutput(x, y)) continue;
    const std::string text = abbreviations ? std::string(constellationAbbreviation(i))
                             : catalogs_    ? catalogs_->constellationNames().name(i, language_)
                                            : shownConstellationName(i);
    output_->text(x, y, 0, 0, kConstellationNames, text);
  }
}

// --- frame legend -------------------------------------------------------------

void ChartRenderer::legend() {
  const int32_t x0 = -area_->width / 2, y0 = -area_->height / 2, height = area_->legendHeight;
  output_->rectangle(x0, y0, x0 + area_->legendWidth, y0 - height, true, false);
  orientationFigure(x0, y0, height);
  const int32_t barEnd = scaleBar(x0, y0);
  magnitudeScale(barEnd + 500, y0 - height / 2);
}

// The strip on the frame's top edge, as wide as the chart, with a line of
// text under another from its top. In columns side by side when asked, the
// first line across them all.
void ChartRenderer::titleStrip() {
  const int32_t x0 = -area_->width / 2, top = area_->height / 2 + area_->titleHeight;
  output_->beginGroup("titleblock");
  output_->selectPen(kFrameLine);
  output_->rectangle(x0, area_->height / 2, x0 + area_->width, top, true, false);
  titleText(top);
  output_->endGroup();
}

void ChartRenderer::titleText(int32_t top) {
  constexpr int32_t kInset = 200;
  const int32_t x0 = -area_->width / 2;
  const size_t count = titleLines_ ? titleLines_->size() : 0;
  const size_t spanning = titleColumns_ > 1 ? std::min<size_t>(count, 1) : count;
  const size_t perColumn = std::max<size_t>(1, (count - spanning + titleColumns_ - 1) / titleColumns_);
  for (size_t i = 0; i < count; ++i) {
    const size_t column = i < spanning ? 0 : (i - spanning) / perColumn;
    const size_t row = i < spanning ? i : spanning + (i - spanning) % perColumn;
    output_->legendText(x0 + kInset + static_cast<int32_t>(column) * area_->width / titleColumns_,
                        top - static_cast<int32_t>(row + 1) * kTitleLinePitch, kTitleBarText, (*titleLines_)[i]);
  }
}

// An L whose arms point north and west at the chart's centre, as the frame
// and the mirror mode turn them: the directions of points a degree north
// and west of the centre. Where they cannot be projected the arms follow
// the mirror mode alone.
void ChartRenderer::orientationFigure(int32_t x0, int32_t y0, int32_t height) {
  const uint32_t mirror = std::min<uint32_t>(settings_->mirrorMode, kMirrorHorizontal);
  Direction north{0, (mirror == kMirrorCentral || mirror == kMirrorVertical) ? -1.0 : 1.0};
  Direction west{(mirror == kMirrorNone || mirror == kMirrorVertical) ? 1.0 : -1.0, 0};
  const double ra = settings_->centreRaArcmin * kRadPerArcmin, dec = settings_->centreDecArcmin * kRadPerArcmin;
  const double step = 60 * kRadPerArcmin, pole = std::numbers::pi / 2;
  const bool nearPole = dec + step > pole;
  chartDirection(ra, dec, ra, nearPole ? dec - step : dec + step, nearPole ? -1 : 1, north);
  chartDirection(ra, dec, ra - step / std::max(std::cos(dec), 0.02), dec, 1, west);
  const int32_t cx = x0 + height / 2, cy = y0 - height / 2, arm = height / 2 - 200;
  auto along = [arm](int32_t from, double unit) { return from + static_cast<int32_t>(std::lround(arm * unit)); };
  const int32_t nx = along(cx, north.x), ny = along(cy, north.y), wx = along(cx, west.x), wy = along(cy, west.y);
  output_->pathMoveTo(nx, ny);
  output_->pathLineTo(cx, cy);
  output_->pathLineTo(wx, wy);
  output_->pathEnd(false);
  output_->legendText(nx, ny, kTitleBarText, "N");
  output_->legendText(wx, wy, kTitleBarText, "W");
}

// The unit direction on the chart from the first point to the second, times
// `sign`; `out` is kept when either cannot be projected.
void ChartRenderer::chartDirection(double ra1, double dec1, double ra2, double dec2, int sign, Direction& out) {
  ProjectedPoint a, b;
  if (!transformer_->project(ra1, dec1, a) || !transformer_->project(ra2, dec2, b)) return;
  const double dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
  if (length > 0) out = {sign * dx / length, sign * dy / length};
}

// The first length of the list that reaches 1000 device units; returns where it ends.
int32_t ChartRenderer::scaleBar(int32_t x0, int32_t y0) {
  static constexpr int kTenths[] = {10, 50, 100, 300, 600, 1200, 3000};
  static constexpr const char* kNames[] = {"1 min", "5 min", "10 min", "30 min", "1 deg", "2 degs", "5 degs"};
  int choice = 6;
  for (int i = 0; i < 7; ++i) {
    if (transformer_->tenthArcminToPixels(kTenths[i]) >= 1000) {
      choice = i;
      break;
    }
  }
  const int32_t x = x0 + 1700, length = transformer_->tenthArcminToPixels(kTenths[choice]);
  output_->pathMoveTo(x, y0 - 200);
  output_->pathLineTo(x, y0 - 300);
  output_->pathLineTo(x + length, y0 - 300);
  output_->pathLineTo(x + length, y0 - 200);
  output_->pathEnd(false);
  output_->legendText(x, y0 - 600, kTitleBarText, kNames[choice]);
  return x + length;
}

void ChartRenderer::magnitudeScale(int32_t x, int32_t y) {
  const bool byClass = output_->drawsStarsByClass();
  for (int i = 0; i <= settings_->starLimitHundredths / 100; ++i) {
    const int magClass = magnitudeClass(100 * i);
    const int32_t d = output_->starDiameter(magClass);
    output_->selectPen(kStarLine);
    output_->selectBrush(kStarFill);
    output_->legendStar(x + d / 2, y, byClass ? magClass : d, byClass ? 0 : d / 2);
    output_->selectPen(kFrameLine);
    output_->legendText(x + d + 50, y, kTitleBarText, std::to_string(i));
    x += d + 300;
  }
}

}  // namespace celvaro
