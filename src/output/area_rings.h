// An area of the chart given by closed rings of chart points, filled
// together by the even-odd rule: a ring inside another cuts a hole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace celvaro {

struct AreaRings {
  // The points one ring after another; ring k ends before ends[k].
  std::vector<int32_t> x, y;
  std::vector<uint32_t> ends;

  void clear() {
    x.clear();
    y.clear();
    ends.clear();
  }
  void add(int32_t px, int32_t py) {
    x.push_back(px);
    y.push_back(py);
  }
  // Ends the ring being added; one of fewer than three points is dropped.
  void closeRing() {
    const uint32_t start = ends.empty() ? 0 : ends.back();
    if (x.size() - start >= 3) {
      ends.push_back(static_cast<uint32_t>(x.size()));
    } else {
      x.resize(start);
      y.resize(start);
    }
  }
  bool empty() const { return ends.empty(); }
  uint32_t ringStart(size_t ring) const { return ring == 0 ? 0 : ends[ring - 1]; }
};

}  // namespace celvaro
