#include "platform/locale_language.h"

#include <cstdlib>
#include <string_view>

namespace celvaro {

std::string messagesLanguage() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (!value || !*value) continue;
    const std::string_view locale(value);
    return std::string(locale.substr(0, locale.find_first_of("_.@")));
  }
  return {};
}

}  // namespace celvaro
