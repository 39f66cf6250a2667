#include "aids/object_info.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>
#include <numbers>

#include "aids/moon_calendar.h"
#include "aids/night_events.h"
#include "aids/photo_finder.h"
#include "aids/route_text.h"
#include "aids/star_hop_guides.h"
#include "astro/apparent_place.h"
#include "astro/coordinates.h"
#include "astro/text_forms.h"
#include "astro/zone_time.h"
#include "catalog/deepsky_data.h"
#include "catalog/deepsky_info_file.h"
#include "catalog/greek_letters.h"
#include "catalog/sky_catalogs.h"
#include "catalog/star_info_file.h"
#include "model/language_texts.h"
#include "model/text_ids.h"
#include "output/hit_list.h"
#include "platform/utf_text.h"
#include "solarsystem/body_facts.h"
#include "solarsystem/ephemeris.h"
#include "solarsystem/object_identifier.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

constexpr const char* kNoTime = " - ";
// The window's captions: language texts after kAidLabelFirst.
constexpr int kRise = 5, kLocalTime = 8, kDescriptionText = 10;
constexpr const char* kTimeHeadings[3] = {"Rise", "Transit", "Set"};
// A double-star system or a variable star whose primary is the star is
// looked for this close to it: the catalogs' positions of one star differ
// by its proper motion between their epochs.
constexpr double kSameStarArcmin = 2;

// The night's events, the words for an object that is always up or never
// rises, the Moon's quarters, the place of the date, and the facts of
// bodies and constellations: labels from kTransitAltitude on.
constexpr int kTransitAltitude = 15, kAlwaysUp = 16, kNeverRises = 17, kTwilightFirst = 18, kDarkSky = 21;
constexpr int kNewMoon = 22, kRaOfDate = 26, kDecOfDate = 27;
constexpr int kMagnitude = 28, kDiameter = 29, kPhaseAngle = 30, kIlluminated = 31, kEarthAu = 32, kEarthKm = 33,
              kSunAu = 34, kElongation = 35, kEast = 36, kWest = 37, kConstellation = 38, kMoonAge = 39, kArea = 40,
              kBrightestStars = 41;
// The words of a star-hop route's text: the compass points from the north
// through the east, a star without a label, and the route's caption.
constexpr int kCompassFirst = 42, kUnlabelledStar = 50, kStarHopRoute = 51;
constexpr const char* kCaptions[] = {"Altitude at transit", "always up", "never rises",
                                     "Civil twilight (local time)", "Nautical twilight (local time)",
                                     "Astronomical twilight (local time)",
                                     "Dark sky, no Sun and no Moon (local time)", "New Moon", "First quarter",
                                     "Full Moon", "Last quarter", "RA (of the date)", "Dec (of the date)", "Magnitude",
                                     "Apparent diameter", "Phase angle", "Illuminated fraction",
                                     "Distance from the Earth (AU)", "Distance from the Earth (km)",
                                     "Distance from the Sun (AU)", "Elongation from the Sun", "east", "west",
                                     "Constellation", "Age of the Moon (days)", "Area (square degrees)",
                                     "Brightest stars", "N", "NE", "E", "SE", "S", "SW", "W", "NW", "star",
                                     "Star-hop route"};
static_assert(std::size(kCaptions) == text_id::kAidLabelLast - text_id::kAidLabelFirst - kTransitAltitude + 1);

// The stars a constellation's information names.
constexpr size_t kBrightestStarCount = 5;

std::string aidText(iLanguageTexts& texts, int label) {
  return texts.textOr(text_id::kAidLabelFirst + label, kCaptions[label - kTransitAltitude]);
}

// A number with a few decimals, "." as the decimal point whatever the locale.
std::string decimals(double value, int count) {
  return showFixed(static_cast<int>(std::lround(value * std::pow(10, count))), count);
}

std::string clockText(double julianDate, const ObservingPlace& place) {
  return julianDate == 0 ? kNoTime : dateTimeText(julianDate, &place).substr(11);
}

// The object's events in the night (or day) of the chart's instant, and
// that night's twilight.
void fillTimes(const ObjectInfoInputs& in, const BodyPlace& body, ObjectInformation& info) {
  const double now = in.julianDateUt;
  const BodyEvents events = bodyEvents(body, in.place, nightOrDayOf(now, in.place));
  const double at[3] = {events.riseJd, events.transitJd, events.setJd};
  for (int i = 0; i < 3; ++i) {
    std::string none = kNoTime;
    if (i != 1 && events.visibility != BodyEvents::kRisesOrSets) {
      none = aidText(in.texts, events.visibility == BodyEvents::kAlwaysUp ? kAlwaysUp : kNeverRises);
    }
    info.localTimes[i] = at[i] == 0 ? none : dateTimeText(at[i], &in.place);
    info.universalTimes[i] = at[i] == 0 ? none : dateTimeText(at[i], nullptr);
  }
  info.nightLines.push_back({aidText(in.texts, kTransitAltitude),
                             events.transitJd == 0 ? kNoTime : formatDegrees(events.transitAltitudeDeg * kRadPerDeg)});
  const std::vector<ObjectProperty> twilight = twilightLines(now, in.place, in.texts);
  info.nightLines.insert(info.nightLines.end(), twilight.begin(), twilight.end());
}

// The major bodies move through the night on their own; anything else
// keeps its place.
BodyPlace bodyPlaceOf(int pickKind, int index, double raRad, double decRad, double julianDate) {
  if (pickKind == kPickSolarSystem && objectKind(index) == kMajorBody && objectNumber(index) < kBodyCount) {
    return solarSystemBody(objectNumber(index), julianDate);
  }
  return fixedObject(raRad, decRad, julianDate);
}

// A distance of the information file (thousands of light years) in light
// years below a thousand, else in thousands or in millions, one decimal.
std::string distanceText(double thousandLightYears, iLanguageTexts& texts) {
  static constexpr const char* kUnits[] = {"light years", "thousand light years", "million light years"};
  const int unit = thousandLightYears < 1 ? 0 : thousandLightYears < 1000 ? 1 : 2;
  const std::string number = unit == 0 ? std::to_string(std::lround(thousandLightYears * 1000))
                                       : decimals(thousandLightYears / (unit == 1 ? 1 : 1000), 1);
  return number + " " + texts.textOr(text_id::kDistanceUnitFirst + unit, kUnits[unit]);
}

// CR LF line ends become "\n".
std::string plainLines(const std::u16string& text) {
  std::string lines = utf16ToUtf8(text);
  for (size_t at; (at = lines.find("\r\n")) != std::string::npos;) lines.replace(at, 2, "\n");
  return lines;
}

// The Hipparcos number of a picked star; 0 when it has none.
int32_t hipparcosOfStar(SkyCatalogs& catalogs, int index) {
  iStarData* stars = catalogs.currentStarCatalog();
  int kind = 0;
  int32_t n1 = 0, n2 = 0, n3 = 0, n4 = 0;
  if (!stars || !stars->getCatalogNumbers(index, kind, n1, n2, n3, n4)) return 0;
  return kind == kIdentifierHipparcos ? n1 : 0;
}

// The Hipparcos number of a labelled star, through its identifications.
int32_t hipparcosOfLabel(SkyCatalogs& catalogs, int index) {
  const StarLabels& labels = catalogs.starLabels();
  if (index < 0 || static_cast<size_t>(index) >= labels.size()) return 0;
  const StarLabelRecord& r = labels.record(index);
  StarIdDatabase& ids = catalogs.starIds();
  StarIdRecord record;
  const bool found = r.greekLetter >= 0 ? ids.findByBayer(r.constellation, r.greekLetter, r.superscript, record)
                     : r.flamsteed > 0  ? ids.findByFlamsteed(r.constellation, r.flamsteed, record)
                     : labels.name(index) && ids.readRecord(ids.findByName(labels.name(index)), record);
  return found ? record.hipparcos : 0;
}

// An item of the deep-sky information as the window shows it: the kind in
// the window's language, the distance with its unit.
std::string deepskyValueText(const StarInfoItem& item, iLanguageTexts& texts) {
  if (item.field == kDeepskyInfoType) {
    const StarInfoCaption kind = deepskyKindCaption(item.text);
    return kind.textId ? texts.textOr(kind.textId, kind.english) : item.text;
  }
  double thousands = 0;
  const char* end = item.text.data() + item.text.size();
  if (item.field == kDeepskyInfoDistance && std::from_chars(item.text.data(), end, thousands).ptr == end) {
    return distanceText(thousands, texts);
  }
  return item.text;
}

class InformationGatherer {
 public:
  // `place` is the J2000 place the window shows.
  InformationGatherer(const ObjectInfoInputs& in, SkyCatalogs& catalogs, ObjectInformation& info,
                      const EquatorialPosition& place)
      : in_(in), catalogs_(catalogs), info_(info), place_(place) {}

  // The facts of a picked object, after the designation the description
  // starts with.
  void describe(const PickResult& pick) {
    switch (pick.kind) {
      case kPickStar: star(hipparcosOfStar(catalogs_, pick.index)); break;
      case kPickNamedStar: star(hipparcosOfLabel(catalogs_, pick.index)); break;
      case kPickVariableStar: variableStar(pick.index); break;
      case kPickDoubleStar: doubleStar(pick.index); break;
      case kPickDeepsky: deepsky(pick.index); break;
      case kPickSolarSystem:
        if (pick.subIndex < 0) solarSystemObject(pick.index);  // a mark of a track has no facts
        break;
      case kPickConstellation: constellation(pick.index); break;
      default: break;
    }
  }

  // A star of the identification database: its identifications, then its
  // facts and those of the systems it is the primary of.
  void describeStar(const StarIdRecord& record) { star(&record, record.hipparcos); }

 private:
  void star(const StarIdRecord* record, int32_t hipparcos) {
    if (record) {
      if (!info_.description.empty()) info_.description += "\n";
      info_.description += plainLines(catalogs_.starIds().describe(*record));
    }
    if (hipparcos <= 0) return;
    std::vector<StarInfoItem> items;
    if (in_.starInfo.read(hipparcos, items)) addItems(items, starInfoCaption);
    if (!record) return;
    addSameStar(catalogs_.doubleStars(), kDoubleInfoHipparcos, doubleStarInfoCaption, *record);
    addSameStar(catalogs_.variableStars(), kVariableInfoHipparcos, variableStarInfoCaption, *record);
  }

  template <typename Caption>
  void addItems(const std::vector<StarInfoItem>& items, Caption caption) {
    for (const StarInfoItem& item : items) {
      const StarInfoCaption c = caption(item.field);
      info_.properties.push_back({in_.texts.textOr(c.textId, c.english), item.text});
    }
  }

  void star(int32_t hipparcos) {
    StarIdRecord record;
    const bool known = hipparcos > 0 && catalogs_.starIds().findByCatalogNumber(kCatalogHipparcos, hipparcos, record);
    star(known ? &record : nullptr, hipparcos);
  }

  // The entry near the star whose record names the star's Hipparcos number,
  // without that number again.
  template <typename Catalog, typename Caption>
  void addSameStar(const Catalog* catalog, int hipparcosField, Caption caption, const StarIdRecord& star) {
    const StarInfoItem number{hipparcosField, std::to_string(star.hipparcos)};
    StarPosition at;
    std::vector<StarInfoItem> items;
    for (int i = 0; catalog && i < catalog->count(); ++i) {
      if (!catalog->getPosition(i, at) ||
          separationAndAngle(at.raRad, at.decRad, star.raRad, star.decRad, false).arcmin > kSameStarArcmin) {
        continue;
      }
      items.clear();
      if (!catalog->readObjectInfo(i, items) || std::erase(items, number) == 0) continue;
      addItems(items, caption);
      return;
    }
  }

  void variableStar(int index) {
    std::vector<StarInfoItem> items;
    if (catalogs_.variableStars() && catalogs_.variableStars()->readObjectInfo(index, items)) {
      addItems(items, variableStarInfoCaption);
    }
  }

  void doubleStar(int index) {
    std::vector<StarInfoItem> items;
    if (catalogs_.doubleStars() && catalogs_.doubleStars()->readObjectInfo(index, items)) {
      addItems(items, doubleStarInfoCaption);
    }
  }

  // The facts of the information file, its name, kinds and distances in
  // the window's language; an object it has no facts of shows its magnitude.
  void deepsky(int index) {
    iDeepskyData* deepsky = catalogs_.deepsky();
    if (!deepsky) return;
    std::vector<StarInfoItem> items;
    DeepskyObject object;
    if (deepsky->readObjectInfo(index, items)) {
      for (StarInfoItem& item : items) item.text = deepskyValueText(item, in_.texts);
      const std::u16string name = deepsky->nameOf(index, in_.texts.languageId());
      for (StarInfoItem& item : items) {
        if (item.field == kDeepskyInfoName && !name.empty()) item.text = utf16ToUtf8(name);
      }
      addItems(items, deepskyInfoCaption);
    } else if (deepsky->getObject(index, object) && object.magnitude != kUnknownDeepskyMagnitude) {
      add(kMagnitude, decimals(object.magnitude / 100.0, 2));
    }
    int32_t first = 0, second = 0;
    if (!deepsky->getPrimaryIds(index, first, second)) return;
    info_.photoPath = findPhoto(in_.programDir, first, second);
    for (int32_t id : {first, second}) {
      const int route = in_.starHops.routeTo(id);
      if (route >= 0) add(kStarHopRoute, starHopRouteText(in_, route));
    }
  }

  void add(int label, std::string value) {
    info_.properties.push_back({aidText(in_.texts, label), std::move(value)});
  }

  // A body's facts, the constellation it stands in and, for the Moon, its
  // age and next quarters.
  void solarSystemObject(int32_t id) {
    const int body = objectKind(id) == kMajorBody && objectNumber(id) < kBodyCount ? objectNumber(id) : -1;
    const std::optional<BodyFacts> facts = body >= 0 ? majorBodyFacts(body, in_.julianDateUt)
                                                     : catalogs_.solarSystem().minorBodyFacts(id);
    if (facts) addFacts(*facts, body);
    const int constellation = catalogs_.constellationRegions().constellationAt(place_.raRad, place_.decRad);
    if (constellation >= 0) add(kConstellation, constellationInLanguage(constellation));
    if (body == kMoon) addMoonAge();
  }

  // Comets and asteroids have no disc, and so no size and no lit part.
  void addFacts(const BodyFacts& facts, int body) {
    if (facts.magnitude) add(kMagnitude, decimals(*facts.magnitude, 2));
    if (facts.diameterArcsec > 0) {
      const double d = facts.diameterArcsec;
      add(kDiameter, body == kSun || body == kMoon ? decimals(d / 60, 1) + "′" : decimals(d, 1) + "″");
    }
    if (facts.diameterArcsec > 0 && facts.phaseAngleDeg) {
      add(kPhaseAngle, decimals(*facts.phaseAngleDeg, 1) + "°");
      add(kIlluminated, decimals(*facts.illuminatedFraction() * 100, 1) + " %");
    }
    if (body == kMoon) add(kEarthKm, std::to_string(std::lround(facts.earthDistanceAu * kKilometresPerAu)));
    else add(kEarthAu, decimals(facts.earthDistanceAu, 4));
    if (facts.sunDistanceAu) add(kSunAu, decimals(*facts.sunDistanceAu, 4));
    if (facts.elongationDeg) {
      const double e = *facts.elongationDeg;
      add(kElongation, decimals(std::abs(e), 1) + "° " + aidText(in_.texts, e >= 0 ? kEast : kWest));
    }
  }

  // The days since the last new Moon, then the next quarters in the order
  // they come, in local time.
  void addMoonAge() {
    const double now = in_.julianDateUt;
    const MoonAge age = moonAgeAt(now);
    add(kMoonAge, decimals(now - age.lastNewMoonJd, 1));
    std::array<int, 4> quarters{0, 1, 2, 3};
    std::sort(quarters.begin(), quarters.end(),
              [&age](int a, int b) { return age.nextQuarterJd[a] < age.nextQuarterJd[b]; });
    const std::string local =
        " (" + in_.texts.textOr(text_id::kAidLabelFirst + kLocalTime, "Local time") + ")";
    for (int q : quarters) {
      info_.properties.push_back({aidText(in_.texts, kNewMoon + q) + local,
                                  dateTimeText(age.nextQuarterJd[q], &in_.place)});
    }
  }

  // Its name in each language, its area and its brightest stars.
  void constellation(int number) {
    for (int language : {kHungarian, kEnglish, kGerman, kRomanian}) {
      info_.properties.push_back(
          {nativeLanguageName(language), catalogs_.constellationNames().name(number, language)});
    }
    const double area = catalogs_.constellationRegions().areaSquareDegrees(number);
    if (area > 0) add(kArea, decimals(area, 2));
    const std::string stars = brightestStars(number);
    if (!stars.empty()) add(kBrightestStars, stars);
  }

  // The brightest labelled stars, each with its magnitude: "Alioth (77 ε
  // UMa) 1.76, ...".
  std::string brightestStars(int constellation) {
    const StarLabels& labels = catalogs_.starLabels();
    std::vector<size_t> members;
    for (size_t i = 0; i < labels.size(); ++i) {
      if (labels.record(i).constellation == constellation) members.push_back(i);
    }
    const size_t count = std::min(members.size(), kBrightestStarCount);
    std::partial_sort(members.begin(), members.begin() + count, members.end(), [&labels](size_t a, size_t b) {
      return labels.record(a).magnitude < labels.record(b).magnitude;
    });
    std::string text;
    for (size_t k = 0; k < count; ++k) {
      if (k > 0) text += ", ";
      const StarLabelRecord& star = labels.record(members[k]);
      const char* name = labels.name(members[k]);
      text += starNameAndDesignation(name ? name : "", star.flamsteed, star.greekLetter, star.superscript,
                                     star.constellation);
      text += " " + showHundredths(star.magnitude);
    }
    return text;
  }

  // In the window's language.
  std::string constellationInLanguage(int number) {
    return catalogs_.constellationNames().name(number, in_.texts.languageId());
  }

  const ObjectInfoInputs& in_;
  SkyCatalogs& catalogs_;
  ObjectInformation& info_;
  EquatorialPosition place_;
};

ObjectInformation placeAndTimes(const ObjectInfoInputs& in, const PickResult& pick) {
  const double raRad = pick.raRad, decRad = pick.decRad;
  ObjectInformation info;
  info.rightAscension = formatHours(raRad);
  info.declination = formatDegrees(decRad);
  const EquatorialPosition ofDate = ApparentPlace(in.julianDateUt).apparentOf(raRad, decRad);
  info.rightAscensionOfDate = formatHours(ofDate.raRad);
  info.declinationOfDate = formatDegrees(ofDate.decRad);
  const HorizontalPosition seen = in.sky.horizontalOf(raRad, decRad);
  info.altitude = formatDegrees(seen.altitudeDeg * kRadPerDeg);
  // The local sky counts azimuth from the south; the window from the north.
  info.azimuth = formatDegrees(std::fmod(seen.azimuthDeg + 180, 360) * kRadPerDeg);
  fillTimes(in, bodyPlaceOf(pick.kind, pick.index, raRad, decRad, in.julianDateUt), info);
  return info;
}

}  // namespace

ObjectInformation objectInformation(const ObjectInfoInputs& inputs, const PickResult& pick,
                                    const std::string& designation) {
  ObjectInformation info = placeAndTimes(inputs, pick);
  info.description = designation;
  if (inputs.catalogs) InformationGatherer(inputs, *inputs.catalogs, info, {pick.raRad, pick.decRad}).describe(pick);
  return info;
}

ObjectInformation objectInformation(const ObjectInfoInputs& inputs, const PickResult& pick, const StarIdRecord& star) {
  ObjectInformation info = placeAndTimes(inputs, pick);
  if (inputs.catalogs) InformationGatherer(inputs, *inputs.catalogs, info, {pick.raRad, pick.decRad}).describeStar(star);
  return info;
}

std::string starHopRouteText(const ObjectInfoInputs& inputs, int route) {
  RouteWords words;
  for (int i = 0; i < 8; ++i) words.compass[i] = aidText(inputs.texts, kCompassFirst + i);
  words.star = aidText(inputs.texts, kUnlabelledStar);
  const SkyCatalogs* catalogs = inputs.catalogs;
  const RouteStarNamer labelOf = [catalogs](const StarHopPoint& p) {
    return catalogs ? starLabelAt(catalogs->starLabels(), p.raRad, p.decRad) : std::string();
  };
  const int32_t object = inputs.starHops.routeObject(route);
  return routeText(inputs.starHops.routePoints(route), namedIdentifierText(object >> 24, object & 0xFFFFFF), labelOf,
                   words);
}

std::vector<ObjectProperty> twilightLines(double julianDateUt, const ObservingPlace& place, iLanguageTexts& texts) {
  const Twilight t = twilightOf(nightOf(julianDateUt, place), place);
  const double spans[4][2] = {{t.civilDusk, t.civilDawn},
                              {t.nauticalDusk, t.nauticalDawn},
                              {t.astronomicalDusk, t.astronomicalDawn},
                              {t.darkFromJd, t.darkToJd}};
  std::vector<ObjectProperty> lines;
  for (int i = 0; i < 4; ++i) {
    lines.push_back({aidText(texts, i < 3 ? kTwilightFirst + i : kDarkSky),
                     clockText(spans[i][0], place) + " - " + clockText(spans[i][1], place)});
  }
  return lines;
}

std::vector<ObjectProperty> horizontalLines(const ObjectInformation& info, iLanguageTexts& texts) {
  std::vector<ObjectProperty> lines{
      {aidText(texts, kRaOfDate), info.rightAscensionOfDate},
      {aidText(texts, kDecOfDate), info.declinationOfDate},
      {texts.textOr(text_id::kAltitudeCaption, "Altitude (apparent)"), info.altitude},
      {texts.textOr(text_id::kAzimuthCaption, "Azimuth (from north through east)"), info.azimuth}};
  lines.insert(lines.end(), info.nightLines.begin(), info.nightLines.end());
  return lines;
}

std::vector<ObjectProperty> informationLines(const ObjectInformation& info, iLanguageTexts& texts) {
  std::vector<ObjectProperty> lines{{texts.textOr(text_id::kRaCaption, "RA"), info.rightAscension},
                                    {texts.textOr(text_id::kDecCaption, "Dec"), info.declination}};
  const std::vector<ObjectProperty> horizontal = horizontalLines(info, texts);
  lines.insert(lines.end(), horizontal.begin(), horizontal.end());
  const std::string clocks[2] = {texts.textOr(text_id::kAidLabelFirst + kLocalTime, "Local time"),
                                 texts.textOr(text_id::kAidLabelFirst + kLocalTime + 1, "Universal Time")};
  for (int i = 0; i < 3; ++i) {
    const std::string event = texts.textOr(text_id::kAidLabelFirst + kRise + i, kTimeHeadings[i]);
    lines.push_back({event + " (" + clocks[0] + ")", info.localTimes[i]});
    lines.push_back({event + " (" + clocks[1] + ")", info.universalTimes[i]});
  }
  std::string description = info.description;
  for (size_t at; (at = description.find('\n')) != std::string::npos;) description.replace(at, 1, "; ");
  lines.push_back({texts.textOr(text_id::kAidLabelFirst + kDescriptionText, "Description"), description});
  lines.insert(lines.end(), info.properties.begin(), info.properties.end());
  return lines;
}

}  // namespace celvaro
