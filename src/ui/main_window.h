// The main window: menus and toolbars with the program's command ids, the
// chart window, the status bar, and the main-window side of the model's
// callbacks. Telescope events arrive from other threads and are carried to
// the user-interface thread by queued calls.
#pragma once

#include <QActionGroup>
#include <QMainWindow>

#include <map>
#include <memory>
#include <vector>

#include "app/language_changed_listener.h"
#include "app/main_window_callback.h"
#include "ui/main_menus.h"

class QAction;
class QMenu;
class QToolBar;

namespace celvaro {

class AppModel;
class ChartWindow;
class DlgAdjustFov;
class DlgAutoGuiderMonitor;
class DlgDslrExp;
class ClockRelay;
class DlgCometlist;
class DlgObjectInfo;
class DlgObservingSuggestions;
class DlgPanelTelescope;
class DlgStarHopping;
class DlgTelescopeAdjust;
class DlgTelescopeControl;
class SearchCommands;
class StatusParts;
class UiResources;
struct CityChoice;

class MainWindow final : public QMainWindow, public iMainWindowCallback {
 public:
  static constexpr int kExit = kExitCommand;  // Chart → Exit

  MainWindow(UiResources& resources, AppModel& model);
  ~MainWindow() override;

  // iMainWindowCallback.
  void postUserMessage(int code, uint32_t parameter) override;
  void setStatusText(const std::string& text) override;
  void showField(int fieldArcmin) override;
  void showStarLimit(int limitHundredths) override;
  void showDeepskyLevel(int level) override;
  void showDates(const ChartDate& local, const ChartDate& universal) override;
  void editObservingPlace() override;
  void showObjectInfo() override;
  void selectionChanged() override;
  void refresh() override;
  void refreshStatus() override;
  void updateTelescopePanel() override;

  // Runs a menu or toolbar command by its id.
  void command(int id);
  QAction* action(int id) const;
  ChartWindow& chartWindow() { return *chart_; }
  DlgPanelTelescope& telescopePanel() { return *telescopePanel_; }
  // The telescope control panel and the adjustment window once opened, else null.
  DlgTelescopeControl* telescopeControl() const { return telescopeControl_.get(); }
  DlgTelescopeAdjust* telescopeAdjust() const { return telescopeAdjust_.get(); }
  DlgAdjustFov& fovDialog() { return *fovDialog_; }
  StatusParts& statusParts() { return *status_; }
  SearchCommands& searches() { return *searches_; }
  DlgObjectInfo& objectInfo() { return *objectInfo_; }
  // The suggestions and star-hopping windows once opened, else null.
  DlgObservingSuggestions* suggestions() const { return suggestions_.get(); }
  DlgStarHopping* starHopping() const { return starHopping_.get(); }
  void addLanguageListener(iLanguageChangedListener* listener) { languageListeners_.push_back(listener); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  // No menu of the toolbars' own (it would list their internal names): the
  // Settings menu shows and hides them.
  QMenu* createPopupMenu() override { return nullptr; }
  // Navigation keys pressed anywhere in this window outside controls that
  // take keys themselves go to the chart; another window opening or
  // closing makes the chart forget the pointer, and a closing one gives
  // the chart the keyboard back.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void addMenuItems(QMenu& menu, const std::vector<MenuItem>& items);
  void buildMenus();
  void buildToolbars();
  QAction* commandAction(int id, const char* fallback);
  void relabel();
  template <typename Dialog>
  void remakeInLanguage(std::unique_ptr<Dialog>& dialog);
  void chartCommand(int id);
  void displayButton(int id);
  void layerCommand(int id);
  bool runLayerDialog(int id);
  void settingsCommand(int id);
  void solarSystemCommand(int id);
  void telescopeCommand(int id);
  void openTelescopeControl();
  void centreOnTelescope();
  void showClock(double localSiderealHours, double julianDate);
  bool runSolarSystemDialog(int id);
  void showInfo();
  std::vector<CityChoice> cityChoices();
  void setNightVision(bool on);
  // The toolbar's pictures in the language and the light of the moment.
  void drawToolbarIcons();
  // The chart takes the keyboard, with this window activated when no other is active.
  void focusChart();
  void syncDisplayButtons();
  // Status parts 1 to 3 from the chart settings: field, star limit, deep-sky level.
  void showViewStatus();

  UiResources& resources_;
  AppModel& model_;
  ChartWindow* chart_;
  StatusParts* status_;
  std::map<int, QAction*> actions_;
  std::map<int, QMenu*> menus_;
  std::vector<QToolBar*> toolbars_;
  QActionGroup* pickFilters_ = nullptr;
  std::vector<iLanguageChangedListener*> languageListeners_;
  std::unique_ptr<DlgCometlist> cometList_;  // made when first shown
  std::unique_ptr<DlgPanelTelescope> telescopePanel_;
  std::unique_ptr<DlgTelescopeControl> telescopeControl_;  // made when first shown
  std::unique_ptr<DlgTelescopeAdjust> telescopeAdjust_;    // made when first shown
  std::unique_ptr<DlgAutoGuiderMonitor> guiderMonitor_;    // made when first shown
  std::unique_ptr<DlgDslrExp> dslrExposure_;               // made when first shown
  std::unique_ptr<SearchCommands> searches_;
  std::unique_ptr<DlgObjectInfo> objectInfo_;
  std::unique_ptr<DlgObservingSuggestions> suggestions_;  // made when first shown
  std::unique_ptr<DlgStarHopping> starHopping_;           // made when first shown
  std::unique_ptr<DlgAdjustFov> fovDialog_;  // made hidden with the window
  ClockRelay* clockRelay_;
};

}  // namespace celvaro
