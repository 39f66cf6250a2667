// The tables of sines and cosines against the C library's, around the
// circle and beyond it either way.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "astro/angle_tables.h"

namespace celvaro {
namespace {

void expectAsTheLibrary(const SinCos& s, double rad, double label) {
  EXPECT_NEAR(s.sin, std::sin(rad), 2e-15) << label;
  EXPECT_NEAR(s.cos, std::cos(rad), 2e-15) << label;
}

TEST(AngleTables, AgreeWithTheLibraryAllRoundTheCircle) {
  // The library's argument taken within a turn, where its radians are good
  // to a few parts in 10^16.
  for (int32_t milli = -400000; milli <= 400000; milli += 997) {
    expectAsTheLibrary(sinCosOfMillidegrees(milli), (milli % 360000) / 1000.0 * std::numbers::pi / 180, milli);
  }
  for (int degrees = -720; degrees <= 720; ++degrees) {
    expectAsTheLibrary(sinCosOfDegrees(degrees), (degrees % 360) * std::numbers::pi / 180, degrees);
  }
  // Radians of every size and sign, between table steps and on them.
  std::vector<double> radians;
  for (double rad = -10; rad <= 10; rad += 0.0013) radians.push_back(rad);
  for (double rad = 0.01; std::fabs(rad) <= 1e5; rad *= -1.37) radians.push_back(rad);
  for (int step = -2048; step <= 2048; ++step) radians.push_back(step * 2 * std::numbers::pi / 1024);
  for (const double rad : radians) expectAsTheLibrary(sinCosOfRadians(rad), rad, rad);
  EXPECT_TRUE(std::isnan(sinCosOfRadians(std::nan("")).sin));
  EXPECT_EQ(sinCosOfRadians(3e7).cos, std::cos(3e7));
}

}  // namespace
}  // namespace celvaro
