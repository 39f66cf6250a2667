// The keyboard's reach in every language: each menu's access keys differ,
// only menu texts carry one (so no dialog's can clash), and every toolbar
// command stands in a menu.
#include <gtest/gtest.h>

#include <QString>

#include <map>
#include <set>

#include "app/ui_resources.h"
#include "model/text_ids.h"
#include "ui/main_menus.h"
#include "ui/qt_translations.h"

namespace celvaro {
namespace {

// The letter after a single '&', lower case; empty without one.
QString accessKey(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text.mid(i + 1, 1).toLower();
    ++i;
  }
  return {};
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
  for (const MenuDefinition& menu : menuDefinitions()) {
    titles.push_back(textOf(menu.titleTextId, menu.english));
    std::vector<QString> items;
    for (const MenuItem& item : menu.items) {
      if (item.id != 0) items.push_back(itemText(item));
    }
    EXPECT_EQ(clashes(items), "") << menu.english;
  }
  EXPECT_EQ(clashes(titles), "") << "menu bar";
  for (const Submenu& sub : submenus()) {
    std::vector<QString> items;
    for (const MenuItem& item : sub.menu.items) {
      if (item.id != 0) items.push_back(itemText(item));
    }
    EXPECT_EQ(clashes(items), "") << sub.menu.english;
  }
}

// Dialogs and windows take no access keys from the language but Qt's own
// texts, which keep Qt's, so none can clash with another or with the menu bar.
TEST_P(MenuKeys, OnlyMenuTextsCarryAccessKeys) {
  std::set<int> menuTexts;
  for (const MenuDefinition& menu : menuDefinitions()) {
    menuTexts.insert(menu.titleTextId);
    for (const MenuItem& item : menu.items) menuTexts.insert(text_id::kMenuCommandBase + item.id);
  }
  for (const Submenu& sub : submenus()) {
    menuTexts.insert(sub.menu.titleTextId);
    for (const MenuItem& item : sub.menu.items) menuTexts.insert(text_id::kMenuCommandBase + item.id);
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
  for (const MenuDefinition& menu : menuDefinitions()) {
    for (const MenuItem& item : menu.items) inMenus.insert(item.id);
  }
  for (const Submenu& sub : submenus()) {
    for (const MenuItem& item : sub.menu.items) inMenus.insert(item.id);
  }
  // The whole sky is the Search menu's first command under another id.
  for (const Band& band : kBands) {
    for (int id = band.first; id <= band.last; ++id) EXPECT_TRUE(inMenus.count(id) || id == 2011) << id;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryLanguage, MenuKeys, ::testing::Values(1, 2, 3, 4));

}  // namespace
}  // namespace celvaro
