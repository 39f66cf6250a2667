// The 24 Greek letters of Bayer designations, numbered 0..23 from alpha to
// omega: their written forms and how a typed designation names them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace celvaro {

constexpr int kGreekLetterCount = 24;

// The three-letter abbreviation of the General Catalogue of Variable
// Stars: "alf", "bet", ..., "tet", ..., "ksi", ..., "khi", "psi", "ome"
// ("mu", "nu" and "pi" have two letters); empty outside 0..23.
std::string_view greekAbbreviation(int letter);

// A Greek letter at the start of typed text, in any case: the
// abbreviation above, the usual alternatives ("alp", "the", "xi", "chi"),
// the full name in its English or continental spelling ("alpha", "alfa",
// "theta", "teta", "omicron", "omikron", ...), or the Greek character
// itself ("χ"). A superscript may follow at once or after a blank or a
// hyphen ("alf1", "alpha 2", "α-1"). Returns the letter, or -1 when the
// text does not begin with one; `length` is what the letter and its
// superscript take, `superscript` is 0 when none is given.
int readGreekLetter(std::string_view text, size_t& length, int& superscript);

// A star's name and designation as the program writes them: "Algenib
// (88 γ Peg)", "Toliman (α2 Cen)", "Vega", "61 Cyg". A Flamsteed number
// of 0 or less, a letter outside 0..23 and a constellation outside 0..88
// are none; empty when the star has neither name nor designation.
std::string starNameAndDesignation(const std::string& name, int flamsteed, int greekLetter, int superscript,
                                   int constellation);

}  // namespace celvaro
