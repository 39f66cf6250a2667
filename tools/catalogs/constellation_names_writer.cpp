#include "constellation_names_writer.h"

#include "astro/constellation_list.h"
#include "catalog/constellation_names.h"
#include "platform/utf_text.h"

namespace celvaro {
namespace {

// The name the translations know the entry by: the two halves of Serpens
// are one constellation there.
std::string translatedName(int number) {
  return constellationAbbreviation(number) == "Ser" ? "Serpens" : shownConstellationName(number);
}

}  // namespace

std::string constellationNamesText(const std::array<NameTranslations, 3>& translations) {
  std::string text = std::string(ConstellationNames::kHeader) + "\n";
  for (int number = 0; number < kConstellationCount; ++number) {
    const std::string latin = shownConstellationName(number);
    text += latin;
    for (const NameTranslations& language : translations) {
      const auto found = language.find(translatedName(number));
      const std::string name = found == language.end() ? latin : utf16ToUtf8(found->second);
      text += "\t" + (ConstellationNames::isValidName(name) ? name : latin);
    }
    text += "\n";
  }
  return text;
}

}  // namespace celvaro
