// Qt's own texts (the file dialog's views and menus, the standard buttons,
// a text field's menu) in the program's language: from the translations
// the system installs for Qt where it has them, else from the language
// files, which hold those a file dialog and a question show.
#pragma once

namespace celvaro {

class iLanguageTexts;

// The language files' ids of Qt's texts, for languages Qt has no
// translation of; they keep Qt's access keys.
constexpr int kQtTextFirst = 16000, kQtTextCount = 46;

// Replaces the translation in use by that of the texts' language; English
// leaves Qt's own.
void useQtTranslations(iLanguageTexts& texts);

}  // namespace celvaro
