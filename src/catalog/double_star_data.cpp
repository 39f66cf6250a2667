#include "catalog/double_star_data.h"

#include <array>

#include "app/text_ids.h"
#include "catalog/catalog_file_type.h"
#include "catalog/star_dbl_wds_data_d1.h"
#include "catalog/star_dbl_wds_data_d2.h"

namespace celvaro {
namespace {

constexpr size_t kCodeChars = 3, kNumberDigits = 4;

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

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
  while (i < text.size() && !isLetter(text[i])) ++i;
  std::string code;
  for (; i < text.size() && isLetter(text[i]); ++i) {
    if (code.size() == kCodeChars) return {};
    code += static_cast<char>(text[i] & ~0x20);  // upper case
  }
  while (i < text.size() && !isLetter(text[i]) && !isDigit(text[i])) ++i;
  std::string digits;
  for (; i < text.size() && isDigit(text[i]); ++i) {
    if (digits.size() == kNumberDigits) return {};
    digits += text[i];
  }
  if (code.empty() || digits.empty()) return {};
  code.resize(kCodeChars, ' ');
  return code + std::string(kNumberDigits - digits.size(), ' ') + digits;
}

StarInfoCaption doubleStarInfoCaption(int field) {
  if (field <= 0 || field >= kDoubleInfoFieldCount) return {0, kEnglishCaptions[0]};
  return {text_id::kDoubleInfoTable + field, kEnglishCaptions[field]};
}

}  // namespace celvaro
