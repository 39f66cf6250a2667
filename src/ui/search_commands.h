// The search commands of the main window (502 to 510 and 513): each asks
// for an object in its dialog, centres the chart on what was found and
// reports a search that failed in a message box.
#pragma once

#include <optional>
#include <string>

#include <QMessageBox>

#include "app/object_finder.h"
#include "app/object_search.h"
#include "catalog/star_data.h"

class QWidget;

namespace celvaro {

class AppModel;
class MessageSink;
class SkyCatalogs;
class UiResources;
struct MinorBodyTrackSettings;
struct MinorPlanetQuery;

class SearchCommands {
 public:
  // Dialogs and messages open over `window`; messages go to the message boxes.
  SearchCommands(UiResources& resources, AppModel& model, QWidget& window);

  static bool handles(int id);
  // Runs a search command; nothing before the catalogs are loaded.
  void run(int id);
  void setMessageSink(MessageSink& sink) { messages_ = &sink; }
  // Says why a search did not centre the chart: an outcome of the model's
  // centreOnFound for a kind of object; nothing when it centred.
  void report(SearchKind kind, int outcome);

 private:
  void searchConstellation();
  void searchStar(SkyCatalogs& catalogs);
  void searchVariableStar(SkyCatalogs& catalogs);
  void searchDoubleStar(SkyCatalogs& catalogs);
  void searchSolarSystemBody(SkyCatalogs& catalogs);
  void searchComet(SkyCatalogs& catalogs);
  void searchMinorPlanet(SkyCatalogs& catalogs);
  void searchDeepsky(SkyCatalogs& catalogs);
  void searchPopularObject(SkyCatalogs& catalogs);
  void searchPosition();
  // The answer to a one-line question, none when cancelled.
  std::optional<std::string> ask(int titleTextId, const char* title, int questionTextId, const char* question);
  ObjectFinder finder(SkyCatalogs& catalogs) const;
  void centre(SearchKind kind, const std::optional<StarPosition>& found);
  // A comet or minor planet centred on becomes the selected one, drawn
  // with its track.
  void centreOnMinorBody(SearchKind kind, const std::optional<StarPosition>& found, MinorBodyTrackSettings& track);
  void showError(QMessageBox::Icon icon, const SearchMessage& message);

  UiResources& resources_;
  AppModel& model_;
  QWidget& window_;
  MessageSink* messages_;
};

}  // namespace celvaro
