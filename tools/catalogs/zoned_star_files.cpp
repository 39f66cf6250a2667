#include "zoned_star_files.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "platform/binary_file.h"

namespace celvaro {
namespace {

constexpr uint32_t kMagic = 0x835f040a;
constexpr uint32_t kMaxLevel = 6;
constexpr double kDegPerRad = 180 / std::numbers::pi;

struct Vec {
  double x, y, z;
};

Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator*(double k, Vec a) { return {k * a.x, k * a.y, k * a.z}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec normalised(Vec a) { return (1 / std::sqrt(dot(a, a))) * a; }

struct Triangle {
  Vec c0, c1, c2;
};

// The zones of a level in the files' numbering: the children of zone i are
// zones 4i to 4i + 3 of the next level.
std::vector<Triangle> zonesOfLevel(uint32_t level) {
  const double g = (1 + std::sqrt(5.0)) / 2, b = 1 / std::sqrt(1 + g * g), a = g * b;
  const std::array<Vec, 12> corner = {{{a, -b, 0}, {a, b, 0}, {-a, b, 0}, {-a, -b, 0}, {0, a, -b}, {0, a, b},
                                       {0, -a, b}, {0, -a, -b}, {-b, 0, a}, {b, 0, a}, {b, 0, -a}, {-b, 0, -a}}};
  constexpr int kFaces[20][3] = {{1, 0, 10}, {0, 1, 9},  {0, 9, 6},  {9, 8, 6},  {0, 7, 10}, {6, 7, 0},  {7, 6, 3},
                                 {6, 8, 3},  {11, 10, 7}, {7, 3, 11}, {3, 2, 11}, {2, 3, 8},  {10, 11, 4}, {2, 4, 11},
                                 {5, 4, 2},  {2, 8, 5},  {4, 1, 10}, {4, 5, 1},  {5, 9, 1},  {8, 9, 5}};
  std::vector<Triangle> zones;
  for (const auto& f : kFaces) zones.push_back({corner[f[0]], corner[f[1]], corner[f[2]]});
  for (uint32_t l = 0; l < level; ++l) {
    std::vector<Triangle> next;
    next.reserve(4 * zones.size());
    for (const Triangle& t : zones) {
      const Vec e0 = normalised(t.c1 + t.c2), e1 = normalised(t.c2 + t.c0), e2 = normalised(t.c0 + t.c1);
      next.insert(next.end(), {{t.c0, e2, e1}, {e2, t.c1, e0}, {e1, e0, t.c2}, {e0, e1, e2}});
    }
    zones = std::move(next);
  }
  return zones;
}

struct ZoneFrame {
  Vec centre, axis0, axis1;
};

// The zone centres and their plane axes, scaled so that the largest
// coordinate value reaches the largest extent of any zone.
std::vector<ZoneFrame> zoneFrames(uint32_t level, double maxCoordinate) {
  std::vector<ZoneFrame> frames;
  double extent = 0;
  for (const Triangle& t : zonesOfLevel(level)) {
    const Vec c = normalised(t.c0 + t.c1 + t.c2);
    const Vec axis0 = normalised(cross({0, 0, 1}, c));
    const Vec axis1 = cross(c, axis0);
    for (const Vec& corner : {t.c0, t.c1, t.c2}) {
      const double mu0 = dot(corner + (-1) * c, axis0), mu1 = dot(corner + (-1) * c, axis1);
      const double f = 1 / std::sqrt(1 - mu0 * mu0 - mu1 * mu1);
      extent = std::max({extent, std::abs(mu0) * f, std::abs(mu1) * f});
    }
    frames.push_back({c, axis0, axis1});
  }
  for (ZoneFrame& frame : frames) {
    frame.axis0 = (extent / maxCoordinate) * frame.axis0;
    frame.axis1 = (extent / maxCoordinate) * frame.axis1;
  }
  return frames;
}

size_t recordBytesOf(uint32_t type) { return type == 0 ? 28 : type == 1 ? 10 : 0; }

// `count` bits of a little-endian bit field from bit `first`.
uint32_t bitsOf(const uint8_t* record, int first, int count) {
  uint32_t value = 0;
  for (int i = 0; i < count; ++i) value |= ((record[(first + i) / 8] >> ((first + i) % 8)) & 1u) << i;
  return value;
}

int32_t signedBits(const uint8_t* record, int first, int count) {
  const int32_t value = static_cast<int32_t>(bitsOf(record, first, count));
  return value >= (1 << (count - 1)) ? value - (1 << count) : value;
}

ZonedStar decode(const ZonedStarFile& file, const ZoneFrame& zone, const uint8_t* r) {
  const bool hipparcos = file.type == 0;
  const double x0 = hipparcos ? static_cast<int32_t>(loadU32(r + 4)) : signedBits(r, 0, 20);
  const double x1 = hipparcos ? static_cast<int32_t>(loadU32(r + 8)) : signedBits(r, 20, 20);
  const uint32_t colour = hipparcos ? r[12] : bitsOf(r, 68, 7);
  const uint32_t step = hipparcos ? r[13] : bitsOf(r, 75, 5);
  const Vec v = normalised(zone.centre + x0 * zone.axis0 + x1 * zone.axis1);
  const double ra = std::atan2(v.y, v.x) * kDegPerRad;
  return {hipparcos ? static_cast<int32_t>(r[0] | r[1] << 8 | r[2] << 16) : 0, hipparcos ? r[3] : uint8_t{0},
          zonedMagnitude(file, step), colour * 4.0 / 127 - 0.5, ra < 0 ? ra + 360 : ra,
          std::asin(std::clamp(v.z, -1.0, 1.0)) * kDegPerRad};
}

}  // namespace

double zonedMagnitude(const ZonedStarFile& file, uint32_t step) {
  return (file.magMin + step * file.magRange / file.magSteps) / 1000;
}

bool forEachZonedStarRecord(const std::string& path,
                            const std::function<void(const ZonedStarFile&, uint32_t zone, const uint8_t*)>& onRecord) {
  BinaryFile in(path);
  uint8_t header[32];
  if (!in.read(header, sizeof header) || loadU32(header) != kMagic) {
    std::fprintf(stderr, "%s is not a star file\n", path.c_str());
    return false;
  }
  ZonedStarFile file{loadU32(header + 4), loadU32(header + 16), static_cast<double>(static_cast<int32_t>(loadU32(header + 20))),
                     static_cast<double>(static_cast<int32_t>(loadU32(header + 24))),
                     static_cast<double>(static_cast<int32_t>(loadU32(header + 28)))};
  const size_t recordBytes = recordBytesOf(file.type);
  std::vector<uint8_t> counts, records;
  if (recordBytes == 0 || file.level > kMaxLevel || file.magSteps <= 0 || !in.readInto(counts, (20u << (2 * file.level)) * 4)) {
    std::fprintf(stderr, "%s: unknown record type, level or magnitude steps\n", path.c_str());
    return false;
  }
  for (uint32_t zone = 0; zone < counts.size() / 4; ++zone) {
    const uint32_t count = loadU32(&counts[4 * zone]);
    records.clear();
    if (!in.readInto(records, count * recordBytes)) {
      std::fprintf(stderr, "%s is shorter than its zone counts\n", path.c_str());
      return false;
    }
    for (uint32_t i = 0; i < count; ++i) onRecord(file, zone, &records[i * recordBytes]);
  }
  return true;
}

bool readZonedStars(const std::vector<std::string>& paths, std::vector<ZonedStar>& stars) {
  for (const std::string& path : paths) {
    std::vector<ZoneFrame> frames;
    const bool read = forEachZonedStarRecord(path, [&](const ZonedStarFile& file, uint32_t zone, const uint8_t* r) {
      if (frames.empty()) frames = zoneFrames(file.level, file.type == 0 ? 2147483647.0 : 524287.0);
      stars.push_back(decode(file, frames[zone], r));
    });
    if (!read) return false;
  }
  return !stars.empty();
}

}  // namespace celvaro
