#include "catalog/milky_way.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <span>

#include "astro/angle_tables.h"
#include "platform/binary_file.h"
#include "platform/mapped_file.h"

namespace celvaro {
namespace {

constexpr int32_t kFullCircle = 360000, kPole = 90000;

// Reads little-endian words from the file's bytes; a read past the end
// fails and every later one too.
class ByteCursor {
 public:
  ByteCursor(std::span<const uint8_t> bytes, size_t start) : bytes_(bytes), at_(start) {}

  bool word(uint32_t& value) {
    if (!has(4)) return false;
    value = loadU32(bytes_.data() + at_);
    at_ += 4;
    return true;
  }
  bool has(uint64_t count) const { return ok() && at_ + count <= bytes_.size(); }
  bool atEnd() const { return at_ == bytes_.size(); }
  bool ok() const { return at_ <= bytes_.size(); }

 private:
  std::span<const uint8_t> bytes_;
  size_t at_;
};

// The ring's mean direction and the largest angle from it to a point.
void setCap(MilkyWay::Ring& ring) {
  double c[3] = {0, 0, 0};
  for (int i = 0; i < ring.size(); ++i) c[0] += ring.x[i], c[1] += ring.y[i], c[2] += ring.z[i];
  const double length = std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
  if (length < 1e-9) {
    ring.radiusRad = std::numbers::pi;  // points all round the sky
    return;
  }
  double nearest = 1;
  for (int i = 0; i < ring.size(); ++i) {
    nearest = std::min(nearest, (c[0] * ring.x[i] + c[1] * ring.y[i] + c[2] * ring.z[i]) / length);
  }
  for (int k = 0; k < 3; ++k) ring.centre[k] = c[k] / length;
  ring.radiusRad = std::acos(std::max(nearest, -1.0));
}

// The ring's points go on at the end of `points`, which has room for every
// point the file can hold, so the ring's views stay where they point.
bool readRing(ByteCursor& in, MilkyWay::Points& points, MilkyWay::Ring& ring) {
  uint32_t count = 0;
  if (!in.word(count) || count < 3 || !in.has(uint64_t{count} * MilkyWay::kPointBytes)) return false;
  const size_t start = points.x.size();
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t raWord = 0, decWord = 0;
    in.word(raWord), in.word(decWord);
    const auto ra = static_cast<int32_t>(raWord), dec = static_cast<int32_t>(decWord);
    if (ra < 0 || ra >= kFullCircle || dec < -kPole || dec > kPole) return false;
    const SinCos raAngle = sinCosOfMillidegrees(ra), decAngle = sinCosOfMillidegrees(dec);
    points.x.push_back(decAngle.cos * raAngle.cos);
    points.y.push_back(decAngle.cos * raAngle.sin);
    points.z.push_back(decAngle.sin);
  }
  ring.x = std::span(points.x).subspan(start, count);
  ring.y = std::span(points.y).subspan(start, count);
  ring.z = std::span(points.z).subspan(start, count);
  setCap(ring);
  return true;
}

bool readLevel(ByteCursor& in, MilkyWay::Points& points, MilkyWay::Level& level) {
  uint32_t rings = 0;
  // Each ring takes at least its count and three points.
  if (!in.word(rings) || !in.has(uint64_t{rings} * (4 + 3 * MilkyWay::kPointBytes))) return false;
  level.resize(rings);
  for (MilkyWay::Ring& ring : level) {
    if (!readRing(in, points, ring)) return false;
  }
  return true;
}

}  // namespace

MilkyWay::LoadResult MilkyWay::load(const std::string& path) {
  levels_.clear();
  const MappedFile file(path);
  if (!file.isOpen()) return kMissing;
  const std::span<const uint8_t> bytes = file.bytes();
  if (bytes.size() < kHeaderBytes || std::memcmp(bytes.data(), "CLV_MWAY", 8) != 0) return kDamaged;
  ByteCursor in(bytes, 8);
  uint32_t version = 0, count = 0;
  if (!in.word(version) || version != kVersion || !in.word(count) || count > kMaxLevels) return kDamaged;
  std::vector<Level> levels(count);
  Points points;
  const size_t most = (bytes.size() - kHeaderBytes) / kPointBytes;
  points.x.reserve(most), points.y.reserve(most), points.z.reserve(most);
  for (Level& level : levels) {
    if (!readLevel(in, points, level)) return kDamaged;
  }
  if (!in.atEnd()) return kDamaged;
  levels_ = std::move(levels);
  points_ = std::move(points);
  return kLoaded;
}

int MilkyWay::pointCount() const {
  int count = 0;
  for (const Level& level : levels_) {
    for (const Ring& ring : level) count += ring.size();
  }
  return count;
}

}  // namespace celvaro
