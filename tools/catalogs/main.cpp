// celvaro-catalogs: builds the data files of the program directory from
// the public catalog sources, then reads every file back with the
// program's own readers and reports what they hold.
//
//   celvaro-catalogs --data DIR [--cache DIR] [--if-missing]
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "aids/city_list.h"
#include "app/program_info.h"
#include "aids/star_hop_guides.h"
#include "astro/constellation_list.h"
#include "catalog/catalog_file_type.h"
#include "catalog/constellation_names.h"
#include "catalog/deepsky_data.h"
#include "catalog/deepsky_info_file.h"
#include "catalog/double_star_data.h"
#include "catalog/milky_way.h"
#include "catalog/sky_polylines.h"
#include "catalog/star_data_simple.h"
#include "catalog/star_id_database.h"
#include "catalog/star_info_file.h"
#include "catalog/star_labels.h"
#include "catalog/variable_star_data.h"
#include "city_file_builder.h"
#include "common_names_builder.h"
#include "constellation_files_builder.h"
#include "constellation_names_builder.h"
#include "deep_star_files_builder.h"
#include "deepsky_files_builder.h"
#include "double_variable_files_builder.h"
#include "mark_links_builder.h"
#include "milky_way_builder.h"
#include "minor_body_files_builder.h"
#include "output/bitmap24.h"
#include "photo_files_builder.h"
#include "platform/utf_text.h"
#include "sky_guide_builder.h"
#include "solarsystem/comet_list.h"
#include "solarsystem/minor_planet_list.h"
#include "source_cache.h"
#include "star_files_builder.h"
#include "star_hop_builder.h"
#include "star_id_files_builder.h"

namespace {

using namespace celvaro;
namespace fs = std::filesystem;

// Changes whenever the builder writes different files, so that older data
// are rebuilt.
constexpr const char* kDataVersion = "celvaro-data 19";
constexpr const char* kStampName = ".built";

constexpr char kUsage[] =
    "usage: celvaro-catalogs --data DIR [--cache DIR] [--if-missing]\n"
    "  --data DIR      where the catalog data are written (a program directory's data/)\n"
    "  --cache DIR     where the downloaded sources are kept\n"
    "  --if-missing    do nothing when the data of this version are there already\n"
    "  --help          this text\n"
    "  --version       the program's version\n";

struct Options {
  std::string data;
  std::string cache = SourceCache::defaultDirectory();
  bool ifMissing = false;
};

bool parseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--data" && i + 1 < argc) options.data = argv[++i];
    else if (arg == "--cache" && i + 1 < argc) options.cache = argv[++i];
    else if (arg == "--if-missing") options.ifMissing = true;
    else {
      std::fprintf(stderr, "celvaro-catalogs: unknown option %s\n", arg.c_str());
      return false;
    }
  }
  if (options.data.empty()) std::fprintf(stderr, "celvaro-catalogs: --data DIR is required\n");
  return !options.data.empty();
}

bool isBuilt(const std::string& data) {
  std::ifstream in(data + "/" + kStampName);
  std::string version;
  std::getline(in, version);
  return version == kDataVersion;
}

bool step(const char* title, const std::function<bool()>& work) {
  std::printf("%s\n", title);
  std::fflush(stdout);
  const auto start = std::chrono::steady_clock::now();
  const bool ok = work();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("  %s (%.1f s)\n", ok ? "done" : "FAILED", seconds);
  return ok;
}

// Says which sources could not be fetched; true when none is missing.
bool sayMissing(const std::vector<std::pair<std::string, const char*>>& sources) {
  bool complete = true;
  for (const auto& [place, name] : sources) {
    if (!place.empty()) continue;
    if (complete) std::printf("  still needed:\n");
    std::printf("    %s\n", name);
    complete = false;
  }
  return complete;
}

bool verifyMinorBodies(const std::string& data) {
  bool ok = true;
  for (const char* name : {"MPCORB.DAT", "Soft00Bright.txt", "Soft00CritList.txt", "Soft00Distant.txt", "Soft00Unusual.txt"}) {
    MinorPlanetList list(MinorPlanetList::kLongCapacity, data + "/mpc/" + name);
    const int result = list.load();
    int valid = 0;
    for (int k = 0; k < list.count(); ++k) valid += list.element(k).valid;
    std::printf("  mpc/%s: %d objects, %d with orbits\n", name, list.count(), valid);
    ok = ok && result == 0 && list.count() > 0 && valid == list.count();
  }
  CometList comets;
  const int result = comets.load(data + "/mpc/CometEls.txt");
  std::printf("  mpc/CometEls.txt: %d comets\n", comets.count());
  return ok && result == 0 && comets.count() > 0;
}

// Mizar's and Albireo's systems, Mira and delta Cephei, found by designation.
bool verifyDoubleAndVariableStars(const std::string& data) {
  constexpr double kDegPerRad = 180 / std::numbers::pi;
  auto doubles = doubleStarCatalogOfType(detectCatalogFileType(data + "/doubles_d3.dat"));
  auto variables = variableStarCatalogOfType(detectCatalogFileType(data + "/variables.dat"));
  if (!doubles || !variables) return false;
  doubles->setDataDirectory(data);
  variables->setDataDirectory(data);
  bool ok = doubles->open("doubles_d3.dat") == 0 && variables->open("variables.dat") == 0;
  std::printf("  doubles_d3.dat: %d systems; variables.dat: %d stars\n", doubles->count(), variables->count());
  for (const char* designation : {"STF1744", "STFA 43"}) {
    StarPosition at;
    std::string label;
    std::vector<StarInfoItem> items;
    const bool found = doubles->findByDesignation(designation, at) == kDoubleFound;
    doubles->getDesignation(at.index, label);
    std::printf("    %s: %s at %.3f %+.3f degrees\n", designation, found ? label.c_str() : "missing",
                at.raRad * kDegPerRad, at.decRad * kDegPerRad);
    ok = ok && found && doubles->readObjectInfo(at.index, items);
    for (const StarInfoItem& item : items) {
      std::printf("      %-26s %s\n", doubleStarInfoCaption(item.field).english, item.text.c_str());
    }
  }
  for (const char* designation : {"omi Cet", "del Cep"}) {
    StarPosition at;
    std::string text;
    const bool found = variables->findByDesignation(designation, at);
    variables->getDesignation(at.index, text);
    std::printf("    %s: %s\n", designation, found ? text.c_str() : "missing");
    ok = ok && found;
  }
  return ok;
}

// M 13, M 42, M 57 and M 31 found by designation, with M 31's labels in
// the four languages and its facts.
bool verifyDeepsky(const std::string& data) {
  constexpr double kDegPerRad = 180 / std::numbers::pi;
  auto catalog = deepskyCatalogOfType(detectCatalogFileType(data + "/deepsky.dat"));
  if (!catalog) return false;
  catalog->setDataDirectory(data);
  catalog->setInfoFile(data + "/deepsky_ngcicdata.dat");
  bool ok = catalog->open("deepsky.dat") == 0;
  std::printf("  deepsky.dat: %d objects\n", catalog->objectCount());
  StarPosition at;
  for (const char* designation : {"M 13", "M 42", "M 57", "M 31"}) {
    std::u16string label;
    const bool found = catalog->findByDesignation(designation, at);
    catalog->formatDesignation(at.index, label, 2, true, true);
    std::printf("    %s: %s at %.3f %+.3f degrees\n", designation, found ? utf16ToUtf8(label).c_str() : "missing",
                at.raRad * kDegPerRad, at.decRad * kDegPerRad);
    ok = ok && found;
  }
  for (int language : {1, 3, 4}) {
    std::u16string label;
    catalog->formatDesignation(at.index, label, language, false, false);
    std::printf("      language %d: %s\n", language, utf16ToUtf8(label).c_str());
  }
  std::vector<StarInfoItem> items;
  ok = ok && catalog->readObjectInfo(at.index, items);
  for (const StarInfoItem& item : items) {
    std::printf("      %-32s %s\n", deepskyInfoCaption(item.field).english, item.text.c_str());
  }
  return ok;
}

// Monoceros and Serpens Caput in the three languages with names of their own.
bool verifyConstellationNames(const std::string& data) {
  ConstellationNames names;
  const bool ok = names.load(data + "/constellation_names.txt") == ConstellationNames::kLoaded;
  std::printf("  constellation_names.txt: %s\n", ok ? "read" : "damaged");
  for (int number : {54, 75}) {
    std::printf("    %s:", shownConstellationName(number).c_str());
    for (int language : ConstellationNames::kLanguages) std::printf(" %s;", names.name(number, language).c_str());
    std::printf("\n");
  }
  return ok;
}

// Vega by the start of its name, its HD number and its Bayer letter, and
// Sirius by "sir", with their information texts.
bool verifyStarIds(const std::string& data) {
  constexpr int kLyra = 51, kAlpha = 0;
  StarIdDatabase ids;
  bool ok = ids.open(data + "/starid.dat", data + "/starid_tycho.dat") == 0;
  std::printf("  starid.dat: %d records, %d names\n", ids.recordCount(), ids.nameCount());
  StarIdRecord sirius, vega, alphaLyrae;
  ok = ok && ids.readRecord(ids.findByName("sir"), sirius) && ids.findByCatalogNumber(kCatalogHd, 172167, vega) &&
       ids.findByBayer(kLyra, kAlpha, 0, alphaLyrae) && vega.hipparcos == 91262 && alphaLyrae.hipparcos == 91262;
  for (const StarIdRecord* record : {&sirius, &vega}) {
    std::string text = ok ? utf16ToUtf8(ids.describe(*record)) : "missing";
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, "; ");
    std::printf("    %s\n", text.c_str());
  }
  return ok && sirius.hipparcos == 32349;
}

// Budapest in the city list, the suggestions, the routes, and the photos
// of M 42 and M 31 decoded.
bool verifyObservingAids(const std::string& data) {
  CityList cities;
  StarHopGuides guides;
  bool ok = cities.load(data + "/cities.dat") == kAidLoaded && guides.loadSkyGuide(data + "/sky_guide.dat") == kAidLoaded &&
            guides.loadStarHops(data + "/starhopping.dat") == kAidLoaded;
  std::printf("  cities.dat: %d cities; sky_guide.dat: %d suggestions; starhopping.dat: %d routes\n", cities.count(),
              guides.entryCount(), guides.routeCount());
  bool budapest = false;
  int index = 0;
  for (auto name = cities.firstCity(); name; name = cities.nextCity(), ++index) {
    if (!name->starts_with("Budapest")) continue;
    const City c = cities.cityAt(index).value_or(City{});
    std::printf("    %s: %.2f %.2f, zone %+d minutes\n", name->c_str(), c.latitudeHundredthDeg / 100.0,
                c.longitudeHundredthDeg / 100.0, c.timeZoneMinutes);
    budapest = true;
  }
  for (const char* photo : {"M_42.jpg", "M_31.jpg"}) {
    Bitmap24 picture;
    const bool loaded = picture.load(data + "/photos/" + photo) == Bitmap24::kLoaded;
    std::printf("    photos/%s: %d x %d\n", photo, picture.width(), picture.height());
    ok = ok && loaded;
  }
  return ok && budapest;
}

// Reads every file back with the program's readers.
bool verify(const std::string& data) {
  StarDataSimple stars;
  stars.setDataDirectory(data + "/..");
  stars.open("data/stars_hip.dat");
  std::printf("  stars_hip.dat: %d stars in %d zones\n", stars.starCount(), stars.zoneCount());
  for (int i = 0; i < stars.starCount(); ++i) {
    if (stars.hipparcosNumber(i) != 32349) continue;
    std::string designation;
    stars.getDesignation(i, designation);
    std::printf("    Sirius reads %s\n", designation.c_str());
  }
  StarLabels labels;
  const int labelResult = labels.open(data + "/star_labels.dat");
  std::printf("  star_labels.dat: %zu labels\n", labels.size());
  StarInfoFile info;
  info.setPath(data + "/hipparcos_data.dat");
  std::vector<StarInfoItem> items;
  const bool vega = info.read(91262, items);
  std::printf("  hipparcos_data.dat: Vega (HIP 91262)%s\n", vega ? "" : " is missing");
  for (const StarInfoItem& item : items) {
    std::printf("    %-30s %s\n", starInfoCaption(item.field).english, item.text.c_str());
  }
  SkyPolylines lines, boundaries;
  lines.load(data + "/constlines.dat");
  boundaries.load(data + "/constboundaries.dat");
  std::printf("  constlines.dat: %d points; constboundaries.dat: %d points\n", lines.count(), boundaries.count());
  MilkyWay milkyWay;
  const bool milkyWayRead = milkyWay.load(data + "/milkyway.dat") == MilkyWay::kLoaded;
  std::printf("  milkyway.dat: %zu levels, %d points\n", milkyWay.levels().size(), milkyWay.pointCount());
  return stars.starCount() > 100000 && labelResult == 0 && labels.size() > 0 && vega && lines.count() > 0 &&
         boundaries.count() > 0 && milkyWayRead && verifyMinorBodies(data) && verifyDoubleAndVariableStars(data) &&
         verifyDeepsky(data) && verifyConstellationNames(data) && verifyStarIds(data) && verifyObservingAids(data) &&
         verifyDeepStars(data);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (const auto answered = celvaro::answerHelpOrVersion(args, "celvaro-catalogs", kUsage)) return *answered;
  Options options;
  if (!parseOptions(argc, argv, options)) return 2;
  if (options.ifMissing && isBuilt(options.data)) return 0;
  fs::create_directories(options.data);
  std::printf("Building the catalog data in %s (sources cached in %s)\n", options.data.c_str(), options.cache.c_str());
  SourceCache cache(options.cache);
  std::string d3, stellarium, kstars;
  const bool ok =
      step("Fetching the sources", [&] {
        d3 = cache.npmPackage("d3-celestial", "0.7.35");
        const std::string sky = "usr/share/stellarium/", cultures = sky + "translations/stellarium-skycultures/";
        stellarium = cache.debianPackage("stellarium-data",
                                         {sky + "stars/default/*", sky + "skycultures/western/star_names.fab",
                                          sky + "nebulae/default/catalog.dat", sky + "nebulae/default/textures.json",
                                          sky + "nebulae/default/*.png", sky + "data/base_locations.bin.gz",
                                          sky + "nebulae/default/names.dat", cultures + "de.qm", cultures + "hu.qm",
                                          cultures + "ro.qm"});
        kstars = cache.debianPackage("kstars-data", {"usr/share/kstars/asteroids.dat", "usr/share/kstars/cometels.json.gz"});
        return sayMissing({{d3, "the npm package d3-celestial 0.7.35 (npm pack, from the npm registry)"},
                           {stellarium, "the Debian package stellarium-data (apt-get download)"},
                           {kstars, "the Debian package kstars-data (apt-get download)"}});
      }) &&
      step("Stars: main catalog, labels and information",
           [&] {
             const std::string root = stellarium + "/usr/share/stellarium/";
             return buildStarFiles({d3 + "/data", root + "stars/default", root + "skycultures/western/star_names.fab"},
                                   options.data);
           }) &&
      step("Deep stars: the segmented catalog", [&] {
        return buildDeepStarFiles({d3 + "/data", stellarium + "/usr/share/stellarium/stars/default"}, options.data);
      }) &&
      step("Star identification database", [&] {
        const std::string root = stellarium + "/usr/share/stellarium/";
        return buildStarIdFiles({d3 + "/data", root + "stars/default", root + "skycultures/western/star_names.fab"},
                                options.data);
      }) &&
      step("Constellation figures and boundaries", [&] { return buildConstellationFiles(d3 + "/data", options.data); }) &&
      step("The Milky Way", [&] { return buildMilkyWayFile(d3 + "/data", options.data); }) &&
      step("Constellation names",
           [&] {
             return buildConstellationNameFile(stellarium + "/usr/share/stellarium/translations/stellarium-skycultures",
                                               options.data);
           }) &&
      step("Asteroid and comet elements", [&] {
        return buildMinorBodyFiles({kstars + "/usr/share/kstars/asteroids.dat", kstars + "/usr/share/kstars/cometels.json.gz"},
                                   options.data);
      }) &&
      step("Double and variable stars", [&] {
        return buildDoubleAndVariableStarFiles({d3 + "/data/stars.14.json", stellarium + "/usr/share/stellarium/stars/default"},
                                               options.data);
      }) &&
      step("Marks that move with the fast stars", [&] { return buildMarkLinkFile(options.data); }) &&
      step("Deep-sky objects", [&] {
        const std::string root = stellarium + "/usr/share/stellarium/";
        return buildDeepskyFiles({root + "nebulae/default/catalog.dat", root + "nebulae/default/names.dat",
                                  root + "translations/stellarium-skycultures"},
                                 options.data);
      }) &&
      step("Other names of objects", [&] {
        return buildCommonNameFile(stellarium + "/usr/share/stellarium/nebulae/default/names.dat", options.data);
      }) &&
      step("Cities", [&] {
        return buildCityFile({stellarium + "/usr/share/stellarium/data/base_locations.bin.gz", "/usr/share/zoneinfo/zone.tab",
                              "/usr/share/zoneinfo/tzdata.zi"},
                             options.data);
      }) &&
      step("Observing suggestions", [&] { return buildSkyGuideFile(options.data); }) &&
      step("Star-hopping routes", [&] { return buildStarHopFile(d3 + "/data/stars.6.json", options.data); }) &&
      step("Object photographs", [&] {
        const std::string nebulae = stellarium + "/usr/share/stellarium/nebulae/default";
        return buildPhotoFiles({nebulae + "/textures.json", nebulae}, options.data);
      }) &&
      step("Reading the files back", [&] { return verify(options.data); });
  if (!ok) return 1;
  std::ofstream(options.data + "/" + kStampName) << kDataVersion << "\n";
  return 0;
}
