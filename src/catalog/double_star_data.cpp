#include "catalog/double_star_data.h"

#include <algorithm>
#include <array>
#include <utility>

#include "catalog/catalog_file_type.h"
#include "catalog/star_dbl_wds_data_d1.h"
#include "catalog/star_dbl_wds_data_d2.h"
#include "model/text_ids.h"

namespace celvaro {
namespace {

constexpr size_t kCodeChars = 3, kLongestCode = 4, kDesignationChars = 7;

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The traditional symbols of the discoverers and their WDS codes, each
// symbol before the shorter ones it begins with.
constexpr std::pair<std::string_view, std::string_view> kSymbols[] = {
    {"ΟΣΣ", "STTA"}, {"ΟΣ", "STT"}, {"Σ II", "STFB"}, {"Σ I", "STFA"}, {"Σ", "STF"}, {"β pm", "BUP"},
    {"βG", "BUG"},   {"β", "BU"},   {"Lβ", "LBU"},    {"Δ", "DUN"},    {"λ", "SEE"}, {"φ", "FIN"},
};

// The WDS code of a symbol at `at`, which moves past it; "" when there is
// none (a symbol must not run on into a letter: "Σ Iota" is no appendix).
std::string symbolCodeAt(std::string_view text, size_t& at) {
  for (const auto& [symbol, code] : kSymbols) {
    const size_t end = at + symbol.size();
    if (text.substr(at).starts_with(symbol) && (end == text.size() || !isLetter(text[end]))) {
      at = end;
      return std::string(code);
    }
  }
  return {};
}

// One to four letters from `at`, upper-cased, which moves past them, and
// W. Herschel's classes "H 1".."H 6" and "H N"; "" for none or too many.
std::string letterCodeAt(std::string_view text, size_t& at) {
  std::string code;
  for (; at < text.size() && isLetter(text[at]); ++at) {
    if (code.size() == kLongestCode) return {};
    code += static_cast<char>(text[at] & ~0x20);
  }
  size_t next = at;
  while (code == "H" && next < text.size() && text[next] == ' ') ++next;
  const char herschel = next < text.size() ? (text[next] == 'n' ? 'N' : text[next]) : 0;
  if (code == "H" && ((herschel >= '1' && herschel <= '6') || herschel == 'N') &&
      (next + 1 == text.size() || text[next + 1] == ' ')) {
    at = next + 1;
    return std::string("H ") + herschel;
  }
  return code;
}

// The English captions stand in when the language file lacks a text.
constexpr std::array<const char*, kDoubleInfoFieldCount> kEnglishCaptions = {
    "?",
    "WDS designation",
    "Discoverer designation",
    "Other designations",
    "Hipparcos number",
    "Primary magnitude",
    "Companion magnitude",
    "Separation (arcseconds)",
    "Position angle (degrees)",
    "Year of the last measure",
};

}  // namespace

std::unique_ptr<iStarDblData> doubleStarCatalogOfType(int fileType) {
  if (fileType == kFileDoublesV3) return std::make_unique<StarDblWDSDataD1>();
  if (fileType == kFileDoublesV4) return std::make_unique<StarDblWDSDataD2>();
  return nullptr;
}

std::string doubleStarKey(std::string_view text) {
  size_t i = 0;
  std::string code;
  for (; i < text.size(); ++i) {
    code = symbolCodeAt(text, i);
    if (!code.empty() || isLetter(text[i])) break;
  }
  if (code.empty()) code = letterCodeAt(text, i);
  if (code.empty()) return {};
  while (i < text.size() && !isLetter(text[i]) && !isDigit(text[i])) ++i;
  code.resize(std::max(code.size(), kCodeChars), ' ');
  const size_t numberDigits = kDesignationChars - code.size();
  std::string digits;
  for (; i < text.size() && isDigit(text[i]); ++i) {
    if (digits.size() == numberDigits) return {};
    digits += text[i];
  }
  if (digits.empty()) return {};
  return code + std::string(numberDigits - digits.size(), ' ') + digits;
}

StarInfoCaption doubleStarInfoCaption(int field) {
  if (field <= 0 || field >= kDoubleInfoFieldCount) return {0, kEnglishCaptions[0]};
  return {text_id::kDoubleInfoTable + field, kEnglishCaptions[field]};
}

}  // namespace celvaro
