#include "ui/search_commands.h"

#include <numbers>

#include "app/app_model.h"
#include "app/chart_navigator.h"
#include "app/ui_resources.h"
#include "astro/constellation_list.h"
#include "model/text_ids.h"
#include "ui/dialogs/dlg_search_lists.h"
#include "ui/dialogs/dlg_search_named_obj.h"
#include "ui/dialogs/dlg_search_star.h"
#include "ui/dialogs/dlg_search_typed.h"
#include "ui/message_sink.h"

namespace celvaro {
namespace {

constexpr double kRadPerArcmin = std::numbers::pi / 10800;

std::optional<StarPosition> positionOf(const std::optional<FoundObject>& found) {
  if (!found) return std::nullopt;
  return found->position;
}

std::optional<StarPosition> foundIf(bool found, const StarPosition& at) {
  return found ? std::optional<StarPosition>(at) : std::nullopt;
}

}  // namespace

SearchCommands::SearchCommands(UiResources& resources, AppModel& model, QWidget& window)
    : resources_(resources), model_(model), window_(window), messages_(&messageBoxes()) {}

bool SearchCommands::handles(int id) { return (id >= 502 && id <= 510) || id == 513; }

void SearchCommands::run(int id) {
  SkyCatalogs* catalogs = model_.catalogs();
  if (!catalogs) return;
  switch (id) {
    case 502: searchConstellation(); break;
    case 503: searchStar(*catalogs); break;
    case 504: searchVariableStar(*catalogs); break;
    case 505: searchDoubleStar(*catalogs); break;
    case 506: searchSolarSystemBody(*catalogs); break;
    case 507: searchComet(*catalogs); break;
    case 508: searchMinorPlanet(*catalogs); break;
    case 509: searchDeepsky(*catalogs); break;
    case 510: searchPopularObject(*catalogs); break;
    case 513: searchPosition(); break;
    default: break;
  }
}

// --- the searches ---------------------------------------------------------------------

void SearchCommands::searchConstellation() {
  DlgSearchConst dialog(resources_);
  if (dialog.runModal(&window_) != 1) return;
  StarPosition at;
  at.index = dialog.chosen();
  centre(SearchKind::kConstellation, foundIf(constellationPosition(at.index, at.raRad, at.decRad), at));
}

void SearchCommands::searchStar(SkyCatalogs& catalogs) {
  DlgSimpleSearchStar dialog(resources_, catalogs.starIds(), *messages_);
  if (dialog.runModal(&window_) != 1 || !dialog.found()) return;
  const StarIdRecord& star = *dialog.found();
  centre(SearchKind::kStar, StarPosition{catalogs.currentStarOfHipparcos(star.hipparcos), star.raRad, star.decRad});
}

void SearchCommands::searchVariableStar(SkyCatalogs& catalogs) {
  const auto designation = ask(text_id::kSearchVariableTitle, "Find a variable star", text_id::kSearchQuestionFirst,
                               "Designation of the variable star (for example RR Lyr):");
  if (!designation) return;
  StarPosition at;
  const iStarVarData* variables = catalogs.variableStars();
  centre(SearchKind::kVariableStar, foundIf(variables && variables->findByDesignation(*designation, at), at));
}

// A designation that does not parse has a message of its own.
void SearchCommands::searchDoubleStar(SkyCatalogs& catalogs) {
  const auto designation = ask(text_id::kSearchDoubleTitle, "Find a double star", text_id::kSearchQuestionFirst + 1,
                               "Designation of the double star (for example STF 1744):");
  if (!designation) return;
  StarPosition at;
  const iStarDblData* doubles = catalogs.doubleStars();
  const int result = doubles ? doubles->findByDesignation(*designation, at) : kDoubleNotFound;
  if (result == kDoubleNotParsable) showError(QMessageBox::Critical, {10122, "A kettoscsillag azonosito formatuma hibas."});
  else centre(SearchKind::kDoubleStar, foundIf(result == kDoubleFound, at));
}

void SearchCommands::searchSolarSystemBody(SkyCatalogs& catalogs) {
  const SolarSystem& solar = catalogs.solarSystem();
  DlgSearchSolarsys dialog(resources_, solar);
  if (dialog.runModal(&window_) != 1) return;
  const int body = dialog.chosen();
  const auto position = solar.bodyPosition(body);
  StarPosition at;
  if (position) at = {body, position->raRad, position->decRad};
  centre(SearchKind::kSolarSystemBody, foundIf(position.has_value(), at));
}

void SearchCommands::searchComet(SkyCatalogs& catalogs) {
  const SolarSystem& solar = catalogs.solarSystem();
  DlgSearchComet dialog(resources_, solar);
  if (dialog.runModal(&window_) != 1) return;
  StarPosition at;
  centreOnMinorBody(SearchKind::kComet, foundIf(solar.objectPosition(dialog.chosenComet(), -1, at), at),
                    model_.chart.cometTrack);
}

void SearchCommands::searchMinorPlanet(SkyCatalogs& catalogs) {
  DlgSearchAsteroid dialog(resources_);
  if (dialog.runModal(&window_) != 1) return;
  centreOnMinorBody(SearchKind::kMinorPlanet, positionOf(finder(catalogs).minorPlanet(dialog.query())),
                    model_.chart.asteroidTrack);
}

void SearchCommands::searchDeepsky(SkyCatalogs& catalogs) {
  const auto designation = ask(text_id::kSearchDeepskyTitle, "Find a deep-sky object", text_id::kSearchQuestionFirst + 2,
                               "Designation (for example M 13, NGC 7000, IC 434):");
  if (!designation) return;
  centre(SearchKind::kDeepsky, positionOf(finder(catalogs).deepsky(*designation)));
}

ObjectFinder SearchCommands::finder(SkyCatalogs& catalogs) const {
  return ObjectFinder(catalogs, model_.chart.minorPlanetLists, resources_.languageId());
}

void SearchCommands::searchPopularObject(SkyCatalogs& catalogs) {
  iDeepskyData* deepsky = catalogs.deepsky();
  if (!deepsky) return;
  DlgSearchNamedObj dialog(resources_, *deepsky, resources_.languageId());
  if (dialog.runModal(&window_) != 1) return;
  DeepskyObject object;
  const bool found = deepsky->getObject(dialog.chosenObject(), object);
  centre(SearchKind::kDeepsky, foundIf(found, StarPosition{dialog.chosenObject(), object.raRad, object.decRad}));
}

void SearchCommands::searchPosition() {
  const ChartSettings& chart = model_.chart;
  PositionDlg dialog(resources_, chart.centreRaArcmin * kRadPerArcmin, chart.centreDecArcmin * kRadPerArcmin);
  if (dialog.runModal(&window_) != 1) return;
  centre(SearchKind::kPosition, StarPosition{-1, dialog.raRad(), dialog.decRad()});
}

std::optional<std::string> SearchCommands::ask(int titleTextId, const char* title, int questionTextId,
                                               const char* question) {
  DlgSimpleQuestion dialog(resources_, titleTextId, title, questionTextId, question);
  if (dialog.runModal(&window_) != 1) return std::nullopt;
  return dialog.answer();
}

// --- outcomes -------------------------------------------------------------------------

void SearchCommands::centre(SearchKind kind, const std::optional<StarPosition>& found) {
  report(kind, model_.centreOnFound(found, kind));
}

void SearchCommands::centreOnMinorBody(SearchKind kind, const std::optional<StarPosition>& found,
                                       MinorBodyTrackSettings& track) {
  const int outcome = model_.centreOnFound(found, kind);
  if (outcome == kSearchCentred) {
    track.object = found->index;
    model_.solarSystemChanged();
  }
  report(kind, outcome);
}

// A chart centred on a find names it in the status bar, not the pick before.
void SearchCommands::report(SearchKind kind, int outcome) {
  const SearchKindRule& rule = searchRule(kind);
  iMainWindowCallback* main = model_.mainWindow();
  if (outcome == kSearchCentred && main) main->setStatusText(ChartNavigator(model_).describeSelection());
  if (outcome == kSearchNotFound) showError(QMessageBox::Critical, rule.notFound);
  else if (outcome == kSearchBelowHorizon) showError(QMessageBox::Warning, rule.belowHorizon);
}

void SearchCommands::showError(QMessageBox::Icon icon, const SearchMessage& message) {
  if (message.textId == 0) return;
  messages_->show(&window_, icon, QString::fromStdString(resources_.textOr(text_id::kErrorCaption, "Hiba")),
                  QString::fromStdString(resources_.textOr(message.textId, message.builtIn)));
}

}  // namespace celvaro
