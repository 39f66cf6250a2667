#include "deepsky_files_builder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <optional>

#include "catalog/deepsky_info_file.h"
#include "deepsky_sources.h"
#include "deepsky_writers.h"
#include "platform/binary_file.h"
#include "platform/utf_text.h"
#include "star_files_builder.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

// The shared types this catalog uses (see the header).
constexpr int kOtherNebula = 12, kStarGroup = 14;

// The type of each of the source's kinds (kDeepskyKindNames names them),
// by the source's kind number; later numbers count as unknown.
constexpr int kTypeOfKind[] = {
    kGalaxy,  // galaxy
    kGalaxy,  // active galaxy
    kGalaxy,  // radio galaxy
    kGalaxy,  // interacting galaxy
    kQuasar,  // quasar
    kOpenCluster,  // star cluster
    kOpenCluster,  // open star cluster
    kGlobularCluster,  // globular star cluster
    kStarGroup,  // stellar association
    kStarGroup,  // star cloud
    kBrightNebula,  // nebula
    kPlanetaryNebula,  // planetary nebula
    kDarkNebula,  // dark nebula
    kOtherNebula,  // reflection nebula
    kOtherNebula,  // bipolar nebula
    kBrightNebula,  // emission nebula
    kClusterWithNebula,  // cluster with nebulosity
    kBrightNebula,  // HII region
    kSupernovaRemnant,  // supernova remnant
    kOtherNebula,  // interstellar matter
    kBrightNebula,  // emission object
    kQuasar,  // BL Lacertae object
    kQuasar,  // blazar
    kDarkNebula,  // molecular cloud
    kOtherNebula,  // young stellar object
    kQuasar,  // possible quasar
    kPlanetaryNebula,  // possible planetary nebula
    kPlanetaryNebula,  // protoplanetary nebula
    kAsterism,  // star
    kAsterism,  // symbiotic star
    kAsterism,  // emission-line star
    kSupernovaRemnant,  // supernova candidate
    kSupernovaRemnant,  // supernova remnant candidate
    kGalaxyCluster,  // cluster of galaxies
    kGalaxy,  // part of a galaxy
    kStarGroup,  // region of the sky
    0,  // unknown
};
static_assert(std::size(kTypeOfKind) == kDeepskyKindCount);
constexpr int kUnknownKind = kDeepskyKindCount - 1;

constexpr double kUnknownProminence = 14;
constexpr int kMessierLevel = 2, kCaldwellLevel = 3, kFaintestLevel = 10;
// Four lists of every named object fill the 2000 entries of the name index.
constexpr size_t kMaxNamed = 500;

// Declination bands of 30 degrees, south to north, and their parts in
// right ascension.
struct Band {
  double dec1Deg, dec2Deg;
  int parts;
};
constexpr Band kBands[] = {{-90, -60, 16}, {-60, -30, 16}, {-30, 0, 6}, {0, 30, 6}, {30, 60, 16}, {60, 90, 16}};

struct BuiltObject {
  const SourceDso* source;
  int kind;  // the source's kind number, kUnknownKind for any later one
  int type;  // DeepskyType
  std::optional<double> magnitude;
  double prominence;
  int level;
  bool catalogued;   // in one of kKeptCatalogues, or lost a borrowed number
  std::string name;  // English, may be empty
  bool named = false;
  int region = 0;
};

// The catalogues whose every object the catalog holds, so that each of
// their numbers can be looked for.
constexpr std::string_view kKeptCatalogues[] = {"NGC", "IC", "M", "C", "B", "Sh2", "Cr", "Mel"};
// An object listed twice lies within this of itself.
constexpr double kSamePlaceRad = kRadPerDeg / 60;

uint32_t numberIn(const SourceDso& d, std::string_view catalogue) {
  for (const SourceDesignation& s : d.designations) {
    if (s.catalogue == catalogue) return static_cast<uint32_t>(std::stoul(s.number));
  }
  return 0;
}

std::optional<double> magnitudeOf(const SourceDso& d, int type) {
  if (type == kDarkNebula) return std::nullopt;  // opacity classes, not magnitudes
  if (d.vMag < 90) return d.vMag;
  if (d.bMag < 90) return d.bMag;
  return std::nullopt;
}

double prominenceOf(std::optional<double> magnitude, double majorArcmin) {
  const double size = majorArcmin > 10 ? std::min(3.0, 2.5 * std::log10(majorArcmin / 10)) : 0.0;
  return magnitude.value_or(kUnknownProminence) - size;
}

int levelOf(const BuiltObject& o) {
  if (o.type == 0) return kFaintestLevel;
  int level = static_cast<int>(std::count_if(kDeepskyLevelEdges.begin(), kDeepskyLevelEdges.end(),
                                             [&](double edge) { return o.prominence > edge; }));
  if (numberIn(*o.source, "M")) level = std::min(level, kMessierLevel);
  if (numberIn(*o.source, "C")) level = std::min(level, kCaldwellLevel);
  return level;
}

int regionOf(double raRad, double decRad) {
  int first = 0;
  for (const Band& band : kBands) {
    if (decRad <= band.dec2Deg * kRadPerDeg || band.dec2Deg == 90) {
      const int part = static_cast<int>(raRad / (2 * std::numbers::pi) * band.parts);
      return first + std::clamp(part, 0, band.parts - 1);
    }
    first += band.parts;
  }
  return first - 1;
}

std::vector<SkyRegion> regionBoxes() {
  std::vector<SkyRegion> boxes;
  for (const Band& band : kBands) {
    const double width = 2 * std::numbers::pi / band.parts;
    for (int p = 0; p < band.parts; ++p) {
      boxes.push_back({0, 0, p * width, (p + 1) * width, band.dec1Deg * kRadPerDeg, band.dec2Deg * kRadPerDeg});
    }
  }
  return boxes;
}

double separationRad(const SourceDso& a, const SourceDso& b) {
  const double cosine = std::sin(a.decRad) * std::sin(b.decRad) +
                        std::cos(a.decRad) * std::cos(b.decRad) * std::cos(a.raRad - b.raRad);
  return std::acos(std::clamp(cosine, -1.0, 1.0));
}

// The source gives an NGC or IC object with a letter (NGC 4486A beside
// M 87, NGC 4486) the number without the letter, and does not say which
// letter. Such an object, a later one holding an earlier one's number at
// another place, goes without that number rather than pass for the other;
// true for each object that lost one.
std::vector<bool> dropBorrowedNumbers(std::vector<SourceDso>& dsos) {
  std::map<std::string, const SourceDso*> holders;
  std::vector<bool> dropped;
  for (SourceDso& d : dsos) {
    dropped.push_back(std::erase_if(d.designations, [&](const SourceDesignation& s) {
      if (s.catalogue != "NGC" && s.catalogue != "IC") return false;
      const auto [holder, first] = holders.try_emplace(designationKey(s.catalogue, s.number), &d);
      return !first && separationRad(*holder->second, d) > kSamePlaceRad;
    }) > 0);
  }
  return dropped;
}

// Each object's common name: of the names given for any of its
// designations the one most sources cite, then the one marked well known,
// then the first. A name given to several objects ("Bode's Nebula", M 81
// and M 82) is the common name only of the one most sources give it to.
std::vector<std::string> commonNames(const std::vector<SourceDso>& dsos, const std::vector<SourceDsoName>& names) {
  std::map<std::string, size_t> byKey;
  for (size_t i = 0; i < dsos.size(); ++i) {
    byKey.try_emplace(designationKey("", std::to_string(dsos[i].id)), i);
    for (const SourceDesignation& d : dsos[i].designations) {
      byKey.try_emplace(designationKey(d.catalogue, d.number), i);
    }
  }
  std::map<std::string, std::pair<int, size_t>> owners;  // sources and object by name
  for (const SourceDsoName& n : names) {
    auto at = byKey.find(n.key);
    if (at == byKey.end()) continue;
    auto owner = owners.try_emplace(n.name, n.sources, at->second).first;
    if (n.sources > owner->second.first) owner->second = {n.sources, at->second};
  }
  std::vector<const SourceDsoName*> best(dsos.size(), nullptr);
  for (const SourceDsoName& n : names) {
    auto at = byKey.find(n.key);
    if (at == byKey.end() || owners[n.name].second != at->second) continue;
    const SourceDsoName*& chosen = best[at->second];
    if (!chosen || std::pair(n.sources, n.wellKnown) > std::pair(chosen->sources, chosen->wellKnown)) chosen = &n;
  }
  std::vector<std::string> common(dsos.size());
  for (size_t i = 0; i < dsos.size(); ++i) common[i] = best[i] ? best[i]->name : "";
  return common;
}

// The catalogued objects (those that lost a borrowed number among them)
// and the named ones in the source's order, the best known named ones
// marked to carry their names.
std::vector<BuiltObject> chooseObjects(const std::vector<SourceDso>& dsos, const std::vector<bool>& borrowed,
                                       const std::vector<std::string>& names) {
  std::vector<BuiltObject> objects;
  for (size_t i = 0; i < dsos.size(); ++i) {
    const SourceDso& d = dsos[i];
    const bool catalogued = borrowed[i] || std::any_of(std::begin(kKeptCatalogues), std::end(kKeptCatalogues),
                                        [&](std::string_view catalogue) { return numberIn(d, catalogue) != 0; });
    if (!catalogued && names[i].empty()) continue;
    const int kind = static_cast<int>(std::min<uint32_t>(d.type, kUnknownKind));
    BuiltObject o{&d, kind, kTypeOfKind[kind], {}, 0, 0, catalogued, names[i]};
    o.magnitude = magnitudeOf(d, o.type);
    o.prominence = prominenceOf(o.magnitude, d.majorDeg * 60);
    o.level = levelOf(o);
    objects.push_back(std::move(o));
  }
  std::vector<BuiltObject*> withNames;
  for (BuiltObject& o : objects) {
    if (!o.name.empty()) withNames.push_back(&o);
  }
  std::stable_sort(withNames.begin(), withNames.end(), [](const BuiltObject* a, const BuiltObject* b) {
    return a->level != b->level ? a->level < b->level : a->prominence < b->prominence;
  });
  for (size_t i = 0; i < withNames.size() && i < kMaxNamed; ++i) withNames[i]->named = true;
  std::erase_if(objects, [](const BuiltObject& o) { return !o.catalogued && !o.named; });
  return objects;
}

std::string otherDesignation(const SourceDesignation& d) {
  if (d.catalogue == "Sh2") return "Sh2-" + d.number;
  if (d.catalogue == "SNRG") return "SNR G" + d.number;
  return d.catalogue + " " + d.number;
}

std::vector<DeepskyId> identifiersOf(const SourceDso& d) {
  static constexpr std::pair<int, const char*> kCoded[] = {
      {kIdMessier, "M"}, {kIdNgc, "NGC"}, {kIdIc, "IC"}, {kIdUgc, "UGC"}, {kIdPgc, "PGC"}};
  std::vector<DeepskyId> ids;
  for (auto [code, catalogue] : kCoded) {
    if (const uint32_t n = numberIn(d, catalogue)) ids.push_back({code, n});
  }
  for (const SourceDesignation& s : d.designations) {
    const bool coded =
        std::any_of(std::begin(kCoded), std::end(kCoded), [&](const auto& c) { return s.catalogue == c.second; });
    if (!coded) ids.push_back({kIdOther, 0, otherDesignation(s)});
  }
  return ids;
}

DeepskyObject recordOf(const BuiltObject& o) {
  const SourceDso& d = *o.source;
  DeepskyObject r;
  r.type = static_cast<uint16_t>(o.type);
  r.level = static_cast<uint16_t>(o.level);
  r.magnitude = o.magnitude ? static_cast<int16_t>(std::lround(*o.magnitude * 100)) : kUnknownDeepskyMagnitude;
  r.raRad = std::fmod(d.raRad + 2 * std::numbers::pi, 2 * std::numbers::pi);
  r.decRad = d.decRad;
  r.majorAxis = static_cast<int32_t>(std::lround(d.majorDeg * 6000));
  r.minorAxis = static_cast<int32_t>(std::lround(d.minorDeg * 6000));
  r.positionAngle = static_cast<uint16_t>((d.positionAngleDeg % 360 + 360) % 360);
  return r;
}

using Translations = std::array<std::map<std::string, std::u16string>, 4>;  // by language 1..4; English empty

// A translation as the name of an object: without the blanks some
// translators left around it, and without the parentheses round the
// whole that mark a description rather than a name (the German of names.dat's
// "Second Closest Planetary", Sh2-216, is "(zweitnächster Planetarischer
// Nebel)"), which sorted it before every name of the list.
std::u16string nameOfTranslation(std::u16string_view text) {
  auto blank = [](char16_t c) { return c == u' ' || c == u'\u00A0'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (text.size() > 2 && text.front() == u'(' && text.back() == u')' &&
      text.find_first_of(u"()", 1) == text.size() - 1) {
    return nameOfTranslation(text.substr(1, text.size() - 2));
  }
  return std::u16string(text);
}

CatalogNamedObject namedOf(int32_t objectNumber, const BuiltObject& o, const std::vector<DeepskyId>& ids,
                           const Translations& translations) {
  CatalogNamedObject n;
  n.record.object = objectNumber;
  std::vector<const DeepskyId*> primary;
  for (const DeepskyId& id : ids) {
    if (id.code >= kIdMessier && id.code <= kIdIc) primary.push_back(&id);
  }
  if (primary.size() > 0) {
    n.record.firstCode = primary[0]->code;
    n.record.firstNumber = static_cast<int32_t>(primary[0]->value);
  }
  if (primary.size() > 1) {
    n.record.secondCode = primary[1]->code;
    n.record.secondNumber = static_cast<int32_t>(primary[1]->value);
  }
  for (int l = 0; l < 4; ++l) {
    auto at = translations[l].find(o.name);
    if (at != translations[l].end()) n.names[l] = nameOfTranslation(at->second);
  }
  n.names[1] = utf8ToUtf16(o.name);
  return n;
}

// Sorts the objects into their regions and writes the catalog.
DeepskyCatalogContents catalogOf(std::vector<BuiltObject> objects, const Translations& translations) {
  for (BuiltObject& o : objects) o.region = regionOf(recordOf(o).raRad, o.source->decRad);
  std::stable_sort(objects.begin(), objects.end(), [](const BuiltObject& a, const BuiltObject& b) {
    if (a.region != b.region) return a.region < b.region;
    if (a.level != b.level) return a.level < b.level;
    return a.magnitude.value_or(99) < b.magnitude.value_or(99);
  });
  DeepskyCatalogContents c;
  c.regions = regionBoxes();
  for (const BuiltObject& o : objects) {
    const int32_t number = static_cast<int32_t>(c.objects.size());
    std::vector<DeepskyId> ids = identifiersOf(*o.source);
    if (o.named) {
      c.named.push_back(namedOf(number, o, ids, translations));
      ids.push_back({kIdName, static_cast<uint32_t>(c.named.size() - 1)});
    }
    c.objects.push_back({recordOf(o), std::move(ids)});
    SkyRegion& region = c.regions[o.region];
    if (region.count++ == 0) region.first = number;
  }
  for (int l = 1; l <= 4; ++l) c.nameLists[l - 1] = deepskyNameOrder(c.named, l);
  return c;
}

std::vector<InfoValue> infoOf(const BuiltObject& o) {
  const SourceDso& d = *o.source;
  std::vector<InfoValue> items;
  auto number = [&](uint8_t field, const char* catalogue) {
    if (const uint32_t n = numberIn(d, catalogue)) items.push_back({field, kInfoInt32, static_cast<int32_t>(n), {}});
  };
  auto scaled = [&](uint8_t field, uint8_t type, double value, double scale) {
    items.push_back({field, type, static_cast<int32_t>(std::lround(value * scale)), {}});
  };
  auto text = [&](uint8_t field, const std::string& value) {
    if (!value.empty()) items.push_back({field, kInfoText, 0, value});
  };
  number(kDeepskyInfoNgc, "NGC");
  number(kDeepskyInfoIc, "IC");
  number(kDeepskyInfoMessier, "M");
  number(kDeepskyInfoCaldwell, "C");
  text(kDeepskyInfoType, kDeepskyKindNames[o.kind]);
  const bool magnitudes = o.type != kDarkNebula;
  if (magnitudes && d.bMag < 90) scaled(kDeepskyInfoBlueMagnitude, kInfoHundredths, d.bMag, 100);
  if (magnitudes && d.vMag < 90) scaled(kDeepskyInfoVisualMagnitude, kInfoHundredths, d.vMag, 100);
  if (d.majorDeg > 0) scaled(kDeepskyInfoMajorAxis, kInfoHundredths, d.majorDeg * 60, 100);
  if (d.minorDeg > 0) scaled(kDeepskyInfoMinorAxis, kInfoHundredths, d.minorDeg * 60, 100);
  if (d.minorDeg > 0 && d.minorDeg < d.majorDeg) {
    items.push_back({kDeepskyInfoPositionAngle, kInfoWord, recordOf(o).positionAngle, {}});
  }
  text(kDeepskyInfoMorphology, d.morphology);
  // 3.26156 light years to the parsec.
  if (d.distanceKpc > 0) scaled(kDeepskyInfoDistance, kInfoTenths, d.distanceKpc * 3.26156, 10);
  if (d.redshift < 90) scaled(kDeepskyInfoRedshift, kInfoTenThousandths, d.redshift, 10000);
  number(kDeepskyInfoPgc, "PGC");
  number(kDeepskyInfoUgc, "UGC");
  std::string others;
  for (const DeepskyId& id : identifiersOf(d)) {
    if (id.code == kIdOther) others += (others.empty() ? "" : ", ") + id.text;
  }
  text(kDeepskyInfoOtherIds, others);
  text(kDeepskyInfoName, o.name);
  return items;
}

std::string informationFile(const std::vector<BuiltObject>& objects) {
  std::map<int32_t, std::vector<InfoValue>> ngc, ic;
  int32_t ngcEntries = DeepskyInfoFile::kMinEntries, icEntries = DeepskyInfoFile::kMinEntries;
  for (const BuiltObject& o : objects) {
    if (const uint32_t n = numberIn(*o.source, "NGC")) {
      ngc.try_emplace(static_cast<int32_t>(n), infoOf(o));
      ngcEntries = std::max(ngcEntries, static_cast<int32_t>(n) + 1);
    } else if (const uint32_t i = numberIn(*o.source, "IC")) {
      ic.try_emplace(static_cast<int32_t>(i), infoOf(o));
      icEntries = std::max(icEntries, static_cast<int32_t>(i) + 1);
    }
  }
  std::printf("  information: %zu NGC and %zu IC entries with facts\n", ngc.size(), ic.size());
  return deepskyInfoBytes(ngc, ngcEntries, ic, icEntries);
}

// Names the sky-culture translations misprint, mended as they are read:
// the English name, the language (1..4) and the name as it is written.
struct MendedName {
  const char* english;
  int language;
  const char16_t* name;
};
constexpr MendedName kMendedNames[] = {
    {"Elephant's Trunk Nebula", 1, u"Elefántormány-köd"},  // "Eelefánt törzse köd"
};

bool readTranslations(const std::string& directory, Translations& translations) {
  static constexpr const char* kFiles[4] = {"hu.qm", nullptr, "de.qm", "ro.qm"};
  for (int l = 0; l < 4; ++l) {
    if (kFiles[l] && !readQmTranslations(directory + "/" + kFiles[l], translations[l])) return false;
  }
  for (const MendedName& m : kMendedNames) {
    auto at = translations[m.language - 1].find(m.english);
    if (at != translations[m.language - 1].end()) at->second = m.name;
  }
  return true;
}

void printCounts(const DeepskyCatalogContents& c, const std::vector<BuiltObject>& objects) {
  int ngc = 0, ic = 0, messier = 0, levels[kFaintestLevel + 1] = {}, types[kDeepskyTypeSlots] = {};
  for (const BuiltObject& o : objects) {
    ngc += numberIn(*o.source, "NGC") != 0;
    ic += numberIn(*o.source, "IC") != 0;
    messier += numberIn(*o.source, "M") != 0;
    ++levels[o.level];
    ++types[o.type];
  }
  int translated[4] = {};
  for (const CatalogNamedObject& n : c.named) {
    for (int l = 0; l < 4; ++l) translated[l] += !n.names[l].empty();
  }
  std::printf("  %zu objects (%d NGC, %d IC, %d Messier) in %zu regions; %zu named: %d in Hungarian, %d in German, "
              "%d in Romanian\n",
              objects.size(), ngc, ic, messier, c.regions.size(), c.named.size(), translated[0], translated[2],
              translated[3]);
  std::printf("  objects by level:");
  for (int l = 0, total = 0; l <= kFaintestLevel; ++l) std::printf(" %d:%d(%d)", l, levels[l], total += levels[l]);
  std::printf("\n  objects by type:");
  for (int t = 0; t < kDeepskyTypeSlots; ++t) {
    if (types[t]) std::printf(" %d:%d", t, types[t]);
  }
  std::printf("\n");
}

// The limits of the CLV_DSCN header that the sources could exceed.
bool withinLimits(const std::string& bytes) {
  const auto word = [&](size_t at) {
    return static_cast<int32_t>(loadU32(reinterpret_cast<const uint8_t*>(&bytes[at])));
  };
  std::printf("  %d identifier words, %d bytes of other designations, %d name units\n", word(52), word(56), word(36));
  const bool ok = word(44) <= 100000 && word(52) <= 400000 && word(56) <= 100000;
  if (!ok) std::fprintf(stderr, "the deep-sky catalog exceeds the limits of its file format\n");
  return ok;
}

}  // namespace

bool buildDeepskyFiles(const DeepskySourcePaths& sources, const std::string& dataDirectory) {
  std::vector<SourceDso> dsos;
  std::vector<SourceDsoName> names;
  Translations translations;
  if (!readStellariumDsos(sources.catalog, dsos) || !readStellariumDsoNames(sources.names, names) ||
      !readTranslations(sources.translations, translations)) {
    return false;
  }
  const std::vector<bool> borrowed = dropBorrowedNumbers(dsos);
  std::printf("  %zu source objects, %zu names; translations: %zu Hungarian, %zu German, %zu Romanian\n",
              dsos.size(), names.size(), translations[0].size(), translations[2].size(), translations[3].size());
  const std::vector<BuiltObject> objects = chooseObjects(dsos, borrowed, commonNames(dsos, names));
  const DeepskyCatalogContents catalog = catalogOf(objects, translations);
  printCounts(catalog, objects);
  const std::string bytes = deepskyCatalogBytes(catalog);
  return withinLimits(bytes) && writeFile(dataDirectory + "/deepsky.dat", bytes) &&
         writeFile(dataDirectory + "/deepsky_ngcicdata.dat", informationFile(objects));
}

}  // namespace celvaro
