// The languages the program speaks and the texts of the one the user chose,
// looked up by the ids of model/text_ids.h.
#pragma once

#include <string>
#include <string_view>

namespace celvaro {

enum LanguageId : int { kLanguageNone = 0, kHungarian = 1, kEnglish = 2, kGerman = 3, kRomanian = 4 };

// Language 1..4 named in itself ("Magyar", "English", "Deutsch",
// "Română").
constexpr const char* nativeLanguageName(int languageId) {
  switch (languageId) {
    case kHungarian: return "Magyar";
    case kEnglish: return "English";
    case kGerman: return "Deutsch";
    default: return "Română";
  }
}

// Language 1..4 by its two-letter code ("hu", "en", "de", "ro").
constexpr const char* languageCode(int languageId) {
  switch (languageId) {
    case kHungarian: return "hu";
    case kEnglish: return "en";
    case kGerman: return "de";
    default: return "ro";
  }
}

class iLanguageTexts {
 public:
  virtual ~iLanguageTexts() = default;
  // The text of an id in UTF-8, or `fallback` where the language has none.
  virtual std::string textOr(int id, std::string_view fallback) = 0;
  // The language the texts are in, 1..4.
  virtual int languageId() const = 0;
};

}  // namespace celvaro
