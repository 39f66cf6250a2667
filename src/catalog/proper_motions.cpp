#include "catalog/proper_motions.h"

#include <erfa.h>

#include <cmath>
#include <numbers>

#include "catalog/star_info_file.h"

namespace celvaro {
namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kRadPerMas = std::numbers::pi / 648000.0 / 1000.0;

}  // namespace

// The file stores the motions and the parallax in hundredths of a mas.
bool ProperMotions::load(const StarInfoFile& file) {
  motions_.clear();
  std::vector<Motion> motions;
  const bool read = file.forEachRecord([&motions](int32_t number, std::span<const uint16_t> words) {
    const auto ra = StarInfoFile::storedNumber(words, kInfoProperMotionRa);
    const auto dec = StarInfoFile::storedNumber(words, kInfoProperMotionDec);
    if (!ra || !dec) return;
    const auto parallax = StarInfoFile::storedNumber(words, kInfoParallax);
    if (motions.size() <= static_cast<size_t>(number)) motions.resize(number + 1);
    motions[number] = {*ra / 100.0f, *dec / 100.0f, parallax && *parallax > 0 ? *parallax / 100.0f : 0.0f, true};
  });
  if (read) motions_ = std::move(motions);
  return read;
}

EquatorialPosition ProperMotions::placeAt(int32_t hipparcos, double raRad, double decRad, double julianDate) const {
  if (hipparcos <= 0 || static_cast<size_t>(hipparcos) >= motions_.size() || !motions_[hipparcos].known) {
    return {raRad, decRad};
  }
  const Motion& m = motions_[hipparcos];
  const double pmRa = m.raMasPerYear * kRadPerMas / std::cos(decRad), pmDec = m.decMasPerYear * kRadPerMas;
  double ra = raRad, dec = decRad, movedPmRa = 0, movedPmDec = 0, parallax = 0, velocity = 0;
  // Status 1 (distance overridden), 2 (excessive speed) and 4 (no
  // convergence) still give a place; a negative status gives none.
  if (eraPmsafe(raRad, decRad, pmRa, pmDec, m.parallaxMas / 1000.0, 0.0, kJ2000, 0, julianDate, 0, &ra, &dec, &movedPmRa,
                &movedPmDec, &parallax, &velocity) < 0) {
    return {raRad, decRad};
  }
  return {ra, dec};
}

}  // namespace celvaro
