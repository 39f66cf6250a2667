#include "app/startup.h"

#include <thread>

#include "app/app_model.h"
#include "app/program_paths.h"
#include "app/ui_resources.h"
#include "catalog/large_star_catalogs.h"
#include "platform/data_paths.h"
#include "render/magnitude_limits.h"

namespace celvaro {

void loadStartLanguage(UiResources& resources, const std::function<int()>& askUser) {
  int language = resources.readLanguageChoice();
  if (language == kLanguageNone) language = askUser ? askUser() : kLanguageNone;
  if (language == kLanguageNone) language = kEnglish;
  resources.loadLanguage(language);
}

namespace {

constexpr const char* kStarInfoPath = "data/hipparcos_data.dat";
constexpr const char* kMainCatalogName = "Hipparcos";

}  // namespace

bool loadChartData(AppModel& model) {
  model.starInfo.setPath(resolveDataPath(model.programDir(), kStarInfoPath));
  auto catalogs = std::make_unique<SkyCatalogs>(model.programDir());
  // Three threads read what shares nothing: the Sun, the Moon and the
  // planets are placed for the chart's instant and place, the comets'
  // elements and the Milky Way's outline read (the last when it is shown);
  // the stars' motions, the constellations and the double stars read; the
  // main star catalog, the star names and the variable stars read. The
  // solar system's own update later finds the bodies placed.
  SolarSystem& solar = catalogs->solarSystem();
  std::thread bodies([&solar, &model, sky = catalogs.get()] {
    solar.setObserver(model.place.latitudeDeg, model.place.longitudeDeg);
    solar.update(model.universal);
    solar.loadCometList();
    if (model.chart.needMilkyWay) sky->loadMilkyWay();
  });
  ProperMotions motions;
  MarkLinks marks;
  std::thread stars([&motions, &marks, &model, sky = catalogs.get()] {
    motions.load(resolveDataPath(model.programDir(), ProperMotions::kPath));
    marks.load(resolveDataPath(model.programDir(), MarkLinks::kPath));
    sky->loadConstellations();
    sky->loadDoubleStars();
  });
  const bool mainCatalog =
      catalogs->registerStarCatalog(0, kIdentifierHipparcos, kMainCatalogPath, kMainCatalogName, 0, 0) == 0;
  catalogs->openStarLabels();
  catalogs->loadVariableStars();
  stars.join();
  catalogs->setProperMotions(std::move(motions), marks);
  // The marks (names, double and variable stars) move to the chart's
  // epoch; the large catalogs registered after are moved as they come.
  catalogs->setStarEpoch(julianDayOf(model.universal));
  // The main catalog's stars down to the chart's limit are readied for the
  // first drawing while the deep sky and the large catalogs are read: the
  // drawing would otherwise do it, on its own, after them.
  ChartSettings limits = model.chart;
  computeMagnitudeLimits(limits);
  std::thread mainStars([stars = catalogs->mainStarCatalog(), limit = limits.starLimitHundredths] {
    if (stars) stars->prepareStars(limit);
  });
  catalogs->loadDeepsky();
  registerLargeStarCatalogs(*catalogs);
  mainStars.join();
  bodies.join();
  model.setCatalogs(std::move(catalogs));
  model.applyBodyNames();
  model.timeChanged();
  model.placeChanged();
  model.applyView();
  return mainCatalog;
}

void loadObservingAids(AppModel& model) {
  const std::string& directory = model.programDir();
  model.starHops.loadStarHops(resolveDataPath(directory, StarHopGuides::kRoutesPath));
  model.starHops.loadSkyGuide(resolveDataPath(directory, StarHopGuides::kSkyGuidePath));
  model.cities.load(resolveDataPath(directory, CityList::kPath));
  model.moonImage.build();
}

bool runDataLoad(AppModel& model) {
  loadObservingAids(model);
  // The clock runs for the telescope side, from the observing place's longitude.
  model.clock().setLongitude(model.place.longitudeDeg);
  model.startTelescope();
  model.clock().start();
  model.displaySwitches.fill(1);
  return loadChartData(model);
}

void saveUserFiles(AppModel& model) {
  model.fov.schemes.save();
  model.resources().saveLanguageChoice();
  model.saveConfiguration();
}

void runShutdown(AppModel& model) {
  saveUserFiles(model);
  model.clock().clearListeners();
}

}  // namespace celvaro
