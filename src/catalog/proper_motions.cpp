#include "catalog/proper_motions.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/binary_file.h"

namespace celvaro {
namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kRadPerMas = std::numbers::pi / 648000.0 / 1000.0;

}  // namespace

bool ProperMotions::load(const std::string& path) {
  file_ = MappedFile(path);
  entries_ = fastCount_ = 0;
  const std::span<const uint8_t> bytes = file_.bytes();
  if (bytes.size() < kHeaderBytes || std::memcmp(bytes.data(), "CLV_SPMO", 8) != 0 || loadU32(&bytes[8]) != 2) {
    return false;
  }
  const uint64_t fastAt = kHeaderBytes + uint64_t{loadU32(&bytes[12])} * kEntryBytes;
  if (bytes.size() < fastAt + 4 || bytes.size() != fastAt + 4 + uint64_t{loadU32(&bytes[fastAt])} * kFastBytes) {
    return false;
  }
  entries_ = loadU32(&bytes[12]);
  fastCount_ = loadU32(&bytes[fastAt]);
  return true;
}

const uint8_t* ProperMotions::entryOf(int32_t hipparcos) const {
  if (hipparcos <= 0 || static_cast<uint32_t>(hipparcos) >= entries_) return nullptr;
  return file_.bytes().data() + kHeaderBytes + size_t{static_cast<uint32_t>(hipparcos)} * kEntryBytes;
}

bool ProperMotions::isFastMotion(int64_t eastHundredths, int64_t northHundredths) {
  constexpr auto kFastHundredths = static_cast<int64_t>(kFastMasPerYear * 100);
  return eastHundredths * eastHundredths + northHundredths * northHundredths >= kFastHundredths * kFastHundredths;
}

ProperMotions::FastStar ProperMotions::fastStar(size_t i) const {
  const uint8_t* at = file_.bytes().data() + kHeaderBytes + size_t{entries_} * kEntryBytes + 4 + i * kFastBytes;
  const auto mas = [at](int k) { return static_cast<int32_t>(loadU32(at + 4 * k)); };
  return {mas(0), mas(1) * kRadPerMas, mas(2) * kRadPerMas};
}

std::optional<ProperMotions::Motion> ProperMotions::motionOf(int32_t hipparcos) const {
  const uint8_t* entry = entryOf(hipparcos);
  if (!entry) return std::nullopt;
  const auto stored = [entry](int i) { return static_cast<int32_t>(loadU32(entry + 4 * i)) / 100.0; };
  if (stored(0) == 0 && stored(1) == 0) return std::nullopt;
  return Motion{stored(0), stored(1), std::max(stored(2), 0.0)};
}

// ERFA's proper-motion step of its astrometry: the star moves along its
// space motion for the years since J2000 (the radial velocity, which the
// data lack, taken as 0).
Vector3 ProperMotions::moved(const Motion& m, double raRad, double decRad, double years) {
  const double pmRa = m.raMasPerYear * kRadPerMas / std::cos(decRad), pmDec = m.decMasPerYear * kRadPerMas;
  double fromCentre[3] = {0, 0, 0}, p[3];
  eraPmpx(raRad, decRad, pmRa, pmDec, m.parallaxMas / 1000.0, 0.0, years, fromCentre, p);
  return {p[0], p[1], p[2]};
}

EquatorialPosition ProperMotions::placeAt(int32_t hipparcos, double raRad, double decRad, double julianDate) const {
  const std::optional<Motion> m = motionOf(hipparcos);
  if (!m || julianDate == kJ2000) return {raRad, decRad};
  return equatorialOf(moved(*m, raRad, decRad, (julianDate - kJ2000) / ERFA_DJY));
}

// ERFA's step is linear in time before its result is made a unit vector:
// the star's velocity across the sky, along the parallel and the meridian
// through it.
Vector3 ProperMotions::yearlyMotion(int32_t hipparcos, const Vector3& start) const {
  // Read straight from the entry, the hundredths of a mas as they are
  // stored: every drawn star of a moved catalog comes here.
  const uint8_t* entry = entryOf(hipparcos);
  const double across = std::sqrt(start.x * start.x + start.y * start.y);
  if (!entry || across == 0) return {0, 0, 0};
  const auto eastStored = static_cast<int32_t>(loadU32(entry)), northStored = static_cast<int32_t>(loadU32(entry + 4));
  if (eastStored == 0 && northStored == 0) return {0, 0, 0};
  const double scale = kRadPerMas / 100 / across;
  const double east = eastStored * scale, north = northStored * scale;
  return {-east * start.y - north * start.z * start.x, east * start.x - north * start.z * start.y, north * across * across};
}

ProperMotions::AngularMotion ProperMotions::angularMotion(int32_t hipparcos) const {
  const std::optional<Motion> m = motionOf(hipparcos);
  if (!m) return {0, 0};
  return {m->raMasPerYear * kRadPerMas, m->decMasPerYear * kRadPerMas};
}

Vector3 ProperMotions::movedAlong(const Vector3& start, const Vector3& yearly, double years) {
  const Vector3 v = {start.x + years * yearly.x, start.y + years * yearly.y, start.z + years * yearly.z};
  const double inverse = 1 / std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return {v.x * inverse, v.y * inverse, v.z * inverse};
}

}  // namespace celvaro
