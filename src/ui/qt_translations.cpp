#include "ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstring>
#include <iterator>
#include <memory>

#include "model/language_texts.h"

namespace celvaro {
namespace {

// The texts of Qt's that a file dialog, a question and a text field's menu
// show, in the order of their ids from kQtTextFirst on.
struct QtText {
  const char* context;
  const char* source;
};
constexpr QtText kQtTexts[] = {
    {"QFileDialog", "&Delete"},
    {"QFileDialog", "&New Folder"},
    {"QFileDialog", "&Open"},
    {"QFileDialog", "&Rename"},
    {"QFileDialog", "&Save"},
    {"QFileDialog", "All Files (*)"},
    {"QFileDialog", "Back"},
    {"QFileDialog", "Change to detail view mode"},
    {"QFileDialog", "Change to list view mode"},
    {"QFileDialog", "Create New Folder"},
    {"QFileDialog", "Create a New Folder"},
    {"QFileDialog", "Detail View"},
    {"QFileDialog", "File &name:"},
    {"QFileDialog", "Files"},
    {"QFileDialog", "Files of type:"},
    {"QFileDialog", "Forward"},
    {"QFileDialog", "Go back"},
    {"QFileDialog", "Go forward"},
    {"QFileDialog", "Go to the parent directory"},
    {"QFileDialog", "List View"},
    {"QFileDialog", "List of places and bookmarks"},
    {"QFileDialog", "Look in:"},
    {"QFileDialog", "Parent Directory"},
    {"QFileDialog", "Show &hidden files"},
    {"QFileDialog", "Sidebar"},
    {"QFileSystemModel", "Computer"},
    {"QFileSystemModel", "Date Modified"},
    {"QFileSystemModel", "Name"},
    {"QFileSystemModel", "Size"},
    {"QFileSystemModel", "Type"},
    {"QAbstractFileIconProvider", "Drive"},
    {"QAbstractFileIconProvider", "Folder"},
    {"QLineEdit", "&Copy"},
    {"QLineEdit", "&Paste"},
    {"QLineEdit", "&Redo"},
    {"QLineEdit", "&Undo"},
    {"QLineEdit", "Cu&t"},
    {"QLineEdit", "Delete"},
    {"QLineEdit", "Select All"},
    {"QPlatformTheme", "&No"},
    {"QPlatformTheme", "&Yes"},
    {"QPlatformTheme", "Cancel"},
    {"QPlatformTheme", "Close"},
    {"QPlatformTheme", "OK"},
    {"QPlatformTheme", "Open"},
    {"QPlatformTheme", "Save"},
};
static_assert(std::size(kQtTexts) == kQtTextCount);

// Qt's texts from the language files, for a language Qt has no translation of.
class LanguageFileTranslator final : public QTranslator {
 public:
  explicit LanguageFileTranslator(iLanguageTexts& texts) : texts_(texts) {}
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* source, const char*, int) const override {
    for (size_t i = 0; i < std::size(kQtTexts); ++i) {
      if (std::strcmp(kQtTexts[i].context, context) == 0 && std::strcmp(kQtTexts[i].source, source) == 0) {
        return QString::fromStdString(texts_.textOr(kQtTextFirst + static_cast<int>(i), ""));
      }
    }
    return {};
  }

 private:
  iLanguageTexts& texts_;
};

std::unique_ptr<QTranslator> translatorFor(iLanguageTexts& texts) {
  auto qtOwn = std::make_unique<QTranslator>();
  if (qtOwn->load(QStringLiteral("qtbase_") + languageCode(texts.languageId()),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return qtOwn;
  }
  return std::make_unique<LanguageFileTranslator>(texts);
}

}  // namespace

void useQtTranslations(iLanguageTexts& texts) {
  static std::unique_ptr<QTranslator> translator;
  if (translator) QCoreApplication::removeTranslator(translator.get());
  translator.reset();
  const int language = texts.languageId();
  if (language < kHungarian || language > kRomanian || language == kEnglish) return;
  translator = translatorFor(texts);
  QCoreApplication::installTranslator(translator.get());
}

}  // namespace celvaro
