// The constellations as regions of the sky: which one holds a position, and
// the area of each. The IAU's boundaries run along the parallels and hour
// circles of the mean equinox of B1875.0; their corners come as J2000
// places, and every question is answered in the frame of 1875, where the
// edges are straight.
#pragma once

#include <utility>
#include <vector>

namespace celvaro {

class SkyPolylines;

// The rings of a boundary file, each a run of points from a pen-up point:
// J2000 right ascension and declination, radians.
std::vector<std::vector<std::pair<double, double>>> boundaryRings(const SkyPolylines& boundaries);

class ConstellationRegions {
 public:
  // Corners as J2000 right ascension and declination, radians, in order
  // round the region.
  using Corners = std::vector<std::pair<double, double>>;

  // A region's boundary. Points on the straight line between their
  // neighbours (in right ascension and declination) add nothing and are
  // dropped, so a boundary drawn with points along its edges gives the
  // same region as its corners.
  void addRing(int constellation, const Corners& corners);
  // The rings of the boundary file, ring n being constellation n of the
  // fixed list. False, leaving no regions, unless the file holds exactly
  // one ring for each constellation.
  bool load(const SkyPolylines& boundaries);
  bool empty() const { return rings_.empty(); }

  // The constellation (0..88) whose region holds a J2000 position; -1 when
  // none does.
  int constellationAt(double raRad, double decRad) const;
  // The area in square degrees; 0 for a constellation without a region.
  double areaSquareDegrees(int constellation) const;

 private:
  struct Ring {
    int constellation;
    std::vector<std::pair<double, double>> cornersDeg;  // B1875.0 right ascension and declination
  };
  static bool holds(const Ring& ring, double raDeg, double decDeg);
  static double areaSquareDegrees(const Ring& ring);

  std::vector<Ring> rings_;
};

}  // namespace celvaro
