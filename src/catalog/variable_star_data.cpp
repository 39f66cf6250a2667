#include "catalog/variable_star_data.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "astro/constellation_list.h"
#include "catalog/catalog_file_type.h"
#include "catalog/greek_letters.h"
#include "catalog/star_gcvs_data1.h"
#include "catalog/star_gcvs_data2.h"
#include "model/text_ids.h"

namespace celvaro {
namespace {

constexpr size_t kMaxTextChars = 127;
constexpr std::string_view kTypeLetters = "EPRCLX";

// The GCVS letter designations in published order, two characters a code
// (1..334), single letters padded with a blank: R..Z, RR..RZ, SS..SZ, ...,
// ZZ, then AA..AZ, BB..BZ, ..., QQ..QZ, without the letter J.
constexpr std::string_view kLetterCodes =
    "R S T U V W X Y Z RRRSRTRURVRWRXRYRZSSSTSUSVSWSXSYSZTTTUTVTWTXTY"
    "TZUUUVUWUXUYUZVVVWVXVYVZWWWXWYWZXXXYXZYYYZZZAAABACADAEAFAGAHAIAK"
    "ALAMANAOAPAQARASATAUAVAWAXAYAZBBBCBDBEBFBGBHBIBKBLBMBNBOBPBQBRBS"
    "BTBUBVBWBXBYBZCCCDCECFCGCHCICKCLCMCNCOCPCQCRCSCTCUCVCWCXCYCZDDDE"
    "DFDGDHDIDKDLDMDNDODPDQDRDSDTDUDVDWDXDYDZEEEFEGEHEIEKELEMENEOEPEQ"
    "ERESETEUEVEWEXEYEZFFFGFHFIFKFLFMFNFOFPFQFRFSFTFUFVFWFXFYFZGGGHGI"
    "GKGLGMGNGOGPGQGRGSGTGUGVGWGXGYGZHHHIHKHLHMHNHOHPHQHRHSHTHUHVHWHX"
    "HYHZIIIKILIMINIOIPIQIRISITIUIVIWIXIYIZKKKLKMKNKOKPKQKRKSKTKUKVKW"
    "KXKYKZLLLMLNLOLPLQLRLSLTLULVLWLXLYLZMMMNMOMPMQMRMSMTMUMVMWMXMYMZ"
    "NNNONPNQNRNSNTNUNVNWNXNYNZOOOPOQOROSOTOUOVOWOXOYOZPPPQPRPSPTPUPV"
    "PWPXPYPZQQQRQSQTQUQVQWQXQYQZ";
constexpr int kLastLetterCode = 334, kFirstNumbered = 335, kLastNumbered = 9000;
constexpr int kFirstGreek = 9001, kFirstSmall = 9101, kFirstCapital = 9201;
constexpr int kSmallCount = 26, kCapitalCount = 17;

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
char at(std::string_view text, size_t i) { return i < text.size() ? text[i] : '\0'; }

// A table cell without its padding.
std::string cellText(std::string_view table, size_t width, int index) {
  std::string_view cell = table.substr(index * width, width);
  return std::string(cell.substr(0, cell.find(' ')));
}

int letterPairCode(char first, char second) {
  const char pair[2] = {upper(first), upper(second)};
  for (int code = 1; code <= kLastLetterCode; ++code) {
    if (kLetterCodes.compare((code - 1) * 2, 2, pair, 2) == 0) return code;
  }
  return 0;
}

bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }

// The code of the designation at the start of the text and the characters
// it takes; 0 when there is none. Two letters are a letter pair when
// written in capitals, as the catalogue writes them ("MU Cep"), or when
// they name no Greek letter ("rr Lyr"); else the Greek letter ("mu Cep",
// "Xi UMa", "PI Cep", there being no pair PI).
int leadingCode(std::string_view text, size_t& length) {
  const char c0 = at(text, 0), c1 = at(text, 1), c2 = at(text, 2);
  if (isLetter(c0) && c1 == ' ') {
    length = 1;
    if (upper(c0) >= 'R') return upper(c0) - 'R' + 1;
    return c0 >= 'a' ? kFirstSmall + c0 - 'a' : kFirstCapital + c0 - 'A';
  }
  int superscript = 0;
  const int greek = readGreekLetter(text, length, superscript);
  if (isLetter(c0) && isLetter(c1) && c2 == ' ' && (greek < 0 || (isUpper(c0) && isUpper(c1)))) {
    if (const int code = letterPairCode(c0, c1)) {
      length = 2;
      return code;
    }
  }
  if (c0 == 'V' && isDigit(c1)) {
    int number = 0;
    for (length = 1; length <= 5 && isDigit(at(text, length)); ++length) number = number * 10 + text[length] - '0';
    return number;
  }
  return greek < 0 ? 0 : kFirstGreek + greek;
}

int packedConstellation(std::string_view text) {
  for (int n = 1; n <= 88; ++n) {
    std::string abbreviation;
    appendPackedAbbreviation(abbreviation, n, 3);
    bool same = true;
    for (size_t i = 0; i < abbreviation.size(); ++i) same = same && lower(at(text, i)) == lower(abbreviation[i]);
    if (same) return n;
  }
  return 0;
}

// The English captions stand in when the language file lacks a text.
constexpr std::array<const char*, kVariableInfoFieldCount> kEnglishCaptions = {
    "?",
    "GCVS designation",
    "Variability type",
    "Maximum (mag)",
    "Minimum (mag; amplitude in parentheses)",
    "Secondary minimum (mag)",
    "Photometric system",
    "Epoch (JD)",
    "Period (days)",
    "Rise or eclipse duration (percent of the period)",
    "Spectral type",
    "Hipparcos number",
};

}  // namespace

std::unique_ptr<iStarVarData> variableStarCatalogOfType(int fileType) {
  if (fileType == kFileVariablesV3) return std::make_unique<StarGcvsData1>();
  if (fileType == kFileVariablesV5) return std::make_unique<StarGcvsData2>();
  return nullptr;
}

std::string variableDesignationText(int code) {
  if (code >= 1 && code <= kLastLetterCode) return cellText(kLetterCodes, 2, code - 1);
  if (code >= kFirstNumbered && code <= kLastNumbered) {
    char text[8];
    std::snprintf(text, sizeof text, "V%04d", code);
    return text;
  }
  if (code >= kFirstGreek && code < kFirstGreek + kGreekLetterCount) return std::string(greekAbbreviation(code - kFirstGreek));
  if (code >= kFirstSmall && code < kFirstSmall + kSmallCount) return std::string(1, 'a' + (code - kFirstSmall));
  if (code >= kFirstCapital && code < kFirstCapital + kCapitalCount) return std::string(1, 'A' + (code - kFirstCapital));
  return {};
}

namespace {

// A magnitude stored in thousandths, as the catalogue prints it: two
// decimals at most, one at least ("7.06", "12.5").
std::string magnitudeText(int thousandths) {
  char text[24];
  std::snprintf(text, sizeof text, "%.2f", thousandths / 1000.0);
  std::string written = text;
  if (written.back() == '0') written.pop_back();
  return written;
}

}  // namespace

std::string variableStarText(int code, int constellation, uint8_t typeFlags, int brightest, int faintest,
                             bool withType, bool withRange) {
  std::string text = variableDesignationText(code);
  if (!text.empty()) {
    text += ' ';
    appendPackedAbbreviation(text, constellation, kMaxTextChars);
  }
  bool letterWritten = false;
  if (withType) {
    text += " [";
    for (size_t bit = 0; bit < kTypeLetters.size(); ++bit) {
      if (!(typeFlags & (1u << bit))) continue;
      text += kTypeLetters[bit];
      letterWritten = true;
    }
  }
  // The range follows the letters after a blank, or opens the bracket
  // itself; a bracket the type opened without a letter takes it directly.
  const char* before = letterWritten ? " " : withType ? "" : " [";
  if (withRange) text += before + magnitudeText(brightest) + "-" + magnitudeText(faintest);
  if (withType || withRange) text += ']';
  if (text.size() > kMaxTextChars) text.resize(kMaxTextChars);
  return text;
}

bool parseVariableDesignation(std::string_view text, int& code, int& constellation) {
  size_t length = 0;
  code = leadingCode(text, length);
  while (length < text.size() && !isLetter(text[length])) ++length;
  constellation = packedConstellation(text.substr(std::min(length, text.size())));
  return code > 0 && constellation > 0;
}

StarInfoCaption variableStarInfoCaption(int field) {
  if (field <= 0 || field >= kVariableInfoFieldCount) return {0, kEnglishCaptions[0]};
  return {text_id::kVariableInfoTable + field, kEnglishCaptions[field]};
}

}  // namespace celvaro
