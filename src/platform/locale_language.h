// The language the user's locale asks the program's messages in.
#pragma once

#include <string>

namespace celvaro {

// The language part of the locale gettext would take for messages: the
// first of LC_ALL, LC_MESSAGES and LANG that is set and not empty, up to
// its territory, codeset or modifier ("de" of "de_AT.UTF-8", "hu" of
// "hu_HU@euro", "C" of "C.UTF-8"); empty when none of the three is set.
std::string messagesLanguage();

}  // namespace celvaro
