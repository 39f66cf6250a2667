// Sines and cosines from tables made once: a drawing or a file of many
// angles takes each by a look-up and the sum rules instead of a library
// call, at a quarter of its cost.
#pragma once

#include <cstdint>

namespace celvaro {

struct SinCos {
  double sin, cos;
};

// Of a whole number of degrees, of any sign.
SinCos sinCosOfDegrees(int degrees);
// Of a whole number of thousandths of a degree, of any sign: the whole
// degrees' table and the thousandths' table by the sum rules, within a few
// parts in 10^16.
SinCos sinCosOfMillidegrees(int32_t millidegrees);
// Of an angle in radians: the nearest 1024th of a turn from a table and the
// rest, under a 3000th of a radian, by its series; within a few parts in
// 10^16 of the exact values. Angles beyond a million radians, and those
// that are not numbers, go to the library.
SinCos sinCosOfRadians(double radians);

}  // namespace celvaro
