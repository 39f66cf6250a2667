// What the catalog builder reads from the public sources, decoded into
// plain records: stars, names and constellation geometry from d3-celestial,
// spectral types, parallaxes, proper motions and cross identifications from
// the Stellarium star files, orbital elements of asteroids and comets.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "element_line_writers.h"

namespace celvaro {

struct SourceStar {
  int32_t hip;
  double magnitude;
  std::optional<double> bv;
  double raDeg, decDeg;  // J2000
};

struct SourceStarName {
  std::string name;          // proper name, may be empty
  std::string bayer;         // Greek letter and superscript digits ("κ1"), or Latin
  int flamsteed = -1;
  std::string constellation; // IAU abbreviation
  int32_t hd = 0;            // 0: none
};

// A proper name of Stellarium's sky-culture star name file with the
// numbers of the references it cites (reference.fab beside it).
struct SourceProperName {
  std::string name;
  std::vector<int> references;
};

struct SourcePolyline {
  std::string constellation;
  std::vector<std::pair<double, double>> points;  // (ra, dec) degrees
};

struct StellariumStar {
  std::string spectralType;
  int32_t parallaxHundredthsMas = 0;  // 0: unknown
};

struct ProperMotion {
  double raMasPerYear;  // includes cos(dec)
  double decMasPerYear;
};

struct CrossIds {
  int32_t sao = 0, hd = 0, hr = 0;
};

// A row of the WDS cross-match: its sentinels are kept (-1 unknown, and
// a separation of 999.9 unknown as well).
struct WdsPair {
  int32_t hip;
  std::string wds;  // coordinate designation "13239+5456"
  int year;         // of the last measure
  int positionAngle;
  double separation;  // arcseconds
};

// A row of the GCVS cross-match, its columns as written.
struct GcvsStar {
  int32_t hip;
  std::string designation;  // "R And", "δ Cep", "V335 Cyg"
  std::string type;         // GCVS type, ":" when uncertain
  std::string maximum;
  int magnitudeFlag;        // 0 the minima are magnitudes, 1 amplitudes, 2 limits (fainter than)
  std::string minimum, secondMinimum;
  std::string system;       // photometric system
  std::string epoch;        // JD - 2400000
  std::string period;       // days
  std::string rise;         // rise or eclipse duration, percent of the period
  std::string spectrum;
};

struct SourceAsteroid {
  AsteroidLine elements;
  bool nearEarth = false;
  std::string orbitClass;   // "MBA", "TNO", ...
  int orbitSolution = 0;    // the number of the orbit solution
};

// The whole of a gzip-compressed file, appended to `text`.
bool readGzipFile(const std::string& path, std::string& text);

// Each reader returns false, with a message on stderr, when its file is
// missing or malformed.
bool readD3Stars(const std::string& path, std::vector<SourceStar>& stars);
bool readD3StarNames(const std::string& path, std::map<int32_t, SourceStarName>& names);
// Figures are line strings; boundaries closed rings.
bool readD3Polylines(const std::string& path, std::vector<SourcePolyline>& polylines);
// The Stellarium Hipparcos star files (type 0 records) with their spectral-type list.
bool readStellariumStars(const std::vector<std::string>& starFiles, const std::string& spectralTypes,
                         std::map<int32_t, StellariumStar>& stars);
bool readWdsPairs(const std::string& path, std::vector<WdsPair>& pairs);
// The designations of each star in a Stellarium name file ("Σ_1744"), in
// the order of the file.
bool readDesignationNames(const std::string& path, std::map<int32_t, std::vector<std::string>>& names);
// The proper names of each star in a Stellarium sky culture's star name
// file ("   677|_("Alpheratz") 1,2,5"), in the order of the file.
bool readProperNames(const std::string& path, std::map<int32_t, std::vector<SourceProperName>>& names);
bool readGcvsStars(const std::string& path, std::vector<GcvsStar>& stars);
bool readProperMotions(const std::string& path, std::map<int32_t, ProperMotion>& motions);
bool readCrossIds(const std::string& path, std::map<int32_t, CrossIds>& ids);
// Gives the stars whose cross identifications lack an HD number the one
// d3-celestial's star names carry (Albireo's row in cross-id.dat has none).
void addMissingHdNumbers(const std::map<int32_t, SourceStarName>& names, std::map<int32_t, CrossIds>& ids);
// The JPL Small-Body Database selection (JSON with fields and rows): the
// closed orbits whose designations have a packed form.
bool readSbdbAsteroids(const std::string& path, std::vector<SourceAsteroid>& asteroids);
// The Minor Planet Center's comet elements as gzip-compressed JSON.
bool readMpcComets(const std::string& gzipPath, std::vector<CometLine>& comets);

}  // namespace celvaro
