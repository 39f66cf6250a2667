#include "app/object_finder.h"

#include <array>
#include <cctype>
#include <vector>

#include "app/app_model.h"
#include "app/chart_navigator.h"
#include "app/ui_resources.h"
#include "catalog/constellation_list.h"
#include "catalog/sky_catalogs.h"
#include "output/hit_list.h"
#include "platform/number_text.h"
#include "platform/utf_text.h"

namespace celvaro {
namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool startsWithCaseless(std::string_view text, std::string_view start) {
  if (start.empty() || text.size() < start.size()) return false;
  for (size_t i = 0; i < start.size(); ++i) {
    if (lower(text[i]) != lower(start[i])) return false;
  }
  return true;
}

// A whole name, or its beginning, as asked; ASCII case ignored.
bool matches(std::string_view name, std::string_view text, bool whole) {
  return startsWithCaseless(name, text) && (!whole || name.size() == text.size());
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The first word and what follows the blanks after it.
std::pair<std::string_view, std::string_view> firstWord(std::string_view text) {
  const size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return {text, {}};
  return {text.substr(0, blank), trimmed(text.substr(blank))};
}

// The integers of a text such as " 183912", "+27 3410", "-16°1591" or
// " 2133-2964-1": a sign only before the first, blanks, '-' or a degree
// sign between them; empty when anything else is there.
std::vector<int> integersOf(std::string_view text) {
  std::vector<int> numbers;
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  int sign = 1;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) sign = text[i++] == '-' ? -1 : 1;
  while (i < text.size()) {
    if (!isDigit(text[i])) return {};
    long value = 0;
    for (; i < text.size() && isDigit(text[i]) && value < 100000000; ++i) value = value * 10 + (text[i] - '0');
    numbers.push_back(static_cast<int>(sign * value));
    sign = 1;
    const size_t separatorStart = i;
    while (i < text.size() && (text[i] == ' ' || text[i] == '-')) ++i;
    if (text.substr(i).starts_with("\xC2\xB0")) i += 2;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i == separatorStart && i < text.size()) return {};
  }
  return numbers;
}

// The constellation an IAU abbreviation names (the head of Serpens for
// "Ser"); -1 for none.
int constellationOfAbbreviation(std::string_view text) {
  for (int n = 0; n < kConstellationCount; ++n) {
    if (matches(constellationAbbreviation(n), text, true)) return n;
  }
  return -1;
}

constexpr int kSerpensCaput = 75, kSerpensCauda = 76;

// The spellings of the Greek letters 0..23: the variable-star
// abbreviations, their common alternatives and the full names.
constexpr std::array<std::string_view, 24> kGreekSpellings = {
    "alf alp alpha alfa", "bet beta",  "gam gamma",          "del delta", "eps epsilon",  "zet zeta",
    "eta",                "tet the theta teta", "iot iota",  "kap kappa", "lam lambda",   "mu",
    "nu",                 "ksi xi",    "omi omicron omikron", "pi",       "rho",          "sig sigma",
    "tau",                "ups upsilon", "phi",              "khi chi",   "psi",          "ome omega"};

// The Greek letter a word names: one of its spellings or the letter itself
// (α..ω); -1 for none.
int greekLetter(std::string_view word) {
  const std::u16string wide = utf8ToUtf16(word);
  if (wide.size() == 1 && wide[0] >= u'α' && wide[0] <= u'ω' && wide[0] != u'ς') {
    return wide[0] - u'α' - (wide[0] > u'ς' ? 1 : 0);
  }
  for (size_t letter = 0; letter < kGreekSpellings.size(); ++letter) {
    std::string_view spellings = kGreekSpellings[letter];
    while (!spellings.empty()) {
      const auto [spelling, rest] = firstWord(spellings);
      if (matches(spelling, word, true)) return static_cast<int>(letter);
      spellings = rest;
    }
  }
  return -1;
}

// The forms of a comet-list entry a text may name: the whole entry, its
// designation before the brackets and the name in them.
std::array<std::string_view, 3> cometNameForms(std::string_view name) {
  const size_t open = name.find(" ("), close = name.rfind(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open) return {name, name, name};
  return {name, name.substr(0, open), name.substr(open + 2, close - open - 2)};
}

// "Algenib (88 γ Peg)", "Toliman (α2 Cen)", "HIP 12345".
std::string starDesignation(const StarIdRecord& r, const std::string& name) {
  std::string designation;
  if (r.constellation >= 0 && r.constellation < kConstellationCount) {
    if (r.flamsteed > 0) designation += std::to_string(r.flamsteed) + " ";
    if (r.greekLetter < 24) {
      designation += utf16ToUtf8(std::u16string(1, static_cast<char16_t>(u'α' + r.greekLetter + (r.greekLetter >= 17))));
      if (r.superscript > 0) designation += std::to_string(r.superscript);
      designation += " ";
    }
    if (!designation.empty()) designation += constellationAbbreviation(r.constellation);
  }
  if (designation.empty() && name.empty()) return r.hipparcos > 0 ? "HIP " + std::to_string(r.hipparcos) : "";
  if (designation.empty() || name.empty()) return name + designation;
  return name + " (" + designation + ")";
}

// The typed catalogue names of the star numbers; Durchmusterung zones and
// Tycho numbers come in several parts.
struct StarNumberPrefix {
  std::string_view prefix;
  int code;  // a catalogue code of findByCatalogNumber, a Durchmusterung 1..4 + 10, or kTycho
};
constexpr int kDurchmusterungBase = 10, kTycho = 20;
constexpr std::array<StarNumberPrefix, 11> kStarNumberPrefixes = {{
    {"HD", kCatalogHd}, {"HR", kCatalogHr}, {"SAO", kCatalogSao}, {"HIP", kCatalogHipparcos}, {"PPM", kCatalogPpm},
    {"BD", kDurchmusterungBase + kBonner}, {"CD", kDurchmusterungBase + kCordoba},
    {"SD", kDurchmusterungBase + kSouthern}, {"CPD", kDurchmusterungBase + kCapePhotographic},
    {"CP", kDurchmusterungBase + kCapePhotographic}, {"TYC", kTycho},
}};

}  // namespace

std::optional<FoundObject> ObjectFinder::find(std::string_view typed) {
  const std::string_view text = trimmed(typed);
  if (text.empty()) return std::nullopt;
  if (auto found = byDesignation(text)) return found;
  if (auto found = byName(text, true)) return found;
  if (auto found = byOtherDesignation(text)) return found;
  return byName(text, false);
}

std::optional<FoundObject> ObjectFinder::byDesignation(std::string_view text) {
  if (auto found = deepskyDesignation(text)) return found;
  if (auto found = starNumber(text)) return found;
  return bayerOrFlamsteed(text);
}

std::optional<FoundObject> ObjectFinder::byName(std::string_view text, bool whole) {
  if (auto found = body(text, whole)) return found;
  if (auto found = constellation(text, whole)) return found;
  if (auto found = starName(text, whole)) return found;
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
  if (integersOf(number).size() == 1 && isDigit(number.front())) {
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

std::optional<FoundObject> ObjectFinder::starNumber(std::string_view text) {
  size_t letters = 0;
  while (letters < text.size() && std::isalpha(static_cast<unsigned char>(text[letters]))) ++letters;
  for (const StarNumberPrefix& p : kStarNumberPrefixes) {
    if (!matches(p.prefix, text.substr(0, letters), true)) continue;
    const std::vector<int> n = integersOf(text.substr(letters));
    const StarIdDatabase& ids = catalogs_.starIds();
    StarIdRecord record;
    const bool found = p.code == kTycho                 ? n.size() == 3 && ids.findByTycho(n[0], n[1], n[2], record)
                       : p.code > kDurchmusterungBase ? n.size() == 2 &&
                                                            ids.findByDurchmusterung(p.code - kDurchmusterungBase,
                                                                                     n[0], n[1], record)
                                                      : n.size() == 1 && ids.findByCatalogNumber(p.code, n[0], record);
    return found ? star(record) : std::nullopt;
  }
  return std::nullopt;
}

// A Greek letter with an optional superscript digit, or a Flamsteed
// number, then a constellation's abbreviation.
std::optional<FoundObject> ObjectFinder::bayerOrFlamsteed(std::string_view text) {
  auto [word, rest] = firstWord(text);
  const int constellation = constellationOfAbbreviation(rest);
  if (constellation < 0 || word.empty()) return std::nullopt;
  const StarIdDatabase& ids = catalogs_.starIds();
  StarIdRecord record;
  const std::vector<int> flamsteed = integersOf(word);
  if (isDigit(word.front())) {
    return flamsteed.size() == 1 && ids.findByFlamsteed(constellation, flamsteed[0], record) ? star(record)
                                                                                               : std::nullopt;
  }
  int superscript = 0;
  if (isDigit(word.back())) superscript = word.back() - '0', word.remove_suffix(1);
  const int letter = greekLetter(word);
  if (letter < 0) return std::nullopt;
  const bool found = ids.findByBayer(constellation, letter, superscript, record) ||
                     (constellation == kSerpensCaput && ids.findByBayer(kSerpensCauda, letter, superscript, record));
  return found ? star(record) : std::nullopt;
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

// The switched-on short lists, then a number in the long list.
std::optional<FoundObject> ObjectFinder::minorPlanet(const MinorPlanetQuery& query) {
  SolarSystem& solar = catalogs_.solarSystem();
  StarPosition at;
  bool found = solar.findMinorPlanet(query, minorPlanetLists_, at);
  if (!found && query.by == MinorPlanetQuery::kByNumber) {
    const int32_t id = solar.findInLongList(leadingInt(query.text));
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

std::optional<FoundObject> ObjectFinder::constellation(std::string_view text, bool whole) {
  for (int n = 0; n < kConstellationCount; ++n) {
    const std::string name = shownConstellationName(n);
    const bool abbreviation = whole && n != kSerpensCauda && matches(constellationAbbreviation(n), text, true);
    if (!abbreviation && !matches(name, text, whole) && !matches(constellationName(n), text, whole)) continue;
    FoundObject found{SearchKind::kConstellation, {n, 0, 0}, name, kPickNothing, std::nullopt};
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
  return FoundObject{SearchKind::kStar, {-1, record.raRad, record.decRad}, starDesignation(record, name), kPickNothing, record};
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
