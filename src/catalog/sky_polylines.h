// A polyline file of the sky (constellation figures and boundaries): 17-byte
// records without a header: a pen code (0 starts a new polyline, any other
// value draws from the previous point), then right ascension and declination
// as doubles in radians. A partial last record is ignored.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace celvaro {

class iTransformer;

class SkyPolylines {
 public:
  static constexpr size_t kRecordBytes = 17;

  // Fills the object from the file; a missing file leaves it empty.
  void load(const std::string& path);
  // Lines computed rather than read (the ecliptic, the horizon, a route).
  void clear();
  void add(uint8_t pen, double raRad, double decRad);

  int count() const { return static_cast<int>(pen_.size()); }
  const double* ra() const { return ra_.data(); }
  const double* dec() const { return dec_.data(); }
  const uint8_t* pen() const { return pen_.data(); }

  // Every point projected at once into x, y and depth (count() each); x
  // and y of a point the projection rejects keep what they held. The
  // points' unit vectors are worked out as the points are read or added,
  // where the catalogs are read, so a drawing turns the lines by a
  // rotation, without trigonometry.
  void projectAll(iTransformer& transformer, int32_t* x, int32_t* y, double* depth) const;

 private:
  void addVector(double raRad, double decRad);

  std::vector<double> ra_, dec_;
  std::vector<uint8_t> pen_;
  std::vector<double> ux_, uy_, uz_;
};

}  // namespace celvaro
