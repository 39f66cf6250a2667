// The proper motions of the Hipparcos stars and their places at an epoch.
// The catalogs hold the places of the J2000 epoch; a star moves from there
// along its space motion, as ERFA's astrometry moves it. The motions are
// read in place from the mapped motion file: a chart moves only the stars
// it draws.
//
// The motion file (CLV_SPMO), little-endian: the magic "CLV_SPMO", the
// version 2 and the number of entries as 32-bit numbers, then one entry of
// three signed 32-bit numbers for each Hipparcos number from 0: the proper
// motions along the parallel and the meridian in hundredths of a
// milliarcsecond a year and the parallax in hundredths of a milliarcsecond
// (0 unknown); an entry of two zero motions has none. Then the number of
// fast stars (isFastMotion) of the main catalog and for each its Hipparcos
// number and J2000 right ascension and declination in milliarcseconds,
// three signed 32-bit numbers: the marks of names, double and variable
// stars are matched against them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "astro/apparent_place.h"
#include "astro/coordinates.h"
#include "platform/mapped_file.h"

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

  static constexpr const char* kPath = "data/star_motions.dat";
  static constexpr size_t kHeaderBytes = 16, kEntryBytes = 12, kFastBytes = 12;

  // Maps the motion file; false, with no motions, when it cannot be read
  // or is not one.
  bool load(const std::string& path);
  // Whether a motion of these stored hundredths of a mas a year is at least
  // kFastMasPerYear: the data builder lists such stars in the file.
  static bool isFastMotion(int64_t eastHundredths, int64_t northHundredths);

  struct FastStar {
    int32_t hipparcos;
    double raRad, decRad;  // J2000
  };
  size_t fastStarCount() const { return fastCount_; }
  FastStar fastStar(size_t i) const;
  bool empty() const { return entries_ == 0; }

  // A star's place at a Julian date from its J2000 place, by its
  // Hipparcos number; the J2000 place for a star without a motion.
  EquatorialPosition placeAt(int32_t hipparcos, double raRad, double decRad, double julianDate) const;
  // How far the star's unit vector moves in a Julian year from its J2000
  // direction `start`, on J2000 axes: a catalog that moves many stars often
  // moves each along it; zero for a star without a motion.
  Vector3 yearlyMotion(int32_t hipparcos, const Vector3& start) const;
  // A star's motion across the sky in radians a year, zero for a star
  // without one.
  struct AngularMotion {
    double eastRadPerYear, northRadPerYear;  // along the parallel and the meridian
  };
  AngularMotion angularMotion(int32_t hipparcos) const;
  // Asks the processor to fetch a star's entry ahead of its use: a catalog
  // that moves its stars in its own order reads the entries far apart.
  void prefetch(int32_t hipparcos) const {
    if (const uint8_t* entry = entryOf(hipparcos)) __builtin_prefetch(entry);
  }
  // The unit vector `years` along a yearly motion from `start`.
  static Vector3 movedAlong(const Vector3& start, const Vector3& yearly, double years);

 private:
  struct Motion {
    double raMasPerYear;  // along the parallel: the change of right ascension times cos(dec)
    double decMasPerYear;
    double parallaxMas;
  };
  std::optional<Motion> motionOf(int32_t hipparcos) const;
  // A star's entry in the mapped file, or null past its entries.
  const uint8_t* entryOf(int32_t hipparcos) const;
  static Vector3 moved(const Motion& m, double raRad, double decRad, double years);

  MappedFile file_;
  uint32_t entries_ = 0;
  uint32_t fastCount_ = 0;
};

}  // namespace celvaro
