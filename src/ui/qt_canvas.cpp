#include "ui/qt_canvas.h"

#include <QFontMetrics>
#include <QPoint>
#include <QString>

#include <algorithm>
#include <cmath>

namespace celvaro {
namespace {

QColor qcolor(Rgb c) { return QColor(c.red, c.green, c.blue); }

uint32_t argb(Rgb c) { return 0xFF000000u | (uint32_t{c.red} << 16) | (uint32_t{c.green} << 8) | c.blue; }

}  // namespace

QtCanvas::QtCanvas(QImage& image, TextLayouts* layouts)
    : image_(image),
      pixels_(reinterpret_cast<uint32_t*>(image.bits())),
      width_(image.width()),
      height_(image.height()),
      stride_(static_cast<int>(image.bytesPerLine() / 4)),
      ratio_(image.devicePixelRatio()),
      outline_(std::max(1, static_cast<int>(std::lround(ratio_)))),
      painter_(&image),
      layouts_(layouts) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

QtCanvas::~QtCanvas() { painter_.end(); }

void QtCanvas::setPen(Rgb colour, bool xorMode) {
  pen_ = colour;
  xor_ = xorMode;
  // One image pixel wide at ratio 1 (the fast cosmetic pen), else one canvas pixel.
  painter_.setPen(QPen(qcolor(colour), ratio_ > 1 ? 1.0 : 0.0));
  painter_.setCompositionMode(xorMode ? QPainter::RasterOp_SourceXorDestination
                                      : QPainter::CompositionMode_SourceOver);
}

// Stars change the brush from one disc to the next; the painter gets it
// only when it draws an ellipse itself.
void QtCanvas::setBrush(const Rgb* colour) {
  if (colour) brush_ = *colour;
  else brush_.reset();
}

void QtCanvas::fillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, Rgb colour) {
  const auto mode = painter_.compositionMode();
  painter_.setCompositionMode(QPainter::CompositionMode_Source);
  painter_.fillRect(QRect(left, top, right - left, bottom - top), qcolor(colour));
  painter_.setCompositionMode(mode);
}

// The first pixel whose centre lies at or after the coordinate, kept
// within 0 and the end of a row or column of `count` pixels.
int QtCanvas::pixelAtOrAfter(double at, int count) {
  return static_cast<int>(std::clamp(std::ceil(at - 0.5), 0.0, static_cast<double>(count)));
}

// The rings' crossings of each pixel row's centre line, counted into their
// rows, then the pixels whose centres lie between the first and second
// crossing of a row, the third and fourth, and so on (the even-odd rule).
void QtCanvas::fillArea(const DevicePoint* points, const uint32_t* ends, int rings, Rgb colour) {
  std::vector<uint32_t> rowStarts(static_cast<size_t>(height_) + 1, 0);
  std::vector<float> crossings;
  for (int pass = 0; pass < 2; ++pass) {
    std::vector<uint32_t> next(rowStarts.begin(), rowStarts.end() - 1);
    for (int k = 0, first = 0; k < rings; first = static_cast<int>(ends[k++])) {
      for (int i = first; i < static_cast<int>(ends[k]); ++i) {
        const DevicePoint& a = points[i];
        const DevicePoint& b = points[i + 1 < static_cast<int>(ends[k]) ? i + 1 : first];
        forEachCrossing(a, b, [&](int row, float x) {
          if (pass == 0) ++rowStarts[row + 1];
          else crossings[next[row]++] = x;
        });
      }
    }
    if (pass == 0) {
      for (size_t r = 1; r < rowStarts.size(); ++r) rowStarts[r] += rowStarts[r - 1];
      crossings.resize(rowStarts.back());
    }
  }
  const uint32_t value = argb(colour);
  for (int row = 0; row < height_; ++row) {
    float* const begin = crossings.data() + rowStarts[row];
    float* const end = crossings.data() + rowStarts[row + 1];
    std::sort(begin, end);
    uint32_t* pixels = pixels_ + static_cast<ptrdiff_t>(row) * stride_;
    for (const float* x = begin; x + 1 < end; x += 2) {
      const int from = pixelAtOrAfter(x[0], width_), to = pixelAtOrAfter(x[1], width_);
      if (from < to) std::fill(pixels + from, pixels + to, value);
    }
  }
}

// The rows whose centres the edge from a to b crosses (its upper end's row
// in, its lower end's out, so that a vertex counts once), in image pixels.
template <typename Visit>
void QtCanvas::forEachCrossing(const DevicePoint& a, const DevicePoint& b, Visit visit) const {
  double ax = a.x * ratio_, ay = a.y * ratio_, bx = b.x * ratio_, by = b.y * ratio_;
  if (ay == by) return;
  if (ay > by) std::swap(ax, bx), std::swap(ay, by);
  const double slope = (bx - ax) / (by - ay);
  const int first = pixelAtOrAfter(ay, height_), last = pixelAtOrAfter(by, height_);
  for (int row = first; row < last; ++row) visit(row, static_cast<float>(ax + (row + 0.5 - ay) * slope));
}

void QtCanvas::line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (setsLinesItself()) setLine(x1, y1, x2, y2);
  else painter_.drawLine(x1, y1, x2, y2);
}

void QtCanvas::polyline(const DevicePoint* points, int count) {
  if (setsLinesItself()) {
    for (int i = 1; i < count; ++i) setLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
    return;
  }
  QVector<QPoint> qpoints(count);
  for (int i = 0; i < count; ++i) qpoints[i] = QPoint(points[i].x, points[i].y);
  painter_.drawPolyline(qpoints.data(), count);
}

// The part of the line from (x1, y1) to (x2, y2) on the image's pixels,
// rounded to whole pixels: Bresenham's steps over it, both ends set.
void QtCanvas::setLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  double a[2] = {double(x1), double(y1)}, b[2] = {double(x2), double(y2)};
  if (!clipToImage(a, b)) return;
  int x = static_cast<int>(std::lround(a[0])), y = static_cast<int>(std::lround(a[1]));
  const int toX = static_cast<int>(std::lround(b[0])), toY = static_cast<int>(std::lround(b[1]));
  const int dx = std::abs(toX - x), dy = -std::abs(toY - y), sx = x < toX ? 1 : -1, sy = y < toY ? 1 : -1;
  const uint32_t colour = argb(pen_);
  for (int error = dx + dy;;) {
    pixels_[static_cast<ptrdiff_t>(y) * stride_ + x] = colour;
    if (x == toX && y == toY) return;
    const int twice = 2 * error;
    if (twice >= dy) error += dy, x += sx;
    if (twice <= dx) error += dx, y += sy;
  }
}

// Liang and Barsky's clipping of the segment from a to b to the pixel
// centres' rectangle; false when none of it is inside.
bool QtCanvas::clipToImage(double a[2], double b[2]) const {
  if (width_ <= 0 || height_ <= 0) return false;
  const double d[2] = {b[0] - a[0], b[1] - a[1]}, limit[2] = {width_ - 1.0, height_ - 1.0};
  // Most of a chart's short segments lie wholly inside, or wholly beyond
  // one edge: they need no cut.
  bool inside = true;
  for (int axis = 0; axis < 2; ++axis) {
    const double low = std::min(a[axis], b[axis]), high = std::max(a[axis], b[axis]);
    if (high < 0 || low > limit[axis]) return false;
    inside = inside && low >= 0 && high <= limit[axis];
  }
  if (inside) return true;
  double from = 0, to = 1;
  for (int axis = 0; axis < 2; ++axis) {
    for (const double side : {0.0, limit[axis]}) {
      const double towards = side == 0 ? -d[axis] : d[axis], room = side == 0 ? a[axis] : side - a[axis];
      if (towards == 0) {
        if (room < 0) return false;
        continue;
      }
      const double t = room / towards;
      if (towards < 0) from = std::max(from, t);
      else to = std::min(to, t);
    }
  }
  if (from > to) return false;
  const double start[2] = {a[0], a[1]};
  for (int axis = 0; axis < 2; ++axis) {
    a[axis] = std::clamp(start[axis] + from * d[axis], 0.0, limit[axis]);
    b[axis] = std::clamp(start[axis] + to * d[axis], 0.0, limit[axis]);
  }
  return true;
}

std::vector<uint8_t> QtCanvas::discMask(int n, int outline) {
  // Pixel centres within the radius less a quarter pixel: a plus at 3
  // pixels, a square with rounded corners above.
  std::vector<uint8_t> mask(static_cast<size_t>(n) * n, 0);
  const double r = n / 2.0, limit = (r - 0.25) * (r - 0.25);
  auto inside = [&](int i, int j) {
    if (i < 0 || j < 0 || i >= n || j >= n) return false;
    const double dx = i + 0.5 - r, dy = j + 0.5 - r;
    return dx * dx + dy * dy <= limit;
  };
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) {
      if (!inside(i, j)) continue;
      bool edge = false;
      for (int k = 1; k <= outline; ++k) {
        edge = edge || !inside(i - k, j) || !inside(i + k, j) || !inside(i, j - k) || !inside(i, j + k);
      }
      mask[static_cast<size_t>(j) * n + i] = edge ? 1 : 2;
    }
  }
  return mask;
}

// Rows of a convex disc mask are single runs, and so are their interiors.
QtCanvas::Sprite QtCanvas::makeSprite(int size, int outline) {
  const std::vector<uint8_t> mask = discMask(size, outline);
  Sprite sprite{size, std::vector<Span>(size)};
  for (int j = 0; j < size; ++j) {
    Span span{0, 0, 0, 0};
    bool any = false, anyInner = false;
    for (int i = 0; i < size; ++i) {
      const uint8_t m = mask[static_cast<size_t>(j) * size + i];
      if (m && !any) span.begin = static_cast<int16_t>(i), any = true;
      if (m) span.end = static_cast<int16_t>(i + 1);
      if (m == 2 && !anyInner) span.innerBegin = static_cast<int16_t>(i), anyInner = true;
      if (m == 2) span.innerEnd = static_cast<int16_t>(i + 1);
    }
    if (!anyInner) span.innerBegin = span.innerEnd = span.end;
    sprite.rows[j] = span;
  }
  return sprite;
}

const QtCanvas::Sprite& QtCanvas::spriteOf(int size) {
  auto found = sprites_.find(size);
  if (found != sprites_.end()) return found->second;
  return sprites_.emplace(size, makeSprite(size, outline_)).first->second;
}

void QtCanvas::blitDisc(int32_t left, int32_t top, const Sprite& sprite) {
  const uint32_t outline = argb(pen_), fill = brush_ ? argb(*brush_) : 0;
  const bool filled = brush_.has_value();
  const int n = sprite.size;
  const int j0 = std::max(0, -top), j1 = std::min(n, height_ - top);
  // Sprite columns [from, to) of one image row, clipped to the image.
  auto paint = [&](uint32_t* row, int from, int to, uint32_t colour) {
    from = std::max(left + from, 0);
    to = std::min(left + to, width_);
    for (int i = from; i < to; ++i) row[i] = colour;
  };
  for (int j = j0; j < j1; ++j) {
    const Span& span = sprite.rows[j];
    uint32_t* row = pixels_ + static_cast<ptrdiff_t>(top + j) * stride_;
    paint(row, span.begin, span.innerBegin, outline);
    if (filled) paint(row, span.innerBegin, span.innerEnd, fill);
    paint(row, span.innerEnd, span.end, outline);
  }
}

void QtCanvas::painterEllipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  painter_.setBrush(brush_ ? QBrush(qcolor(*brush_)) : QBrush(Qt::NoBrush));
  painter_.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QtCanvas::ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  const int32_t w = right - left, h = bottom - top;
  if (w <= 0 || h <= 0) return;
  if (xor_ || w != h || w > kMaxSpriteBox) {
    painterEllipse(left, top, right, bottom);
    return;
  }
  const int32_t imageLeft = toImage(left), imageTop = toImage(top), size = toImage(w);
  if (imageLeft + size <= 0 || imageTop + size <= 0 || imageLeft >= width_ || imageTop >= height_) return;
  blitDisc(imageLeft, imageTop, spriteOf(size));
}

void QtCanvas::text(int32_t x, int32_t y, std::u16string_view text, Rgb colour) {
  if (!font_) {
    font_.emplace("DejaVu Sans");
    font_->setPixelSize(14);
    painter_.setFont(*font_);
    ascent_ = QFontMetrics(*font_).ascent();
  }
  const auto mode = painter_.compositionMode();
  const QPen pen = painter_.pen();
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_.setPen(qcolor(colour));
  if (layouts_) {
    painter_.drawStaticText(QPoint(x, y), layouts_->of(text, *font_));
  } else {
    painter_.drawText(QPoint(x, y + ascent_), QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
  }
  painter_.setPen(pen);
  painter_.setCompositionMode(mode);
}

}  // namespace celvaro
