// The stars of one drawing of a large star catalog: collected region by
// region into columns, then linked into whole-magnitude bands for drawing.
// All the large catalogs share one buffer; its elements are the indices
// that picking and the star queries use until the next drawing.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "catalog/star_data.h"

namespace celvaro {

class StarBuffer {
 public:
  static constexpr int kBands = 20;
  static constexpr int kInitialCapacity = 10000;
  static constexpr int kMinGrowth = 10000;
  static constexpr int kKeptCapacity = 20000;

  StarBuffer();

  // Empties the buffer; a capacity above 20000 shrinks back to 20000.
  void reset();
  // When full, the capacity grows by a quarter, at least by 10000.
  void add(int32_t x, int32_t y, int16_t magHundredths, double raRad, double decRad, uint32_t identifier,
           uint8_t colourClass);
  // Links every element into band (magnitude + 99) / 100, at most 19, each
  // band in the order the elements were added; stars brighter than 0.00
  // are in band 0 with the brightest.
  void buildBands();
  static int bandOf(int16_t magHundredths);

  int count() const { return count_; }
  int capacity() const { return capacity_; }
  bool contains(int index) const { return index >= 0 && index < count_; }
  bool bandsBuilt() const { return bandsBuilt_; }
  // First element of a band, -1 when empty; the next element of its band, -1 at the end.
  int bandHead(int band) const { return heads_[band]; }
  int next(int index) const { return next_[index]; }

  // False outside the buffer.
  bool position(int index, StarPosition& out) const;
  uint32_t identifier(int index) const { return identifier_[index]; }
  int16_t magnitude(int index) const { return magnitude_[index]; }
  int32_t x(int index) const { return x_[index]; }
  int32_t y(int index) const { return y_[index]; }
  uint8_t colourClass(int index) const { return colour_[index]; }

 private:
  void setCapacity(int capacity);

  std::vector<uint32_t> identifier_;
  std::vector<int16_t> magnitude_;
  std::vector<double> ra_, dec_;
  std::vector<int32_t> x_, y_;
  std::vector<uint8_t> colour_;
  std::vector<int32_t> next_;
  int count_ = 0;
  int capacity_ = 0;
  bool bandsBuilt_ = false;
  std::array<int32_t, kBands> heads_;
};

}  // namespace celvaro
