#include "render/occupancy_grid.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace celvaro {

OccupancyGrid::OccupancyGrid(const ChartBox& area, int32_t cell)
    : area_(area),
      cell_(std::max<int32_t>(cell, 1)),
      columns_(std::max(1, (area.right - area.left) / cell_ + 1)),
      rows_(std::max(1, (area.top - area.bottom) / cell_ + 1)) {
  const size_t cells = static_cast<size_t>(columns_) * static_cast<size_t>(rows_);
  boxLists_.head.assign(cells, -1);
  discIndex_.start.assign(cells + 1, 0);
}

int OccupancyGrid::column(int32_t x) const {
  return std::clamp((static_cast<int64_t>(x) - area_.left) / cell_, int64_t{0}, int64_t{columns_ - 1});
}

int OccupancyGrid::row(int32_t y) const {
  return std::clamp((static_cast<int64_t>(y) - area_.bottom) / cell_, int64_t{0}, int64_t{rows_ - 1});
}

template <typename Visit>
bool OccupancyGrid::anyCell(const ChartBox& box, Visit visit) const {
  const int left = column(box.left), right = column(box.right), top = row(box.top);
  for (int r = row(box.bottom); r <= top; ++r) {
    for (int c = left; c <= right; ++c) {
      if (visit(static_cast<size_t>(r) * columns_ + c)) return true;
    }
  }
  return false;
}

void OccupancyGrid::enter(Lists& lists, const ChartBox& box, int item) {
  anyCell(box, [&](size_t cell) {
    int& head = lists.head[cell];
    lists.entries.push_back(item);
    lists.entries.push_back(head);
    head = static_cast<int>(lists.entries.size()) - 2;
    return false;
  });
}

void OccupancyGrid::addBox(const ChartBox& box) {
  boxes_.push_back(box);
  enter(boxLists_, box, static_cast<int>(boxes_.size()) - 1);
}

void OccupancyGrid::addDisc(int32_t x, int32_t y, int32_t radius, DiscKind kind) {
  discs_.push_back({x, y, radius, kind});
}

ChartBox OccupancyGrid::boxOf(const Disc& d) { return {d.x - d.radius, d.y - d.radius, d.x + d.radius, d.y + d.radius}; }

// Counts the discs of each cell, then copies them in: one walk over the
// discs serves both.
void OccupancyGrid::indexDiscs(int32_t smallestStarRadius) {
  DiscIndex& index = discIndex_;
  auto eachCellOfIndexed = [&](auto visit) {
    for (const Disc& d : discs_) {
      if (d.kind == DiscKind::kStar && d.radius < smallestStarRadius) continue;
      anyCell(boxOf(d), [&](size_t cell) {
        visit(d, cell);
        return false;
      });
    }
  };
  index.start.assign(boxLists_.head.size() + 1, 0);
  eachCellOfIndexed([&](const Disc&, size_t cell) { ++index.start[cell + 1]; });
  std::partial_sum(index.start.begin(), index.start.end(), index.start.begin());
  index.discs.resize(index.start.back());
  std::vector<uint32_t> next(index.start.begin(), index.start.end() - 1);
  eachCellOfIndexed([&](const Disc& d, size_t cell) { index.discs[next[cell]++] = d; });
}

bool OccupancyGrid::overlapsBox(const ChartBox& box) const {
  return anyCell(box, [&](size_t cell) {
    for (int e = boxLists_.head[cell]; e >= 0; e = boxLists_.entries[e + 1]) {
      const ChartBox& b = boxes_[boxLists_.entries[e]];
      if (b.left < box.right && box.left < b.right && b.bottom < box.top && box.bottom < b.top) return true;
    }
    return false;
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
  return anyCell(box, [&](size_t cell) {
    for (uint32_t i = discIndex_.start[cell]; i < discIndex_.start[cell + 1]; ++i) {
      const Disc& d = discIndex_.discs[i];
      if (keepsOff(d, keepOff) && covers(d, box)) return true;
    }
    return false;
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
