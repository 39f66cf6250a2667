// The rows are those of the General Catalogue of Variable Stars, version
// 5.1 (Samus et al., Astronomy Reports 61, 80, 2017): designation, type,
// maximum and minimum magnitude, and the J2000 place, from a
// machine-readable extract of that version. The Hipparcos part of the
// variable sources (gcvs_hip_part.dat) holds none of these stars; it does
// hold T CrB, R CrB, chi Cyg and R Leo.
#include "variable_hand_list.h"

#include <array>

namespace celvaro {
namespace {

constexpr double hours(double h, double m, double s) { return 15 * (h + m / 60 + s / 3600); }
constexpr double degrees(int sign, double d, double m, double s) { return sign * (d + m / 60 + s / 3600); }

// A row: designation, type, maximum, minimum; no other column is filled.
GcvsStar row(const char* designation, const char* type, const char* maximum, const char* minimum) {
  return {0, designation, type, maximum, 0, minimum, "", "", "", "", "", ""};
}

const std::array<HandListedVariable, 7> kStars = {{
    {row("SS Cyg", "UGSS", "7.7", "12.4"), hours(21, 42, 42.79), degrees(1, 43, 35, 9.9)},
    {row("U Gem", "UGSS+E", "8.2", "14.9"), hours(7, 55, 5.21), degrees(1, 22, 0, 4.8)},
    {row("RS Oph", "NR", "4.3", "12.5"), hours(17, 50, 13.17), degrees(-1, 6, 42, 28.6)},
    {row("R Sco", "M", "9.8", "15.5"), hours(16, 17, 39.07), degrees(-1, 22, 56, 40.4)},
    {row("U Sco", "NR", "8.7", "19.3"), hours(16, 22, 30.78), degrees(-1, 17, 52, 42.8)},
    {row("AH Her", "UGZ", "10.9", "14.7"), hours(16, 44, 10.01), degrees(1, 25, 15, 2.0)},
    {row("DQ Her", "NA+E+XM", "1.3", "18.08"), hours(18, 7, 30.19), degrees(1, 45, 51, 32.0)},
}};

}  // namespace

std::span<const HandListedVariable> handListedVariables() { return kStars; }

}  // namespace celvaro
