// Stores of track points and marks, filled body after body; a full store
// ends the track being filled and leaves later tracks empty.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "astro/chart_date.h"
#include "astro/coordinates.h"

namespace celvaro {

struct TrackPoint {
  double raRad = 0, decRad = 0;
};

struct TrackMark {
  double raRad = 0, decRad = 0;
  uint16_t year = 0;  // 0: no date label
  uint8_t month = 0, day = 0;
};

struct TrackSpan {
  int32_t firstPoint = 0, pointCount = 0, firstMark = 0, markCount = 0;
};

struct TrackRule {
  int32_t days = 0;
  int32_t markInterval = 0;
  int32_t labelStep = 1;
  bool dateLabels = false;
};

class TrackStore {
 public:
  // The position of the body at a Julian date, none when it has none.
  using PositionAt = std::function<std::optional<EquatorialPosition>(double)>;

  TrackStore(int pointPairs, int marks);

  void clear();
  // Appends a track from the chart's instant: one point a day, a mark every
  // markInterval-th day, a date on every labelStep-th mark.
  TrackSpan add(const ChartDate& start, double startJd, const TrackRule& rule, const PositionAt& position);

  std::span<const TrackPoint> points(const TrackSpan& span) const;
  std::span<const TrackMark> marks(const TrackSpan& span) const;

 private:
  size_t pointCapacity_, markCapacity_;
  std::vector<TrackPoint> points_;
  std::vector<TrackMark> marks_;
};

}  // namespace celvaro
