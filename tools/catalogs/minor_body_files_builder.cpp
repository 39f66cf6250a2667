#include "minor_body_files_builder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "platform/file_replace.h"
#include "sky_sources.h"

namespace celvaro {
namespace {

constexpr size_t kBrightCount = 40, kCriticalCount = 100, kDistantCount = 300, kUnusualCount = 500;

constexpr const char* kLongListHeader =
    "MINOR PLANET ELEMENTS (MPCORB one-line format)\n"
    "Built by celvaro-catalogs from the JPL Small-Body Database selection of the public sources.\n"
    "Epochs are at 0h TT; H and G are blank where the source gives no magnitude.\n"
    "\n"
    "Des'n     H     G   Epoch     M        Peri.      Node       Incl.       e            n           a"
    "        Reference                                              Readable designation\n"
    "----------------------------------------------------------------------------------------------------"
    "---------------------------------------------------------------------------------------------------\n";

using Asteroids = std::vector<SourceAsteroid>;

// Numbered objects in number order, then the others by designation.
bool catalogueOrder(const SourceAsteroid& x, const SourceAsteroid& y) {
  const AsteroidLine &a = x.elements, &b = y.elements;
  if ((a.number > 0) != (b.number > 0)) return a.number > 0;
  return a.number > 0 ? a.number < b.number : a.provisional < b.provisional;
}

bool brighter(const SourceAsteroid& x, const SourceAsteroid& y) {
  return x.elements.h.value_or(99) < y.elements.h.value_or(99);
}

// Up to `count` members chosen by `member`, the best by `better`, listed
// in catalogue order.
Asteroids chosen(const Asteroids& all, size_t count, const std::function<bool(const SourceAsteroid&)>& member,
                 const std::function<bool(const SourceAsteroid&, const SourceAsteroid&)>& better) {
  Asteroids out;
  std::copy_if(all.begin(), all.end(), std::back_inserter(out), member);
  std::stable_sort(out.begin(), out.end(), better);
  if (out.size() > count) out.resize(count);
  std::sort(out.begin(), out.end(), catalogueOrder);
  return out;
}

std::string linesOf(const Asteroids& asteroids) {
  std::string text;
  for (const SourceAsteroid& a : asteroids) {
    const std::string line = mpcorbLine(a.elements);
    if (!line.empty()) text += line + "\n";
  }
  return text;
}

bool write(const std::string& path, const std::string& text, size_t count) {
  std::printf("  %s: %zu objects\n", std::filesystem::path(path).filename().c_str(), count);
  if (replaceFileContents(path, text)) return true;
  std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return false;
}

bool writeAsteroidLists(Asteroids all, const std::string& directory) {
  std::sort(all.begin(), all.end(), catalogueOrder);
  const Asteroids bright = chosen(all, kBrightCount, [](const auto& a) { return a.elements.h && a.elements.a < 6; }, brighter);
  const Asteroids critical = chosen(
      all, kCriticalCount, [](const auto& a) { return a.elements.number > 0 && a.orbitSolution > 0; },
      [](const auto& x, const auto& y) { return x.orbitSolution < y.orbitSolution; });
  const Asteroids distant = chosen(all, kDistantCount, [](const auto& a) { return a.elements.h && a.elements.a > 5.5; }, brighter);
  const Asteroids unusual = chosen(
      all, kUnusualCount,
      [](const auto& a) { return a.elements.h && (a.nearEarth || a.elements.iDeg > 30); }, brighter);
  return write(directory + "/MPCORB.DAT", kLongListHeader + linesOf(all), all.size()) &&
         write(directory + "/Soft00Bright.txt", linesOf(bright), bright.size()) &&
         write(directory + "/Soft00CritList.txt", linesOf(critical), critical.size()) &&
         write(directory + "/Soft00Distant.txt", linesOf(distant), distant.size()) &&
         write(directory + "/Soft00Unusual.txt", linesOf(unusual), unusual.size());
}

}  // namespace

bool buildMinorBodyFiles(const MinorBodySources& sources, const std::string& dataDirectory) {
  const std::string directory = dataDirectory + "/mpc";
  std::filesystem::create_directories(directory);
  Asteroids asteroids;
  std::vector<CometLine> comets;
  if (!readSbdbAsteroids(sources.asteroids, asteroids) || !readMpcComets(sources.comets, comets)) return false;
  std::string cometText;
  for (const CometLine& c : comets) cometText += cometLine(c) + "\n";
  return writeAsteroidLists(std::move(asteroids), directory) &&
         write(directory + "/CometEls.txt", cometText, comets.size());
}

}  // namespace celvaro
