#include "catalog/greek_letters.h"

#include <array>

#include "astro/constellation_list.h"
#include "platform/utf_text.h"
#include "platform/ascii_text.h"

namespace celvaro {
namespace {

// The written forms of each letter, the variable-star catalogue's
// abbreviation first.
constexpr std::array<std::array<std::string_view, 4>, kGreekLetterCount> kForms = {{
    {"alf", "alp", "alpha", "alfa"},
    {"bet", "beta"},
    {"gam", "gamma"},
    {"del", "delta"},
    {"eps", "epsilon"},
    {"zet", "zeta"},
    {"eta"},
    {"tet", "the", "theta", "teta"},
    {"iot", "iota"},
    {"kap", "kappa"},
    {"lam", "lambda", "lamda"},
    {"mu"},
    {"nu"},
    {"ksi", "xi"},
    {"omi", "omicron", "omikron"},
    {"pi"},
    {"rho"},
    {"sig", "sigma"},
    {"tau"},
    {"ups", "upsilon", "ypsilon"},
    {"phi"},
    {"khi", "chi"},
    {"psi"},
    {"ome", "omega"},
}};

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The letter of a word of ASCII letters; -1 for none.
int letterOfWord(std::string_view word) {
  for (int letter = 0; letter < kGreekLetterCount; ++letter) {
    for (std::string_view form : kForms[letter]) {
      if (!form.empty() && sameIgnoringCase(word, form)) return letter;
    }
  }
  return -1;
}

// The letter of a Greek character (two bytes of UTF-8) at the start of
// the text: small or capital, the final sigma and the symbol forms of
// theta and phi among them; -1 for none.
int letterOfCharacter(std::string_view text) {
  if (text.size() < 2) return -1;
  const std::u16string c = utf8ToUtf16(text.substr(0, 2));
  if (c.size() != 1) return -1;
  const char16_t ch = c[0];
  if (ch == u'ς') return 17;
  if (ch == u'ϑ') return 7;
  if (ch == u'ϕ') return 20;
  if (ch >= u'α' && ch <= u'ω') return ch - u'α' - (ch > u'ς' ? 1 : 0);
  if (ch >= u'Α' && ch <= u'Ω' && ch != u'\u03A2') return ch - u'Α' - (ch > u'\u03A2' ? 1 : 0);
  return -1;
}

// Digits at `at`, at once or after one blank or hyphen; their value and
// the end of what they take.
size_t readSuperscript(std::string_view text, size_t at, int& superscript) {
  superscript = 0;
  size_t digits = at < text.size() && (text[at] == ' ' || text[at] == '-') ? at + 1 : at;
  if (digits >= text.size() || !isDigit(text[digits])) return at;
  for (; digits < text.size() && isDigit(text[digits]) && superscript < 100; ++digits) {
    superscript = superscript * 10 + (text[digits] - '0');
  }
  return digits;
}

}  // namespace

std::string_view greekAbbreviation(int letter) {
  return letter >= 0 && letter < kGreekLetterCount ? kForms[letter][0] : std::string_view();
}

int readGreekLetter(std::string_view text, size_t& length, int& superscript) {
  size_t word = 0;
  while (word < text.size() && isAsciiLetter(text[word])) ++word;
  const int letter = word > 0 ? letterOfWord(text.substr(0, word)) : letterOfCharacter(text);
  if (letter < 0) return -1;
  length = readSuperscript(text, word > 0 ? word : 2, superscript);
  return letter;
}

std::string starNameAndDesignation(const std::string& name, int flamsteed, int greekLetter, int superscript,
                                   int constellation) {
  std::string designation;
  if (constellation >= 0 && constellation < kConstellationCount) {
    if (flamsteed > 0) designation += std::to_string(flamsteed) + " ";
    if (greekLetter >= 0 && greekLetter < kGreekLetterCount) {
      // alpha..omega, skipping the final sigma.
      designation += utf16ToUtf8(std::u16string(1, static_cast<char16_t>(u'α' + greekLetter + (greekLetter >= 17))));
      if (superscript > 0) designation += std::to_string(superscript);
      designation += " ";
    }
    if (!designation.empty()) designation += constellationAbbreviation(constellation);
  }
  if (designation.empty() || name.empty()) return name + designation;
  return name + " (" + designation + ")";
}

}  // namespace celvaro
