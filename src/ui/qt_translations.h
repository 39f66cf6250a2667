// Qt's own texts (the file dialog's views and menus, the standard buttons)
// in the program's language, from the translations the system installs for
// Qt where it has them.
#pragma once

namespace celvaro {

// Replaces the translation in use by that of language 1..4; English, or a
// language the system has no translation of, leaves Qt's English.
void useQtTranslations(int languageId);

}  // namespace celvaro
