#include "solarsystem/solar_system.h"

#include "astro/coordinates.h"
#include "astro/local_sky.h"
#include "platform/number_text.h"

namespace celvaro {
namespace {

constexpr int kComet = 0, kAsteroid = 1;  // the two minor-body tracks
constexpr int kFirstListKind = kBrightList;

const char* const kDefaultNames[kBodyCount] = {"Sun",     "Moon",   "Mercury", "Venus", "Mars",
                                                   "Jupiter", "Saturn", "Uranus",  "Neptune", "Pluto"};

bool isComet(int32_t id) { return objectKind(id) == kUserComet || objectKind(id) == kCometList; }
bool isAsteroid(int32_t id) { return objectKind(id) >= kUserAsteroid && objectKind(id) <= kLongList; }

TrackRule ruleOf(const PlanetTrackSettings& s) { return {s.days, s.markInterval, s.labelStep, s.dateLabels != 0}; }
TrackRule ruleOf(const MinorBodyTrackSettings& s) { return {s.days, s.markInterval, s.labelStep, s.dateLabels != 0}; }

// The mark of a track, when the number names one.
bool markPosition(std::span<const TrackMark> marks, int mark, StarPosition& out) {
  if (mark < 0 || static_cast<size_t>(mark) >= marks.size()) return false;
  out.raRad = marks[mark].raRad;
  out.decRad = marks[mark].decRad;
  return true;
}

}  // namespace

const char* SolarSystem::defaultName(int number) {
  return number >= 0 && number < kBodyCount ? kDefaultNames[number] : "";
}

SolarSystem::SolarSystem(ElementFilePath elementFilePath) : elementFilePath_(std::move(elementFilePath)) {
  if (!elementFilePath_) elementFilePath_ = [](const std::string&) { return std::string(); };
  for (int b = 0; b < kBodyCount; ++b) names_[b] = kDefaultNames[b];
  for (int k = 0; k < 4; ++k) {
    lists_[k] = std::make_unique<MinorPlanetList>(MinorPlanetList::kShortCapacity, elementFilePath_(kShortListFiles[k]));
  }
  lists_[4] = std::make_unique<MinorPlanetList>(MinorPlanetList::kLongCapacity, elementFilePath_(kLongListFile));
}

// --- Sun, Moon and planets ----------------------------------------------------

void SolarSystem::setObserver(double latitudeDeg, double longitudeDeg) { observer_ = {latitudeDeg, longitudeDeg}; }

std::optional<LocalSky> SolarSystem::observerSky(double julianDateUt) const {
  if (!observer_) return std::nullopt;
  return LocalSky(julianDateUt, observer_->first, observer_->second);
}

// The Moon travels with the Earth, so the annual aberration that the
// apparent place of the date adds to every J2000 place does not displace
// it: it is taken away here beforehand.
EquatorialPosition SolarSystem::seenPosition(int body, double julianDateUt, const std::optional<LocalSky>& sky,
                                             const EquatorialPosition& geocentric, double distanceAu) {
  const EquatorialPosition seen = sky ? sky->topocentricOf(geocentric, distanceAu) : geocentric;
  if (body != kMoon) return seen;
  return equatorialOf(ApparentPlace(julianDateUt).unaberrated(unitVectorOf(seen.raRad, seen.decRad)));
}

void SolarSystem::update(const ChartDate& universal) {
  julianDate_ = julianDayOf(universal);
  instant_ = ephemerisAt(julianDate_);
  for (auto& list : lists_) {
    if (list->loaded()) list->placeAt(instant_);
  }
  if (comets_.loaded()) comets_.placeAt(instant_);
  computeUserObjects(julianDate_);
  // The place and the instant of a chart are set one after the other, each
  // asking for an update: the bodies are placed once for the two.
  const BodiesPlacement placement{julianDate_, observer_};
  if (bodiesPlaced_ == placement) return;
  bodiesPlaced_ = placement;
  const std::optional<LocalSky> sky = observerSky(julianDate_);
  for (int b = 0; b < kBodyCount; ++b) {
    bodies_[b] = majorBodyAt(b, dynamicalJulianDate(julianDate_));
    const EquatorialPosition seen =
        seenPosition(b, julianDate_, sky, {bodies_[b].raRad, bodies_[b].decRad}, bodies_[b].earthDistanceAu);
    bodies_[b].raRad = seen.raRad;
    bodies_[b].decRad = seen.decRad;
  }
  BodyPosition& moon = bodies_[kMoon];
  const BodyPosition& sun = bodies_[kSun];
  moon.brightLimbDeg =
      static_cast<int>(separationAndAngle(sun.raRad, sun.decRad, moon.raRad, moon.decRad, true).positionAngleDeg);
  moon.phaseAngleDeg = static_cast<int>(lunarPhaseAngleDeg(dynamicalJulianDate(julianDate_)));
}

void SolarSystem::computeTracks(const ChartDate& universal, const PlanetTrackSettings& settings) {
  tracks_.clear();
  const double jd0 = julianDayOf(universal);
  for (int b = 0; b < kBodyCount; ++b) {
    if (!settings.bodies[b]) {
      trackSpans_[b] = {};
      continue;
    }
    trackSpans_[b] = tracks_.add(universal, jd0, ruleOf(settings), [this, b](double jd) {
      const double tt = dynamicalJulianDate(jd);
      const double distanceAu = majorBodyDistanceAu(b, tt);
      const EquatorialPosition geocentric = majorBodyPositionAt(b, tt);
      return std::optional<EquatorialPosition>(seenPosition(b, jd, observerSky(jd), geocentric, distanceAu));
    });
  }
}

void SolarSystem::setBodyName(int number, std::string name) {
  if (number >= 0 && number < kBodyCount) names_[number] = std::move(name);
}

const std::string& SolarSystem::bodyName(int body) const { return names_[body >= 0 && body < kBodyCount ? body : 0]; }

std::optional<BodyPosition> SolarSystem::bodyPosition(int body) const {
  if (body < 0 || body >= kBodyCount) return std::nullopt;
  return bodies_[body];
}

std::span<const TrackPoint> SolarSystem::trackPoints(int body) const {
  if (body < 0 || body >= kBodyCount) return {};
  return tracks_.points(trackSpans_[body]);
}

std::span<const TrackMark> SolarSystem::trackMarks(int body) const {
  if (body < 0 || body >= kBodyCount) return {};
  return tracks_.marks(trackSpans_[body]);
}

// --- objects by identifier --------------------------------------------------------

bool SolarSystem::objectPosition(int32_t id, int mark, StarPosition& out) const {
  const int kind = objectKind(id), number = objectNumber(id);
  bool found;
  if (kind == kMajorBody) {
    found = number < kBodyCount && (mark >= 0 ? markPosition(trackMarks(number), mark, out)
                                              : copyPosition({true, bodies_[number].raRad, bodies_[number].decRad}, out));
  } else if (mark >= 0) {
    const int track = isComet(id) ? kComet : kAsteroid;
    found = minorTracks_[track].object == id && markPosition(minorTrackMarks(track == kComet), mark, out);
  } else {
    found = minorObjectPosition(id, out);
  }
  if (found) out.index = id;
  return found;
}

bool SolarSystem::minorObjectPosition(int32_t id, StarPosition& out) const {
  const int kind = objectKind(id), number = objectNumber(id);
  switch (kind) {
    case kUserComet: return userComet_.shown && copyPosition(userComet_.position, out);
    case kUserAsteroid: return userAsteroid_.shown && copyPosition(userAsteroid_.position, out);
    case kCometList: return comets_.position(number, out);
    default: {
      const MinorPlanetList* list = minorPlanets(kind);
      return list && list->position(number, out);
    }
  }
}

std::optional<double> SolarSystem::asteroidMagnitude(int32_t id) const {
  if (objectKind(id) == kUserAsteroid) {
    const auto orbit = asteroidElementsOf(userAsteroid_);
    return orbit ? instant_.asteroidMagnitude(*orbit, userAsteroid_.h, userAsteroid_.g) : std::nullopt;
  }
  const MinorPlanetList* list = minorPlanets(objectKind(id));
  return list && list->loaded() ? list->magnitude(objectNumber(id)) : std::nullopt;
}

std::optional<double> SolarSystem::cometMagnitude(int32_t id) const {
  return objectKind(id) == kCometList ? comets_.magnitude(objectNumber(id)) : std::nullopt;
}

std::optional<double> SolarSystem::minorBodyMagnitude(int32_t id) const {
  return isComet(id) ? cometMagnitude(id) : asteroidMagnitude(id);
}

bool SolarSystem::fainterThan(int32_t id, int32_t limitHundredths) const {
  const std::optional<double> m = minorBodyMagnitude(id);
  return m && *m * 100 > limitHundredths;
}

std::optional<BodyFacts> SolarSystem::minorBodyFacts(int32_t id) const {
  StarPosition at;
  if (objectKind(id) == kMajorBody || !minorObjectPosition(id, at)) return std::nullopt;
  const std::optional<double> distance = minorBodyDistanceAu(id);
  if (!distance) return std::nullopt;
  BodyFacts facts = celvaro::minorBodyFacts({at.raRad, at.decRad}, *distance, julianDate_);
  facts.magnitude = minorBodyMagnitude(id);
  return facts;
}

// At the instant the positions are for, from the elements they come from.
std::optional<double> SolarSystem::minorBodyDistanceAu(int32_t id) const {
  return withOrbit(id, [this](const auto& orbit) { return instant_.distanceAu(orbit); });
}

bool SolarSystem::objectName(int32_t id, std::string& out) const {
  const int kind = objectKind(id), number = objectNumber(id);
  std::string name;
  if (kind == kMajorBody && number < kBodyCount) name = names_[number];
  else if (kind == kUserComet) name = userComet_.name;
  else if (kind == kUserAsteroid) name = userAsteroid_.name;
  else if (kind == kCometList && number < comets_.count()) name = comets_.record(number).name;
  else if (const MinorPlanetList* list = minorPlanets(kind); list && number < list->count()) name = list->name(number);
  else return false;
  out = " " + name;
  return true;
}

// --- comets and asteroids -------------------------------------------------------------

MinorBodyEphemeris SolarSystem::ephemerisAt(double julianDateUt) const {
  const std::optional<LocalSky> sky = observerSky(julianDateUt);
  return sky ? MinorBodyEphemeris(julianDateUt, sky->observerAu()) : MinorBodyEphemeris(julianDateUt);
}

void SolarSystem::computeUserObjects(double julianDate) {
  const MinorBodyEphemeris ephemeris = ephemerisAt(julianDate);
  userComet_.position = computedFrom(userObjectAt(kUserComet, ephemeris));
  userAsteroid_.position = computedFrom(userObjectAt(kUserAsteroid, ephemeris));
}

std::optional<EquatorialPosition> SolarSystem::userObjectAt(int kind, const MinorBodyEphemeris& ephemeris) const {
  if (kind == kUserComet) return ephemeris.place(cometElementsOf(userComet_));
  const auto orbit = asteroidElementsOf(userAsteroid_);
  return orbit ? ephemeris.place(*orbit) : std::nullopt;
}

MinorPlanetList* SolarSystem::minorPlanets(int kind) {
  return kind >= kFirstListKind && kind <= kLongList ? lists_[kind - kFirstListKind].get() : nullptr;
}

const MinorPlanetList* SolarSystem::minorPlanets(int kind) const {
  return kind >= kFirstListKind && kind <= kLongList ? lists_[kind - kFirstListKind].get() : nullptr;
}

void SolarSystem::loadLists(const ShortListSwitches& lists, bool userAsteroid, const ChartDate& universal) {
  const double jd = julianDayOf(universal);
  for (int k = 0; k < 4; ++k) {
    if (!lists[k] || lists_[k]->loaded() || lists_[k]->load() != 0) continue;
    lists_[k]->placeAt(ephemerisAt(jd));
  }
  if (userAsteroid) userAsteroid_.position = computedFrom(userObjectAt(kUserAsteroid, ephemerisAt(jd)));
}

int SolarSystem::loadCometList() {
  if (comets_.loaded()) return 0;
  const int result = comets_.load(elementFilePath_(kCometListFile));
  if (result == 0) comets_.placeAt(instant_);
  return result;
}

bool SolarSystem::findMinorPlanet(const MinorPlanetQuery& query, const ShortListSwitches& lists,
                                  StarPosition& out) const {
  if (query.by == MinorPlanetQuery::kUserAsteroid) {
    if (!userAsteroid_.shown || !copyPosition(userAsteroid_.position, out)) return false;
    out.index = objectId(kUserAsteroid, 0);
    return true;
  }
  for (int k = 0; k < 4; ++k) {
    const MinorPlanetList& list = *lists_[k];
    if (!lists[k] || !list.loaded()) continue;
    int index = -1;
    switch (query.by) {
      case MinorPlanetQuery::kByName: index = list.findByName(query.text); break;
      case MinorPlanetQuery::kByNumber: index = list.findByNumber(leadingInt(query.text)); break;
      default: index = list.findByDesignation(query.text); break;
    }
    if (index >= 0 && list.position(index, out)) {
      out.index = objectId(kFirstListKind + k, index);
      return true;
    }
  }
  return false;
}

MinorPlanetList* SolarSystem::longList() {
  MinorPlanetList& list = *lists_[kLongList - kFirstListKind];
  if (!list.loaded()) {
    if (list.load() != 0) return nullptr;
    list.placeAt(instant_);
  }
  return &list;
}

int32_t SolarSystem::findInLongList(int number) {
  const MinorPlanetList* list = longList();
  const int index = list ? list->findByNumber(number) : -1;
  return index < 0 ? -1 : objectId(kLongList, index);
}

int32_t SolarSystem::findNamedInLongList(std::string_view name) {
  const MinorPlanetList* list = longList();
  const int index = list ? list->findByName(name) : -1;
  return index < 0 ? -1 : objectId(kLongList, index);
}

// --- minor-body tracks ------------------------------------------------------------------

std::span<const TrackPoint> SolarSystem::minorTrackPoints(bool comet) const {
  const MinorTrack& t = minorTracks_[comet ? kComet : kAsteroid];
  return t.store.points(t.span);
}

std::span<const TrackMark> SolarSystem::minorTrackMarks(bool comet) const {
  const MinorTrack& t = minorTracks_[comet ? kComet : kAsteroid];
  return t.store.marks(t.span);
}

void SolarSystem::computeCometTrack(const ChartDate& universal, const MinorBodyTrackSettings& settings) {
  MinorBodyTrackSettings s = settings;
  if (!isComet(s.object)) s.shown = 0;
  computeMinorTrack(minorTracks_[kComet], universal, s);
}

void SolarSystem::computeAsteroidTrack(const ChartDate& universal, const MinorBodyTrackSettings& settings) {
  MinorBodyTrackSettings s = settings;
  if (!isAsteroid(s.object)) s.shown = 0;
  computeMinorTrack(minorTracks_[kAsteroid], universal, s);
}

void SolarSystem::computeMinorTrack(MinorTrack& track, const ChartDate& universal,
                                    const MinorBodyTrackSettings& settings) {
  track.store.clear();
  track.span = {};
  track.object = settings.shown && settings.object >= 0 ? settings.object : -1;
  if (track.object < 0) return;
  const int32_t id = track.object;
  track.span = track.store.add(universal, julianDayOf(universal), ruleOf(settings),
                               [this, id](double jd) { return minorBodyAt(id, jd); });
}

std::optional<EquatorialPosition> SolarSystem::minorBodyAt(int32_t id, double julianDate) const {
  const MinorBodyEphemeris ephemeris(julianDate);
  return withOrbit(id, [&ephemeris](const auto& orbit) { return ephemeris.place(orbit); });
}

// The elliptic or comet elements of a minor body handed to `use`; none
// for a body without an orbit.
template <typename Use>
auto SolarSystem::withOrbit(int32_t id, Use use) const -> decltype(use(EllipticElements{})) {
  const int kind = objectKind(id), number = objectNumber(id);
  if (kind == kUserComet) return use(cometElementsOf(userComet_));
  if (kind == kUserAsteroid) {
    const auto orbit = asteroidElementsOf(userAsteroid_);
    return orbit ? use(*orbit) : std::nullopt;
  }
  if (kind == kCometList) {
    return number < comets_.count() && comets_.record(number).valid ? use(comets_.record(number).orbit) : std::nullopt;
  }
  const MinorPlanetList* list = minorPlanets(kind);
  if (!list || !list->loaded() || number >= list->count() || !list->element(number).valid) return std::nullopt;
  return use(list->element(number).orbit);
}

}  // namespace celvaro
