// The Milky Way's outline in brightness levels, faintest first. Each level
// is a set of closed rings on the sky; the area they enclose by the
// even-odd rule (a ring inside another cuts a hole) is where the level's
// brightness is reached. Every ring runs with its area on its left as the
// sky is seen from outside the sphere (north up, east to the right), so
// that a ring seen only in part still tells which side is inside.
//
// The file (data/milkyway.dat), little-endian:
//   offset 0   8 bytes  magic "CLV_MWAY"
//          8   uint32   version, 1
//         12   uint32   number of levels (at most kMaxLevels)
//   then for each level:  uint32 number of rings,
//     and for each ring:  uint32 number of points (at least 3), then for
//                         each point int32 right ascension (0..359999) and
//                         int32 declination (-90000..90000), J2000, in
//                         thousandths of a degree. The first point is not
//                         repeated at the end.
// The file ends with the last level's last ring.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace celvaro {

class MilkyWay {
 public:
  static constexpr const char* kPath = "data/milkyway.dat";
  static constexpr uint32_t kVersion = 1;
  static constexpr uint32_t kMaxLevels = 8;
  static constexpr size_t kHeaderBytes = 16, kPointBytes = 8;

  enum LoadResult { kLoaded, kMissing, kDamaged };

  // A ring's points as unit vectors: x toward right ascension 0, y toward
  // 6 h, z toward the north pole (the form the projections take in bulk),
  // and the smallest cap about their mean direction that holds them all: a
  // chart far from it passes the ring over.
  struct Ring {
    std::span<const double> x, y, z;
    double centre[3] = {0, 0, 1};
    double radiusRad = 0;
    int size() const { return static_cast<int>(x.size()); }
  };
  using Level = std::vector<Ring>;
  // Every ring's points, one after the other: three blocks rather than
  // three per ring.
  struct Points {
    std::vector<double> x, y, z;
  };

  MilkyWay() = default;
  MilkyWay(MilkyWay&&) = default;
  MilkyWay& operator=(MilkyWay&&) = default;
  // The rings look into the points it holds.
  MilkyWay(const MilkyWay&) = delete;
  MilkyWay& operator=(const MilkyWay&) = delete;

  // Reads the file; anything but kLoaded leaves no levels.
  LoadResult load(const std::string& path);

  const std::vector<Level>& levels() const { return levels_; }
  int pointCount() const;

 private:
  std::vector<Level> levels_;
  Points points_;
};

}  // namespace celvaro
