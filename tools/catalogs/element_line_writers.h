// Writers of the Minor Planet Center's one-line element formats (MPCORB
// for asteroids, the comet format for comets), shared by the catalog
// builder and the tests. Each returns one line without its line end.
#pragma once

#include <optional>
#include <string>

namespace celvaro {

struct AsteroidLine {
  int number = 0;                // 0 for an unnumbered object
  std::string provisional;       // typed, "2022 OU15"; used when unnumbered
  std::optional<double> h, g;
  double epochJd = 0;            // at 0h of a day
  double meanAnomalyDeg = 0, wDeg = 0, nodeDeg = 0, iDeg = 0, e = 0, nDegPerDay = 0, a = 0;
  std::string reference;
  std::string readable;          // "(1) Ceres", "2022 OU15"
};

// "" when the object's designation has no packed form.
std::string mpcorbLine(const AsteroidLine& asteroid);

struct CometLine {
  int periodicNumber = -1;
  char orbitType = 'C';
  std::string packedDesignation;  // "" when none
  int year = 0, month = 0;
  double day = 0;                 // with its fraction
  double q = 0, e = 0, wDeg = 0, nodeDeg = 0, iDeg = 0;
  int epochYear = 0, epochMonth = 0, epochDay = 0;  // 0: none
  std::optional<double> h, g;
  std::string name, reference;
};

std::string cometLine(const CometLine& comet);

// The packed epoch of a Julian date at 0h ("K2289"); "" outside 1800-2099.
std::string packedEpoch(double julianDate);

}  // namespace celvaro
