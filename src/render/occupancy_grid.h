// What already covers the chart where a label might go: the label boxes
// placed so far, the star and body discs and the deep-sky symbols, each entered in the square cells it
// touches, so that a candidate place is tested against its neighbours only
// and the cost stays linear in the number of labels.
//
// A wide chart enters tens of thousands of star discs, most of them smaller
// than any label keeps off. The discs are indexed once, before the labels
// are placed, without those stars, each cell holding copies of its own side
// by side, which a test reads straight through.
#pragma once

#include <cstdint>
#include <vector>

namespace celvaro {

// A rectangle in chart coordinates (y upward), edges excluded from overlaps.
struct ChartBox {
  int32_t left, bottom, right, top;
};

// What a disc on the chart is: a star's, a body's (the Moon, a planet) or
// the circle around a deep-sky symbol.
enum class DiscKind { kStar, kBody, kSymbol };

// The discs a label keeps off: every body, the star discs of at least
// `starRadius`, the deep-sky symbols when `symbols`; and, when `hasOwn`, not
// the disc centred on (ownX, ownY), that of the object the label names.
struct KeepOff {
  int32_t starRadius;
  bool symbols;
  bool hasOwn;
  int32_t ownX, ownY;
};

class OccupancyGrid {
 public:
  // Covers `area` with cells of side `cell`; points beyond it fall into the edge cells.
  OccupancyGrid(const ChartBox& area, int32_t cell);

  void addBox(const ChartBox& box);
  void addDisc(int32_t x, int32_t y, int32_t radius, DiscKind kind);
  bool overlapsBox(const ChartBox& box) const;
  // Indexes the discs entered so far for overlapsDisc, but for the star
  // discs smaller than `smallestStarRadius`, which no label keeps off.
  void indexDiscs(int32_t smallestStarRadius);
  // Whether the box covers part of a disc indexed that the label keeps off.
  bool overlapsDisc(const ChartBox& box, const KeepOff& keepOff) const;

 private:
  struct Disc {
    int32_t x, y, radius;
    DiscKind kind;
  };
  static bool keepsOff(const Disc& disc, const KeepOff& keepOff);
  static bool covers(const Disc& disc, const ChartBox& box);
  // One list per cell, chained through `entries`: item, next (-1 ends).
  struct Lists {
    std::vector<int> head;
    std::vector<int> entries;
  };
  // The discs by cell: cell k's copies are discs[start[k]] up to discs[start[k + 1]].
  struct DiscIndex {
    std::vector<uint32_t> start;
    std::vector<Disc> discs;
  };
  int column(int32_t x) const;
  int row(int32_t y) const;
  // Calls visit(cell) for each cell the box touches, until one returns true.
  template <typename Visit>
  bool anyCell(const ChartBox& box, Visit visit) const;
  static ChartBox boxOf(const Disc& disc);
  void enter(Lists& lists, const ChartBox& box, int item);

  ChartBox area_;
  int32_t cell_;
  int columns_, rows_;
  std::vector<ChartBox> boxes_;
  std::vector<Disc> discs_;
  Lists boxLists_;
  DiscIndex discIndex_;
};

}  // namespace celvaro
