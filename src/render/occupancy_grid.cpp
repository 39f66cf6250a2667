#include "render/occupancy_grid.h"

#include <algorithm>
#include <cstdlib>

namespace celvaro {

OccupancyGrid::OccupancyGrid(const ChartBox& area, int32_t cell)
    : area_(area),
      cell_(std::max<int32_t>(cell, 1)),
      columns_(std::max(1, (area.right - area.left) / cell_ + 1)),
      rows_(std::max(1, (area.top - area.bottom) / cell_ + 1)) {
  const size_t cells = static_cast<size_t>(columns_) * static_cast<size_t>(rows_);
  boxLists_.head.assign(cells, -1);
  discLists_.head.assign(cells, -1);
}

int OccupancyGrid::column(int32_t x) const {
  return std::clamp((static_cast<int64_t>(x) - area_.left) / cell_, int64_t{0}, int64_t{columns_ - 1});
}

int OccupancyGrid::row(int32_t y) const {
  return std::clamp((static_cast<int64_t>(y) - area_.bottom) / cell_, int64_t{0}, int64_t{rows_ - 1});
}

void OccupancyGrid::enter(Lists& lists, const ChartBox& box, int item) {
  for (int r = row(box.bottom); r <= row(box.top); ++r) {
    for (int c = column(box.left); c <= column(box.right); ++c) {
      int& head = lists.head[static_cast<size_t>(r) * columns_ + c];
      lists.entries.push_back(item);
      lists.entries.push_back(head);
      head = static_cast<int>(lists.entries.size()) - 2;
    }
  }
}

template <typename Test>
bool OccupancyGrid::any(const Lists& lists, const ChartBox& box, Test test) const {
  for (int r = row(box.bottom); r <= row(box.top); ++r) {
    for (int c = column(box.left); c <= column(box.right); ++c) {
      for (int e = lists.head[static_cast<size_t>(r) * columns_ + c]; e >= 0; e = lists.entries[e + 1]) {
        if (test(lists.entries[e])) return true;
      }
    }
  }
  return false;
}

void OccupancyGrid::addBox(const ChartBox& box) {
  boxes_.push_back(box);
  enter(boxLists_, box, static_cast<int>(boxes_.size()) - 1);
}

void OccupancyGrid::addDisc(int32_t x, int32_t y, int32_t radius, DiscKind kind) {
  discs_.push_back({x, y, radius, kind});
  enter(discLists_, {x - radius, y - radius, x + radius, y + radius}, static_cast<int>(discs_.size()) - 1);
}

bool OccupancyGrid::overlapsBox(const ChartBox& box) const {
  return any(boxLists_, box, [&](int i) {
    const ChartBox& b = boxes_[i];
    return b.left < box.right && box.left < b.right && b.bottom < box.top && box.bottom < b.top;
  });
}

bool OccupancyGrid::keepsOff(const Disc& disc, const KeepOff& keepOff) {
  switch (disc.kind) {
    case DiscKind::kStar: if (disc.radius < keepOff.starRadius) return false; break;
    case DiscKind::kSymbol: if (!keepOff.symbols) return false; break;
    case DiscKind::kBody: break;
  }
  if (!keepOff.hasOwn) return true;
  const int32_t near = std::max(2, disc.radius / 2);  // catalogs place one star a little apart
  return std::abs(disc.x - keepOff.ownX) > near || std::abs(disc.y - keepOff.ownY) > near;
}

bool OccupancyGrid::overlapsDisc(const ChartBox& box, const KeepOff& keepOff) const {
  return any(discLists_, box, [&](int i) {
    const Disc& d = discs_[i];
    return keepsOff(d, keepOff) && covers(d, box);
  });
}

// Whether the box covers part of a filled disc; of a deep-sky symbol's
// circle, which is drawn as an outline, part of its rim or of its middle
// third, so that a number may stand inside a large cluster's circle.
bool OccupancyGrid::covers(const Disc& d, const ChartBox& box) {
  const int64_t nx = std::clamp(d.x, box.left, box.right) - d.x;
  const int64_t ny = std::clamp(d.y, box.bottom, box.top) - d.y;
  const int64_t nearest = nx * nx + ny * ny, radius = d.radius;
  if (nearest >= radius * radius) return false;
  if (d.kind != DiscKind::kSymbol) return true;
  const int64_t fx = std::max(std::abs(box.left - d.x), std::abs(box.right - d.x));
  const int64_t fy = std::max(std::abs(box.bottom - d.y), std::abs(box.top - d.y));
  return fx * fx + fy * fy > radius * radius || 9 * nearest < radius * radius;
}

}  // namespace celvaro
