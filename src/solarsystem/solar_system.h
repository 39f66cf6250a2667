// The solar system at the chart's instant: the Sun, the Moon, the planets
// and Pluto with their tracks, the user's comet and asteroid, the comet list
// and the five asteroid lists, all addressed by object identifiers.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "astro/chart_date.h"
#include "astro/local_sky.h"
#include "astro/star_position.h"
#include "solarsystem/body_facts.h"
#include "solarsystem/comet_list.h"
#include "solarsystem/ephemeris.h"
#include "solarsystem/minor_planet_list.h"
#include "solarsystem/object_identifier.h"
#include "solarsystem/track_settings.h"
#include "solarsystem/track_store.h"
#include "solarsystem/user_orbits.h"

namespace celvaro {

// The four short asteroid lists (kinds 4 to 7) by their switches.
using ShortListSwitches = std::array<uint8_t, 4>;

struct MinorPlanetQuery {
  enum By : int { kByName = 0, kByNumber = 1, kByDesignation = 2, kUserAsteroid = 3 };
  By by = kByName;
  std::string text;
};

class SolarSystem {
 public:
  static constexpr int kTrackPointPairs = 5000, kTrackMarks = 10000;
  static constexpr int kMinorTrackPointPairs = 5000, kMinorTrackMarks = 1000;
  static constexpr const char* kShortListFiles[4] = {"Soft00Bright.txt", "Soft00CritList.txt", "Soft00Distant.txt",
                                                     "Soft00Unusual.txt"};
  static constexpr const char* kLongListFile = "MPCORB.DAT";
  static constexpr const char* kCometListFile = "CometEls.txt";

  // The path of an element file from its name; without one there are no
  // element files.
  using ElementFilePath = std::function<std::string(const std::string& fileName)>;
  explicit SolarSystem(ElementFilePath elementFilePath = {});

  // Bodies are placed as seen from this place on the Earth's surface (sea
  // level); without one, as seen from the Earth's centre.
  void setObserver(double latitudeDeg, double longitudeDeg);
  // Positions of every body and of the loaded minor bodies for the instant.
  void update(const ChartDate& universal);
  void computeTracks(const ChartDate& universal, const PlanetTrackSettings& settings);
  void computeCometTrack(const ChartDate& universal, const MinorBodyTrackSettings& settings);
  void computeAsteroidTrack(const ChartDate& universal, const MinorBodyTrackSettings& settings);

  // The English name of body 0..9.
  static const char* defaultName(int number);
  // Names of bodies 0..9.
  void setBodyName(int number, std::string name);
  const std::string& bodyName(int body) const;
  std::optional<BodyPosition> bodyPosition(int body) const;
  std::span<const TrackPoint> trackPoints(int body) const;
  std::span<const TrackMark> trackMarks(int body) const;
  // The comet's and the asteroid's track, with the object they belong to.
  std::span<const TrackPoint> minorTrackPoints(bool comet) const;
  std::span<const TrackMark> minorTrackMarks(bool comet) const;
  int32_t minorTrackObject(bool comet) const { return minorTracks_[comet ? 0 : 1].object; }

  // A mark number >= 0 asks for that mark of the object's track, -1 for the
  // object itself. The identifier is copied into the index field.
  bool objectPosition(int32_t id, int mark, StarPosition& out) const;
  // A blank followed by the object's name.
  bool objectName(int32_t id, std::string& out) const;
  // The visual magnitude at the chart's instant of the user's asteroid or
  // an asteroid of the element lists whose line gives H and G; none for
  // anything else.
  std::optional<double> asteroidMagnitude(int32_t id) const;
  // The same for a comet of the comet list whose line gives its magnitude law.
  std::optional<double> cometMagnitude(int32_t id) const;
  // Either of the two, by the kind of the object.
  std::optional<double> minorBodyMagnitude(int32_t id) const;
  // True for a comet or an asteroid whose magnitude is known and fainter
  // than the limit (hundredths): the chart leaves it off with its stars. A
  // body without a magnitude law (the user's comet, a comet-list line
  // without one) is never fainter: it is drawn as it is.
  bool fainterThan(int32_t id, int32_t limitHundredths) const;
  // A comet's or an asteroid's facts at the chart's instant, seen from the
  // Earth's centre, its magnitude by its own law where it has one; none for
  // a major body or an object without a position.
  std::optional<BodyFacts> minorBodyFacts(int32_t id) const;

  UserComet& userComet() { return userComet_; }
  UserAsteroid& userAsteroid() { return userAsteroid_; }
  const UserComet& userComet() const { return userComet_; }
  const UserAsteroid& userAsteroid() const { return userAsteroid_; }
  void computeUserObjects(double julianDate);

  // Kinds 4 to 8; null for any other kind.
  MinorPlanetList* minorPlanets(int kind);
  const MinorPlanetList* minorPlanets(int kind) const;
  CometList& comets() { return comets_; }
  const CometList& comets() const { return comets_; }

  // Loads each switched-on short list not loaded yet and computes its
  // positions; then, when asked, the user asteroid's position.
  void loadLists(const ShortListSwitches& lists, bool userAsteroid, const ChartDate& universal);
  // The comet list, once; its result code (0, 3 empty, 4 cannot open).
  int loadCometList();
  // Searches lists 4, 5, 6, 7 in this order, each only when switched on and
  // loaded; the first hit wins. The index field receives the identifier.
  bool findMinorPlanet(const MinorPlanetQuery& query, const ShortListSwitches& lists, StarPosition& out) const;
  // The long list is loaded on first use. -1 when the number, or the name
  // ("Eros", "(433) Eros"; case ignored), is not in it.
  int32_t findInLongList(int number);
  int32_t findNamedInLongList(std::string_view name);

 private:
  // The long list, loaded and placed at its first use; none when it cannot be read.
  MinorPlanetList* longList();

  struct MinorTrack {
    int32_t object = -1;
    TrackStore store{kMinorTrackPointPairs, kMinorTrackMarks};
    TrackSpan span;
  };

  std::optional<LocalSky> observerSky(double julianDateUt) const;
  // Minor bodies as the observer sees them at an instant (tracks keep the
  // Earth's centre, as the planets' do).
  MinorBodyEphemeris ephemerisAt(double julianDateUt) const;
  // A body's geocentric place at an instant as the observer of `sky` sees
  // it; `distanceAu` its distance from the Earth's centre.
  static EquatorialPosition seenPosition(int body, double julianDateUt, const std::optional<LocalSky>& sky,
                                         const EquatorialPosition& geocentric, double distanceAu);
  bool minorObjectPosition(int32_t id, StarPosition& out) const;
  std::optional<double> minorBodyDistanceAu(int32_t id) const;
  void computeMinorTrack(MinorTrack& track, const ChartDate& universal, const MinorBodyTrackSettings& settings);
  std::optional<EquatorialPosition> userObjectAt(int kind, const MinorBodyEphemeris& ephemeris) const;
  // The position of a minor body at any instant, for its track.
  std::optional<EquatorialPosition> minorBodyAt(int32_t id, double julianDate) const;
  template <typename Use>
  auto withOrbit(int32_t id, Use use) const -> decltype(use(EllipticElements{}));

  ElementFilePath elementFilePath_;
  std::optional<std::pair<double, double>> observer_;  // latitude, longitude
  using BodiesPlacement = std::pair<double, std::optional<std::pair<double, double>>>;  // instant, observer
  std::optional<BodiesPlacement> bodiesPlaced_;
  double julianDate_ = 0;
  MinorBodyEphemeris instant_{0.0};  // of julianDate_, for magnitudes
  std::array<BodyPosition, kBodyCount> bodies_{};
  std::array<std::string, kBodyCount> names_;
  TrackStore tracks_{kTrackPointPairs, kTrackMarks};
  std::array<TrackSpan, kBodyCount> trackSpans_{};
  std::array<MinorTrack, 2> minorTracks_;  // comet, asteroid
  UserComet userComet_;
  UserAsteroid userAsteroid_;
  std::array<std::unique_ptr<MinorPlanetList>, 5> lists_;  // kinds 4..8
  CometList comets_;
};

}  // namespace celvaro
