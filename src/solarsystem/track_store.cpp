#include "solarsystem/track_store.h"

#include <algorithm>

#include "astro/calendar.h"

namespace celvaro {

TrackStore::TrackStore(int pointPairs, int marks) : pointCapacity_(pointPairs), markCapacity_(marks) {
  points_.reserve(pointCapacity_);
  marks_.reserve(markCapacity_);
}

void TrackStore::clear() {
  points_.clear();
  marks_.clear();
}

TrackSpan TrackStore::add(const ChartDate& start, double startJd, const TrackRule& rule, const PositionAt& position) {
  TrackSpan span{static_cast<int32_t>(points_.size()), 0, static_cast<int32_t>(marks_.size()), 0};
  // A label step below 1 labels every mark.
  const int labelStep = std::max(rule.labelStep, 1);
  int year = start.year, month = start.month, day = start.day;
  int markPhase = 0, labelPhase = 0;
  for (int32_t i = 0; i < rule.days; ++i) {
    const auto p = position(startJd + i);
    if (points_.size() + 1 >= pointCapacity_) break;
    if (p) points_.push_back({p->raRad, p->decRad});
    if (rule.markInterval < 1) continue;
    if (p && markPhase == 0 && marks_.size() < markCapacity_) {
      TrackMark mark{p->raRad, p->decRad, 0, 0, 0};
      if (rule.dateLabels && labelPhase == 0) {
        mark = {p->raRad, p->decRad, static_cast<uint16_t>(year), static_cast<uint8_t>(month), static_cast<uint8_t>(day)};
        addDays(year, month, day, rule.markInterval * labelStep);
      }
      marks_.push_back(mark);
      labelPhase = (labelPhase + 1) % labelStep;
    }
    markPhase = (markPhase + 1) % rule.markInterval;
  }
  span.pointCount = static_cast<int32_t>(points_.size()) - span.firstPoint;
  span.markCount = static_cast<int32_t>(marks_.size()) - span.firstMark;
  return span;
}

std::span<const TrackPoint> TrackStore::points(const TrackSpan& span) const {
  return {points_.data() + span.firstPoint, static_cast<size_t>(span.pointCount)};
}

std::span<const TrackMark> TrackStore::marks(const TrackSpan& span) const {
  return {marks_.data() + span.firstMark, static_cast<size_t>(span.markCount)};
}

}  // namespace celvaro
