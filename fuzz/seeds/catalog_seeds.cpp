// Seeds of the catalog formats, written by the catalog builder's own
// writers: a few stars, labels, deep-sky objects with names in every list,
// double and variable stars in both layouts, star identifications, the
// polyline files, and the large catalogs' files in their published layouts.
#include <numbers>

#include "catalog/star_id_format.h"
#include "catalog_writers.h"
#include "constellation_names_writer.h"
#include "deepsky_writers.h"
#include "double_variable_writers.h"
#include "fuzz_files.h"
#include "large_catalog_writers.h"
#include "seed_sink.h"
#include "segmented_catalog_writer.h"
#include "star_id_writers.h"

namespace celvaro::fuzz {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

InfoValue info(uint8_t field, uint8_t type, int32_t number, std::string text = {}) {
  return {field, type, number, std::move(text)};
}

// Stars around a place of the sky, magnitudes from 1 to 9.
std::vector<CatalogStar> starsAround(double raDeg, double decDeg, int count) {
  std::vector<CatalogStar> stars;
  for (int i = 0; i < count; ++i) {
    stars.push_back({1000 + i, static_cast<int16_t>(100 + 800 * i / count), (raDeg + 0.3 * (i % 7)) * kDeg,
                     (decDeg + 0.2 * (i % 5)) * kDeg, static_cast<uint8_t>(i % 8)});
  }
  return stars;
}

void writeStarSeeds(SeedSink& sink) {
  sink.add("star_catalog", starCatalogBytes(zonedStarCatalog(starsAround(80, 10, 12), {300, 600, 900})));
  sink.add("star_catalog", starCatalogBytes(zonedStarCatalog(starsAround(0, -89, 3), {1150})));
  std::vector<LabelEntry> labels;
  labels.push_back({{0, 279.23 * kDeg, 38.78 * kDeg, 3, 3, 51, 0, 0}, "Vega"});
  labels.push_back({{0, 279.5 * kDeg, 39.0 * kDeg, 450, -1, 51, 4, 1}, ""});
  labels.push_back({{0, 280 * kDeg, 38 * kDeg, 520, 12, 51, -1, 0}, "Sheliak"});
  sink.add("star_labels", starLabelsBytes(labels));
  const std::vector<InfoValue> vega = {info(1, kInfoCharacter, 'A'), info(2, kInfoInt32, 172167),
                                       info(3, kInfoHundredths, 13023), info(4, kInfoText, 0, "A0Va")};
  sink.add("star_info", starInfoBytes({{3, vega}, {7, {info(5, kInfoWordTenths, 250)}}}, StarInfoFile::kMinEntries));
  // Barnard's Star's motion and parallax as the motion file holds them.
  std::vector<StoredMotion> motions(3);
  motions[2] = {-79832, 1033426, 54901};
  sink.add("star_info", starMotionBytes(motions, {{2, 970027560, 16896240}}));
  sink.add("star_info", markLinkBytes({{3, {{1, 87937, 16896240}}}, {0, {}}, {5, {{4, 87937, 16896240}}}}));
}

void writeDeepskySeeds(SeedSink& sink) {
  DeepskyCatalogContents contents;
  CatalogDeepskyObject m31{{1, 0, 340, 10.68 * kDeg, 41.27 * kDeg, 17800, 6300, 35},
                           {{kIdMessier, 31}, {kIdNgc, 224}, {kIdName, 0}, {kIdUgc, 454}, {kIdPgc, 2557}}};
  CatalogDeepskyObject ic{{3, 2, 900, 10.9 * kDeg, 41.0 * kDeg, 300, 0, 0}, {{kIdIc, 434}, {kIdOther, 0, "Cr 399"}}};
  contents.objects = {m31, ic};
  CatalogNamedObject named;
  named.record.object = 0, named.record.firstCode = kIdMessier, named.record.firstNumber = 31;
  named.names = {u"Androméda-köd", u"Andromeda Galaxy", u"Andromedanebel", u"Galaxia Andromeda"};
  contents.named = {named};
  for (int list = 0; list < 4; ++list) contents.nameLists[list] = deepskyNameOrder(contents.named, list + 1);
  contents.regions = {{0, 2, 0, 30 * kDeg, 30 * kDeg, 60 * kDeg}};
  const std::string infoFile = deepskyInfoBytes({{224, {info(1, kInfoTenths, 34), info(2, kInfoText, 0, "Sb")}}}, 230,
                                                {{434, {info(1, kInfoWord, 7)}}}, 440);
  sink.add("deepsky", deepskyCatalogBytes(contents) + std::string(kPartSeparator) + infoFile);
  contents.version = 3;
  contents.regions.clear();
  sink.add("deepsky", deepskyCatalogBytes(contents) + std::string(kPartSeparator) + infoFile);
}

void writeDoubleVariableSeeds(SeedSink& sink) {
  const std::vector<SkyRegion> regions = {{0, 2, 190 * kDeg, 210 * kDeg, 40 * kDeg, 60 * kDeg}};
  const std::vector<DoubleStarEntry> doubles = {
      {200.98 * kDeg, 54.93 * kDeg, "STF1744", 227, 395, 144, {info(1, kInfoWord, 2020)}},
      {201.3 * kDeg, 55.0 * kDeg, "SFA  43", 308, 0, 0, {}}};
  sink.add("double_stars", doubleStarCatalogBytes(4, regions, doubles));
  sink.add("double_stars", doubleStarCatalogBytes(3, {}, doubles));
  const std::vector<VariableStarEntry> variables = {
      {34.84 * kDeg, -2.98 * kDeg, 10100, 2000, 33200, 0x10, 20, 15, {info(1, kInfoText, 0, "M")}},
      {337.3 * kDeg, 58.4 * kDeg, 4370, 3480, 537, 0x02, 19, 4, {}}};
  const std::vector<SkyRegion> variableRegions = {{0, 1, 20 * kDeg, 50 * kDeg, -10 * kDeg, 10 * kDeg},
                                                  {1, 1, 320 * kDeg, 350 * kDeg, 50 * kDeg, 70 * kDeg}};
  sink.add("variable_stars", variableStarCatalogBytes(5, variableRegions, variables));
  sink.add("variable_stars", variableStarCatalogBytes(3, {}, variables));
}

void writeStarIdSeeds(SeedSink& sink) {
  StarIdContents contents;
  StarIdRecord vega;
  vega.hipparcos = 912, vega.hd = 1721, vega.hr = 700, vega.sao = 671,
  vega.ppm = 815;  // small tables
  vega.tycho = starid::packTycho(3105, 2070, 1), vega.dmCatalogue = kBonner, vega.dmZone = 38, vega.dmNumber = 3238;
  vega.constellation = 51, vega.greekLetter = 0, vega.flamsteed = 3;
  vega.raRad = 279.23 * kDeg, vega.decRad = 38.78 * kDeg;
  StarIdRecord other = vega;
  other.hipparcos = 1, other.hd = 2247, other.constellation = 0, other.greekLetter = 1, other.superscript = 2;
  contents.records = {vega, other};
  contents.names = {{"Vega", 0}, {"Wega", 0}, {"Alpheratz", 1}};
  contents.bayer = {{starid::bayerKey(51, 0, 0), 0}, {starid::bayerKey(0, 1, 2), 1}};
  contents.flamsteed = {{starid::flamsteedKey(51, 3), 0}};
  contents.durchmusterung = {{starid::durchmusterungKey(kBonner, 38, 3238), 0}};
  const std::string tycho =
      starIdTychoBytes({{vega.tycho, 0, vega.raRad, vega.decRad}, {starid::packTycho(5, 6, 1), -1, 0.1, 0.2}});
  sink.add("star_id", starIdBytes(contents) + std::string(kPartSeparator) + tycho);
}

void writePolylineSeeds(SeedSink& sink) {
  const std::string figure = polylineBytes({{0, 83 * kDeg, -5 * kDeg},
                                            {1, 84 * kDeg, -1 * kDeg},
                                            {1, 88.8 * kDeg, 7.4 * kDeg},
                                            {0, 78.6 * kDeg, -8.2 * kDeg},
                                            {1, 81.3 * kDeg, 6.3 * kDeg}});
  const std::string boundary = polylineBytes(
      {{0, 80 * kDeg, -10 * kDeg}, {1, 95 * kDeg, -10 * kDeg}, {1, 95 * kDeg, 20 * kDeg}, {1, 80 * kDeg, -10 * kDeg}});
  sink.add("polylines", figure + std::string(kPartSeparator) + boundary);
}

void writeConstellationNameSeeds(SeedSink& sink) {
  NameTranslations hungarian{{"Monoceros", u"Egyszarvú"}, {"Serpens", u"Kígyó"}};
  NameTranslations romanian{{"Antlia", u"Mașina pneumatică"}, {"Serpens", u"Șarpele"}};
  sink.add("constellation_names", constellationNamesText({hungarian, {}, romanian}));
}

void writeLargeCatalogSeeds(SeedSink& sink) {
  std::vector<SegmentedStar> stars;
  for (const CatalogStar& s : starsAround(56.5, 24, 10))
    stars.push_back({1u << 18 | 5, s.magnitude, s.raRad, s.decRad, 3});
  std::vector<StarSegment> segments = {{50 * kDeg, 60 * kDeg, 20 * kDeg, 30 * kDeg, stars},
                                       {60 * kDeg, 70 * kDeg, 20 * kDeg, 30 * kDeg, {stars[0]}},
                                       {0, 360 * kDeg, 80 * kDeg, 90 * kDeg, {}}};
  std::string segmented =
      segmentedHeaderText(segments.size()) + std::string(kPartSeparator) + segmentIndexBytes(segments);
  for (const StarSegment& s : segments) segmented += std::string(kPartSeparator) + segmentBytes(s.stars);
  sink.add("segmented_catalog", segmented);

  const std::string regionFile =
      gscRegionFile(1, 2, 9, 2, {gscRecord(100000, 100050, 850), gscRecord(2000, 900, 1200, 1)});
  sink.add("gsc_catalog", "type = s_gsc\n" + std::string(kPartSeparator) + regionFile + std::string(kPartSeparator) +
                              std::string(kPartSeparator));
  const std::string packedIndex = gscPackedIndex({{0, 0, 2, 9, 2}}, 3);
  const std::string zone = gscZoneRecord(100000, 100050, 850) + gscZoneRecord(3000, 40, 1500);
  sink.add("gsc_catalog", "type = s_gsc\n" + std::string(kPartSeparator) + std::string(kPartSeparator) + packedIndex +
                              std::string(kPartSeparator) + zone);

  std::vector<uint32_t> counts(24 * 96, 0);
  counts[12 * 96] = 2;
  sink.add("usno_catalog", "type = s_usnoa\n" + std::string(kPartSeparator) + usnoCellIndex(counts) +
                               std::string(kPartSeparator) + usnoRecord(3.5, 3, 1100112) + usnoRecord(3.6, 3.1, 90095));
}

}  // namespace

void writeCatalogSeeds(SeedSink& sink) {
  writeStarSeeds(sink);
  writeDeepskySeeds(sink);
  writeDoubleVariableSeeds(sink);
  writeStarIdSeeds(sink);
  writePolylineSeeds(sink);
  writeConstellationNameSeeds(sink);
  writeLargeCatalogSeeds(sink);
}

}  // namespace celvaro::fuzz
