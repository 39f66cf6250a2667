// What the screen output drew where, for picking objects with the mouse:
// one list per kind of object, filled while the chart is drawn and emptied
// at the start of every screen pass. Positions are device pixels of the
// chart window, x to the right and y downward.
#pragma once

#include <cstdint>
#include <vector>

namespace celvaro {

// The kinds of object a pick reports.
enum PickKind : int {
  kPickNothing = 0,
  kPickStar = 1,
  kPickNamedStar = 2,
  kPickVariableStar = 3,
  kPickDoubleStar = 4,
  kPickSolarSystem = 5,
  kPickDeepsky = 6,
  kPickFovOverlay = 7,
  kPickConstellation = 8,  // a search's find only: no click picks a constellation
};

// Where a picked object is on the sky, from the catalogs that drew it.
// Each lookup answers false when it cannot give a position (the hit then
// does not count); the deep-sky and overlay lookups always answer.
class PickPositions {
 public:
  virtual ~PickPositions() = default;
  struct StarNumbers {
    int identifierKind = 0;
    int32_t p = 0, q = 0, r = 0;
  };
  virtual bool starPosition(int index, double& raRad, double& decRad, StarNumbers& numbers) = 0;
  virtual bool namedStarPosition(int labelIndex, double& raRad, double& decRad) = 0;
  virtual bool variableStarPosition(int index, double& raRad, double& decRad) = 0;
  virtual bool doubleStarPosition(int index, double& raRad, double& decRad) = 0;
  virtual bool solarSystemPosition(int index, int subIndex, double& raRad, double& decRad) = 0;
  virtual void deepskyPosition(int index, double& raRad, double& decRad) = 0;
  virtual void overlayPosition(double& raRad, double& decRad) = 0;
};

struct PickResult {
  bool found = false;
  int kind = kPickNothing;
  int index = -1;
  int subIndex = 0;
  int32_t starIdentifier = 0;
  int identifierKind = 0;
  double raRad = 0, decRad = 0;
};

class HitList {
 public:
  static constexpr int kStarCapacity = 30000;
  static constexpr int kNamedStarCapacity = 3000;
  static constexpr int kVariableCapacity = 10000;
  static constexpr int kDoubleCapacity = 10000;
  static constexpr int kSolarSystemCapacity = 40000;
  static constexpr int kPickRadius = 10;  // pixels, as max(|dx|, |dy|)

  HitList();

  // Empties the six lists; the overlay position stays until it is drawn again.
  void clearHits();

  // A full fixed list ignores further entries; the deep-sky list grows.
  void addDeepsky(int32_t x, int32_t y, int symbolType, int index);
  void addStar(int index, int32_t x, int32_t y) { stars_.add({index, 0, x, y}); }
  void addNamedStar(int labelIndex, int32_t x, int32_t y) { namedStars_.add({labelIndex, 0, x, y}); }
  void addVariableStar(int index, int32_t x, int32_t y) { variables_.add({index, 0, x, y}); }
  void addDoubleStar(int index, int32_t x, int32_t y) { doubles_.add({index, 0, x, y}); }
  void addSolarSystem(int index, int subIndex, int32_t x, int32_t y) {
    solarSystem_.add({index, subIndex, x, y});
  }
  void setOverlayPosition(int32_t x, int32_t y);
  // The overlay is not on the screen: nothing of it can be picked.
  void forgetOverlayPosition() { overlaySet_ = false; }

  // The nearest entry within `maxDistance` (lowered to its distance when one
  // is found), the first of equally near ones; -1 when none qualifies.
  int queryStar(int32_t x, int32_t y, int& maxDistance) const { return stars_.query(x, y, maxDistance); }
  int queryNamedStar(int32_t x, int32_t y, int& maxDistance) const;
  int queryVariableStar(int32_t x, int32_t y, int& maxDistance) const;
  int queryDoubleStar(int32_t x, int32_t y, int& maxDistance) const;
  int querySolarSystem(int32_t x, int32_t y, int& maxDistance, int& subIndex) const;
  int queryDeepsky(int32_t x, int32_t y, int& maxDistance) const;
  bool queryOverlay(int32_t x, int32_t y, int& maxDistance) const;

  // The object under the pointer among the kinds the pick filter allows
  // (0: all; 1..6 one kind each, in the order star, named star, variable,
  // double, solar system, deep sky). A later kind wins a tie.
  PickResult pickObject(int32_t x, int32_t y, int pickFilter, PickPositions& positions) const;

  int starCount() const { return stars_.count(); }
  int deepskyCount() const { return static_cast<int>(deepsky_.size()); }

 private:
  struct Entry {
    int index;
    int subIndex;  // solar system: the track mark; deep sky: the symbol type
    int32_t x, y;
  };
  class FixedList {
   public:
    explicit FixedList(int capacity) : capacity_(capacity) { entries_.reserve(capacity); }
    void add(const Entry& entry) {
      if (count() < capacity_) entries_.push_back(entry);
    }
    void clear() { entries_.clear(); }
    int count() const { return static_cast<int>(entries_.size()); }
    int query(int32_t x, int32_t y, int& maxDistance) const { return indexOf(entries_, x, y, maxDistance); }
    const std::vector<Entry>& entries() const { return entries_; }

   private:
    int capacity_;
    std::vector<Entry> entries_;
  };
  // Position in `entries` of the nearest qualifying entry, or -1.
  static int nearest(const std::vector<Entry>& entries, int32_t x, int32_t y, int& maxDistance);
  // The object index of that entry, or -1.
  static int indexOf(const std::vector<Entry>& entries, int32_t x, int32_t y, int& maxDistance) {
    const int at = nearest(entries, x, y, maxDistance);
    return at < 0 ? -1 : entries[at].index;
  }

  std::vector<Entry> deepsky_;
  FixedList stars_{kStarCapacity};
  FixedList namedStars_{kNamedStarCapacity};
  FixedList variables_{kVariableCapacity};
  FixedList doubles_{kDoubleCapacity};
  FixedList solarSystem_{kSolarSystemCapacity};
  bool overlaySet_ = false;
  int32_t overlayX_ = 0, overlayY_ = 0;
};

}  // namespace celvaro
