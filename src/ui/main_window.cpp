#include "ui/main_window.h"

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QToolBar>

#include <set>

#include "app/app_model.h"
#include "app/observing_presets.h"
#include "app/status_texts.h"
#include "app/ui_resources.h"
#include "model/text_ids.h"
#include "ui/chart_window.h"
#include "ui/dialogs/dlg_adjust_fov.h"
#include "ui/dialogs/dlg_auto_guider_monitor.h"
#include "ui/clock_relay.h"
#include "ui/qt_translations.h"
#include "ui/dialogs/dlg_chart_settings.h"
#include "ui/dialogs/dlg_cometlist.h"
#include "ui/dialogs/dlg_colours.h"
#include "ui/dialogs/dlg_constell.h"
#include "ui/dialogs/dlg_date_time.h"
#include "ui/dialogs/dlg_deepsky.h"
#include "ui/dialogs/dlg_dslr_exp.h"
#include "ui/dialogs/dlg_field_width.h"
#include "ui/dialogs/dlg_gamepad_control.h"
#include "ui/dialogs/dlg_languages.h"
#include "ui/dialogs/dlg_minor_planet_tracks.h"
#include "ui/dialogs/dlg_minor_planets.h"
#include "ui/dialogs/dlg_moon_calendar.h"
#include "ui/dialogs/dlg_navigation_settings.h"
#include "ui/dialogs/dlg_object_info.h"
#include "ui/dialogs/dlg_observing_place.h"
#include "ui/dialogs/dlg_observing_suggestions.h"
#include "ui/dialogs/dlg_panel_telescope.h"
#include "ui/dialogs/dlg_printable_map.h"
#include "ui/dialogs/dlg_solar_system.h"
#include "ui/dialogs/dlg_star_hopping.h"
#include "ui/dialogs/dlg_star_layers.h"
#include "ui/dialogs/dlg_telescope_adjust.h"
#include "ui/dialogs/dlg_telescope_control.h"
#include "ui/dialogs/dlg_telescope_settings.h"
#include "ui/message_sink.h"
#include "ui/night_vision.h"
#include "ui/search_commands.h"
#include "ui/setting_file_dialogs.h"
#include "ui/status_parts.h"
#include "ui/toolbar_icons.h"

namespace celvaro {
namespace {

// A telescope window, made the first time it is shown; from then on it
// follows the user's language changes.
template <typename Window>
void makeOnce(std::unique_ptr<Window>& window, UiResources& resources, AppModel& model, MainWindow& main) {
  if (window) return;
  window = std::make_unique<Window>(resources, model);
  main.addLanguageListener(window.get());
}

// Command 800: the printable map of the chart on screen, with the choices
// of the last one made in this session.
void printableMap(QWidget* parent, UiResources& resources, AppModel& model) {
  static PrintableMap choice = [] {
    PrintableMap first;
    first.fileName = QDir(QDir::homePath()).filePath("celvaro-map.pdf").toStdString();
    return first;
  }();
  static PrintedWork work;
  DlgPrintableMap(resources, model, choice, &work).runModal(parent);
}

// A language format with "%d" places filled in order; any other "%" is
// written as it stands, so a translated text cannot misuse the arguments.
std::string fillNumbers(const std::string& format, std::initializer_list<int> numbers) {
  std::string out;
  auto next = numbers.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    if (format.compare(i, 2, "%d") == 0 && next != numbers.end()) {
      out += std::to_string(*next++);
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

// Controls whose keys are their own: text, numbers, lists, sliders, and the
// menu bar while the keyboard walks it.
bool takesKeys(const QWidget* widget) {
  return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
         qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractSlider*>(widget) ||
         qobject_cast<const QAbstractScrollArea*>(widget) || qobject_cast<const QMenuBar*>(widget);
}

}  // namespace

MainWindow::MainWindow(UiResources& resources, AppModel& model)
    : resources_(resources), model_(model) {
  setWindowTitle("Celvaro 2.3");
  // The chart takes the width the telescope panel on its right leaves.
  auto* client = new QWidget(this);
  auto* row = new QHBoxLayout(client);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  chart_ = new ChartWindow(model_, client);
  row->addWidget(chart_, 1);
  telescopePanel_ = std::make_unique<DlgPanelTelescope>(resources_, model_);
  addLanguageListener(telescopePanel_.get());
  row->addWidget(telescopePanel_->embed(client));
  setCentralWidget(client);
  status_ = new StatusParts(this);
  setStatusBar(status_);
  useQtTranslations(resources_);
  buildMenus();
  buildToolbars();
  searches_ = std::make_unique<SearchCommands>(resources_, model_, *this);
  objectInfo_ = std::make_unique<DlgObjectInfo>(resources_, model_);
  addLanguageListener(objectInfo_.get());
  fovDialog_ = std::make_unique<DlgAdjustFov>(resources_, model_);
  fovDialog_->create(this);
  addLanguageListener(fovDialog_.get());
  model_.setWindows(this, chart_);
  telescopePanel_->setShown(true);
  updateTelescopePanel();
  clockRelay_ = new ClockRelay([this](double sidereal, double julian) { showClock(sidereal, julian); }, this);
  model_.clock().setClockListener(clockRelay_);
  resize(1200, 800);
  refreshStatus();
  chart_->setFocus();
  qApp->installEventFilter(this);
}

// Leaving with night vision on gives the program's widgets their colours back.
MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  if (resources_.nightVision()) setNightVision(false);
  model_.clock().setClockListener(nullptr);
  model_.setWindows(nullptr, nullptr);
}

// --- commands --------------------------------------------------------------------------

void MainWindow::command(int id) {
  if (id == kExit) {
    close();
    return;
  }
  model_.redrawPending = false;
  model_.statusPending = false;
  ChartNavigator& nav = chart_->navigator();
  if (id >= 2000 && id <= 2006) {
    model_.pickFilter = id - 2000;
  } else if (id == 2007 || id == 2008) {
    nav.zoom(id == 2007);
  } else if (id == 2009 || id == 2010) {
    nav.stepStarLimit(id == 2010 ? 1 : -1);
  } else if (id == 2011 || id == 500) {
    nav.wholeSky();
    setStatusText("");
  } else if (id == 501) {
    nav.zenith();
  } else if (id >= 2012 && id <= 2015) {
    nav.horizonView(id - 2012);
  } else if (id >= 2016 && id <= kDeepskyButton) {
    displayButton(id);
  } else if (SearchCommands::handles(id)) {
    searches_->run(id);
  } else if (id < 200) {
    chartCommand(id);
  } else if (id < 400) {
    layerCommand(id);
  } else if (id >= 400 && id < 500) {
    solarSystemCommand(id);
  } else {
    settingsCommand(id);
  }
  refresh();
  focusChart();
}

void MainWindow::chartCommand(int id) {
  ChartSettings& chart = model_.chart;
  bool accepted = false;
  if (id == 100) {
    accepted = DlgSimpleProjection(resources_, chart).runModal(this) == 1;
  } else if (id == 101) {
    DlgFieldWidth dialog(resources_, chart.fieldArcmin);
    if (dialog.runModal(this) == 1) chart_->navigator().setField(dialog.fieldArcmin());
  } else if (id == 102) {
    accepted = DlgSimpleConstGrid(resources_, chart).runModal(this) == 1;
  } else if (id == 103) {
    accepted = DlgConstell(resources_, chart).runModal(this) == 1;
  } else if (id == 107) {
    saveSettingFile(this, resources_, chart);
  } else if (id == 108) {
    accepted = loadSettingFile(this, resources_, chart) == 1;
  } else if (id >= 120 && id <= 124) {
    accepted = applyPreset(chart, id - 120);
  }
  if (!accepted) return;
  model_.applyView();
  syncDisplayButtons();
  model_.redrawPending = model_.statusPending = true;
}

// Checking the deep-sky button turns the automatic level on.
void MainWindow::displayButton(int id) {
  const bool on = actions_[id]->isChecked();
  if (id == kDeepskyButton) model_.chart.deepskyMode = on ? 1 : 0;
  else model_.chart.*kDisplaySwitches[id - 2016] = on ? 1 : 0;
  model_.applyView();
  model_.redrawPending = true;
}

void MainWindow::layerCommand(int id) {
  if (!runLayerDialog(id)) return;
  model_.applyView();
  syncDisplayButtons();
  model_.redrawPending = model_.statusPending = true;
}

// True when the dialog of the command was left with OK.
bool MainWindow::runLayerDialog(int id) {
  ChartSettings& chart = model_.chart;
  switch (id) {
    case 200: return DlgSimpleStars(resources_, chart).runModal(this) == 1;
    case 201: return DlgStarLabels(resources_, chart).runModal(this) == 1;
    case 202: return VarStarSettingsDlg(resources_, chart).runModal(this) == 1;
    case 203: return DlgVarStarLabels(resources_, chart).runModal(this) == 1;
    case 204: return DlgDoublestars(resources_, chart).runModal(this) == 1;
    case 205: return DlgDoublestarLabels(resources_, chart).runModal(this) == 1;
    case 300: return DlgSimpleDeepsky(resources_, chart).runModal(this) == 1;
    case 301: return DlgDeepskyCatalogIds(resources_, chart).runModal(this) == 1;
    case 302: return DlgDeepskyLabelsForTypes(resources_, chart).runModal(this) == 1;
    default: return false;
  }
}

void MainWindow::settingsCommand(int id) {
  bool changed = false;
  switch (id) {
    case 700: editObservingPlace(); break;
    case 701: {
      DlgDateTime dialog(resources_, model_.local, model_.universal, model_.place);
      if (dialog.runModal(this) == 1) {
        model_.place.daylightSaving = dialog.daylightSaving();
        model_.setUniversalDate(dialog.universal());
        model_.placeChanged();
        model_.timeChanged();
        changed = true;
      }
      break;
    }
    case 702: DlgNavigationSettings(resources_, model_.navigation).runModal(this); break;
    case 703: changed = DlgColours(resources_, resources_.colors()).runModal(this) == 1; break;
    case 704: setNightVision(actions_[704]->isChecked()); changed = true; break;
    case 705:
      for (QToolBar* bar : toolbars_) bar->setVisible(actions_[705]->isChecked());
      break;
    case 601:
    case 606:
    case 607:
    case 610:
    case 611:
    case 612:
    case 706: telescopeCommand(id); break;
    case 2020:
    case 2021:
      model_.gamepad.mapMode = id == 2021 ? 1 : 0;
      updateTelescopePanel();
      break;
    case 609: fovDialog_->showOver(this); break;
    case 708: {
      DlgLanguages dialog(resources_);
      if (dialog.runModal(this) == 1 && dialog.chosen() > 0) {
        resources_.loadLanguage(dialog.chosen());
        model_.applyBodyNames();
        relabel();
        changed = true;
      }
      break;
    }
    case 511:
      if (!starHopping_) starHopping_ = std::make_unique<DlgStarHopping>(resources_, model_);
      starHopping_->showOver(this);
      break;
    case 512:
      if (!suggestions_) suggestions_ = std::make_unique<DlgObservingSuggestions>(resources_, model_);
      suggestions_->showOver(this);
      break;
    case 800: printableMap(this, resources_, model_); break;
    case 1000: showInfo(); break;
    case 1001:
      QMessageBox::information(this, QString::fromStdString(resources_.textOr(text_id::kAboutCaption, "About Celvaro")),
                               QString::fromStdString(resources_.textOr(text_id::kAboutText, "Celvaro 2.3")));
      break;
    default: break;
  }
  if (!changed) return;
  model_.applyView();
  model_.redrawPending = model_.statusPending = true;
}

void MainWindow::solarSystemCommand(int id) {
  if (id == 402) {
    DlgMoonCalendar(resources_, model_).runModal(this);
    return;
  }
  if (id == 405) {
    if (!cometList_) cometList_ = std::make_unique<DlgCometlist>(resources_, model_);
    cometList_->showOver(this);
    return;
  }
  if (!runSolarSystemDialog(id)) return;
  model_.solarSystemChanged();
  model_.redrawPending = true;
}

// True when the dialog of the command was left with OK.
bool MainWindow::runSolarSystemDialog(int id) {
  ChartSettings& chart = model_.chart;
  SolarSystem* solar = model_.catalogs() ? &model_.catalogs()->solarSystem() : nullptr;
  switch (id) {
    case 400: return DlgSolarsysDispParams(resources_, chart).runModal(this) == 1;
    case 401: return DlgSimpleSolarsys(resources_, chart).runModal(this) == 1;
    case 403: return DlgPlanetTracks(resources_, chart).runModal(this) == 1;
    case 407: return solar && DlgMinorPlanets(resources_, chart, solar->userAsteroid()).runModal(this) == 1;
    case 409: return solar && DlgMinorPlanetTracks(resources_, chart, *solar).runModal(this) == 1;
    default: return false;
  }
}

void MainWindow::telescopeCommand(int id) {
  if (id == 601) {
    openTelescopeControl();
  } else if (id == 606) {
    DlgTelescopeSettings dialog(resources_, model_.scope, model_.portsDirectory());
    iTelescopeControl* link = model_.telescope();
    if (dialog.runModal(this) == 1 && link) link->setEastWestSwap(model_.scope.eastWestSwapPosition);
  } else if (id == 607) {
    DlgGamepadControl(resources_, model_.gamepad, messageBoxes()).runModal(this);
  } else if (id == 610) {
    centreOnTelescope();
  } else if (id == 611) {
    makeOnce(guiderMonitor_, resources_, model_, *this);
    guiderMonitor_->showOver(this);
  } else if (id == 612) {
    makeOnce(dslrExposure_, resources_, model_, *this);
    dslrExposure_->showOver(this);
  } else if (id == 706) {
    telescopePanel_->setShown(actions_[706]->isChecked());
  }
}

// Aligning the mount takes both windows: the control panel to point the
// telescope at a star, the adjustment window to take the star as a
// reference point.
void MainWindow::openTelescopeControl() {
  makeOnce(telescopeControl_, resources_, model_, *this);
  makeOnce(telescopeAdjust_, resources_, model_, *this);
  telescopeControl_->showOver(this);
  telescopeAdjust_->showOver(this);
  telescopeAdjust_->placeBeside(*telescopeControl_->window());
}

void MainWindow::centreOnTelescope() {
  const CentringTarget& scope = model_.handOver.readings.position;
  if (!scope.valid) {
    setStatusText(resources_.textOr(text_id::kTelescopePositionUnknown, "The telescope position is not known yet."));
  } else if (model_.centreOn(scope.raRad, scope.decRad, 0, 0, false) == 0) {
    setStatusText(resources_.textOr(text_id::kTelescopeBelowHorizon, "The telescope points below the horizon."));
  } else {
    model_.applyView();
    model_.redrawPending = model_.statusPending = true;
  }
}

void MainWindow::showClock(double localSiderealHours, double julianDate) {
  telescopePanel_->showClock(localSiderealHours, julianDate);
  if (telescopeControl_) telescopeControl_->showClock(localSiderealHours, julianDate);
}

void MainWindow::showInfo() {
  const ChartSettings& c = model_.chart;
  iStarData* stars = model_.catalogs() ? model_.catalogs()->currentStarCatalog() : nullptr;
  const std::string format = resources_.textOr(
      text_id::kInfoFormat, "Field of view: %d arcmin\nStars in the current catalog: %d\nLimits: %d, %d, %d");
  const std::string text = fillNumbers(format, {c.fieldArcmin, stars ? stars->starCount() : 0, c.starLimitHundredths,
                                                c.variableLimitHundredths, c.doubleLimitHundredths});
  const QString caption = QString::fromStdString(resources_.textOr(text_id::kMenuCommandBase + 1000, "Info")).remove('&');
  QMessageBox::information(this, caption, QString::fromStdString(text));
}

// The colours dialog edits the user's table, which the chart does not show
// in night vision: it waits until night vision is off.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::Show && type != QEvent::Hide) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return false;
  if (type == QEvent::KeyPress) {
    return widget != chart_ && widget->window() == this && !takesKeys(widget) &&
           chart_->navigateByKey(*static_cast<QKeyEvent*>(event));
  }
  const bool otherWindow = widget->isWindow() && widget != this && widget->windowType() != Qt::ToolTip &&
                           widget->windowType() != Qt::Popup;
  if (!otherWindow) return false;
  chart_->forgetPointer();
  if (type == QEvent::Hide) QTimer::singleShot(0, this, [this] { focusChart(); });
  return false;
}

void MainWindow::focusChart() {
  if (!isVisible()) return;
  QWidget* active = QApplication::activeWindow();
  if (active && active != this) return;
  if (!active) activateWindow();
  chart_->setFocus();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  QApplication::quit();
}

// --- iMainWindowCallback -------------------------------------------------------------

void MainWindow::postUserMessage(int code, uint32_t parameter) {
  QMetaObject::invokeMethod(this, [this, code, parameter] { model_.handOver.onUserMessage(code, parameter); },
                            Qt::QueuedConnection);
}

void MainWindow::setStatusText(const std::string& text) { status_->setPart(0, QString::fromStdString(text)); }
void MainWindow::showField(int fieldArcmin) {
  status_->setPart(1, QString::fromStdString(fieldStatusText(fieldArcmin, statusCaptions(resources_))));
}
void MainWindow::showStarLimit(int limit) {
  status_->setPart(2, QString::fromStdString(limitStatusText(limit, statusCaptions(resources_))));
}
void MainWindow::showDeepskyLevel(int level) {
  status_->setPart(3, QString::fromStdString(deepskyStatusText(level, statusCaptions(resources_))));
}
void MainWindow::showDates(const ChartDate& local, const ChartDate& universal) {
  status_->setPart(4, QString::fromStdString(datesStatusText(local, universal, statusCaptions(resources_))));
}

// The cities in the list's order, each with its place.
std::vector<CityChoice> MainWindow::cityChoices() {
  std::vector<CityChoice> choices;
  CityList& cities = model_.cities;
  int index = 0;
  for (auto name = cities.firstCity(); name; name = cities.nextCity(), ++index) {
    const City city = cities.cityAt(index).value_or(City{});
    choices.push_back({*name, city.latitudeHundredthDeg, city.longitudeHundredthDeg, city.timeZoneMinutes,
                       cities.zoneAt(index)});
  }
  return choices;
}

void MainWindow::editObservingPlace() {
  const std::vector<CityChoice> cities = cityChoices();
  if (DlgObservingPlace(resources_, model_.place, cities).runModal(this) != 1) return;
  model_.placeChanged();
  model_.redrawPending = model_.statusPending = true;
}

// Without a selection the window stays as it is and a warning says so.
void MainWindow::showObjectInfo() {
  if (objectInfo_->showOver(this)) return;
  const std::string text = resources_.textOr(text_id::kNoDataForObject, "No data available for this object.");
  QMessageBox::warning(this, QString::fromStdString(resources_.textOr(text_id::kObjectInfoTitle, "Object information")),
                       QString::fromStdString(text));
}

void MainWindow::selectionChanged() { objectInfo_->refresh(); }

void MainWindow::refresh() {
  const bool redraw = model_.redrawPending, status = model_.statusPending;
  if (redraw) model_.redrawChart();
  if (redraw || status) showViewStatus();
  model_.statusPending = false;
}

void MainWindow::showViewStatus() {
  showField(model_.chart.fieldArcmin);
  showStarLimit(model_.chart.starLimitHundredths);
  showDeepskyLevel(model_.chart.deepskyLevel);
}

void MainWindow::refreshStatus() {
  showViewStatus();
  showDates(model_.local, model_.universal);
}

void MainWindow::updateTelescopePanel() {
  telescopePanel_->showMapMode();
  if (telescopeControl_) telescopeControl_->showMapMode();
  actions_[model_.gamepad.mapMode ? 2021 : 2020]->setChecked(true);
}

}  // namespace celvaro
