#include "output/hit_list.h"

#include <algorithm>
#include <cstdlib>

namespace celvaro {
namespace {

constexpr int kWalkStartDistance = 100;

int64_t distance(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
  return std::max(std::llabs(int64_t{ax} - bx), std::llabs(int64_t{ay} - by));
}

// A star's Tycho number packed into one integer: p * 2^18 + (q mod 2^14)
// * 2^4 + (r mod 2^4); other catalogs' numbers are p itself.
int32_t starIdentifier(const PickPositions::StarNumbers& n) {
  if (n.identifierKind < 8 || n.identifierKind > 10) return n.p;
  const uint32_t packed = (static_cast<uint32_t>(n.p) << 18) + ((static_cast<uint32_t>(n.q) & 0x3FFF) << 4) +
                          (static_cast<uint32_t>(n.r) & 0xF);
  return static_cast<int32_t>(packed);
}

}  // namespace

HitList::HitList() = default;

void HitList::clearHits() {
  deepsky_.clear();
  stars_.clear();
  namedStars_.clear();
  variables_.clear();
  doubles_.clear();
  solarSystem_.clear();
}

void HitList::addDeepsky(int32_t x, int32_t y, int symbolType, int index) {
  if (deepsky_.size() == deepsky_.capacity()) {
    deepsky_.reserve(deepsky_.capacity() + std::max<size_t>(deepsky_.capacity() / 4, 1024));
  }
  deepsky_.push_back({index, symbolType, x, y});
}

void HitList::setOverlayPosition(int32_t x, int32_t y) {
  overlaySet_ = true;
  overlayX_ = x;
  overlayY_ = y;
}

int HitList::nearest(const std::vector<Entry>& entries, int32_t x, int32_t y, int& maxDistance) {
  int64_t best = kWalkStartDistance;
  int found = -1;
  for (size_t i = 0; i < entries.size(); ++i) {
    const int64_t d = distance(entries[i].x, entries[i].y, x, y);
    if (d <= maxDistance && d < best) {
      best = d;
      found = static_cast<int>(i);
    }
  }
  if (found >= 0) maxDistance = static_cast<int>(best);
  return found;
}

int HitList::queryNamedStar(int32_t x, int32_t y, int& maxDistance) const {
  return namedStars_.query(x, y, maxDistance);
}

int HitList::queryVariableStar(int32_t x, int32_t y, int& maxDistance) const {
  return variables_.query(x, y, maxDistance);
}

int HitList::queryDoubleStar(int32_t x, int32_t y, int& maxDistance) const {
  return doubles_.query(x, y, maxDistance);
}

int HitList::querySolarSystem(int32_t x, int32_t y, int& maxDistance, int& subIndex) const {
  const int at = nearest(solarSystem_.entries(), x, y, maxDistance);
  if (at < 0) return -1;
  subIndex = solarSystem_.entries()[at].subIndex;
  return solarSystem_.entries()[at].index;
}

int HitList::queryDeepsky(int32_t x, int32_t y, int& maxDistance) const {
  return indexOf(deepsky_, x, y, maxDistance);
}

bool HitList::queryOverlay(int32_t x, int32_t y, int& maxDistance) const {
  if (!overlaySet_) return false;
  const int64_t d = distance(overlayX_, overlayY_, x, y);
  if (d > maxDistance || d >= kWalkStartDistance) return false;
  maxDistance = static_cast<int>(d);
  return true;
}

PickResult HitList::pickObject(int32_t x, int32_t y, int pickFilter, PickPositions& positions) const {
  PickResult result;
  int m = kPickRadius;
  auto allows = [pickFilter](int filter) { return pickFilter == 0 || pickFilter == filter; };
  auto hit = [&result](int kind, int index, double ra, double dec) {
    result = {true, kind, index, 0, 0, 0, ra, dec};
  };
  double ra = 0, dec = 0;
  // Variable and double stars first, so that at equal distance the star
  // they are wins: its information names them.
  if (allows(3)) {
    if (int i = queryVariableStar(x, y, m); i >= 0 && positions.variableStarPosition(i, ra, dec)) {
      hit(kPickVariableStar, i, ra, dec);
    }
  }
  if (allows(4)) {
    if (int i = queryDoubleStar(x, y, m); i >= 0 && positions.doubleStarPosition(i, ra, dec)) {
      hit(kPickDoubleStar, i, ra, dec);
    }
  }
  if (allows(1)) {
    PickPositions::StarNumbers numbers;
    if (int i = queryStar(x, y, m); i >= 0 && positions.starPosition(i, ra, dec, numbers)) {
      hit(kPickStar, i, ra, dec);
      result.identifierKind = numbers.identifierKind;
      result.starIdentifier = starIdentifier(numbers);
    }
  }
  if (allows(2)) {
    if (int i = queryNamedStar(x, y, m); i >= 0 && positions.namedStarPosition(i, ra, dec)) {
      hit(kPickNamedStar, i, ra, dec);
    }
  }
  if (allows(5)) {
    int sub = 0;
    if (int i = querySolarSystem(x, y, m, sub); i >= 0 && positions.solarSystemPosition(i, sub, ra, dec)) {
      hit(kPickSolarSystem, i, ra, dec);
      result.subIndex = sub;
    }
  }
  if (allows(6)) {
    if (int i = queryDeepsky(x, y, m); i >= 0) {
      positions.deepskyPosition(i, ra, dec);
      hit(kPickDeepsky, i, ra, dec);
    }
  }
  if (pickFilter == 0 && queryOverlay(x, y, m)) {
    positions.overlayPosition(ra, dec);
    hit(kPickFovOverlay, 0, ra, dec);
  }
  return result;
}

}  // namespace celvaro
