// The fixed list the whole program numbers constellations by: the 88 IAU
// constellations in alphabetical order of their Latin names, Serpens given
// twice (Serpens_Caput 75, Serpens_Cauda 76), so Sextans is 77 and
// Vulpecula 88.
#pragma once

#include <string>
#include <string_view>

namespace celvaro {

constexpr int kConstellationCount = 89;

// The Latin name with "_" for a blank ("Canis_Major"); empty outside 0..88.
std::string_view constellationName(int number);
// The Latin name as it is shown, with blanks ("Canis Major").
std::string shownConstellationName(int number);
// The IAU abbreviation ("CMa"; "Ser" for both halves of Serpens).
std::string_view constellationAbbreviation(int number);

// Where the name is drawn; false for a number outside 0..88.
bool constellationPosition(int number, double& raRad, double& decRad);

// The packed abbreviation list of the variable-star designations: Serpens
// once, numbered 1..88. Appends the three letters of `number` to `out`
// while `out` stays within `capacity` characters; other numbers append nothing.
void appendPackedAbbreviation(std::string& out, int number, size_t capacity);

}  // namespace celvaro
