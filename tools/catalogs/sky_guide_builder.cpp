#include "sky_guide_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "aid_writers.h"
#include "catalog/catalog_file_type.h"
#include "model/chart_settings.h"
#include "platform/utf_text.h"
#include "star_files_builder.h"

namespace celvaro {
namespace {

constexpr int kUnknownMagnitude = 9999;
constexpr int kBrightNgcLimit = 800;  // hundredths

struct Showpiece {
  const char* designation;
  const char* name;
};

// Pairs for small telescopes, by their discoverer designations.
constexpr Showpiece kShowpieces[] = {
    {"STF 60", "η Cassiopeiae"},          {"STF 93", "Polaris (α UMi)"},
    {"STF 180", "Mesarthim (γ Ari)"},     {"STF 205", "Almach (γ And)"},
    {"STF 227", "ι Trianguli"},           {"STF 262", "ι Cassiopeiae"},
    {"STF 307", "η Persei"},              {"STF 333", "ε Arietis"},
    {"STF 470", "32 Eridani"},            {"STF 668", "Rigel (β Ori)"},
    {"STF 748", "Trapezium (θ¹ Ori)"},    {"STF 774", "Alnitak (ζ Ori)"},
    {"STF 900", "ε Monocerotis"},         {"STF 919", "β Monocerotis"},
    {"STF1110", "Castor (α Gem)"},        {"STF1196", "ζ Cancri"},
    {"STF1268", "ι Cancri"},              {"STF1424", "Algieba (γ Leo)"},
    {"STF1657", "24 Comae Berenices"},    {"STF1670", "Porrima (γ Vir)"},
    {"STF1692", "Cor Caroli (α CVn)"},    {"STF1744", "Mizar (ζ UMa)"},
    {"STF1877", "Izar (ε Boo)"},          {"STF1888", "ξ Bootis"},
    {"STF1938", "μ Bootis"},              {"STF1954", "δ Serpentis"},
    {"STF2010", "κ Herculis"},            {"STF2032", "σ Coronae Borealis"},
    {"STF2130", "μ Draconis"},            {"STF2140", "Rasalgethi (α Her)"},
    {"STF2161", "ρ Herculis"},            {"STF2264", "95 Herculis"},
    {"STF2272", "70 Ophiuchi"},           {"STF2383", "ε Lyrae (Double Double)"},
    {"STF2417", "θ Serpentis"},           {"STF2579", "δ Cygni"},
    {"STF2603", "ε Draconis"},            {"STF2727", "γ Delphini"},
    {"STF2758", "61 Cygni"},              {"STF2863", "ξ Cephei"},
    {"STF2909", "ζ Aquarii"},             {"STFA 35", "ν Draconis"},
    {"STFA 38", "ζ Lyrae"},               {"STFA 43", "Albireo (β Cyg)"},
    {"STFA 58", "δ Cephei"},
};

bool isMessier(int32_t id) { return (id >> 24) == kIdMessier; }
bool isNgc(int32_t id) { return (id >> 24) == kIdNgc; }

// "M 13 (Hercules Globular Cluster)", or the designation alone.
std::u16string deepskyName(const iDeepskyData& catalog, int index, int32_t id) {
  std::u16string name;
  catalog.formatDesignation(index, name, 2, false, false);
  const std::u16string designation = utf8ToUtf16(namedIdentifierText(id >> 24, id & 0xFFFFFF));
  return name.empty() ? designation : designation + u" (" + name + u")";
}

std::vector<SkyGuideRecord> deepskyEntries(iDeepskyData& catalog) {
  DeepskyIdentifierSettings namesOnly;
  namesOnly.mask = 0;
  catalog.setIdentifierSettings(namesOnly);
  std::vector<std::pair<int32_t, SkyGuideRecord>> chosen;
  for (int i = 0; i < catalog.objectCount(); ++i) {
    DeepskyObject o;
    int32_t first = 0, second = 0;
    if (!catalog.getObject(i, o) || !catalog.getPrimaryIds(i, first, second)) continue;
    const bool bright = isNgc(first) && o.magnitude < kBrightNgcLimit;
    StarPosition at;
    if (!(isMessier(first) || bright) || !catalog.findById(first >> 24, first & 0xFFFFFF, at)) continue;
    SkyGuideRecord r{deepskyDifficulty(o.magnitude, o.majorAxis), kSuggestDeepsky, "", first >> 24, first & 0xFFFFFF,
                     deepskyName(catalog, i, first)};
    chosen.emplace_back(first, std::move(r));
  }
  // Messier (kind 1) before NGC (kind 2), each by number; a number once.
  std::sort(chosen.begin(), chosen.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  chosen.erase(std::unique(chosen.begin(), chosen.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
               chosen.end());
  std::vector<SkyGuideRecord> entries;
  for (auto& [id, r] : chosen) entries.push_back(std::move(r));
  return entries;
}

// A number of the system's information, or none.
std::optional<double> infoNumber(const std::vector<StarInfoItem>& items, int field) {
  for (const StarInfoItem& item : items) {
    if (item.field == field && !item.text.empty()) return std::strtod(item.text.c_str(), nullptr);
  }
  return std::nullopt;
}

std::vector<SkyGuideRecord> doubleStarEntries(const iStarDblData& doubles) {
  std::vector<std::pair<double, SkyGuideRecord>> chosen;
  for (const Showpiece& s : kShowpieces) {
    StarPosition at;
    std::vector<StarInfoItem> items;
    if (doubles.findByDesignation(s.designation, at) != kDoubleFound || !doubles.readObjectInfo(at.index, items)) {
      std::printf("    %s (%s) is not in the double-star catalog\n", s.name, s.designation);
      continue;
    }
    const double primary = infoNumber(items, kDoubleInfoPrimary).value_or(5);
    const double companion = infoNumber(items, kDoubleInfoCompanion).value_or(primary + 2);
    const double separation = infoNumber(items, kDoubleInfoSeparation).value_or(1);
    chosen.emplace_back(at.raRad, SkyGuideRecord{doubleStarDifficulty(companion, primary, separation), kSuggestDouble,
                                                 doubleStarKey(s.designation), 0, 0, utf8ToUtf16(s.name)});
  }
  std::stable_sort(chosen.begin(), chosen.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<SkyGuideRecord> entries;
  for (auto& [ra, r] : chosen) entries.push_back(std::move(r));
  return entries;
}

void printCounts(const std::vector<SkyGuideRecord>& entries) {
  int byType[4] = {}, byDifficulty[4] = {};
  for (const SkyGuideRecord& e : entries) ++byType[e.type & 3], ++byDifficulty[e.difficulty & 3];
  std::printf("  sky_guide.dat: %zu suggestions, %d deep-sky objects and %d double stars; difficulty 0..3: %d %d %d %d\n",
              entries.size(), byType[kSuggestDeepsky], byType[kSuggestDouble], byDifficulty[0], byDifficulty[1],
              byDifficulty[2], byDifficulty[3]);
  for (size_t i : {size_t{0}, size_t{12}, size_t{41}, entries.size() - 1}) {
    if (i < entries.size()) std::printf("    %s, difficulty %d\n", utf16ToUtf8(entries[i].name).c_str(), entries[i].difficulty);
  }
}

}  // namespace

std::unique_ptr<iDeepskyData> openBuiltDeepsky(const std::string& dataDirectory) {
  auto catalog = deepskyCatalogOfType(detectCatalogFileType(dataDirectory + "/deepsky.dat"));
  if (!catalog) return nullptr;
  catalog->setDataDirectory(dataDirectory);
  catalog->setInfoFile(dataDirectory + "/deepsky_ngcicdata.dat");
  return catalog->open("deepsky.dat") == 0 ? std::move(catalog) : nullptr;
}

std::unique_ptr<iStarDblData> openBuiltDoubleStars(const std::string& dataDirectory) {
  auto doubles = doubleStarCatalogOfType(detectCatalogFileType(dataDirectory + "/doubles_d3.dat"));
  if (!doubles) return nullptr;
  doubles->setDataDirectory(dataDirectory);
  return doubles->open("doubles_d3.dat") == 0 ? std::move(doubles) : nullptr;
}

int deepskyDifficulty(int magnitudeHundredths, int majorAxisHundredthArcmin) {
  if (magnitudeHundredths >= kUnknownMagnitude) return 3;
  const double majorArcmin = majorAxisHundredthArcmin / 100.0;
  const double p = magnitudeHundredths / 100.0 + (majorArcmin > 10 ? 1.25 * std::log10(majorArcmin / 10) : 0.0);
  return p < 6 ? 0 : p < 8 ? 1 : p < 10 ? 2 : 3;
}

int doubleStarDifficulty(double companionMagnitude, double primaryMagnitude, double separationArcsec) {
  const int byPair = separationArcsec >= 10 && companionMagnitude < 7  ? 0
                     : separationArcsec >= 4 && companionMagnitude < 9 ? 1
                     : separationArcsec >= 2                           ? 2
                                                                       : 3;
  return std::min(3, byPair + (companionMagnitude - primaryMagnitude >= 4 ? 1 : 0));
}

bool buildSkyGuideFile(const std::string& dataDirectory) {
  std::unique_ptr<iDeepskyData> deepsky = openBuiltDeepsky(dataDirectory);
  std::unique_ptr<iStarDblData> doubles = openBuiltDoubleStars(dataDirectory);
  if (!deepsky || !doubles) {
    std::fprintf(stderr, "the deep-sky or double-star file of %s does not open\n", dataDirectory.c_str());
    return false;
  }
  std::vector<SkyGuideRecord> entries = deepskyEntries(*deepsky);
  for (SkyGuideRecord& r : doubleStarEntries(*doubles)) entries.push_back(std::move(r));
  printCounts(entries);
  return !entries.empty() && writeFile(dataDirectory + "/sky_guide.dat", skyGuideBytes(entries));
}

}  // namespace celvaro
