// Object identifiers of the solar system: the top byte is the kind, the low
// 24 bits the number within the kind.
#pragma once

#include <cstdint>

namespace celvaro {

enum ObjectKind : int32_t {
  kMajorBody = 0,      // number: body 0 Sun .. 8 Neptune, 9 Pluto
  kUserComet = 1,
  kCometList = 2,      // number: line of the comet list
  kUserAsteroid = 3,
  kBrightList = 4,     // 4..7: the short minor-planet lists
  kCriticalList = 5,
  kDistantList = 6,
  kUnusualList = 7,
  kLongList = 8,
};

constexpr int32_t objectId(int32_t kind, int32_t number) { return (kind << 24) | (number & 0xFFFFFF); }
constexpr int32_t objectKind(int32_t id) { return (id >> 24) & 0xFF; }
constexpr int32_t objectNumber(int32_t id) { return id & 0xFFFFFF; }

enum Body : int { kSun = 0, kMoon = 1, kMercury, kVenus, kMars, kJupiter, kSaturn, kUranus, kNeptune, kPluto,
                  kBodyCount };

}  // namespace celvaro
