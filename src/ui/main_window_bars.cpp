// The main window's menus and toolbars, their pictures in night vision, and
// everything that follows a change of language.
#include <QActionGroup>
#include <QMenuBar>
#include <QToolBar>

#include "app/app_model.h"
#include "app/ui_resources.h"
#include "model/text_ids.h"
#include "ui/dialogs/dlg_cometlist.h"
#include "ui/dialogs/dlg_observing_suggestions.h"
#include "ui/dialogs/dlg_star_hopping.h"
#include "ui/main_menus.h"
#include "ui/main_window.h"
#include "ui/night_vision.h"
#include "ui/qt_translations.h"
#include "ui/toolbar_icons.h"

namespace celvaro {

QAction* MainWindow::commandAction(int id, const char* fallback) {
  auto found = actions_.find(id);
  if (found != actions_.end()) return found->second;
  auto* a = new QAction(QString::fromStdString(resources_.textOr(text_id::kMenuCommandBase + id, fallback)), this);
  a->setObjectName(QStringLiteral("cmd%1").arg(id));
  connect(a, &QAction::triggered, this, [this, id] { command(id); });
  actions_[id] = a;
  return a;
}

QAction* MainWindow::action(int id) const {
  auto found = actions_.find(id);
  return found == actions_.end() ? nullptr : found->second;
}

void MainWindow::buildMenus() {
  for (const MenuDefinition& definition : menuDefinitions()) {
    QMenu* menu = menuBar()->addMenu(QString::fromStdString(resources_.textOr(definition.titleTextId, definition.english)));
    menus_[definition.titleTextId] = menu;
    addMenuItems(*menu, definition.items);
  }
  actions_[kExit]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  for (int id : {704, 705, 706}) actions_[id]->setCheckable(true);
  actions_[705]->setChecked(true);
  actions_[706]->setChecked(true);
}

// Separators, submenus (each item of a negative id) and commands.
void MainWindow::addMenuItems(QMenu& menu, const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    if (item.id == 0) {
      menu.addSeparator();
    } else if (item.id < 0) {
      const MenuDefinition& sub = submenuOf(item.id);
      QMenu* submenu = menu.addMenu(QString::fromStdString(resources_.textOr(sub.titleTextId, sub.english)));
      menus_[sub.titleTextId] = submenu;
      addMenuItems(*submenu, sub.items);
    } else {
      menu.addAction(commandAction(item.id, item.english));
    }
  }
}

void MainWindow::buildToolbars() {
  for (const Band& band : kBands) {
    auto* bar = addToolBar(QStringLiteral("band%1").arg(band.first));
    bar->setObjectName(QStringLiteral("band%1").arg(band.first));
    bar->setIconSize(QSize(band.first == 2020 ? 24 : 16, 16));
    QActionGroup* group = band.exclusive ? new QActionGroup(this) : nullptr;
    for (int id = band.first; id <= band.last; ++id) {
      QAction* a = commandAction(id, "");
      a->setIcon(toolbarIcon(id, false, resources_));
      a->setText(QString::fromStdString(resources_.textOr(text_id::kToolbarTipFirst + id - 2000, "")));
      a->setToolTip(a->text());
      a->setCheckable(band.checkable);
      if (group) group->addAction(a);
      bar->addAction(a);
    }
    if (band.first == 2000) pickFilters_ = group;
    toolbars_.push_back(bar);
  }
  actions_[2000]->setChecked(true);
  syncDisplayButtons();
}

void MainWindow::syncDisplayButtons() {
  for (int i = 0; i < 3; ++i) actions_[2016 + i]->setChecked(model_.chart.*kDisplaySwitches[i] != 0);
  actions_[kDeepskyButton]->setChecked(model_.chart.deepskyMode != 0);
}

void MainWindow::relabel() {
  auto retitle = [this](const MenuDefinition& definition) {
    menus_[definition.titleTextId]->setTitle(QString::fromStdString(resources_.textOr(definition.titleTextId, definition.english)));
  };
  for (const MenuDefinition& definition : menuDefinitions()) retitle(definition);
  for (const Submenu& sub : submenus()) retitle(sub.menu);
  for (auto& [id, a] : actions_) {
    const int textId = id >= 2000 ? text_id::kToolbarTipFirst + id - 2000 : text_id::kMenuCommandBase + id;
    if (auto label = resources_.text(textId)) {
      a->setText(QString::fromStdString(*label));
      if (id >= 2000) a->setToolTip(a->text());
    }
  }
  drawToolbarIcons();
  useQtTranslations(resources_);
  for (iLanguageChangedListener* listener : languageListeners_) listener->languageChanged();
  remakeInLanguage(starHopping_);
  remakeInLanguage(suggestions_);
  remakeInLanguage(cometList_);
  refreshStatus();
}

// The aid windows built from their lists are made anew in the new language,
// shown again where they stood when they were open.
template <typename Dialog>
void MainWindow::remakeInLanguage(std::unique_ptr<Dialog>& dialog) {
  if (!dialog) return;
  QWidget* old = dialog->window();
  const bool shown = old && old->isVisible();
  const QRect place = old ? old->geometry() : QRect();
  dialog = std::make_unique<Dialog>(resources_, model_);
  if (!shown) return;
  dialog->showOver(this);
  dialog->window()->setGeometry(place);
}

void MainWindow::setNightVision(bool on) {
  resources_.setNightVision(on);
  showNightVision(on);
  drawToolbarIcons();
  actions_[703]->setEnabled(!on);
}

void MainWindow::drawToolbarIcons() {
  for (const Band& band : kBands) {
    for (int id = band.first; id <= band.last; ++id) actions_[id]->setIcon(toolbarIcon(id, resources_.nightVision(), resources_));
  }
}

}  // namespace celvaro
