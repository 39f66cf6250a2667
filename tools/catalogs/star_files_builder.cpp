#include "star_files_builder.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <string_view>

#include "catalog/constellation_list.h"
#include "catalog/star_info_file.h"
#include "catalog_writers.h"
#include "platform/file_replace.h"
#include "platform/utf_text.h"
#include "sky_sources.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

// Zone edges of the main catalog, hundredths: coarse for the few bright
// stars, 0.1 magnitude through the naked-eye and binocular range, then 0.5.
std::vector<int32_t> mainCatalogZoneEdges() {
  std::vector<int32_t> edges = {-100, 0, 100, 200, 250};
  for (int32_t m = 260; m <= 800; m += 10) edges.push_back(m);
  for (int32_t m = 850; m <= 1400; m += 50) edges.push_back(m);
  return edges;
}

int16_t hundredths(double magnitude) { return static_cast<int16_t>(std::lround(magnitude * 100)); }

struct Sources {
  std::vector<SourceStar> stars;
  std::map<int32_t, SourceStarName> names;
  std::map<int32_t, StellariumStar> stellarium;
  std::map<int32_t, ProperMotion> motions;
  std::map<int32_t, CrossIds> ids;
};

bool readSources(const StarSourcePaths& paths, Sources& s) {
  const std::string st = paths.stellarium + "/";
  return readD3Stars(paths.d3Data + "/stars.14.json", s.stars) &&
         readD3StarNames(paths.d3Data + "/starnames.json", s.names) &&
         readStellariumStars({st + "stars_0_0v0_8.cat", st + "stars_1_0v0_8.cat", st + "stars_2_0v0_8.cat"},
                             st + "stars_hip_sp_0v0_4.cat", s.stellarium) &&
         readProperMotions(st + "hip_pm.dat", s.motions) && readCrossIds(st + "cross-id.dat", s.ids);
}

std::string mainCatalog(const Sources& s) {
  std::vector<CatalogStar> stars;
  stars.reserve(s.stars.size());
  for (const SourceStar& star : s.stars) {
    stars.push_back({star.hip, hundredths(star.magnitude), star.raDeg * kRadPerDeg, star.decDeg * kRadPerDeg,
                     static_cast<uint8_t>(colourClassOfBv(star.bv))});
  }
  return starCatalogBytes(zonedStarCatalog(std::move(stars), mainCatalogZoneEdges()));
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
    if (name.name.empty() && !hasGreek && name.flamsteed <= 0) continue;
    StarLabelRecord r;
    r.raRad = star->second->raDeg * kRadPerDeg;
    r.decRad = star->second->decDeg * kRadPerDeg;
    r.magnitude = hundredths(star->second->magnitude);
    r.flamsteed = static_cast<int16_t>(name.flamsteed > 0 ? name.flamsteed : -1);
    r.constellation = static_cast<int8_t>(constellationNumberOf(name.constellation, star->second->raDeg));
    r.greekLetter = static_cast<int8_t>(hasGreek ? greek : -1);
    r.superscript = static_cast<int8_t>(superscript);
    labels.push_back({r, name.name});
  }
  return starLabelsBytes(labels);
}

std::vector<InfoValue> infoOf(const SourceStar& star, const Sources& s) {
  std::vector<InfoValue> items = {{kInfoHipparcos, kInfoInt32, star.hip, {}},
                                  {kInfoMagnitude, kInfoHundredths, hundredths(star.magnitude), {}}};
  if (star.bv) items.push_back({kInfoColourIndex, kInfoThousandths, static_cast<int32_t>(std::lround(*star.bv * 1000)), {}});
  if (auto st = s.stellarium.find(star.hip); st != s.stellarium.end()) {
    if (!st->second.spectralType.empty()) items.push_back({kInfoSpectralType, kInfoText, 0, st->second.spectralType});
    const int32_t plx = st->second.parallaxHundredthsMas;
    if (plx > 0) {
      items.push_back({kInfoParallax, kInfoHundredths, plx, {}});
      // 3261.56 light years at a parallax of 1 mas.
      items.push_back({kInfoDistance, kInfoTenths, static_cast<int32_t>(std::lround(3261.56 * 100 / plx * 10)), {}});
    }
  }
  if (auto pm = s.motions.find(star.hip); pm != s.motions.end()) {
    items.push_back({kInfoProperMotionRa, kInfoHundredths, static_cast<int32_t>(std::lround(pm->second.raMasPerYear * 100)), {}});
    items.push_back({kInfoProperMotionDec, kInfoHundredths, static_cast<int32_t>(std::lround(pm->second.decMasPerYear * 100)), {}});
  }
  if (auto id = s.ids.find(star.hip); id != s.ids.end()) {
    if (id->second.hd > 0) items.push_back({kInfoHd, kInfoInt32, id->second.hd, {}});
    if (id->second.hr > 0) items.push_back({kInfoHr, kInfoInt32, id->second.hr, {}});
    if (id->second.sao > 0) items.push_back({kInfoSao, kInfoInt32, id->second.sao, {}});
  }
  if (auto n = s.names.find(star.hip); n != s.names.end() && !n->second.name.empty()) {
    items.push_back({kInfoProperName, kInfoText, 0, n->second.name});
  }
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

}  // namespace

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
         writeFile(dataDirectory + "/hipparcos_data.dat", starInformation(s));
}

}  // namespace celvaro
