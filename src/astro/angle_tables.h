// Sines and cosines of angles given in whole degrees or in thousandths of
// a degree, from tables made once: a drawing or a file of many such angles
// takes each by a look-up and the sum rules instead of a library call.
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

}  // namespace celvaro
