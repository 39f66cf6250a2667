// The languages as a user meets them: a change of language with every
// window open leaves no caption of the language before that the new one
// has not; in every language each menu's access keys differ, only menu
// texts carry one (so no dialog's can clash), and every toolbar command
// stands in a menu.
#include "ui/ui_test_support.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QMenuBar>

#include "model/text_ids.h"
#include "ui/main_menus.h"
#include "ui/qt_translations.h"

namespace celvaro {
namespace {

using namespace testing;

// Every caption a window shows: its title, buttons, labels, group boxes,
// list headers and, for the main window, its menus.
std::vector<QString> captions(QWidget* window) {
  std::vector<QString> shown{window->windowTitle()};
  for (auto* b : window->findChildren<QAbstractButton*>()) shown.push_back(b->text());
  for (auto* l : window->findChildren<QLabel*>()) shown.push_back(l->text());
  for (auto* g : window->findChildren<QGroupBox*>()) shown.push_back(g->title());
  for (auto* t : window->findChildren<QTreeWidget*>()) {
    for (int c = 0; c < t->columnCount(); ++c) shown.push_back(t->headerItem()->text(c));
  }
  for (auto* bar : window->findChildren<QMenuBar*>()) {
    for (QAction* menu : bar->actions()) {
      shown.push_back(menu->text());
      if (menu->menu()) {
        for (QAction* item : menu->menu()->actions()) shown.push_back(item->text());
      }
    }
  }
  return shown;
}

class LanguageSwitch : public ProgramWindow {
 protected:
  LanguageSwitch() {
    for (int language = kHungarian; language <= kRomanian; ++language) {
      const std::string file = std::string("lang_") + languageCode(language) + ".lng";
      std::filesystem::copy_file(std::filesystem::path(CELVARO_RUN_DIR) / file, dir.path() / file);
    }
    writeOneStarCatalog(dir);
    load();
    loadObservingAids(*model);
    resources.loadLanguage(kEnglish);
    open();
  }
  // Every text the program asks for in a language.
  std::set<QString> textsOf(int language) {
    UiResources texts;
    texts.setProgramDir(dir.path().string());
    texts.loadLanguage(language);
    std::set<QString> all;
    for (int id : text_id::usedTextIds()) {
      if (auto text = texts.text(id)) all.insert(QString::fromStdString(*text));
    }
    return all;
  }
  void choose(int language) {
    whenShown([language](QWidget* dialog) { press(dialog, 99 + language); });
    window->command(708);
  }
};

TEST_F(LanguageSwitch, NoWindowKeepsATextOfTheLanguageBefore) {
  // Star hopping, suggestions, the comet list, the field-of-view overlay and
  // the telescope's control, monitor and exposure windows.
  for (int command : {511, 512, 405, 609, 601, 611, 612}) window->command(command);
  int before = kEnglish;
  for (int language : {kHungarian, kGerman, kRomanian, kEnglish}) {
    const std::set<QString> old = textsOf(before), now = textsOf(language);
    choose(language);
    QApplication::processEvents();
    int windows = 0, renewed = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (!top->isVisible() || top->windowType() == Qt::ToolTip) continue;
      ++windows;
      for (const QString& caption : captions(top)) {
        renewed += now.count(caption) && !old.count(caption);
        EXPECT_FALSE(old.count(caption) && !now.count(caption))
            << languageCode(language) << ": " << top->windowTitle().toStdString() << " keeps " << caption.toStdString();
      }
    }
    EXPECT_GE(windows, 7) << languageCode(language);
    EXPECT_GT(renewed, 150) << languageCode(language);  // the captions did change
    // Qt's own texts follow: Debian's translations of Qt (Hungarian and
    // German), the language files for Romanian, which Qt lacks.
    const QString qtText = QCoreApplication::translate("QFileDialog", "Detail View");
    EXPECT_EQ(qtText == "Detail View", language == kEnglish) << qtText.toStdString();
    EXPECT_TRUE(language != kRomanian || qtText == "Detalii") << qtText.toStdString();
    before = language;
  }
}

// The letter after a single '&', lower case; empty without one.
QString accessKey(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text.mid(i + 1, 1).toLower();
    ++i;
  }
  return {};
}

// The menu bar's menus, then the submenus.
std::vector<const MenuDefinition*> everyMenu() {
  std::vector<const MenuDefinition*> menus;
  for (const MenuDefinition& menu : menuDefinitions()) menus.push_back(&menu);
  for (const Submenu& sub : submenus()) menus.push_back(&sub.menu);
  return menus;
}

class MenuKeys : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    resources.setProgramDir(CELVARO_RUN_DIR);
    ASSERT_EQ(resources.loadLanguage(GetParam()), 1);
  }
  QString textOf(int textId, const char* english) { return QString::fromStdString(resources.textOr(textId, english)); }
  QString itemText(const MenuItem& item) {
    return item.id < 0 ? textOf(submenuOf(item.id).titleTextId, submenuOf(item.id).english)
                       : textOf(text_id::kMenuCommandBase + item.id, item.english);
  }
  // The texts of one menu whose access keys another text of it takes too.
  std::string clashes(const std::vector<QString>& texts) {
    std::map<QString, QString> byKey;
    std::string found;
    for (const QString& text : texts) {
      const QString key = accessKey(text);
      if (key.isEmpty()) continue;
      const auto [at, fresh] = byKey.emplace(key, text);
      if (!fresh) found += (at->second + " / " + text + "; ").toStdString();
    }
    return found;
  }
  UiResources resources;
};

TEST_P(MenuKeys, NoMenuGivesOneKeyTwice) {
  std::vector<QString> titles;
  for (const MenuDefinition& menu : menuDefinitions()) titles.push_back(textOf(menu.titleTextId, menu.english));
  EXPECT_EQ(clashes(titles), "") << "menu bar";
  for (const MenuDefinition* menu : everyMenu()) {
    std::vector<QString> items;
    for (const MenuItem& item : menu->items) {
      if (item.id != 0) items.push_back(itemText(item));
    }
    EXPECT_EQ(clashes(items), "") << menu->english;
  }
}

// Dialogs and windows take no access keys from the language but Qt's own
// texts, which keep Qt's, so none can clash with another or with the menu bar.
TEST_P(MenuKeys, OnlyMenuTextsCarryAccessKeys) {
  std::set<int> menuTexts;
  for (const MenuDefinition* menu : everyMenu()) {
    menuTexts.insert(menu->titleTextId);
    for (const MenuItem& item : menu->items) menuTexts.insert(text_id::kMenuCommandBase + item.id);
  }
  for (int id = 0; id < 30000; ++id) {
    const std::optional<std::string> text = resources.text(id);
    const bool accessKeyed = text && !accessKey(QString::fromStdString(*text)).isEmpty();
    const bool qtOwn = id >= kQtTextFirst && id < kQtTextFirst + kQtTextCount;
    EXPECT_TRUE(!accessKeyed || menuTexts.count(id) || qtOwn) << id << " " << *text;
  }
}

TEST(MenuReach, EveryToolbarCommandStandsInAMenu) {
  std::set<int> inMenus;
  for (const MenuDefinition* menu : everyMenu()) {
    for (const MenuItem& item : menu->items) inMenus.insert(item.id);
  }
  // The whole sky is the Search menu's first command under another id.
  for (const Band& band : kBands) {
    for (int id = band.first; id <= band.last; ++id) EXPECT_TRUE(inMenus.count(id) || id == 2011) << id;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryLanguage, MenuKeys, ::testing::Values(1, 2, 3, 4));

}  // namespace
}  // namespace celvaro
