// The star-hopping routes and the sky guide of observing suggestions.
//
// Routes (data/starhopping.dat, type "STHP"): N route records of 16 bytes,
// then M points of 16 bytes, each point the right ascension and the
// declination of a step (doubles, radians, J2000):
//
//   offset in record  size  field
//   0                 4     index of the route's first point
//   4                 4     number of points, at least 2, the last the object
//   8                 4     the object: kind in the top 8 bits (1 Messier,
//                           2 NGC, 3 IC), number in the low 24 bits
//   12                4     not used
//
// Sky guide (data/sky_guide.dat, type "TIPS"): N entries of 20 bytes, then
// M 16-bit text units (UTF-16LE, zero-ended names):
//
//   offset in entry   size  field
//   0                 1     difficulty, 0 easy to 3 hard
//   1                 1     type: 0 star, 1 variable star, 2 double star,
//                           3 deep-sky object
//   2                 2     not used
//   4                 8     the object: a double star's seven-character
//                           designation key (double_star_data.h) and a
//                           blank; a deep-sky object's identifier code
//                           (deepsky_data.h) and number, two 32-bit words
//   12                4     offset of the name in the text block, units
//   16                4     not used
//
// A missing or malformed file leaves its part empty.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "aids/aid_file.h"

namespace celvaro {

class SkyPolylines;

enum SuggestionType : uint8_t { kSuggestStar = 0, kSuggestVariable = 1, kSuggestDouble = 2, kSuggestDeepsky = 3 };

struct StarHopPoint {
  double raRad = 0, decRad = 0;
};

struct SkyGuideEntry {
  int difficulty = 0;
  int type = 0;
  std::string doubleStarKey;  // double stars: the seven characters
  int32_t deepskyCode = 0;    // deep-sky objects
  int32_t deepskyNumber = 0;
  std::u16string name;
};

// The centre and the field (arcminutes) that show a whole route.
struct RouteView {
  double raRad = 0, decRad = 0;
  int fieldArcmin = 0;
};
RouteView routeView(const std::vector<StarHopPoint>& points);

class StarHopGuides {
 public:
  static constexpr const char* kRoutesPath = "data/starhopping.dat";
  static constexpr const char* kSkyGuidePath = "data/sky_guide.dat";

  // AidLoadResults; the part is empty unless kAidLoaded.
  int loadStarHops(const std::string& path);
  int loadSkyGuide(const std::string& path);

  int routeCount() const { return static_cast<int>(routes_.recordCount); }
  // The object a route leads to (kind << 24 | number); 0 outside the list.
  int32_t routeObject(int route) const;
  // The route that leads to an object (kind << 24 | number); -1 when none does.
  int routeTo(int32_t object) const;
  // The steps of a route; none when the route or its points lie outside
  // the file's blocks.
  std::vector<StarHopPoint> routePoints(int route) const;
  // The route as one polyline; empty when it has no points.
  void routeLine(int route, SkyPolylines& line) const;

  int entryCount() const { return static_cast<int>(guide_.recordCount); }
  // An entry with its name (empty when the name lies outside the text).
  SkyGuideEntry entry(int index) const;

  // The current suggestions: entry indices in file order.
  const std::vector<int>& selection() const { return selection_; }
  void setSelection(std::vector<int> entries) { selection_ = std::move(entries); }

 private:
  std::u16string nameAt(uint32_t offset) const;

  AidFileBlocks routes_;
  AidFileBlocks guide_;
  std::vector<int> selection_;
};

}  // namespace celvaro
