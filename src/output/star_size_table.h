// Star disc diameters by magnitude class: the magnitude in hundredths
// divided by 50 (half-magnitude bands), clamped to 0..49.
#pragma once

#include <array>
#include <cstdint>

namespace celvaro {

int magnitudeClass(int32_t magHundredths);

class StarSizeTable {
 public:
  static constexpr int kClasses = 50;

  StarSizeTable() { diameters_.fill(0); }

  // Fills the table for a magnitude limit: the brightest third of the bands
  // in use get the largest diameter, the rest shrink toward the smallest,
  // and the bands beyond the limit get the smallest.
  void load(int32_t limitHundredths, int32_t largest, int32_t smallest);
  // Fills the table for the screen, where a disc's box is its diameter
  // plus a 2-pixel outline: the box widens by one factor per magnitude,
  // from the smallest at the limit to half as wide again as the largest's
  // box at magnitude 0, so that on a 6-magnitude chart a 1st-magnitude
  // star is about four times as wide as a 6th.
  void loadScreen(int32_t limitHundredths, int32_t largest, int32_t smallest);
  // Positive entries of `table` replace the table's; others leave it. Past
  // `count` (at most 50) the entries become 0.
  void copy(const int32_t* table, int count);
  void set(int magClass, int32_t diameter) { diameters_[magClass] = diameter; }

  // Entry of a class; entry 0 below 0, 0 from 50 on.
  int32_t diameterOfClass(int magClass) const;
  // Entry of magnitude / 50, held within 0..49.
  int32_t diameterForMagnitude(int32_t magHundredths) const;

 private:
  std::array<int32_t, kClasses> diameters_;
};

}  // namespace celvaro
