// The constellation names of the chart in the languages that have names of
// their own for them: data/constellation_names.txt, UTF-8 text.
//
//   celvaro constellation names 1
//   Andromeda<TAB>Andromeda<TAB>Andromeda<TAB>Andromeda
//   Antlia<TAB>Légszivattyú<TAB>Luftpumpe<TAB>Mașina pneumatică
//   ...
//
// The header line, then one line for each of the 89 entries of the fixed
// constellation list in its order: the Latin name as it is shown (blanks,
// not underscores), then the Hungarian, German and Romanian names, tab
// separated. Every name is 1..64 bytes of UTF-8 without control characters.
// Lines end in "\n" ("\r\n" is read as well). English charts keep the Latin
// names, which the list itself holds.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace celvaro {

class ConstellationNames {
 public:
  static constexpr const char* kHeader = "celvaro constellation names 1";
  static constexpr size_t kMaxNameBytes = 64;
  // The languages of the columns after the Latin name (1 Hungarian,
  // 3 German, 4 Romanian).
  static constexpr std::array<int, 3> kLanguages{1, 3, 4};

  enum Result : int { kLoaded = 0, kCannotOpen = 1, kDamaged = 2 };

  // Reads the file whole or not at all: a missing file or one with any
  // flaw leaves the Latin names.
  int load(const std::string& path);

  // The name of entry 0..88 in language 1..4; the Latin name as shown for
  // English, a language without a column and while nothing is loaded; empty
  // for a number outside the list.
  std::string name(int number, int language) const;

  // Whether `text` can stand as a name in the file.
  static bool isValidName(const std::string& text);

 private:
  std::vector<std::array<std::string, kLanguages.size()>> names_;
};

}  // namespace celvaro
