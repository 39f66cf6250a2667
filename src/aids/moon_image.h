// The Moon's picture for the moon calendar: 60 x 60 grey levels (0 to 255)
// of the lunar disc, rows from the top, made from a fixed disc mask in which
// a level of 10 or more belongs to the disc. Each row keeps the disc's edge
// columns, from which the picture is shaded by phase.
#pragma once

#include <array>
#include <cstdint>

namespace celvaro {

class MoonImage {
 public:
  static constexpr int kSize = 60;
  static constexpr uint8_t kDiscLevel = 10;
  using Pixels = std::array<uint8_t, kSize * kSize>;

  // Makes the disc mask and finds the edges of each row.
  void build();
  bool isBuilt() const { return built_; }

  const Pixels& mask() const { return mask_; }
  // The last column before the disc and the disc's last column of a row;
  // false for a row the disc does not reach.
  bool rowEdges(int row, int& left, int& right) const;

  // The picture for a stored phase value (moon_calendar.h): the disc's
  // pixels on the dark side of each row's terminator at half their level.
  Pixels shaded(int phase) const;

 private:
  Pixels mask_{};
  std::array<int, kSize> left_{}, right_{};
  bool built_ = false;
};

}  // namespace celvaro
