#include "output/rendering_output.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace celvaro {
namespace {

enum Outcode : int { kLeft = 1, kRight = 2, kBelow = 4, kAbove = 8 };

}  // namespace

void RenderingOutput::setColourTable(const PrintColourTable&) {}

void RenderingOutput::setOptions(const RenderOptions& options) { options_ = options; }

void RenderingOutput::loadStarSizes(int32_t limitHundredths, int32_t largest, int32_t smallest) {
  starSizes_.load(limitHundredths, largest, smallest);
}

void RenderingOutput::copyStarSizes(const int32_t* table, int count) { starSizes_.copy(table, count); }

// An even number of steps around the ellipse, each a dash or a gap, at
// least 16 and at most 720.
void RenderingOutput::largeOutline(int, int32_t x, int32_t y, int32_t, int32_t ux, int32_t uy, int32_t vx, int32_t vy) {
  const double a = std::hypot(ux, uy), b = std::hypot(vx, vy);
  const double perimeter = std::numbers::pi * (3 * (a + b) - std::sqrt((3 * a + b) * (a + 3 * b)));
  const double dash = std::max(options_.minNebulaSize / 2, 1);
  const int steps = 2 * std::clamp(static_cast<int>(perimeter / (2 * dash)), 8, 360);
  auto at = [&](int step, int32_t& px, int32_t& py) {
    const double t = step * 2 * std::numbers::pi / steps;
    px = x + static_cast<int32_t>(std::lround(ux * std::cos(t) + vx * std::sin(t)));
    py = y + static_cast<int32_t>(std::lround(uy * std::cos(t) + vy * std::sin(t)));
  };
  for (int step = 0; step < steps; step += 2) {
    int32_t x1, y1, x2, y2;
    at(step, x1, y1);
    at(step + 1, x2, y2);
    line(x1, y1, x2, y2);
  }
}

bool RenderingOutput::isInsideOutput(int32_t x, int32_t y) const {
  return x >= clipLeft_ && x <= clipRight_ && y >= clipBottom_ && y <= clipTop_;
}

void RenderingOutput::setClipRectangle(int32_t left, int32_t bottom, int32_t right, int32_t top) {
  clipLeft_ = left;
  clipBottom_ = bottom;
  clipRight_ = right;
  clipTop_ = top;
}

bool RenderingOutput::clipSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  auto outcode = [this](int64_t x, int64_t y) {
    return (x < clipLeft_ ? kLeft : x > clipRight_ ? kRight : 0) |
           (y < clipBottom_ ? kBelow : y > clipTop_ ? kAbove : 0);
  };
  // 64-bit arithmetic: the products of the intersection never overflow.
  int64_t ax = x1, ay = y1, bx = x2, by = y2;
  int codeA = outcode(ax, ay), codeB = outcode(bx, by);
  while (codeA | codeB) {
    if (codeA & codeB) return false;
    const int code = codeA ? codeA : codeB;
    int64_t x, y;
    if (code & kAbove) {
      x = ax + (bx - ax) * (clipTop_ - ay) / (by - ay), y = clipTop_;
    } else if (code & kBelow) {
      x = ax + (bx - ax) * (clipBottom_ - ay) / (by - ay), y = clipBottom_;
    } else if (code & kRight) {
      y = ay + (by - ay) * (clipRight_ - ax) / (bx - ax), x = clipRight_;
    } else {
      y = ay + (by - ay) * (clipLeft_ - ax) / (bx - ax), x = clipLeft_;
    }
    if (code == codeA) {
      ax = x, ay = y, codeA = outcode(ax, ay);
    } else {
      bx = x, by = y, codeB = outcode(bx, by);
    }
  }
  clipped_ = {static_cast<int32_t>(ax), static_cast<int32_t>(ay), static_cast<int32_t>(bx),
              static_cast<int32_t>(by)};
  return true;
}

}  // namespace celvaro
