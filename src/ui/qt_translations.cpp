#include "ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "model/language_texts.h"

namespace celvaro {

void useQtTranslations(int languageId) {
  static QTranslator* translator = nullptr;
  if (translator) {
    QCoreApplication::removeTranslator(translator);
    delete translator;
    translator = nullptr;
  }
  if (languageId < kHungarian || languageId > kRomanian || languageId == kEnglish) return;
  auto* loaded = new QTranslator;
  if (loaded->load(QStringLiteral("qtbase_") + languageCode(languageId),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(loaded);
    translator = loaded;
  } else {
    delete loaded;
  }
}

}  // namespace celvaro
