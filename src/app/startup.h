// The parts of the program's start-up and shutdown that belong to the
// model: the data load after the configuration is read, and what is written
// and let go at exit.
#pragma once

#include <functional>

namespace celvaro {

class AppModel;
class UiResources;

// The language at start-up: the one kept in locale.inf, or else the user's
// answer to the first-start question (English when there is no answer); its
// language file is then loaded.
void loadStartLanguage(UiResources& resources, const std::function<int()>& askUser);

// The observing aids: the star-hop routes, the sky guide, the city list and
// the Moon's picture.
void loadObservingAids(AppModel& model);

// Loads the data files into the model and starts its worker threads; false
// when the main star catalog could not be read (the chart has no stars).
bool runDataLoad(AppModel& model);
// The part of the data load a chart needs: catalogs, star labels and
// information, constellations, the lines of the chart's instant and place;
// false when the main star catalog could not be read.
bool loadChartData(AppModel& model);

// Writes what the user's session keeps: the field-of-view scheme when the
// overlay was edited, the language choice and the configuration file, each
// replaced only once its new contents are complete. Also run when the
// desktop session asks the program to keep its data before it ends.
void saveUserFiles(AppModel& model);

// After the event loop ended: writes the user's files and detaches the
// clock's listeners so no tick reaches a window that is going away. The
// worker threads are not joined.
void runShutdown(AppModel& model);

}  // namespace celvaro
