#include "app/object_search.h"

#include <array>
#include <cstddef>

namespace celvaro {
namespace {

// Single objects are shown in a field that keeps their neighbourhood in
// view: stars and solar-system objects within 60 degrees, the fainter
// deep-sky objects, doubles and variables within 30; a constellation needs
// at least 60 degrees to show whole, and typed coordinates get exactly 60.
// The model never narrows the field below 3 degrees. Deep-sky failures
// carry no built-in text.
//
// Each row: the least and the largest field (arcmin), the not-found and
// the below-the-horizon message.
constexpr std::array<SearchKindRule, 9> kRules{{
    // constellation
    {3600, 10800, {0, nullptr}, {10181, "A keresett csillagkep a horizont alatt van."}},
    // star
    {0, 3600, {10100, "There is no such star in the database."}, {10101, "A keresett csillag a horizont alatt van."}},
    // variable star
    {0, 1800, {10110, "A keresett valtozocsillag nem talalhato az adatbazisban."},
     {101101, "A keresett valtozocsillag a horizont alatt van."}},
    // double star
    {0, 1800, {10120, "A keresett kettoscsillag nem talalhato az adatbazisban."},
     {10121, "A keresett kettoscsillag a horizont alatt van."}},
    // solar-system body
    {0, 3600, {0, nullptr}, {10131, "A keresett bolygo a horizont alatt van."}},
    // comet
    {0, 3600, {10140, "A keresett ustokos nem talalhato az adatbazisban."}, {10141, "A keresett ustokos a horizont alatt van."}},
    // minor planet
    {0, 3600, {10150, "A keresett kisbolygo nem talalhato az adatbazisban."},
     {10151, "A keresett kisbolygo a horizont alatt van."}},
    // deep-sky object
    {0, 1800, {10160, ""}, {10161, ""}},
    // typed position
    {3600, 3600, {0, nullptr}, {10170, "A keresett pozicio a horizont alatt van."}},
}};

}  // namespace

const SearchKindRule& searchRule(SearchKind kind) { return kRules[static_cast<size_t>(kind)]; }

}  // namespace celvaro
