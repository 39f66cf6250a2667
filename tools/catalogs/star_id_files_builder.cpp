#include "star_id_files_builder.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <numbers>
#include <optional>

#include "catalog/star_id_format.h"
#include "platform/number_text.h"
#include "sky_sources.h"
#include "star_files_builder.h"
#include "star_id_writers.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

struct Sources {
  std::vector<SourceStar> stars;
  std::map<int32_t, SourceStarName> d3Names;
  std::map<int32_t, std::vector<std::string>> designations;  // name.fab: "γ1_And", "22_And", "12_Cap_A"
  std::map<int32_t, OwnedNames> properNames;  // properNamesByStar
  std::map<int32_t, CrossIds> ids;
};

bool readSources(const StarIdSourcePaths& paths, Sources& s) {
  std::map<int32_t, std::vector<SourceProperName>> skyCultureNames;
  const bool read = readD3Stars(paths.d3Data + "/stars.14.json", s.stars) &&
                    readD3StarNames(paths.d3Data + "/starnames.json", s.d3Names) &&
                    readDesignationNames(paths.stellarium + "/name.fab", s.designations) &&
                    readProperNames(paths.starNames, skyCultureNames) &&
                    readCrossIds(paths.stellarium + "/cross-id.dat", s.ids);
  if (!read) return false;
  addMissingHdNumbers(s.d3Names, s.ids);
  s.properNames = properNamesByStar(s.stars, s.d3Names, skyCultureNames);
  return true;
}

// A Bayer designation (Greek letter 0..23) or a Flamsteed one (letter -1).
struct Designation {
  int constellation;
  int greekLetter = -1;
  int superscript = 0;
  int flamsteed = 0;

  bool isBayer() const { return greekLetter >= 0; }
  uint32_t key() const {
    return isBayer() ? starid::bayerKey(constellation, greekLetter, superscript)
                     : starid::flamsteedKey(constellation, flamsteed);
  }
};

// A Greek letter with its superscript ("κ1") or a Flamsteed number, in a
// constellation; none for Latin letters and unknown constellations.
std::optional<Designation> designationOf(const std::string& letterOrNumber, const std::string& abbreviation,
                                         double raDeg) {
  const int constellation = constellationNumberOf(abbreviation, raDeg);
  if (constellation < 0 || letterOrNumber.empty()) return std::nullopt;
  Designation d{constellation};
  if (std::isdigit(static_cast<unsigned char>(letterOrNumber[0]))) {
    d.flamsteed = leadingInt(letterOrNumber);
    return d.flamsteed > 0 && d.flamsteed <= 0xFFFF ? std::optional(d) : std::nullopt;
  }
  return parseBayer(letterOrNumber, d.greekLetter, d.superscript) ? std::optional(d) : std::nullopt;
}

// Stellarium's designations in its order; d3-celestial's Bayer letter or
// Flamsteed number where Stellarium has none of that kind. A designation
// of a component other than A ("α_Cen_C", Proxima) does not name the
// star by itself: it is left out, and holds back d3-celestial's letter or
// number of that kind, which is the system's.
std::vector<Designation> designationsOf(const SourceStar& star, const Sources& s) {
  std::vector<Designation> list;
  bool companionBayer = false, companionFlamsteed = false;
  if (auto it = s.designations.find(star.hip); it != s.designations.end()) {
    for (const std::string& text : it->second) {
      const size_t blank = text.find('_');
      if (blank == std::string::npos) continue;
      const size_t second = text.find('_', blank + 1);
      const std::string abbreviation = text.substr(blank + 1, second - blank - 1);
      const std::string component = second == std::string::npos ? "" : text.substr(second + 1);
      auto d = designationOf(text.substr(0, blank), abbreviation, star.raDeg);
      if (!d) continue;
      if (!component.empty() && component != "A" && std::isalpha(static_cast<unsigned char>(component[0]))) {
        (d->isBayer() ? companionBayer : companionFlamsteed) = true;
      } else {
        list.push_back(*d);
      }
    }
  }
  auto it = s.d3Names.find(star.hip);
  if (it == s.d3Names.end()) return list;
  const SourceStarName& d3 = it->second;
  const bool hasBayer =
      companionBayer || std::any_of(list.begin(), list.end(), [](const Designation& d) { return d.isBayer(); });
  const bool hasFlamsteed =
      companionFlamsteed || std::any_of(list.begin(), list.end(), [](const Designation& d) { return !d.isBayer(); });
  if (auto d = designationOf(d3.bayer, d3.constellation, star.raDeg); d && !hasBayer) list.push_back(*d);
  if (!hasFlamsteed && d3.flamsteed > 0) {
    if (auto d = designationOf(std::to_string(d3.flamsteed), d3.constellation, star.raDeg)) list.push_back(*d);
  }
  return list;
}

// The record shows the first Bayer designation and the first Flamsteed
// number in the same constellation.
StarIdRecord recordOf(const SourceStar& star, const std::vector<Designation>& designations, const Sources& s) {
  StarIdRecord r;
  r.hipparcos = star.hip;
  if (auto id = s.ids.find(star.hip); id != s.ids.end()) {
    r.hd = id->second.hd;
    r.hr = id->second.hr;
    r.sao = id->second.sao;
  }
  r.raRad = star.raDeg * kRadPerDeg;
  r.decRad = star.decDeg * kRadPerDeg;
  const auto bayer = std::find_if(designations.begin(), designations.end(), [](const Designation& d) { return d.isBayer(); });
  const auto flamsteed = std::find_if(designations.begin(), designations.end(), [&](const Designation& d) {
    return !d.isBayer() && (bayer == designations.end() || d.constellation == bayer->constellation);
  });
  if (bayer != designations.end()) {
    r.constellation = static_cast<int8_t>(bayer->constellation);
    r.greekLetter = static_cast<uint8_t>(bayer->greekLetter);
    r.superscript = static_cast<uint8_t>(bayer->superscript);
  }
  if (flamsteed != designations.end()) {
    r.constellation = static_cast<int8_t>(flamsteed->constellation);
    r.flamsteed = flamsteed->flamsteed;
  }
  return r;
}

// In key order, the brighter star first under the same key.
void sortKeys(std::vector<StarIdKey>& keys) {
  std::stable_sort(keys.begin(), keys.end(), [](const StarIdKey& a, const StarIdKey& b) { return a.key < b.key; });
  keys.erase(std::unique(keys.begin(), keys.end(),
                         [](const StarIdKey& a, const StarIdKey& b) { return a.key == b.key && a.record == b.record; }),
             keys.end());
}

// Records brightest first, so that a short name prefix finds the most
// prominent star and a number held twice leads to the brighter one.
StarIdContents contentsOf(const Sources& s) {
  std::vector<const SourceStar*> stars;
  for (const SourceStar& star : s.stars) stars.push_back(&star);
  std::stable_sort(stars.begin(), stars.end(),
                   [](const SourceStar* a, const SourceStar* b) { return a->magnitude < b->magnitude; });
  StarIdContents c;
  for (const SourceStar* star : stars) {
    const int32_t record = static_cast<int32_t>(c.records.size());
    const std::vector<Designation> designations = designationsOf(*star, s);
    c.records.push_back(recordOf(*star, designations, s));
    if (auto names = s.properNames.find(star->hip); names != s.properNames.end()) {
      for (const std::string& name : names->second.names) c.names.push_back({name, record});
    }
    for (const Designation& d : designations) (d.isBayer() ? c.bayer : c.flamsteed).push_back({d.key(), record});
  }
  sortKeys(c.bayer);
  sortKeys(c.flamsteed);
  return c;
}

void printCounts(const StarIdContents& c) {
  auto count = [&](int32_t StarIdRecord::*field) {
    return std::count_if(c.records.begin(), c.records.end(), [&](const StarIdRecord& r) { return r.*field > 0; });
  };
  std::printf("  %zu records, %zu names, %zu Bayer and %zu Flamsteed designations; %td HD, %td HR, %td SAO numbers\n",
              c.records.size(), c.names.size(), c.bayer.size(), c.flamsteed.size(), count(&StarIdRecord::hd),
              count(&StarIdRecord::hr), count(&StarIdRecord::sao));
}

}  // namespace

bool buildStarIdFiles(const StarIdSourcePaths& paths, const std::string& dataDirectory) {
  Sources s;
  if (!readSources(paths, s)) return false;
  const StarIdContents contents = contentsOf(s);
  printCounts(contents);
  const std::string bytes = starIdBytes(contents);
  if (bytes.empty()) {
    std::fprintf(stderr, "the star names do not fit the star identification file\n");
    return false;
  }
  return writeFile(dataDirectory + "/starid.dat", bytes) &&
         writeFile(dataDirectory + "/starid_tycho.dat", starIdTychoBytes({}));
}

}  // namespace celvaro
