// Minor-planet designations in the Minor Planet Center's packed forms:
// numbers of five characters (a letter standing for the leading digits from
// 100000 on) and provisional designations of seven characters.
#pragma once

#include <string>
#include <string_view>

namespace celvaro {

// "00433" is 433, "A0001" is 100001 (A = 10, B = 11, ..., a = 36, ...);
// -1 when the field is not a packed number.
int unpackNumber(std::string_view packed);

// The packed form of a number up to 619999 ("00433", "A0001"); "" beyond.
std::string packNumber(int number);

// "K06D00A" reads "2006 DA00" and "K06DA1B" "2006 DB101"; "" when the
// field is not a packed provisional designation.
std::string unpackProvisional(std::string_view packed);

// The other way, from a typed designation such as "2006 DB101" or
// "2006DA"; "" when the text is not one.
std::string packProvisional(std::string_view typed);

}  // namespace celvaro
