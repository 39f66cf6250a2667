#include "telescope/guide_corrections.h"

namespace celvaro {
namespace {

constexpr uint32_t kWest = 0x01, kEast = 0x02, kNorth = 0x04, kSouth = 0x08;
constexpr int kRightAscension = 0, kDeclination = 1;

// Events 1..4: the direction bit, the axis and the move direction.
struct Move {
  uint32_t bit;
  int axis;
  int direction;
};
constexpr Move kMoves[4] = {
    {kWest, kRightAscension, 2}, {kEast, kRightAscension, 3}, {kNorth, kDeclination, 0}, {kSouth, kDeclination, 1}};
constexpr int kStopRightAscension = 5, kStopDeclination = 6, kStopAll = 7;

}  // namespace

void GuideCorrections::reset() {
  for (Axis& axis : axes_) axis.pulseEnd.reset();
  on_ = seen_ = 0;
}

GuideCorrections::Request GuideCorrections::event(int code, int pulseMs, Clock::time_point now) {
  if (code >= 1 && code <= 4) {
    const Move& move = kMoves[code - 1];
    Axis& axis = axes_[move.axis];
    on_ = (on_ & ~axis.bits) | move.bit;
    seen_ |= move.bit;
    axis.pulseEnd.reset();
    if (pulseMs > 0) axis.pulseEnd = now + std::chrono::milliseconds(pulseMs);
    return {move.direction, -1};
  }
  switch (code) {
    case kStopRightAscension: stop(axes_[kRightAscension]); return {-1, kRightAscensionAxis};
    case kStopDeclination: stop(axes_[kDeclination]); return {-1, kDeclinationAxis};
    case kStopAll:
      for (Axis& axis : axes_) stop(axis);
      return {-1, kBothAxes};
    default: return {};
  }
}

std::vector<int> GuideCorrections::endedPulses(Clock::time_point now) {
  std::vector<int> ended;
  for (Axis& axis : axes_) {
    if (!axis.pulseEnd || *axis.pulseEnd > now) continue;
    stop(axis);
    ended.push_back(axis.stopAxis);
  }
  return ended;
}

std::optional<GuideCorrections::Clock::time_point> GuideCorrections::nextPulseEnd() const {
  std::optional<Clock::time_point> next;
  for (const Axis& axis : axes_) {
    if (axis.pulseEnd && (!next || *axis.pulseEnd < *next)) next = axis.pulseEnd;
  }
  return next;
}

std::vector<int> GuideCorrections::stopAll() {
  std::vector<int> stops;
  for (Axis& axis : axes_) {
    if (!(on_ & axis.bits)) continue;
    stop(axis);
    stops.push_back(axis.stopAxis);
  }
  return stops;
}

bool GuideCorrections::openEndedMoveOn() const {
  for (const Axis& axis : axes_) {
    if ((on_ & axis.bits) && !axis.pulseEnd) return true;
  }
  return false;
}

int32_t GuideCorrections::heartbeat() {
  int dx = (seen_ & kWest) ? 5 : 0, dy = (seen_ & kNorth) ? 5 : 0;
  if (seen_ & kEast) dx = -5;
  if (seen_ & kSouth) dy = -5;
  seen_ = on_;
  return static_cast<int32_t>((static_cast<uint32_t>(dy) << 16) | (static_cast<uint32_t>(dx) & 0xFFFF));
}

void GuideCorrections::stop(Axis& axis) {
  on_ &= ~axis.bits;
  axis.pulseEnd.reset();
}

}  // namespace celvaro
