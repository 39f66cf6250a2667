// The tables of sines and cosines against the C library's, around the
// circle and beyond it either way.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "astro/angle_tables.h"

namespace celvaro {
namespace {

TEST(AngleTables, AgreeWithTheLibraryAllRoundTheCircle) {
  // The library's argument taken within a turn, where its radians are good
  // to a few parts in 10^16.
  for (int32_t milli = -400000; milli <= 400000; milli += 997) {
    const double rad = (milli % 360000) / 1000.0 * std::numbers::pi / 180;
    const SinCos s = sinCosOfMillidegrees(milli);
    EXPECT_NEAR(s.sin, std::sin(rad), 2e-15) << milli;
    EXPECT_NEAR(s.cos, std::cos(rad), 2e-15) << milli;
  }
  for (int degrees = -720; degrees <= 720; ++degrees) {
    const SinCos s = sinCosOfDegrees(degrees);
    const double rad = (degrees % 360) * std::numbers::pi / 180;
    EXPECT_NEAR(s.sin, std::sin(rad), 2e-15) << degrees;
    EXPECT_NEAR(s.cos, std::cos(rad), 2e-15) << degrees;
  }
}

}  // namespace
}  // namespace celvaro
