#include "aids/moon_image.h"

#include <algorithm>
#include <cmath>

#include "aids/moon_calendar.h"

namespace celvaro {
namespace {

constexpr double kCentre = (MoonImage::kSize - 1) / 2.0;
constexpr double kRadius = 29.2;

// The dark plains of the near side as the naked eye sees them, north up:
// centre and radii in disc radii, x to the right and y downward, and how
// much darker each is.
struct Mare {
  double x, y, rx, ry;
  int depth;
};
constexpr Mare kMaria[] = {
    {-0.32, -0.42, 0.30, 0.24, 55},  // Imbrium
    {0.22, -0.42, 0.17, 0.16, 50},   // Serenitatis
    {0.42, -0.08, 0.22, 0.18, 55},   // Tranquillitatis
    {0.72, -0.30, 0.10, 0.09, 60},   // Crisium
    {0.60, 0.22, 0.12, 0.18, 45},    // Fecunditatis
    {-0.62, -0.02, 0.24, 0.40, 45},  // Procellarum
    {-0.18, 0.36, 0.18, 0.14, 45},   // Nubium
};

// The grey level of the disc at a point given in disc radii.
uint8_t discLevel(double x, double y) {
  const double rim = std::sqrt(std::max(0.0, 1 - x * x - y * y));
  double level = 150 + 80 * std::sqrt(rim);  // darker towards the limb
  for (const Mare& m : kMaria) {
    const double dx = (x - m.x) / m.rx, dy = (y - m.y) / m.ry;
    const double inside = 1 - (dx * dx + dy * dy);
    if (inside > 0) level -= m.depth * std::min(1.0, 3 * inside);
  }
  return static_cast<uint8_t>(std::clamp(level, double{MoonImage::kDiscLevel}, 255.0));
}

}  // namespace

void MoonImage::build() {
  for (int row = 0; row < kSize; ++row) {
    left_[row] = right_[row] = -1;
    for (int column = 0; column < kSize; ++column) {
      const double x = column - kCentre, y = row - kCentre;
      const bool disc = x * x + y * y <= kRadius * kRadius;
      mask_[row * kSize + column] = disc ? discLevel(x / kRadius, y / kRadius) : 0;
    }
    for (int column = 0; column < kSize; ++column) {
      if (mask_[row * kSize + column] < kDiscLevel) continue;
      if (right_[row] < 0) left_[row] = column - 1;
      right_[row] = column;
    }
  }
  built_ = true;
}

bool MoonImage::rowEdges(int row, int& left, int& right) const {
  if (row < 0 || row >= kSize || right_[row] < 0) return false;
  left = left_[row];
  right = right_[row];
  return true;
}

MoonImage::Pixels MoonImage::shaded(int phase) const {
  Pixels picture = mask_;
  const int s = moonShading(phase);
  for (int row = 0; row < kSize; ++row) {
    int left, right;
    if (!rowEdges(row, left, right)) continue;
    const int t = terminatorColumn(left, right, s);
    for (int column = left + 1; column <= right; ++column) {
      uint8_t& pixel = picture[row * kSize + column];
      const bool dark = s >= 1 ? column < t : column > t;
      if (dark && pixel >= kDiscLevel) pixel /= 2;
    }
  }
  return picture;
}

}  // namespace celvaro
