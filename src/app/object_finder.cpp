#include "app/object_finder.h"

#include <array>
#include <vector>

#include "app/app_model.h"
#include "app/chart_navigator.h"
#include "app/ui_resources.h"
#include "astro/constellation_list.h"
#include "catalog/constellation_names.h"
#include "catalog/greek_letters.h"
#include "catalog/sky_catalogs.h"
#include "catalog/star_data_segmented.h"
#include "output/hit_list.h"
#include "platform/number_text.h"
#include "platform/utf_text.h"
#include "platform/ascii_text.h"

namespace celvaro {
namespace {

// A whole name, or its beginning, as asked; ASCII case ignored.
bool matches(std::string_view name, std::string_view text, bool whole) {
  return !text.empty() && startsWithIgnoringCase(name, text) && (!whole || name.size() == text.size());
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The forms of a comet-list entry a text may name: the whole entry, its
// designation and its name, in brackets ("C/1995 O1 (Hale-Bopp)") or after
// a periodic comet's number ("1P/Halley").
std::array<std::string_view, 3> cometNameForms(std::string_view name) {
  const size_t open = name.find(" ("), close = name.rfind(')');
  if (open != std::string_view::npos && close != std::string_view::npos && close > open) {
    return {name, name.substr(0, open), name.substr(open + 2, close - open - 2)};
  }
  const size_t slash = name.find('/');
  const bool periodic = slash != std::string_view::npos && slash > 1 && isDigit(name.front()) &&
                        (name[slash - 1] == 'P' || name[slash - 1] == 'D');
  if (!periodic) return {name, name, name};
  return {name, name.substr(0, slash), name.substr(slash + 1)};
}

// Pluto by its minor-planet number or name ("134340", "(134340) Pluto",
// "Pluto"), which the lists leave out for the body of the solar system.
bool namesPluto(const SolarSystem& solar, const MinorPlanetQuery& query) {
  if (query.by == MinorPlanetQuery::kByNumber) return leadingInt(query.text) == MinorPlanetList::kPlutoNumber;
  if (query.by != MinorPlanetQuery::kByName) return false;
  std::string_view name = trimmed(query.text);
  const std::string numbered = "(" + std::to_string(MinorPlanetList::kPlutoNumber) + ") ";
  if (name.starts_with(numbered)) name.remove_prefix(numbered.size());
  return matches(solar.bodyName(kPluto), name, true) || matches(SolarSystem::defaultName(kPluto), name, true);
}

constexpr int kSerpensCauda = 76;  // shares "Ser" with the head, 75

// "Algenib (88 γ Peg)", "Toliman (α2 Cen)", "HIP 12345".
std::string starDesignation(const StarIdRecord& r, const std::string& name) {
  const std::string text = starNameAndDesignation(name, r.flamsteed, r.greekLetter, r.superscript, r.constellation);
  if (text.empty() && r.hipparcos > 0) return "HIP " + std::to_string(r.hipparcos);
  return text;
}

}  // namespace

std::optional<FoundObject> ObjectFinder::find(std::string_view typed) {
  const std::string_view text = trimmed(typed);
  if (text.empty()) return std::nullopt;
  if (auto found = byDesignation(text)) return found;
  if (auto found = byName(text, true)) return found;
  if (auto found = byOtherDesignation(text)) return found;
  return byName(text, false);
}

// Deep-sky designations, deep stars' positions, then the star search's
// designations.
std::optional<FoundObject> ObjectFinder::byDesignation(std::string_view text) {
  if (auto found = deepskyDesignation(text)) return found;
  if (auto found = deepStar(text)) return found;
  StarIdRecord record;
  return catalogs_.starIds().findByDesignation(text, record) ? star(record) : std::nullopt;
}

std::optional<FoundObject> ObjectFinder::byName(std::string_view text, bool whole) {
  if (auto found = body(text, whole)) return found;
  if (auto found = constellation(text, whole)) return found;
  if (auto found = starName(text, whole)) return found;
  if (auto found = whole ? commonName(text) : std::nullopt) return found;
  if (auto found = deepskyName(text, whole)) return found;
  if (auto found = comet(text, whole)) return found;
  if (!whole) return std::nullopt;
  return minorPlanet({MinorPlanetQuery::kByName, std::string(text)});
}

// Double and variable stars, then a minor planet's number, bracketed or
// not, or its provisional designation.
std::optional<FoundObject> ObjectFinder::byOtherDesignation(std::string_view text) {
  if (auto found = doubleStar(text)) return found;
  if (auto found = variableStar(text)) return found;
  std::string_view number = text;
  if (number.size() > 2 && number.front() == '(' && number.back() == ')') number = number.substr(1, number.size() - 2);
  if (!number.empty() && std::all_of(number.begin(), number.end(), isDigit)) {
    return minorPlanet({MinorPlanetQuery::kByNumber, std::string(number)});
  }
  return minorPlanet({MinorPlanetQuery::kByDesignation, std::string(text)});
}

// --- designations ---------------------------------------------------------------------

std::optional<FoundObject> ObjectFinder::deepskyDesignation(std::string_view text) {
  StarPosition at;
  const iDeepskyData* deepsky = catalogs_.deepsky();
  if (!deepsky || !deepsky->findByDesignation(text, at)) return std::nullopt;
  return picked(SearchKind::kDeepsky, kPickDeepsky, at);
}

// A deep star without a catalogue number goes by its position: the chart
// is centred there, where the star is drawn.
std::optional<FoundObject> ObjectFinder::deepStar(std::string_view text) {
  StarPosition at{-1, 0, 0};
  if (!StarDataSegmented::parsePositionDesignation(text, at.raRad, at.decRad)) return std::nullopt;
  return FoundObject{SearchKind::kStar, at, std::string(text), kPickNothing, std::nullopt};
}

std::optional<FoundObject> ObjectFinder::doubleStar(std::string_view text) {
  StarPosition at;
  const iStarDblData* doubles = catalogs_.doubleStars();
  if (!doubles || doubles->findByDesignation(text, at) != kDoubleFound) return std::nullopt;
  return picked(SearchKind::kDoubleStar, kPickDoubleStar, at);
}

std::optional<FoundObject> ObjectFinder::variableStar(std::string_view text) {
  StarPosition at;
  const iStarVarData* variables = catalogs_.variableStars();
  if (!variables || !variables->findByDesignation(text, at)) return std::nullopt;
  return picked(SearchKind::kVariableStar, kPickVariableStar, at);
}

std::optional<FoundObject> ObjectFinder::deepsky(std::string_view typed) {
  const std::string_view text = trimmed(typed);
  if (auto found = deepskyDesignation(text)) return found;
  if (auto found = commonName(text)) return found;
  return deepskyName(text, true);
}

std::optional<FoundObject> ObjectFinder::minorPlanet(const MinorPlanetQuery& query) {
  SolarSystem& solar = catalogs_.solarSystem();
  if (namesPluto(solar, query)) return body(SolarSystem::defaultName(kPluto), true);
  StarPosition at;
  bool found = solar.findMinorPlanet(query, minorPlanetLists_, at);
  if (!found && query.by != MinorPlanetQuery::kByDesignation) {
    const int32_t id = query.by == MinorPlanetQuery::kByNumber ? solar.findInLongList(leadingInt(query.text))
                                                                : solar.findNamedInLongList(query.text);
    found = id >= 0 && solar.objectPosition(id, -1, at);
  }
  if (!found) return std::nullopt;
  return picked(SearchKind::kMinorPlanet, kPickSolarSystem, at);
}

// --- names ----------------------------------------------------------------------------

std::optional<FoundObject> ObjectFinder::body(std::string_view text, bool whole) {
  const SolarSystem& solar = catalogs_.solarSystem();
  for (int b = 0; b < kBodyCount; ++b) {
    if (!matches(solar.bodyName(b), text, whole) && !matches(SolarSystem::defaultName(b), text, whole)) continue;
    const auto position = solar.bodyPosition(b);
    if (!position) return std::nullopt;
    return picked(SearchKind::kSolarSystemBody, kPickSolarSystem, {objectId(kMajorBody, b), position->raRad, position->decRad});
  }
  return std::nullopt;
}

// The Latin name, as written or as shown, the name in any chart language
// (a beginning only in the chosen one and in Latin), or (whole) the
// abbreviation.
std::optional<FoundObject> ObjectFinder::constellation(std::string_view text, bool whole) {
  const ConstellationNames& names = catalogs_.constellationNames();
  auto named = [&](int n) {
    if (whole && n != kSerpensCauda && matches(constellationAbbreviation(n), text, true)) return true;
    if (matches(constellationName(n), text, whole)) return true;
    for (int language = 1; language <= 4; ++language) {
      const bool beginning = language == language_ || language == kEnglish;
      if (matches(names.name(n, language), text, whole || !beginning)) return true;
    }
    return false;
  };
  for (int n = 0; n < kConstellationCount; ++n) {
    if (!named(n)) continue;
    const std::string name = shownConstellationName(n);
    FoundObject found{SearchKind::kConstellation, {n, 0, 0}, name, kPickConstellation, std::nullopt};
    if (!constellationPosition(n, found.position.raRad, found.position.decRad)) return std::nullopt;
    return found;
  }
  return std::nullopt;
}

// A whole name from the list of all names; a beginning through the star
// search's own lookup.
std::optional<FoundObject> ObjectFinder::starName(std::string_view text, bool whole) {
  StarIdDatabase& ids = catalogs_.starIds();
  StarIdRecord record;
  if (!whole) return ids.readRecord(ids.findByName(std::string(text)), record) ? star(record) : std::nullopt;
  std::string name;
  int recordNumber = -1;
  for (ids.restartNames(); ids.nextName(name, recordNumber);) {
    if (matches(name, text, true) && ids.readRecord(recordNumber, record)) return star(record, name);
  }
  return std::nullopt;
}

std::optional<FoundObject> ObjectFinder::deepskyName(std::string_view text, bool whole) {
  iDeepskyData* deepsky = catalogs_.deepsky();
  if (!deepsky) return std::nullopt;
  for (int list : {language_, static_cast<int>(kEnglish)}) {
    deepsky->selectNameList(list);
    for (int position = deepsky->nextName(); position >= 0; position = deepsky->nextName()) {
      const auto name = deepsky->getName(position);
      const auto named = deepsky->getNamedObject(position);
      DeepskyObject object;
      if (!name || !named || !matches(utf16ToUtf8(*name), text, whole) || !deepsky->getObject(named->object, object)) continue;
      return picked(SearchKind::kDeepsky, kPickDeepsky, {named->object, object.raRad, object.decRad});
    }
  }
  return std::nullopt;
}

// What another name of an object stands for: its designation, or the
// place of a star no catalog holds.
std::optional<FoundObject> ObjectFinder::commonName(std::string_view text) {
  const auto target = catalogs_.commonNames().find(text);
  if (!target) return std::nullopt;
  if (!target->place) return byDesignation(target->designation);
  return FoundObject{SearchKind::kStar, {-1, target->place->raRad, target->place->decRad}, std::string(text),
                     kPickNothing, std::nullopt};
}

// The user's comet, then the comet list.
std::optional<FoundObject> ObjectFinder::comet(std::string_view text, bool whole) {
  const SolarSystem& solar = catalogs_.solarSystem();
  auto named = [&](std::string_view name) {
    const auto forms = cometNameForms(name);
    return matches(forms[0], text, whole) || (whole && matches(forms[1], text, true)) || matches(forms[2], text, whole);
  };
  std::vector<int32_t> ids;
  if (named(solar.userComet().name)) ids.push_back(objectId(kUserComet, 0));
  for (int line = 0; line < solar.comets().count(); ++line) {
    if (solar.comets().record(line).valid && named(solar.comets().record(line).name)) ids.push_back(objectId(kCometList, line));
  }
  StarPosition at;
  for (int32_t id : ids) {
    if (solar.objectPosition(id, -1, at)) return picked(SearchKind::kComet, kPickSolarSystem, at);
  }
  return std::nullopt;
}

// --- results --------------------------------------------------------------------------

std::optional<FoundObject> ObjectFinder::star(const StarIdRecord& record, std::string name) {
  if (name.empty()) name = mainNameOf(record);
  const int index = catalogs_.currentStarOfHipparcos(record.hipparcos);
  const EquatorialPosition place = catalogs_.starPlace(record.hipparcos, record.raRad, record.decRad);
  return FoundObject{SearchKind::kStar, {index, place.raRad, place.decRad}, starDesignation(record, name),
                     index >= 0 ? kPickStar : kPickNothing, record};
}

std::string ObjectFinder::mainNameOf(const StarIdRecord& record) {
  StarIdDatabase& ids = catalogs_.starIds();
  const std::string text = utf16ToUtf8(ids.describe(record));
  const std::string first = text.substr(0, text.find_first_of(",\r"));
  std::string name;
  int recordNumber = -1;
  StarIdRecord named;
  for (ids.restartNames(); ids.nextName(name, recordNumber);) {
    if (name == first && ids.readRecord(recordNumber, named) && named.raRad == record.raRad &&
        named.decRad == record.decRad) {
      return name;
    }
  }
  return "";
}

FoundObject ObjectFinder::picked(SearchKind kind, int pickKind, const StarPosition& at) const {
  FoundObject found{kind, at, "", pickKind, std::nullopt};
  appendObjectText(catalogs_, PickResult{true, pickKind, at.index, -1}, language_, found.designation);
  return found;
}

int centreOnFoundObject(AppModel& model, const FoundObject& found) {
  const int outcome = model.centreOnFound(found.position, found.kind);
  if (outcome != kSearchCentred || (found.kind != SearchKind::kComet && found.kind != SearchKind::kMinorPlanet)) {
    return outcome;
  }
  (found.kind == SearchKind::kComet ? model.chart.cometTrack : model.chart.asteroidTrack).object = found.position.index;
  model.solarSystemChanged();
  return outcome;
}

}  // namespace celvaro
