#include "render/label_placer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

#include "output/rendering_output_display.h"
#include "output/rendering_output_file.h"
#include "platform/utf_text.h"
#include "render/text_extent.h"

namespace celvaro {
namespace {

// The group each layer's labels are drawn in.
constexpr const char* kGroupNames[] = {"constnames",   "gridlabels", "deepskylabels",    "doublelabels",
                                       "starlabels",   "variablelabels", "solarsystemlabels"};

constexpr int32_t kBrightStarHundredths = 400;  // the stars grid numbers and names keep off

// The height of a star label's line: gaps, cells and tolerances go by it.
int32_t lineHeightOf(const RenderingOutput& output, const RenderOptions& options) {
  return output.isScreen() ? 17 : options.fontSizes[RenderingOutputFile::fontIndex(kStarSmallText)] * 97 / 100;
}

ChartBox chartOf(const OutputArea& area) {
  return {-area.width / 2, -area.height / 2, area.width / 2, area.height / 2};
}

}  // namespace

LabelPlacer::LabelPlacer(RenderingOutput& inner, const OutputArea& area, const RenderOptions& options)
    : ForwardingOutput(inner),
      occupied_(chartOf(area), 2 * lineHeightOf(inner, options)),
      lineHeight_(lineHeightOf(inner, options)) {
  options_ = options;
  starSizes_ = inner.starSizes();
  const ChartBox chart = chartOf(area);
  setClipRectangle(chart.left, chart.bottom, chart.right, chart.top);
  brightStarRadius_ = std::max(1, starDiameterForMagnitude(kBrightStarHundredths) / 2);
}

void LabelPlacer::setTextStyle(int textStyle) {
  currentTextStyle_ = textStyle;
  inner_.setTextStyle(textStyle);
}

bool LabelPlacer::marked(int32_t x, int32_t y, int32_t d, int32_t r, DiscKind kind, bool drawn) {
  // Files drawing stars by class pass the class for the diameter and no radius.
  const int32_t radius = drawsStarsByClass() && r == 0 ? starDiameter(d) / 2 : r;
  if (drawn) occupied_.addDisc(x, y, radius, kind);
  return drawn;
}

void LabelPlacer::symbol(int32_t x, int32_t y, int32_t radius, int32_t magHundredths) {
  occupied_.addDisc(x, y, std::max(radius, 1), DiscKind::kSymbol);
  symbolX_ = x, symbolY_ = y, symbolMagnitude_ = magHundredths;
}

// A galaxy drawn to scale: the circle round its ellipse, of unknown magnitude.
void LabelPlacer::rotatedGalaxyEllipse(int i, int32_t x, int32_t y, int32_t ux, int32_t uy, int32_t vx, int32_t vy) {
  const double reach = std::max(std::hypot(ux, uy), std::hypot(vx, vy));
  symbol(x, y, static_cast<int32_t>(reach), kUnknownMagnitude);
  inner_.rotatedGalaxyEllipse(i, x, y, ux, uy, vx, vy);
}

// --- holding back -------------------------------------------------------------

LabelPlacer::Layer LabelPlacer::layerOf(int textClass) const {
  if (textClass == kConstellationNames) return kNames;
  if (textClass == kGridText) return kGrid;
  if (group() == "doubles") return kDoubles;
  if (group() == "variables") return kVariables;
  if (group() == "solarsystem") return kSolarSystem;
  return kDeepsky;
}

// A deep-sky label's object is the symbol drawn last at its point; an
// object of unknown magnitude counts as the faintest.
int32_t LabelPlacer::starRadiusOf(const Held& label) const {
  switch (label.layer) {
    case kNames:
    case kGrid: return brightStarRadius_;
    case kDeepsky: {
      const bool own = label.x == symbolX_ && label.y == symbolY_;
      return starDiameterForMagnitude(own ? symbolMagnitude_ : kUnknownMagnitude) / 2;
    }
    default: return label.radius;
  }
}

void LabelPlacer::hold(Held label) {
  const int32_t gap = label.layer == kDeepsky ? options_.deepskyLabelDx : options_.labelOffsetX;
  label.radius = label.layer == kNames || label.layer == kGrid ? 0 : std::max(0, std::abs(label.dx) - gap);
  label.starRadius = starRadiusOf(label);
  label.textStyle = currentTextStyle_;
  held_.push_back(std::move(label));
}

void LabelPlacer::text(int32_t x, int32_t y, int32_t dx, int32_t dy, int textClass, std::string_view text) {
  Held label{x, y, dx, dy, textClass, 0, layerOf(textClass), 0, 0, utf8ToUtf16(text), std::string(text)};
  hold(std::move(label));
}

void LabelPlacer::wideText(int32_t x, int32_t y, int32_t dx, int32_t dy, int textClass, std::u16string_view text) {
  hold({x, y, dx, dy, textClass, 0, layerOf(textClass), 0, 0, std::u16string(text), {}});
}

bool LabelPlacer::drawStarLabel(int index, int32_t x, int32_t y, int32_t dx, int32_t dy, const StarLabelParts& label) {
  if (!isInsideOutput(x, y)) return false;
  Held held{x, y, dx, dy, kStarSmallText, 0, kStars, 0, 0, RenderingOutputDisplay::starLabelText(label), {}};
  held.starIndex = index;
  held.parts = label;
  hold(std::move(held));
  return true;
}

// --- placing ---------------------------------------------------------------------

// The grid numbers go early: there are few of them, and the eye reads
// positions by them.
int LabelPlacer::tier(Layer layer) const {
  switch (layer) {
    case kSolarSystem: return 0;
    case kGrid: return 1;
    case kNames: return 3;
    default: return 2;  // stars and deep-sky objects by their size
  }
}

// A double or variable star's label goes when a star label stands at the
// same point: the catalogs place one star up to a quarter line apart.
void LabelPlacer::dropRepeatedStars() {
  std::vector<std::pair<int32_t, int32_t>> stars;
  for (const Held& l : held_) {
    if (l.layer == kStars && !l.text.empty()) stars.emplace_back(l.x, l.y);
  }
  std::sort(stars.begin(), stars.end());
  const int32_t near = lineHeight_ / 4;
  auto repeated = [&](const Held& l) {
    if (l.layer != kDoubles && l.layer != kVariables) return false;
    for (auto s = std::lower_bound(stars.begin(), stars.end(), std::make_pair(l.x - near, INT32_MIN));
         s != stars.end() && s->first <= l.x + near; ++s) {
      if (std::abs(s->second - l.y) <= near) return true;
    }
    return false;
  };
  held_.erase(std::remove_if(held_.begin(), held_.end(), repeated), held_.end());
}

LabelPlacer::Metrics LabelPlacer::metrics(int textClass) const {
  if (inner_.isScreen()) return {17, 13, 4};
  const int32_t size = options_.fontSizes[RenderingOutputFile::fontIndex(textClass)];
  return {size, size * 3 / 4, size * 22 / 100};
}

// The files write a star label's Greek letter in the larger star-label size.
int32_t LabelPlacer::textWidth(const Held& label) const {
  const int32_t size = metrics(label.textClass).size;
  int32_t width = estimatedTextWidth(label.text, size);
  if (label.starIndex >= 0 && RenderingOutputFile::hasGreekLetter(label.parts)) {
    width += characterAdvance(label.text[0]) * std::max(0, metrics(kStarLargeText).size - size) / 1000;
  }
  return width;
}

ChartBox LabelPlacer::describedBox(const Held& label) const {
  Metrics m = metrics(label.textClass);
  if (label.starIndex >= 0) m.ascent = std::max(m.ascent, metrics(kStarLargeText).ascent);
  const int32_t left = label.x + label.dx, right = left + textWidth(label);
  // The screen puts a text's top-left corner at the offset, y downward;
  // the files its baseline, y upward.
  if (inner_.isScreen()) return {left, label.y - label.dy - m.ascent - m.descent, right, label.y - label.dy};
  return {left, label.y + label.dy - m.descent, right, label.y + label.dy + m.ascent};
}

bool LabelPlacer::isFree(const ChartBox& box, const Held& label) const {
  if (box.left < clipLeft_ || box.right > clipRight_ || box.bottom < clipBottom_ || box.top > clipTop_) return false;
  const int32_t pad = lineHeight_ / 8;
  if (occupied_.overlapsBox({box.left - pad, box.bottom - pad, box.right + pad, box.top + pad})) return false;
  return !occupied_.overlapsDisc(box, keepOff(label));
}

// Grid numbers and constellation names name no object of their own.
KeepOff LabelPlacer::keepOff(const Held& label) const {
  const bool named = label.layer != kNames && label.layer != kGrid;
  return {label.starRadius, label.layer == kGrid, named, label.x, label.y};
}

// The described place first, then the other side, above and below, the
// four corners, and either side a line higher and lower: the same order
// every time, so that charts stay stable as the user pans.
void LabelPlacer::place(Held& label) {
  const ChartBox described = describedBox(label);
  const int32_t w = described.right - described.left, h = described.top - described.bottom;
  const int32_t reach = std::max(label.dx, 0), corner = reach * 7 / 10, level = described.bottom - label.y;
  const std::pair<int32_t, int32_t> places[] = {
      {label.dx, level},     {-reach - w, level},         {-w / 2, reach},          {-w / 2, -reach - h},
      {corner, corner},      {corner, -corner - h},      {-corner - w, corner},     {-corner - w, -corner - h},
      {label.dx, level + h}, {label.dx, level - h},      {-reach - w, level + h},   {-reach - w, level - h}};
  for (const auto& [dx, dy] : places) {
    const ChartBox box{label.x + dx, label.y + dy, label.x + dx + w, label.y + dy + h};
    if (!isFree(box, label)) continue;
    label.box = box;
    label.placed = true;
    occupied_.addBox(box);
    return;
  }
}

// A star label left out still draws its empty text, which keeps the
// star's place in the screen's hit list for picking.
void LabelPlacer::draw(const Held& label) {
  if (label.textStyle != drawnTextStyle_) inner_.setTextStyle(label.textStyle);
  drawnTextStyle_ = label.textStyle;
  if (!label.placed) {
    inner_.drawStarLabel(label.starIndex, label.x, label.y, label.dx, label.dy, StarLabelParts{});
    return;
  }
  const int32_t dx = label.box.left - label.x;
  const int32_t dy = inner_.isScreen() ? label.y - label.box.top : label.box.bottom + metrics(label.textClass).descent - label.y;
  if (label.starIndex >= 0) {
    inner_.drawStarLabel(label.starIndex, label.x, label.y, dx, dy, label.parts);
  } else if (!label.narrow.empty()) {
    inner_.text(label.x, label.y, dx, dy, label.textClass, label.narrow);
  } else {
    inner_.wideText(label.x, label.y, dx, dy, label.textClass, label.text);
  }
}

// How soon a label is placed: by the disc of a star as bright as its
// object, or a deep-sky object's symbol when that is larger: a great
// nebula goes before the small bright cluster beside it.
int32_t LabelPlacer::prominence(const Held& label) {
  return label.layer == kDeepsky ? std::max(label.starRadius, label.radius) : label.starRadius;
}

void LabelPlacer::finish() {
  dropRepeatedStars();
  std::vector<size_t> order(held_.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const Held &p = held_[a], &q = held_[b];
    if (tier(p.layer) != tier(q.layer)) return tier(p.layer) < tier(q.layer);
    const int32_t pFirst = prominence(p), qFirst = prominence(q);
    return pFirst != qFirst ? pFirst > qFirst : p.radius > q.radius;
  });
  int32_t smallestStarKeptOff = INT32_MAX;
  for (const Held& l : held_) smallestStarKeptOff = std::min(smallestStarKeptOff, l.starRadius);
  occupied_.indexDiscs(smallestStarKeptOff);
  for (size_t i : order) place(held_[i]);
  drawnTextStyle_ = -1;
  for (int layer = 0; layer < kLayers; ++layer) {
    bool begun = false;
    for (const Held& l : held_) {
      if (l.layer != layer || (!l.placed && l.starIndex < 0)) continue;
      if (!begun) inner_.beginGroup(kGroupNames[layer]);
      begun = true;
      draw(l);
    }
    if (begun) inner_.endGroup();
  }
  held_.clear();
}

}  // namespace celvaro
