// The proper motions of the Hipparcos stars and their places at an epoch.
// The catalogs hold the places of the J2000 epoch; a star moves from there
// along its space motion, as ERFA's astrometry moves it. The motions are
// read from the star information file where they are needed: a chart
// moves only the stars it draws.
#pragma once

#include <cstdint>
#include <optional>

#include "astro/apparent_place.h"
#include "astro/coordinates.h"
#include "catalog/star_info_file.h"

namespace celvaro {

class ProperMotions {
 public:
  // The places move again only when the epoch moves by more than this:
  // the fastest star, Barnard's, goes 0.8" in a month.
  static constexpr double kEpochStepDays = 30;

  // Stars moving at least this fast carry the marks near them (names,
  // double and variable stars): 2.6" in 26 years, a fifth of the smallest
  // star disc at the closest zoom.
  static constexpr double kFastMasPerYear = 100;

  // Maps the information file; false, with no motions, when it cannot be
  // read.
  bool load(const StarInfoFile& file);
  bool isFast(int32_t hipparcos) const;
  bool empty() const { return !file_.valid(); }

  // A star's place at a Julian date from its J2000 place, by its
  // Hipparcos number; the J2000 place for a star without a motion.
  EquatorialPosition placeAt(int32_t hipparcos, double raRad, double decRad, double julianDate) const;
  // How far the star's unit vector moves in a Julian year from its J2000
  // direction `start`, on J2000 axes: a catalog that moves many stars often
  // moves each along it; zero for a star without a motion.
  Vector3 yearlyMotion(int32_t hipparcos, const Vector3& start) const;

 private:
  struct Motion {
    double raMasPerYear;  // along the parallel: the change of right ascension times cos(dec)
    double decMasPerYear;
    double parallaxMas;
  };
  std::optional<Motion> motionOf(int32_t hipparcos) const;
  static Vector3 moved(const Motion& m, double raRad, double decRad, double years);

  MappedStarInfo file_;
};

}  // namespace celvaro
