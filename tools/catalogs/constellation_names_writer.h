// The constellation-name file data/constellation_names.txt, UTF-8 text:
//
//   celvaro constellation names 1
//   Andromeda<TAB>Andromeda<TAB>Andromeda<TAB>Andromeda
//   Antlia<TAB>Légszivattyú<TAB>Luftpumpe<TAB>Mașina pneumatică
//
// The header line, then a line for each of the 89 entries of the fixed
// constellation list in its order: the Latin name as shown, then the
// Hungarian, German and Romanian names, tab separated, each line ended by
// "\n". The program reads it with ConstellationNames.
#pragma once

#include <array>
#include <map>
#include <string>

namespace celvaro {

// Latin name (UTF-8) to its translation.
using NameTranslations = std::map<std::string, std::u16string>;

// The file's text from the translations of the Hungarian, German and
// Romanian names. Serpens Caput and Serpens Cauda both take the name of
// "Serpens"; a language without a translation, or with one that cannot
// stand in the file, keeps the Latin name.
std::string constellationNamesText(const std::array<NameTranslations, 3>& translations);

}  // namespace celvaro
