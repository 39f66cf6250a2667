#include "app/app_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/program_paths.h"
#include "astro/coordinates.h"
#include "astro/local_sky.h"
#include "astro/sidereal_time.h"
#include "astro/zone_time.h"
#include "model/text_ids.h"
#include "platform/time_zone_rules.h"
#include "render/grid_steps.h"
#include "render/magnitude_limits.h"
#include "render/sky_lines.h"
#include "telescope/telescope_control.h"

namespace celvaro {
namespace {

constexpr double kArcminPerRad = 10800.0 / std::numbers::pi;
constexpr int kFullCircleArcmin = 21600;

// Right ascension in arcminutes (truncated), kept within 0..21599.
int raArcminOf(double raRad) {
  int arcmin = static_cast<int>(raRad * kArcminPerRad) % kFullCircleArcmin;
  return arcmin < 0 ? arcmin + kFullCircleArcmin : arcmin;
}

}  // namespace

AppModel::AppModel(std::string programDir, std::string configurationPath, UiResources& resources)
    : programDir_(std::move(programDir)),
      configurationPath_(std::move(configurationPath)),
      resources_(resources),
      clock_(std::make_unique<Clock>()),
      display_(resources.colors()),
      output_(&display_),
      renderer_(nullptr, &display_, nullptr, &outputArea, &chart, &renderOptions) {
  for (uint32_t id = 0; id < projections_.size(); ++id) projections_[id] = createTransformer(id);
  renderer_.setSkyLines(&ecliptic, &horizon);
  renderer_.setRoute(&route);
  computeEcliptic(ecliptic);
  fov.schemes.load(fovSchemesPath(programDir_));
}

AppModel::~AppModel() {
  clock_->stop();
  // Its command thread reports to this model: end it while the model is whole.
  telescopeControl_.reset();
}

void AppModel::setTarget(double raRad, double decRad) {
  lastCentringTarget = {raRad, decRad, true};
  handOver.showTarget(raRad, decRad);
}

// --- view -----------------------------------------------------------------

int AppModel::centreOn(double raRad, double decRad, int minFieldArcmin, int maxFieldArcmin,
                       bool remember) {
  if (chart.horizontalMode) {
    const HorizontalPosition target = chartSky().horizontalOf(raRad, decRad);
    if (target.altitudeDeg < 0) return 0;
    chart.centreAltArcmin = static_cast<int>(target.altitudeDeg * 60.0);
    chart.centreAzArcmin = static_cast<int>(target.azimuthDeg * 60.0);
    centreFromHorizontal();
  } else {
    chart.centreRaArcmin = raArcminOf(raRad);
    chart.centreDecArcmin = static_cast<int>(decRad * kArcminPerRad);
  }
  if (maxFieldArcmin > 0) keepFieldWithin(minFieldArcmin, maxFieldArcmin);
  recomputeGridSteps();
  if (remember) setTarget(raRad, decRad);
  return 1;
}

int AppModel::centreOnFound(const std::optional<StarPosition>& found, SearchKind kind) {
  if (!found) return kSearchNotFound;
  const SearchKindRule& rule = searchRule(kind);
  if (centreOn(found->raRad, found->decRad, rule.minFieldArcmin, rule.maxFieldArcmin, true) == 0) {
    return kSearchBelowHorizon;
  }
  selectFound(kind, found->index);
  redrawPending = statusPending = true;
  return kSearchCentred;
}

// A catalog object, a star of the current star catalog, a body of the
// solar system or a constellation a search found becomes the selection, so
// its information can be shown (a body as itself, not a mark of its track);
// any other find leaves nothing selected.
void AppModel::selectFound(SearchKind kind, int index) {
  int pick = kPickNothing;
  if (kind == SearchKind::kStar) pick = kPickStar;
  else if (kind == SearchKind::kVariableStar) pick = kPickVariableStar;
  else if (kind == SearchKind::kDoubleStar) pick = kPickDoubleStar;
  else if (kind == SearchKind::kDeepsky) pick = kPickDeepsky;
  else if (kind == SearchKind::kSolarSystemBody || kind == SearchKind::kComet || kind == SearchKind::kMinorPlanet)
    pick = kPickSolarSystem;
  else if (kind == SearchKind::kConstellation) pick = kPickConstellation;
  selectionValid = pick != kPickNothing && index >= 0;
  selection = selectionValid ? Selection{pick, index, pick == kPickSolarSystem ? -1 : 0} : Selection{};
}

void AppModel::centreOnHorizontal(int altArcmin, int azArcmin) {
  chart.horizontalMode = 1;
  chart.centreAltArcmin = altArcmin;
  chart.centreAzArcmin = azArcmin;
  centreFromHorizontal();
}

// The equatorial (J2000) centre that belongs to the horizontal centre.
void AppModel::centreFromHorizontal() {
  const EquatorialPosition centre = chartSky().j2000Of(chart.centreAltArcmin / 60.0, chart.centreAzArcmin / 60.0);
  chart.centreRaArcmin = raArcminOf(centre.raRad);
  chart.centreDecArcmin = static_cast<int>(centre.decRad * kArcminPerRad);
}

void AppModel::keepFieldWithin(int minFieldArcmin, int maxFieldArcmin) {
  minFieldArcmin = std::max(minFieldArcmin, kMinimumFieldBoundArcmin);
  maxFieldArcmin = std::max(maxFieldArcmin, kMinimumFieldBoundArcmin);
  if (chart.fieldArcmin < minFieldArcmin) setField(minFieldArcmin);
  if (chart.fieldArcmin > maxFieldArcmin) setField(maxFieldArcmin);
}

void AppModel::setField(int fieldArcmin) {
  chart.fieldArcmin = fieldArcmin;
  applyView();
  if (mainWindow_) mainWindow_->showField(fieldArcmin);
}

void AppModel::recomputeGridSteps() {
  if (!chart.automaticGrid) {
    chart.raGridStepArcmin = chart.manualRaGridStepArcmin;
    chart.decGridStepArcmin = chart.manualDecGridStepArcmin;
    return;
  }
  GridSteps steps = automaticGridSteps(chart.fieldArcmin, chart.centreDecArcmin);
  chart.raGridStepArcmin = steps.raArcmin;
  chart.decGridStepArcmin = steps.decArcmin;
}

void AppModel::applyView() {
  computeMagnitudeLimits(chart);
  display_.loadScreenStarSizes(chart.starLimitHundredths, chart.maxStarDiameter, 1);
  if (catalogs_) catalogs_->selectStarCatalog(chart.starLimitHundredths, chart.fieldArcmin);
  recomputeGridSteps();
  projection().setScale(std::min(outputArea.width, outputArea.height) / 2, chart.fieldArcmin / 2);
}

iTransformer& AppModel::projection() {
  return *projections_[chart.projectionId < projections_.size() ? chart.projectionId : kProjectionOrthographic];
}

void AppModel::setChartSize(int32_t width, int32_t height) {
  outputArea.width = width;
  outputArea.height = height;
  projection().setScale(std::min(width, height) / 2, chart.fieldArcmin / 2);
}

void AppModel::setCatalogs(std::unique_ptr<SkyCatalogs> catalogs) {
  catalogs_ = std::move(catalogs);
  renderer_.setCatalogs(catalogs_.get());
}

void AppModel::setCurrentOutput(RenderingOutput* output) {
  output_ = output ? output : &display_;
  renderer_.setOutput(output_);
}

LocalSky AppModel::chartSky() const {
  return LocalSky(julianDateOf(chart.chartDate), chart.latitudeDeg, chart.longitudeDeg, chart.refraction != 0);
}

void AppModel::updateSiderealTime() {
  chart.latitudeDeg = place.latitudeDeg;
  chart.longitudeDeg = place.longitudeDeg;
  chart.chartDate = universal;
  chart.siderealTimeHours = greenwichSiderealTime(julianDateOf(universal));
}

void AppModel::paintChart(Canvas& canvas) {
  updateSiderealTime();
  iTransformer& transformer = projection();
  transformer.setup(outputArea, chart);
  renderer_.setTransformer(&transformer);
  display_.setCanvas(&canvas);
  display_.setHitList(&hits);
  hits.clearHits();
  output_->begin("", {}, outputArea);
  renderer_.setLanguage(resources_.languageId());
  renderer_.drawChart({displaySwitches[0] != 0});
  drawOverlays();
  output_->end();
  display_.setCanvas(nullptr);
}

// The field-of-view overlay, the selection marker and the reference points,
// drawn so that drawing them again takes them away.
void AppModel::drawOverlays() {
  constexpr int32_t kMarkerRadius = 12;
  iTransformer& transformer = projection();
  selectOverlayStyle(*output_);
  fov.drawInPass(*output_);
  ProjectedPoint p;
  if (selectionValid && transformer.project(lastCentringTarget.raRad, lastCentringTarget.decRad, p) &&
      p.depth > transformer.visibilityLimit()) {
    output_->circle(p.x, p.y, kMarkerRadius);
  }
  referencePoints.drawMarks(*output_, transformer);
}

void AppModel::redrawChart() {
  redrawPending = false;
  if (chartWindow_) chartWindow_->repaintNow();
}

// A new zone or daylight-saving flag keeps the chart's instant: the local
// date follows from the universal one.
void AppModel::placeChanged() {
  followZoneRules(place, julianDayOf(universal));
  local = universalToLocal(universal, place);
  if (mainWindow_) mainWindow_->showDates(local, universal);
  clock_->setLongitude(place.longitudeDeg);
  updateSiderealTime();
  computeHorizon(horizon, chartSky());
  // The Moon and the planets are placed as seen from the place.
  solarSystemChanged();
  // A guiding program asks the controller for the site and the local time.
  if (telescope_) telescope_->setObservingPlace(place);
  handOver.showPlaceChanged();
}

void AppModel::timeChanged() {
  if (mainWindow_) mainWindow_->showDates(local, universal);
  updateSiderealTime();
  computeHorizon(horizon, chartSky());
  // The stars stand where their proper motions have taken them.
  if (catalogs_) catalogs_->setStarEpoch(julianDayOf(universal));
  solarSystemChanged();
}

void AppModel::solarSystemChanged() {
  if (!catalogs_) return;
  SolarSystem& solar = catalogs_->solarSystem();
  solar.setObserver(place.latitudeDeg, place.longitudeDeg);
  solar.loadLists(chart.minorPlanetLists, true, universal);
  solar.update(universal);
  solar.computeTracks(universal, chart.planetTracks);
  solar.computeCometTrack(universal, chart.cometTrack);
  solar.computeAsteroidTrack(universal, chart.asteroidTrack);
}

void AppModel::applyBodyNames() {
  if (!catalogs_) return;
  SolarSystem& solar = catalogs_->solarSystem();
  for (int n = 0; n < kBodyCount; ++n) {
    solar.setBodyName(n, resources_.textOr(text_id::kBodyNameFirst + n, SolarSystem::defaultName(n)));
  }
}

// A place with a named zone takes the zone's offset and daylight saving of
// the new instant.
void AppModel::setUniversalDate(const ChartDate& date) {
  universal = date;
  followZoneRules(place, julianDayOf(universal));
  local = universalToLocal(date, place);
}

void AppModel::setLocalDate(const ChartDate& date) {
  local = date;
  universal = localToUniversal(date, place);
  followZoneRules(place, julianDayOf(universal));
}

// --- configuration and wiring ---------------------------------------------

ConfigurationRecords AppModel::configurationRecords() {
  return {navigation, place, resources_.userColors(), scope, gamepad, spiralSearch};
}

// At the first start the place keeps the zone of the computer's clock, or
// where that names no region, the zone of the default place (Hungary's).
void AppModel::loadConfiguration() {
  if (celvaro::loadConfiguration(configurationPath_, configurationRecords())) return;
  place.timeZoneName = systemTimeZoneName();
  if (place.timeZoneName.empty()) place.timeZoneName = kDefaultPlaceZone;
}

bool AppModel::saveConfiguration() { return celvaro::saveConfiguration(configurationPath_, configurationRecords()); }

void AppModel::setWindows(iMainWindowCallback* mainWindow, iChartView* chartWindow) {
  mainWindow_ = mainWindow;
  handOver.setMainWindow(mainWindow);
  chartWindow_ = chartWindow;
}

void AppModel::setTelescopeControl(iTelescopeControl* telescope) { telescope_ = telescope; }

std::string AppModel::portsDirectory() const { return userFileDirectory(programDir_); }

void AppModel::startTelescope() {
  telescopeControl_ = std::make_unique<TelescopeControl>(handOver, *clock_, portsDirectory());
  telescopeControl_->start(
      {scope.type, scope.port, scope.eastWestSwapPosition, {scope.indiHost, scope.indiPort, scope.indiDevice}});
  setTelescopeControl(telescopeControl_.get());
  clock_->setHeartBeatListener(telescopeControl_.get());
}

}  // namespace celvaro
