#include "star_files_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <string_view>
#include <tuple>

#include "astro/constellation_list.h"
#include "catalog/proper_motions.h"
#include "catalog/star_info_file.h"
#include "catalog_writers.h"
#include "platform/file_replace.h"
#include "platform/utf_text.h"
#include "sky_sources.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

// The main catalog draws each star within this of its magnitude (hundredths).
constexpr int32_t kZoneMaxOffset = 10;

int16_t hundredths(double magnitude) { return static_cast<int16_t>(std::lround(magnitude * 100)); }

struct Sources {
  std::vector<SourceStar> stars;
  std::map<int32_t, SourceStarName> names;
  std::map<int32_t, std::vector<SourceProperName>> skyCultureNames;
  ConstellationRegions regions;  // of the boundaries
  std::map<int32_t, StellariumStar> stellarium;
  std::map<int32_t, ProperMotion> motions;
  std::map<int32_t, CrossIds> ids;
  std::map<int32_t, OwnedNames> ownedNames;  // properNamesByStar

  // The IAU's name of a star, else d3-celestial's when no other star has a
  // stronger claim to it.
  std::string properName(int32_t hip) const {
    auto owned = ownedNames.find(hip);
    if (owned == ownedNames.end()) return {};
    if (owned->second.iau) return owned->second.names.front();
    auto d3 = names.find(hip);
    if (d3 == names.end() || owned->second.names.front() != d3->second.name) return {};
    return d3->second.name;
  }
};

bool readSources(const StarSourcePaths& paths, Sources& s) {
  const std::string st = paths.stellarium + "/";
  std::vector<SourcePolyline> boundaries;
  const bool read =
      readD3Stars(paths.d3Data + "/stars.14.json", s.stars) &&
      readD3StarNames(paths.d3Data + "/starnames.json", s.names) && readProperNames(paths.starNames, s.skyCultureNames) &&
      readD3Polylines(paths.d3Data + "/constellations.bounds.json", boundaries) &&
      readStellariumStars({st + "stars_0_0v0_8.cat", st + "stars_1_0v0_8.cat", st + "stars_2_0v0_8.cat"},
                          st + "stars_hip_sp_0v0_4.cat", s.stellarium) &&
      readProperMotions(st + "hip_pm.dat", s.motions) && readCrossIds(st + "cross-id.dat", s.ids);
  if (!read) return false;
  addMissingHdNumbers(s.names, s.ids);
  s.regions = constellationRegionsOf(boundaries);
  s.ownedNames = properNamesByStar(s.stars, s.names, s.skyCultureNames);
  return true;
}

std::string mainCatalog(const Sources& s) {
  std::vector<CatalogStar> stars;
  stars.reserve(s.stars.size());
  for (const SourceStar& star : s.stars) {
    stars.push_back({star.hip, hundredths(star.magnitude), star.raDeg * kRadPerDeg, star.decDeg * kRadPerDeg,
                     static_cast<uint8_t>(colourClassOfBv(star.bv))});
  }
  return starCatalogBytes(closelyZonedStarCatalog(std::move(stars), kZoneMaxOffset));
}

std::string starLabels(const Sources& s) {
  std::map<int32_t, const SourceStar*> byHip;
  for (const SourceStar& star : s.stars) byHip[star.hip] = &star;
  std::vector<LabelEntry> labels;
  for (const auto& [hip, name] : s.names) {
    auto star = byHip.find(hip);
    if (star == byHip.end()) continue;
    int greek = -1, superscript = 0;
    const bool hasGreek = parseBayer(name.bayer, greek, superscript);
    const std::string properName = s.properName(hip);
    if (properName.empty() && !hasGreek && name.flamsteed <= 0) continue;
    const SourceStar& at = *star->second;
    StarLabelRecord r;
    r.raRad = at.raDeg * kRadPerDeg;
    r.decRad = at.decDeg * kRadPerDeg;
    r.magnitude = hundredths(at.magnitude);
    r.flamsteed = static_cast<int16_t>(name.flamsteed > 0 ? name.flamsteed : -1);
    // Stars known by a name alone come without a constellation.
    int constellation = constellationNumberOf(name.constellation, at.raDeg);
    if (constellation < 0) constellation = s.regions.constellationAt(r.raRad, r.decRad);
    r.constellation = static_cast<int8_t>(constellation);
    r.greekLetter = static_cast<int8_t>(hasGreek ? greek : -1);
    r.superscript = static_cast<int8_t>(superscript);
    labels.push_back({r, properName});
  }
  return starLabelsBytes(labels);
}

// A star's motions and parallax as both the information and the motion
// files store them.
StoredMotion storedMotionOf(int32_t hip, const Sources& s) {
  StoredMotion m;
  if (auto st = s.stellarium.find(hip); st != s.stellarium.end()) {
    m.parallaxHundredthsMas = std::max(st->second.parallaxHundredthsMas, 0);
  }
  if (auto pm = s.motions.find(hip); pm != s.motions.end()) {
    m.raHundredthsMas = static_cast<int32_t>(std::lround(pm->second.raMasPerYear * 100));
    m.decHundredthsMas = static_cast<int32_t>(std::lround(pm->second.decMasPerYear * 100));
  }
  return m;
}

std::vector<InfoValue> infoOf(const SourceStar& star, const Sources& s) {
  std::vector<InfoValue> items = {{kInfoHipparcos, kInfoInt32, star.hip, {}},
                                  {kInfoMagnitude, kInfoHundredths, hundredths(star.magnitude), {}}};
  if (star.bv) items.push_back({kInfoColourIndex, kInfoThousandths, static_cast<int32_t>(std::lround(*star.bv * 1000)), {}});
  if (auto st = s.stellarium.find(star.hip); st != s.stellarium.end() && !st->second.spectralType.empty()) {
    items.push_back({kInfoSpectralType, kInfoText, 0, st->second.spectralType});
  }
  const StoredMotion m = storedMotionOf(star.hip, s);
  if (const int32_t plx = m.parallaxHundredthsMas; plx > 0) {
    items.push_back({kInfoParallax, kInfoHundredths, plx, {}});
    // 3261.56 light years at a parallax of 1 mas.
    items.push_back({kInfoDistance, kInfoTenths, static_cast<int32_t>(std::lround(3261.56 * 100 / plx * 10)), {}});
  }
  if (s.motions.count(star.hip)) {
    items.push_back({kInfoProperMotionRa, kInfoHundredths, m.raHundredthsMas, {}});
    items.push_back({kInfoProperMotionDec, kInfoHundredths, m.decHundredthsMas, {}});
  }
  if (auto id = s.ids.find(star.hip); id != s.ids.end()) {
    if (id->second.hd > 0) items.push_back({kInfoHd, kInfoInt32, id->second.hd, {}});
    if (id->second.hr > 0) items.push_back({kInfoHr, kInfoInt32, id->second.hr, {}});
    if (id->second.sao > 0) items.push_back({kInfoSao, kInfoInt32, id->second.sao, {}});
  }
  if (const std::string name = s.properName(star.hip); !name.empty()) items.push_back({kInfoProperName, kInfoText, 0, name});
  return items;
}

std::string starInformation(const Sources& s) {
  std::map<int32_t, std::vector<InfoValue>> records;
  int32_t highest = 0;
  for (const SourceStar& star : s.stars) {
    records[star.hip] = infoOf(star, s);
    highest = std::max(highest, star.hip);
  }
  return starInfoBytes(records, std::max<int32_t>(highest + 1, StarInfoFile::kMinEntries));
}

int32_t milliarcseconds(double degrees) { return static_cast<int32_t>(std::lround(degrees * 3600000)); }

// The motions by Hipparcos number, and the fast stars at the main
// catalog's places, which the program's marks are matched against.
std::string starMotions(const Sources& s) {
  std::vector<StoredMotion> byNumber;
  std::vector<FastStarEntry> fast;
  for (const SourceStar& star : s.stars) {
    if (star.hip < 0) continue;
    if (static_cast<size_t>(star.hip) >= byNumber.size()) byNumber.resize(star.hip + 1);
    const StoredMotion m = byNumber[star.hip] = storedMotionOf(star.hip, s);
    if (ProperMotions::isFastMotion(m.raHundredthsMas, m.decHundredthsMas)) {
      fast.push_back({star.hip, milliarcseconds(std::fmod(star.raDeg + 360, 360)), milliarcseconds(star.decDeg)});
    }
  }
  return starMotionBytes(byNumber, fast);
}

// --- proper names --------------------------------------------------------------

// The reference numbers of the IAU's lists in Stellarium's western sky
// culture (its reference.fab): the NameExoWorlds results of 2015, the IAU
// Catalog of Star Names, IAU Naming Stars, and IAU100 NameExoWorlds.
constexpr int kIauReferences[] = {4, 6, 12, 36};

// What a star's sources say of one of its names, strongest claim first.
enum NameClaim { kIauName, kCorrectedName, kPrimaryName, kFirstSkyCultureName, kAlias };

// Names the sources lack, spell otherwise or give another star. The IAU's
// as the IAU Catalog of Star Names (the WGSN's list, IAU-CSN) gives them,
// which Stellarium's list of 2022 does not yet; Nash is gamma2 Sgr's (R. H.
// Allen, Star Names, and Stellarium's list), which d3-celestial gives the
// Cepheid W Sgr beside it.
struct ListedName {
  int32_t hip;
  const char* name;
  NameClaim claim;
};
constexpr ListedName kNamesBesides[] = {{3179, "Schedar", kIauName},
                                        {69974, "Khambalia", kIauName},
                                        {74666, "Princeps", kIauName},
                                        {86670, "Girtab", kIauName},
                                        {88635, "Nash", kCorrectedName}};

struct Claim {
  NameClaim claim = kAlias;
  size_t references = 0;
  double magnitude = 99;
  int32_t hip = 0;

  auto rank() const { return std::tuple(claim, -static_cast<ptrdiff_t>(references), magnitude, hip); }
};

std::string foldedCase(std::string text) {
  for (char& c : text) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  return text;
}

bool citesIau(const SourceProperName& name) {
  return std::any_of(name.references.begin(), name.references.end(), [](int r) {
    return std::find(std::begin(kIauReferences), std::end(kIauReferences), r) != std::end(kIauReferences);
  });
}

// Each star's names in its order, with the strongest claim it has to
// each (by the name in folded case).
struct StarNames {
  std::vector<std::string> names;
  std::map<std::string, Claim> claims;

  void add(const std::string& name, Claim claim) {
    if (name.empty()) return;
    auto [at, added] = claims.emplace(foldedCase(name), claim);
    if (added) names.push_back(name);
    at->second.claim = std::min(at->second.claim, claim.claim);
    at->second.references = std::max(at->second.references, claim.references);
  }
};

}  // namespace

ConstellationRegions constellationRegionsOf(const std::vector<SourcePolyline>& boundaries) {
  ConstellationRegions regions;
  for (const SourcePolyline& ring : boundaries) {
    if (ring.points.empty()) continue;
    ConstellationRegions::Corners corners;
    for (const auto& [ra, dec] : ring.points) corners.emplace_back(ra * kRadPerDeg, dec * kRadPerDeg);
    regions.addRing(constellationNumberOf(ring.constellation, ring.points.front().first), corners);
  }
  return regions;
}

std::map<int32_t, OwnedNames> properNamesByStar(
    const std::vector<SourceStar>& stars, const std::map<int32_t, SourceStarName>& d3Names,
    const std::map<int32_t, std::vector<SourceProperName>>& skyCultureNames) {
  std::map<int32_t, double> magnitudes;
  for (const SourceStar& star : stars) magnitudes[star.hip] = star.magnitude;
  auto claim = [&](int32_t hip, NameClaim kind, size_t references) {
    auto m = magnitudes.find(hip);
    return Claim{kind, references, m == magnitudes.end() ? 99 : m->second, hip};
  };
  std::map<int32_t, StarNames> byStar;
  for (const ListedName& listed : kNamesBesides) byStar[listed.hip].add(listed.name, claim(listed.hip, listed.claim, 1));
  for (const auto& [hip, name] : d3Names) byStar[hip].add(name.name, claim(hip, kPrimaryName, 0));
  for (const auto& [hip, names] : skyCultureNames) {
    for (size_t i = 0; i < names.size(); ++i) {
      const NameClaim kind = citesIau(names[i]) ? kIauName : i == 0 ? kFirstSkyCultureName : kAlias;
      byStar[hip].add(names[i].name, claim(hip, kind, names[i].references.size()));
    }
  }
  std::map<std::string, Claim> owners;
  for (const auto& [hip, star] : byStar) {
    for (const auto& [folded, c] : star.claims) {
      auto [at, added] = owners.emplace(folded, c);
      if (!added && c.rank() < at->second.rank()) at->second = c;
    }
  }
  std::map<int32_t, OwnedNames> owned;
  for (const auto& [hip, star] : byStar) {
    for (const std::string& name : star.names) {
      const Claim& owner = owners[foldedCase(name)];
      if (owner.hip != hip) continue;
      OwnedNames& names = owned[hip];
      // The IAU's name goes first, the one labels and descriptions show.
      const bool first = owner.claim == kIauName && !names.iau;
      names.names.insert(first ? names.names.begin() : names.names.end(), name);
      names.iau = names.iau || first;
    }
  }
  return owned;
}

bool writeFile(const std::string& path, const std::string& bytes) {
  if (replaceFileContents(path, bytes)) return true;
  std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return false;
}

int colourClassOfBv(std::optional<double> bv) {
  if (!bv) return 0;
  struct Band {
    double below;
    int colourClass;
  };
  static constexpr Band kBands[] = {{-0.10, 1}, {0.15, 2}, {0.40, 0}, {0.65, 4},
                                    {0.95, 5},  {1.30, 6}, {1.60, 3}};
  for (const Band& band : kBands) {
    if (*bv < band.below) return band.colourClass;
  }
  return 7;
}

bool parseBayer(const std::string& bayer, int& greekLetter, int& superscript) {
  static constexpr std::u16string_view kGreek = u"αβγδεζηθικλμνξοπρστυφχψω";
  const std::u16string text = utf8ToUtf16(bayer);
  if (text.empty()) return false;
  const size_t letter = kGreek.find(text[0]);
  if (letter == std::u16string_view::npos) return false;
  greekLetter = static_cast<int>(letter);
  superscript = 0;
  for (size_t i = 1; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    superscript = superscript * 10 + (text[i] - u'0');
  }
  return true;
}

int constellationNumberOf(const std::string& abbreviation, double raDeg) {
  constexpr int kSerpensCaput = 75, kSerpensCauda = 76;
  if (abbreviation == "Ser") return raDeg < 17 * 15 ? kSerpensCaput : kSerpensCauda;
  for (int i = 0; i < kConstellationCount; ++i) {
    if (constellationAbbreviation(i) == abbreviation) return i;
  }
  return -1;
}

bool buildStarFiles(const StarSourcePaths& paths, const std::string& dataDirectory) {
  Sources s;
  if (!readSources(paths, s)) return false;
  std::printf("  %zu stars, %zu named, %zu with Hipparcos records, %zu proper motions, %zu cross identifications\n",
              s.stars.size(), s.names.size(), s.stellarium.size(), s.motions.size(), s.ids.size());
  return writeFile(dataDirectory + "/stars_hip.dat", mainCatalog(s)) &&
         writeFile(dataDirectory + "/star_labels.dat", starLabels(s)) &&
         writeFile(dataDirectory + "/hipparcos_data.dat", starInformation(s)) &&
         writeFile(dataDirectory + "/star_motions.dat", starMotions(s));
}

}  // namespace celvaro
