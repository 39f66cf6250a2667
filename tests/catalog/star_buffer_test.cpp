#include "catalog/star_buffer.h"

#include <gtest/gtest.h>

namespace celvaro {
namespace {

void fill(StarBuffer& buffer, int count, int16_t magnitude = 500) {
  for (int i = 0; i < count; ++i) buffer.add(i, -i, magnitude, 0.001 * i, -0.001 * i, 7, 3);
}

TEST(StarBuffer, GrowsByAQuarterAtLeast10000AndShrinksBackTo20000) {
  StarBuffer buffer;
  EXPECT_EQ(buffer.capacity(), 10000);
  fill(buffer, 10001);
  EXPECT_EQ(buffer.capacity(), 20000);  // a quarter of 10000 is less than 10000
  fill(buffer, 50000);
  // 20000 -> 30000 -> 40000 -> 50000 by 10000, then by a quarter: 62500.
  EXPECT_EQ(buffer.count(), 60001);
  EXPECT_EQ(buffer.capacity(), 62500);
  StarPosition last;
  ASSERT_TRUE(buffer.position(60000, last));
  EXPECT_EQ(last.index, 60000);
  EXPECT_DOUBLE_EQ(last.raRad, 0.001 * 49999);  // growing kept what was added
  EXPECT_DOUBLE_EQ(last.decRad, -0.001 * 49999);
  EXPECT_FALSE(buffer.position(60001, last));
  EXPECT_FALSE(buffer.position(-1, last));
  buffer.reset();
  EXPECT_EQ(buffer.count(), 0);
  EXPECT_EQ(buffer.capacity(), 20000);
  fill(buffer, 15000);
  buffer.reset();
  EXPECT_EQ(buffer.capacity(), 20000);  // not above 20000: kept
}

TEST(StarBuffer, BandsAreWholeMagnitudesRoundedUpInTheOrderAdded) {
  StarBuffer buffer;
  const int16_t magnitudes[] = {650, 0, -146, 601, 700, 701, 2500, 600};
  for (int16_t m : magnitudes) buffer.add(0, 0, m, 0, 0, 0, 0);
  EXPECT_FALSE(buffer.bandsBuilt());
  buffer.buildBands();
  ASSERT_TRUE(buffer.bandsBuilt());

  auto band = [&](int b) {
    std::vector<int> members;
    for (int i = buffer.bandHead(b); i >= 0; i = buffer.next(i)) members.push_back(i);
    return members;
  };
  EXPECT_EQ(band(0), (std::vector<int>{1, 2}));  // -1.46 with the brightest
  EXPECT_EQ(band(6), (std::vector<int>{7}));
  EXPECT_EQ(band(7), (std::vector<int>{0, 3, 4}));  // 6.01 to 7.00, in the order added
  EXPECT_EQ(band(8), (std::vector<int>{5}));
  EXPECT_EQ(band(19), (std::vector<int>{6}));  // everything from 18.01 on
  EXPECT_TRUE(band(1).empty());
  buffer.add(0, 0, 100, 0, 0, 0, 0);
  EXPECT_FALSE(buffer.bandsBuilt());  // a star added since needs new bands
  buffer.reset();
  EXPECT_EQ(buffer.bandHead(7), -1);
}

}  // namespace
}  // namespace celvaro
