#include "double_variable_files_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <optional>
#include <set>
#include <string_view>

#include "astro/coordinates.h"
#include "catalog/double_star_data.h"
#include "catalog/variable_star_data.h"
#include "double_star_pairs.h"
#include "double_variable_writers.h"
#include "platform/number_text.h"
#include "sky_sources.h"
#include "star_files_builder.h"
#include "variable_hand_list.h"
#include "zoned_star_files.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;
constexpr int kFirstGreekCode = 9001;       // alpha in the designation codes
constexpr size_t kMaxOtherNamesBytes = 800;  // leaves room in the 1024 text bytes of a record

int32_t hundredths(double magnitude) { return static_cast<int32_t>(std::lround(magnitude * 100)); }

struct Sources {
  std::map<int32_t, SourceStar> stars;  // Hipparcos stars by number
  std::vector<WdsPair> pairs;
  std::map<int32_t, std::vector<std::string>> names;
  std::map<int32_t, std::vector<ZonedStar>> components;  // component records (A, B...) by Hipparcos number
  std::vector<const SourceStar*> unlisted;               // unlistedComponents()
  std::vector<GcvsStar> variables;
};

bool readSources(const DoubleVariableSourcePaths& paths, Sources& s) {
  const std::string st = paths.stellarium + "/";
  std::vector<SourceStar> stars;
  std::vector<ZonedStar> records;
  if (!readD3Stars(paths.d3Stars, stars) || !readWdsPairs(st + "wds_hip_part.dat", s.pairs) ||
      !readDesignationNames(st + "extra_name.fab", s.names) ||
      !readZonedStars({st + "stars_0_0v0_8.cat", st + "stars_1_0v0_8.cat", st + "stars_2_0v0_8.cat"}, records) ||
      !readGcvsStars(st + "gcvs_hip_part.dat", s.variables)) {
    return false;
  }
  for (const SourceStar& star : stars) s.stars.emplace(star.hip, star);
  for (const NamedPair& p : namedPairs()) {
    const bool listed = std::any_of(s.pairs.begin(), s.pairs.end(), [&](const WdsPair& row) { return row.hip == p.hip; });
    if (!listed) s.pairs.push_back({p.hip, p.wds, p.year, p.positionAngle, p.separation});
  }
  for (const ZonedStar& record : records) {
    if (record.hip != 0 && record.component != 0) s.components[record.hip].push_back(record);
  }
  return true;
}


// The region layout of records at these points, and the records in its order.
template <typename Entry>
std::pair<std::vector<SkyRegion>, std::vector<Entry>> laidOut(const std::vector<Entry>& entries,
                                                               int32_t (*magnitude)(const Entry&)) {
  std::vector<RegionPoint> points;
  for (const Entry& e : entries) points.push_back({e.raRad, e.decRad, magnitude(e)});
  SkyRegionLayout layout = skyRegionLayout(points);
  std::vector<Entry> ordered;
  for (size_t i : layout.order) ordered.push_back(entries[i]);
  return {std::move(layout.regions), std::move(ordered)};
}

// --- double stars --------------------------------------------------------------

// The traditional discoverer symbols of extra_name.fab, and W. Herschel's
// classes, in the order they are preferred over each other and over the
// plain WDS codes; the double-star search knows their WDS codes.
constexpr std::string_view kPreferredSymbols[] = {
    "Σ", "Σ_I", "Σ_II", "ΟΣ", "ΟΣΣ", "β", "Δ", "H_1", "H_2", "H_3", "H_4", "H_5", "H_6", "H_N", "λ", "φ", "β_pm", "Lβ", "βG",
};
constexpr int kPlainCodeRank = static_cast<int>(std::size(kPreferredSymbols));

struct Designation {
  int rank;
  std::string key;     // as the WDS writes it: "STF1744", "STFA 43"
  std::string source;  // as the sources write it: "Σ 1744", "Σ I 43"
};

bool isPlainCode(std::string_view code) {
  return !code.empty() && code.size() <= 3 &&
         std::all_of(code.begin(), code.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// A name of extra_name.fab ("Σ_1744", "HDS_12"); none when it is not a
// discoverer designation of a known form.
std::optional<Designation> discovererDesignation(const std::string& name) {
  const size_t last = name.rfind('_');
  if (last == std::string::npos) return std::nullopt;
  const std::string prefix = name.substr(0, last), number = name.substr(last + 1);
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  const auto symbol = std::find(std::begin(kPreferredSymbols), std::end(kPreferredSymbols), prefix);
  const int rank = static_cast<int>(symbol - std::begin(kPreferredSymbols));
  std::string source = name;
  std::replace(source.begin(), source.end(), '_', ' ');
  const std::string key = doubleStarKey(source);
  if ((rank == kPlainCodeRank && !isPlainCode(prefix)) || key.empty()) return std::nullopt;
  return Designation{rank, key, source};
}

constexpr double kUnknownSeparation = 999.9;  // the sources' sentinel, like -1

int32_t separationTenths(double arcsec) {
  return arcsec < 0 || arcsec >= kUnknownSeparation ? 0 : static_cast<int32_t>(std::lround(arcsec * 10));
}

// A star of a system: a Hipparcos star, or one of its component records.
struct Component {
  double raDeg, decDeg, magnitude;
};

constexpr double kCloseArcmin = 1;  // a companion this close to the primary counts as close
// The stars' positions share the proper motion of their system, so a pair
// measured from them is the pair of the Hipparcos epoch.
constexpr int kHipparcosEpochYear = 1991;

double arcminBetween(double ra1Deg, double dec1Deg, double ra2Deg, double dec2Deg) {
  return separationAndAngle(ra1Deg * kRadPerDeg, dec1Deg * kRadPerDeg, ra2Deg * kRadPerDeg, dec2Deg * kRadPerDeg,
                            false)
      .arcmin;
}

// The Hipparcos stars the star files letter as components (A, B...) of a
// system and that no row of the WDS cross-match names, by declination.
std::vector<const SourceStar*> unlistedComponents(const Sources& s) {
  std::set<int32_t> listed;
  for (const WdsPair& row : s.pairs) listed.insert(row.hip);
  std::vector<const SourceStar*> stars;
  for (const auto& [hip, records] : s.components) {
    const auto star = s.stars.find(hip);
    if (!listed.count(hip) && star != s.stars.end()) stars.push_back(&star->second);
  }
  std::sort(stars.begin(), stars.end(), [](const SourceStar* a, const SourceStar* b) { return a->decDeg < b->decDeg; });
  return stars;
}

// The Hipparcos stars of a system: those of its rows, and the unlisted
// components close to its primary (gamma Del's B is HIP 102531, which the
// cross-match leaves out).
std::vector<int32_t> systemStars(const std::vector<const WdsPair*>& rows, const Sources& s) {
  std::vector<int32_t> hips;
  for (const WdsPair* row : rows) hips.push_back(row->hip);
  const SourceStar& primary = s.stars.at(rows[0]->hip);
  const auto first = std::lower_bound(s.unlisted.begin(), s.unlisted.end(), primary.decDeg - kCloseArcmin / 60,
                                      [](const SourceStar* star, double dec) { return star->decDeg < dec; });
  for (auto at = first; at != s.unlisted.end() && (*at)->decDeg <= primary.decDeg + kCloseArcmin / 60; ++at) {
    if (arcminBetween(primary.raDeg, primary.decDeg, (*at)->raDeg, (*at)->decDeg) <= kCloseArcmin) {
      hips.push_back((*at)->hip);
    }
  }
  return hips;
}

// The system's stars: the component records of each of its Hipparcos
// stars, placed about the star's position by their offsets from its
// brightest record, or the star itself where it has none.
std::vector<Component> componentsOf(const std::vector<int32_t>& hips, const Sources& s) {
  std::vector<Component> stars;
  for (int32_t hip : hips) {
    const SourceStar& star = s.stars.at(hip);
    const auto records = s.components.find(hip);
    if (records == s.components.end()) {
      stars.push_back({star.raDeg, star.decDeg, star.magnitude});
      continue;
    }
    const ZonedStar& reference = *std::min_element(records->second.begin(), records->second.end(),
                                                   [](const ZonedStar& a, const ZonedStar& b) { return a.magnitude < b.magnitude; });
    for (const ZonedStar& r : records->second) {
      stars.push_back({star.raDeg + std::remainder(r.raDeg - reference.raDeg, 360), star.decDeg + r.decDeg - reference.decDeg,
                       r.magnitude});
    }
  }
  return stars;
}

struct Pair {
  double separation;  // arcseconds
  int positionAngle;  // degrees, -1 unknown
  int year;           // of the measure, 0 unknown
  std::optional<double> companion;
};

// The system's principal pair: for a showpiece, the pair the WDS lists
// under its designation (its measure, or the cross-match's where that is
// the pair). Otherwise its brightest star and the brightest companion
// within a minute of arc of it, or the nearest companion when
// none is that close. A system of one star in the sources keeps the one
// measure they give, of an unnamed pair, with the companion unknown; so
// does one whose nearest companion is as far as the sources' "unknown"
// 999.9" (alpha Cen's Proxima, 2 degrees off, without B).
Pair principalPair(const std::vector<const WdsPair*>& rows, const Sources& s) {
  const WdsPair& row = *rows[0];
  if (const NamedPair* named = namedPairOf(row.hip)) {
    const std::optional<double> companion = named->companion > 0 ? std::optional(named->companion) : std::nullopt;
    return named->separation > 0 ? Pair{named->separation, named->positionAngle, named->year, companion}
                                 : Pair{row.separation, row.positionAngle, row.year, companion};
  }
  std::vector<Component> stars = componentsOf(systemStars(rows, s), s);
  std::sort(stars.begin(), stars.end(), [](const Component& a, const Component& b) { return a.magnitude < b.magnitude; });
  const Pair measured{row.separation, row.positionAngle, row.year, std::nullopt};
  if (stars.size() < 2) return measured;
  auto from = [&](const Component& c) { return arcminBetween(stars[0].raDeg, stars[0].decDeg, c.raDeg, c.decDeg); };
  const auto nearest = std::min_element(stars.begin() + 1, stars.end(),
                                        [&](const Component& a, const Component& b) { return from(a) < from(b); });
  const auto close = std::find_if(stars.begin() + 1, stars.end(), [&](const Component& c) { return from(c) <= kCloseArcmin; });
  const Component& companion = close != stars.end() ? *close : *nearest;
  const Separation measure = separationAndAngle(stars[0].raDeg * kRadPerDeg, stars[0].decDeg * kRadPerDeg,
                                                companion.raDeg * kRadPerDeg, companion.decDeg * kRadPerDeg, true);
  if (measure.arcmin * 60 >= kUnknownSeparation) return measured;
  const int angle = measure.arcmin * 60 < 0.05 ? -1 : static_cast<int>(std::lround(measure.positionAngleDeg)) % 360;
  return {measure.arcmin * 60, angle, kHipparcosEpochYear, companion.magnitude};
}

std::vector<Designation> designationsOf(const std::vector<const WdsPair*>& rows, const Sources& s) {
  std::vector<Designation> designations;
  for (const WdsPair* row : rows) {
    const auto names = s.names.find(row->hip);
    if (names == s.names.end()) continue;
    for (const std::string& name : names->second) {
      if (auto d = discovererDesignation(name)) designations.push_back(std::move(*d));
    }
  }
  return designations;
}

std::string otherNames(const std::vector<Designation>& designations, const Designation& chosen) {
  std::string text;
  for (const Designation& d : designations) {
    if (&d == &chosen || text.size() + d.source.size() + 2 > kMaxOtherNamesBytes) continue;
    text += (text.empty() ? "" : ", ") + d.source;
  }
  return text;
}

std::vector<InfoValue> doubleInfo(const std::string& wds, const Designation& chosen, const std::string& others,
                                  const DoubleStarEntry& e, const Pair& pair, int32_t hip) {
  std::vector<InfoValue> info = {{kDoubleInfoWds, kInfoText, 0, wds}, {kDoubleInfoDiscoverer, kInfoText, 0, chosen.source}};
  if (!others.empty()) info.push_back({kDoubleInfoOtherNames, kInfoText, 0, others});
  info.push_back({kDoubleInfoHipparcos, kInfoInt32, hip, {}});
  info.push_back({kDoubleInfoPrimary, kInfoHundredths, e.primary, {}});
  if (pair.companion) info.push_back({kDoubleInfoCompanion, kInfoHundredths, e.companion, {}});
  if (e.separation > 0) info.push_back({kDoubleInfoSeparation, kInfoTenths, e.separation, {}});
  if (pair.positionAngle >= 0) info.push_back({kDoubleInfoPositionAngle, kInfoWord, pair.positionAngle, {}});
  if (pair.year > 0) info.push_back({kDoubleInfoYear, kInfoWord, pair.year, {}});
  return info;
}

// The system of these rows, brightest Hipparcos star first; none without a
// discoverer designation.
std::optional<DoubleStarEntry> doubleSystem(const std::vector<const WdsPair*>& rows, const Sources& s) {
  std::vector<Designation> designations = designationsOf(rows, s);
  if (const NamedPair* named = namedPairOf(rows[0]->hip)) {
    std::erase_if(designations, [&](const Designation& d) { return d.source == discovererDesignation(named->designation)->source; });
    designations.push_back(*discovererDesignation(named->designation));
    designations.back().rank = -1;
  }
  if (designations.empty()) return std::nullopt;
  const Designation& chosen = *std::min_element(
      designations.begin(), designations.end(), [](const Designation& a, const Designation& b) { return a.rank < b.rank; });
  const SourceStar& primary = s.stars.at(rows[0]->hip);
  const Pair pair = principalPair(rows, s);
  DoubleStarEntry e;
  e.raRad = primary.raDeg * kRadPerDeg;
  e.decRad = primary.decDeg * kRadPerDeg;
  e.designation = chosen.key;
  e.primary = hundredths(primary.magnitude);
  e.companion = pair.companion ? hundredths(*pair.companion) : 0;
  e.separation = separationTenths(pair.separation);
  e.info = doubleInfo(rows[0]->wds, chosen, otherNames(designations, chosen), e, pair, primary.hip);
  return e;
}

// A system's key: its WDS number, and the primary's Hipparcos number for
// a named pair that is a WDS entry of its own under a shared number.
std::string systemKey(const WdsPair& row) {
  const NamedPair* named = namedPairOf(row.hip);
  return named && named->ownSystem ? row.wds + "/" + std::to_string(row.hip) : row.wds;
}

// The primary of a named pair first, then the brightest star first.
bool primaryBefore(const WdsPair* a, const WdsPair* b, const Sources& s) {
  const bool namedA = namedPairOf(a->hip) != nullptr, namedB = namedPairOf(b->hip) != nullptr;
  if (namedA != namedB) return namedA;
  return s.stars.at(a->hip).magnitude < s.stars.at(b->hip).magnitude;
}

std::vector<DoubleStarEntry> doubleSystems(const Sources& s) {
  std::map<std::string, std::vector<const WdsPair*>> byWds;
  for (const WdsPair& row : s.pairs) {
    if (s.stars.count(row.hip)) byWds[systemKey(row)].push_back(&row);
  }
  std::vector<DoubleStarEntry> systems;
  for (auto& [wds, rows] : byWds) {
    std::stable_sort(rows.begin(), rows.end(), [&](const WdsPair* a, const WdsPair* b) { return primaryBefore(a, b, s); });
    if (auto system = doubleSystem(rows, s)) systems.push_back(std::move(*system));
  }
  const auto paired = std::count_if(systems.begin(), systems.end(), [](const DoubleStarEntry& e) { return e.companion != 0; });
  std::printf("  %zu double-star systems of %zu WDS rows, %td with their companion known\n",
              systems.size(), s.pairs.size(), paired);
  return systems;
}

// --- variable stars -------------------------------------------------------------

struct TypeClass {
  std::string_view prefix;
  uint8_t flag;
};

// The first prefix a type part begins with decides its letter, so longer
// prefixes stand before the shorter ones they begin with.
constexpr TypeClass kTypeClasses[] = {
    {"ELL", kVariableR},   {"E", kVariableE},     {"LPB", kVariableP},   {"L", kVariableL},
    {"M", kVariableL},     {"SR", kVariableL},    {"SXARI", kVariableR}, {"SXPHE", kVariableP},
    {"SDOR", kVariableC},  {"SN", kVariableC},    {"IN", kVariableC},    {"IS", kVariableC},
    {"IT", kVariableC},    {"I", kVariableL},     {"RR", kVariableP},    {"RV", kVariableP},
    {"RPHS", kVariableP},  {"RCB", kVariableC},   {"RS", kVariableC},    {"R", kVariableR},
    {"ACV", kVariableR},   {"ACYG", kVariableP},  {"AM", kVariableC},    {"BCEP", kVariableP},
    {"BLBOO", kVariableP}, {"BE", kVariableC},    {"BY", kVariableR},    {"CEP", kVariableP},
    {"CW", kVariableP},    {"DCEP", kVariableP},  {"DSCT", kVariableP},  {"DQ", kVariableC},
    {"GCAS", kVariableC},  {"GDO", kVariableP},   {"FU", kVariableC},    {"FKCOM", kVariableR},
    {"UV", kVariableC},    {"UG", kVariableC},    {"WR", kVariableC},    {"ZAN", kVariableC},
    {"ZZ", kVariableP},    {"N", kVariableC},     {"PVTEL", kVariableP}, {"PSR", kVariableR},
};

uint8_t typePartFlag(std::string_view part) {
  part = part.substr(0, part.find('/'));
  for (const TypeClass& c : kTypeClasses) {
    if (part.starts_with(c.prefix)) return c.flag;
  }
  return kVariableX;
}

uint8_t variableTypeFlags(std::string_view type) {
  uint8_t flags = 0;
  for (size_t start = 0;;) {
    const size_t plus = type.find('+', start);
    flags |= typePartFlag(type.substr(start, plus == std::string_view::npos ? plus : plus - start));
    if (plus == std::string_view::npos) return flags;
    start = plus + 1;
  }
}

// "δ Cep" as "del Cep"; other designations as they are.
std::string latinDesignation(const std::string& designation) {
  const size_t blank = designation.find(' ');
  int greek = 0, superscript = 0;
  if (blank == std::string::npos || !parseBayer(designation.substr(0, blank), greek, superscript)) return designation;
  return variableDesignationText(kFirstGreekCode + greek) + designation.substr(blank);
}

std::optional<double> magnitudeOf(const std::string& text) {
  if (text.find_first_not_of(' ') == std::string::npos) return std::nullopt;
  return leadingDouble(text);
}

int16_t thousandths(double magnitude) { return static_cast<int16_t>(std::lround(magnitude * 1000)); }

// A minimum in the GCVS notation: an amplitude in parentheses, "<" before a limit.
std::string minimumText(const std::string& value, int flag) {
  if (value.empty()) return value;
  return flag == 1 ? "(" + value + ")" : flag == 2 ? "<" + value : value;
}

std::string julianDateText(const std::string& reduced) {
  if (reduced.empty()) return reduced;
  const size_t point = reduced.find('.');
  const std::string fraction = point == std::string::npos ? "" : reduced.substr(point + 1);
  return std::to_string(2400000 + leadingInt(reduced)) + (fraction.empty() ? "" : "." + fraction);
}

std::vector<InfoValue> variableInfo(const GcvsStar& v) {
  std::vector<InfoValue> info;
  auto text = [&](uint8_t field, const std::string& value) {
    if (!value.empty()) info.push_back({field, kInfoText, 0, value});
  };
  text(kVariableInfoDesignation, v.designation);
  text(kVariableInfoType, v.type);
  text(kVariableInfoMaximum, v.maximum);
  text(kVariableInfoMinimum, minimumText(v.minimum, v.magnitudeFlag));
  text(kVariableInfoSecondMinimum, minimumText(v.secondMinimum, v.magnitudeFlag));
  text(kVariableInfoSystem, v.system);
  text(kVariableInfoEpoch, julianDateText(v.epoch));
  text(kVariableInfoPeriod, v.period.ends_with('.') ? v.period.substr(0, v.period.size() - 1) : v.period);
  if (!v.rise.empty()) info.push_back({kVariableInfoRise, kInfoWord, leadingInt(v.rise), {}});
  text(kVariableInfoSpectrum, v.spectrum);
  if (v.hip > 0) info.push_back({kVariableInfoHipparcos, kInfoInt32, v.hip, {}});
  return info;
}

// A GCVS row at the place of its star.
std::optional<VariableStarEntry> variableStar(const GcvsStar& v, const SourceStar& star) {
  int code = 0, constellation = 0;
  if (!parseVariableDesignation(latinDesignation(v.designation), code, constellation)) return std::nullopt;
  const std::optional<double> maximum = magnitudeOf(v.maximum), minimum = magnitudeOf(v.minimum);
  const bool amplitude = v.magnitudeFlag == 1;
  const double brightest = maximum ? *maximum : minimum && !amplitude ? *minimum : star.magnitude;
  const double faintest = !minimum ? brightest : amplitude ? brightest + *minimum : *minimum;
  const double period = magnitudeOf(v.period).value_or(0);
  VariableStarEntry e;
  e.raRad = star.raDeg * kRadPerDeg;
  e.decRad = star.decDeg * kRadPerDeg;
  e.brightest = thousandths(brightest);
  e.faintest = thousandths(faintest);
  e.period = period > 0 ? std::max(1, static_cast<int>(std::lround(period * 100))) : 0;
  e.typeFlags = variableTypeFlags(v.type);
  e.constellation = static_cast<uint8_t>(constellation);
  e.code = static_cast<int16_t>(code);
  e.info = variableInfo(v);
  return e;
}

std::vector<VariableStarEntry> variableStars(const Sources& s) {
  std::vector<VariableStarEntry> stars;
  for (const GcvsStar& v : s.variables) {
    const auto star = s.stars.find(v.hip);
    if (star == s.stars.end()) continue;
    if (auto entry = variableStar(v, star->second)) stars.push_back(std::move(*entry));
  }
  const size_t hipparcos = stars.size();
  // Stars the Hipparcos catalogue lacks stand at the GCVS's place.
  for (const HandListedVariable& h : handListedVariables()) {
    const SourceStar place{0, magnitudeOf(h.star.maximum).value_or(0), std::nullopt, h.raDeg, h.decDeg};
    if (auto entry = variableStar(h.star, place)) stars.push_back(std::move(*entry));
  }
  std::printf("  %zu variable stars of %zu GCVS rows, %zu more by hand\n", hipparcos, s.variables.size(),
              stars.size() - hipparcos);
  return stars;
}

int32_t primaryMagnitude(const DoubleStarEntry& e) { return e.primary; }
// The regions list their variable stars by the magnitude the chart's limit takes.
int32_t meanMagnitude(const VariableStarEntry& e) { return meanVariableMagnitude(e.brightest, e.faintest); }

}  // namespace

bool buildDoubleAndVariableStarFiles(const DoubleVariableSourcePaths& paths, const std::string& dataDirectory) {
  Sources s;
  if (!readSources(paths, s)) return false;
  s.unlisted = unlistedComponents(s);
  const auto [doubleRegions, doubles] = laidOut(doubleSystems(s), primaryMagnitude);
  const auto [variableRegions, variables] = laidOut(variableStars(s), meanMagnitude);
  return writeFile(dataDirectory + "/doubles_d3.dat", doubleStarCatalogBytes(4, doubleRegions, doubles)) &&
         writeFile(dataDirectory + "/variables.dat", variableStarCatalogBytes(5, variableRegions, variables));
}

}  // namespace celvaro
