// A change of language with every window open: after each change no caption
// any window shows is a text of the language before that the new one has not.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QTreeWidget>

#include <filesystem>
#include <set>

#include "model/text_ids.h"
#include "ui/dialog_driving.h"
#include "ui/program_window.h"

namespace celvaro {
namespace {

using testing::press;
using testing::whenShown;

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

class LanguageSwitch : public testing::ProgramWindow {
 protected:
  LanguageSwitch() {
    for (int language = kHungarian; language <= kRomanian; ++language) {
      const std::string file = std::string("lang_") + languageCode(language) + ".lng";
      std::filesystem::copy_file(std::filesystem::path(CELVARO_RUN_DIR) / file, dir.path() / file);
    }
    writeOneStarCatalog();
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

}  // namespace
}  // namespace celvaro
