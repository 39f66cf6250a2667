// The deep-sky catalog: its file layout, loading and rejection, lookups by
// designation, labels, name lists, the drawing walk (file order and sky
// regions), the information file, and damaged files that must never be
// read beyond what they hold.
#include <gtest/gtest.h>

#include "catalog/deepsky_data_d1.h"
#include "catalog/deepsky_data_d2.h"
#include "catalog/deepsky_info_file.h"
#include "deepsky_writers.h"
#include "test_charts.h"
#include "platform/binary_file.h"

namespace celvaro {
namespace {

using testing::patched;
using testing::ScratchDir;
using testing::writeBytes;

CatalogDeepskyObject object(int type, int level, std::vector<DeepskyId> ids, double raRad = 0.01) {
  return {{.type = static_cast<uint16_t>(type), .level = static_cast<uint16_t>(level), .magnitude = 845,
           .raRad = raRad, .decRad = 0.02},
          std::move(ids)};
}

CatalogNamedObject named(int32_t objectNumber, std::array<std::u16string, 4> names) {
  return {{.object = objectNumber, .names = {}}, std::move(names)};
}

void sortNameLists(DeepskyCatalogContents& c) {
  for (int l = 1; l <= 4; ++l) c.nameLists[l - 1] = deepskyNameOrder(c.named, l);
}

// Objects 0 M 31 (NGC 224 first), 1 M 13, 2 type 0 of unknown magnitude, 3 type 16, 4 the Ring
// Nebula (no German name), 5 an object with only a UGC number; one region.
DeepskyCatalogContents sample(int version = 4) {
  DeepskyCatalogContents c;
  c.version = version;
  c.objects = {object(kGalaxy, 1, {{kIdNgc, 224}, {kIdMessier, 31}, {kIdUgc, 454}, {kIdPgc, 2557},
                                   {kIdOther, 0, "C 99"}, {kIdName, 0}}),
               object(kGlobularCluster, 3, {{kIdMessier, 13}, {kIdNgc, 6205}, {kIdOther, 0, "Mel 20"}}),
               object(0, 0, {{kIdIc, 1}}),
               object(16, 0, {{kIdIc, 2}}),
               object(kPlanetaryNebula, 5, {{kIdNgc, 6720}, {kIdName, 1}}),
               object(kGalaxy, 6, {{kIdUgc, 12}})};
  c.objects[2].record.magnitude = kUnknownDeepskyMagnitude;
  c.named = {named(0, {u"Androméda-köd", u"Andromeda Galaxy", u"Andromeda-Galaxie", u"Galaxia Andromeda"}),
             named(4, {u"Gyűrű-köd", u"Ring Nebula", u"", u"Nebuloasa inel"})};
  sortNameLists(c);
  c.regions = {{0, 6, 0, 1, -1, 1}};
  return c;
}

// Byte offsets of the sections, from the header's counts.
struct Layout { size_t named, nameText, regions, objects, words, text; };

Layout layoutOf(const std::string& bytes) {
  auto word = [&](size_t at) { return static_cast<size_t>(loadU32(reinterpret_cast<const uint8_t*>(&bytes[at]))); };
  Layout l;
  l.named = 60 + 4 * (word(12) + word(16) + word(20) + word(24));
  l.nameText = l.named + 52 * word(28);
  l.regions = l.nameText + 2 * word(36);
  l.objects = l.regions + 40 * word(40);
  l.words = l.objects + 48 * word(44);
  l.text = l.words + 2 * word(52);
  return l;
}

class DeepskyTest : public ::testing::Test {
 protected:
  DeepskyTest() {
    d1.setDataDirectory(dir.path().string());
    d2.setDataDirectory(dir.path().string());
  }
  int load(iDeepskyData& catalog, const std::string& bytes) {
    writeBytes(dir.file("deepsky.dat"), bytes);
    return catalog.open("deepsky.dat");
  }
  std::u16string label(iDeepskyData& catalog, int index, int language = 2, bool all = false, bool magnitude = false) {
    std::u16string text;
    EXPECT_TRUE(catalog.formatDesignation(index, text, language, all, magnitude));
    return text;
  }
  // The objects the drawing walk gives; with their labels ("4 label second") where asked.
  std::vector<int> walk(iDeepskyData& catalog, std::vector<std::string>* labels = nullptr) {
    catalog.prepareDraw(settings, chart.area, chart.transformer);
    std::vector<int> indices;
    DeepskyObject o;
    bool label = false, second = false;
    for (int i = catalog.nextVisible(o, label, second); i >= 0; i = catalog.nextVisible(o, label, second)) {
      indices.push_back(i);
      if (labels) labels->push_back(std::to_string(i) + (label ? " label" : "") + (second ? " second" : ""));
    }
    return indices;
  }

  ScratchDir dir;
  DeepskyDataD1 d1;
  DeepskyDataD2 d2;
  testing::TestChart chart{0, 0, 10800};
  ChartSettings& settings = chart.settings;
};

TEST_F(DeepskyTest, FileLayoutByteForByte) {
  DeepskyCatalogContents c;
  c.objects = {{{.type = kGalaxy, .level = 2, .magnitude = 845, .raRad = 0.01, .decRad = 0.02, .majorAxis = 18910,
                 .minorAxis = 6170, .positionAngle = 35},
                {{kIdMessier, 31}, {kIdPgc, 0x12345}, {kIdOther, 0, "C 9"}, {kIdName, 0}}}};
  c.named = {{{.object = 0, .firstCode = kIdMessier, .firstNumber = 31, .names = {}}, {u"", u"Ab", u"", u""}}};
  c.nameLists = {{{0}, {0}, {}, {}}};
  c.regions = {{0, 1, 0.5, 1.5, -0.25, 0.25}};

  std::string expected = "CLV_DSCN";
  for (uint32_t w : {4, 1, 1, 0, 0, 1, 52, 3, 1, 1, 48, 10, 4}) appendU32(expected, w);
  appendU32(expected, 0), appendU32(expected, 0);  // the name lists: named object 0
  for (uint32_t w : {0, 1, 31, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0}) appendU32(expected, w);
  for (char16_t u : u"Ab") appendU16(expected, u);  // with its terminating zero
  appendU32(expected, 0), appendU32(expected, 1);
  for (double d : {0.5, 1.5, -0.25, 0.25}) appendDouble(expected, d);
  for (uint16_t w : {1, 2, 845, 0}) appendU16(expected, w);
  appendDouble(expected, 0.01), appendDouble(expected, 0.02);
  appendU32(expected, 18910), appendU32(expected, 6170);
  appendU16(expected, 35), appendU16(expected, 0);
  appendU32(expected, 0), appendU32(expected, 4), appendU32(expected, 0);
  for (uint16_t w : {0x0101, 31, 0x0205, 0x2345, 0x0001, 0x02FF, 0, 0, 0x01FE, 0}) appendU16(expected, w);
  expected += std::string("C 9\0", 4);
  EXPECT_EQ(deepskyCatalogBytes(c), expected);

  ASSERT_EQ(load(d2, expected), 0);
  DeepskyObject o;
  ASSERT_TRUE(d2.getObject(0, o));
  EXPECT_EQ(std::pair(o.majorAxis, int(o.positionAngle)), std::pair(18910, 35));
  EXPECT_EQ(label(d2, 0, 2, true), u"M 31, PGC 74565, C 9, Ab");
}

TEST_F(DeepskyTest, OpenAnswersAndRejectedFiles) {
  EXPECT_EQ(d1.open("missing.dat"), 4);
  const std::string v3 = deepskyCatalogBytes(sample(3)), v4 = deepskyCatalogBytes(sample());
  const struct { iDeepskyData& catalog; std::string bytes; int code; } cases[] = {
      {d1, "CLV_DSCX" + v3.substr(8), 1},
      {d1, "CLV_DSCN", 1},            // too short for a header
      {d1, v4, 1},                    // version 4 is not D1's
      {d1, patched(v3, 40, 1), 1},    // a region count in a version-3 file
      {d2, patched(v4, 48, 47), 3},   {d2, patched(v4, 32, 51), 3}, {d2, patched(v4, 28, 2001), 3},
      {d2, patched(v4, 40, 101), 3},  {d2, patched(v4, 40, 0), 3},  {d2, patched(v4, 44, 0), 3},
      {d2, patched(v4, 12, -1), 3},   {d2, v4.substr(0, v4.size() - 1), 3},  // short by one byte
      {d2, patched(v4, layoutOf(v4).regions + 4, 7), 3},                    // a region run past the six objects
  };
  ASSERT_EQ(load(d1, v3), 0);
  EXPECT_EQ(d1.objectCount(), 6);
  for (const auto& c : cases) {
    EXPECT_EQ(load(c.catalog, c.bytes), c.code) << &c - cases;
    EXPECT_EQ(c.catalog.objectCount(), 0) << &c - cases;
  }
  // Without named objects or extra text a file loads; its index needs one entry, naming no object.
  DeepskyCatalogContents bare;
  bare.objects = {object(kGalaxy, 0, {{kIdNgc, 1}})};
  bare.nameLists[1] = {0};
  bare.regions = {{0, 1, 0, 1, -1, 1}};
  ASSERT_EQ(load(d2, deepskyCatalogBytes(bare)), 0);
  d2.selectNameList(2);
  EXPECT_FALSE(d2.getNamedObject(d2.nextName()));
}

// Designations as typed and as the labels show them, in any case, with or
// without blanks, find their object (-1: none), IC 1 though it is never
// drawn; a letter after a number makes another object's designation, as
// NGC 224A is not NGC 224.
TEST_F(DeepskyTest, DesignationsFindTheirObject) {
  ASSERT_EQ(load(d2, deepskyCatalogBytes(sample())), 0);
  const std::pair<const char*, int> typed[] = {
      {"m31", 0}, {"M31", 0}, {"M 31", 0}, {"M +31", 0}, {"NGC 224", 0}, {"ngc0224", 0}, {"NGC\t224", 0},
      {"UGC 454", 0}, {"PGC 2557", 0}, {"IC 1", 2}, {"Mel 20", 1}, {"mel20", 1}, {"MEL - 20", 1}, {"C 99", 0},
      {"c99", 0}, {"U454", 0}, {"u 454", 0}, {"IC1", 2}, {"NGC0", -1}, {"M", -1}, {"MX1", -1}, {"IC -1", -1},
      {"NGC 7", -1}, {"M\t31", -1}, {"", -1}, {"NGC 224A", -1}, {"NGC 6205 B", -1}, {"M 31b", -1}, {"Mel 2", -1},
      {"C 9", -1}, {"U", -1}, {"Mel", -1}};
  StarPosition found;
  for (const auto& [text, index] : typed) {
    found = {};
    EXPECT_EQ(d2.findByDesignation(text, found), index >= 0) << text;
    if (index >= 0) {
      EXPECT_EQ(std::pair(found.index, found.raRad), std::pair(index, 0.01)) << text;
    }
  }
  EXPECT_FALSE(d2.findById(kIdUgc, 454 + 65536, found));  // one word holds the number
  EXPECT_FALSE(d2.findById(kIdOther, 0, found));
}

TEST_F(DeepskyTest, LabelsFollowTheIdentifierSettings) {
  ASSERT_EQ(load(d2, deepskyCatalogBytes(sample())), 0);
  EXPECT_EQ(label(d2, 1), u"M13");  // only one of Messier, NGC and IC
  EXPECT_EQ(label(d2, 0, 3), u"224, Andromeda-Galaxie");
  EXPECT_EQ(label(d2, 4, 3), u"6720, Ring Nebula");  // no German name: the English one
  EXPECT_EQ(label(d2, 0, 9), u"224, Andromeda Galaxy");
  // Every identifier as its catalogue writes it.
  EXPECT_EQ(label(d2, 0, 1, true, true), u"NGC 224, M 31, UGC 454, PGC 2557, C 99, Androméda-köd [84]");
  DeepskyIdentifierSettings ids;
  ids.mask = DeepskyIdentifierSettings::kNgc | DeepskyIdentifierSettings::kOther;
  ids.onlyOne = 0;
  ids.showNames = 0;
  d2.setIdentifierSettings(ids);
  EXPECT_EQ(label(d2, 1, 2, false, true), u"6205, Mel 20 [84]");
  ids.mask = 0;
  d2.setIdentifierSettings(ids);
  EXPECT_EQ(label(d2, 1, 2, false, true), u"[84]");
  EXPECT_EQ(label(d2, 2, 2, true, true), u"IC 1");  // its magnitude unknown: no bracket
  std::u16string text;
  EXPECT_FALSE(d2.formatDesignation(6, text, 2, true, true));
}

TEST_F(DeepskyTest, NameListsInEachLanguage) {
  ASSERT_EQ(load(d2, deepskyCatalogBytes(sample())), 0);
  auto names = [&](int list) {
    d2.selectNameList(list);
    std::vector<std::u16string> out;
    for (int p = d2.nextName(); p >= 0; p = d2.nextName()) out.push_back(d2.getName(p).value_or(u"?"));
    return out;
  };
  EXPECT_EQ(names(1), (std::vector<std::u16string>{u"Androméda-köd", u"Gyűrű-köd"}));
  EXPECT_EQ(names(3), (std::vector<std::u16string>{u"Andromeda-Galaxie", u"Ring Nebula"}));
  EXPECT_TRUE(names(0).empty() && names(5).empty());
  d2.selectNameList(4);
  const auto record = d2.getNamedObject(d2.nextName());
  ASSERT_TRUE(record);
  EXPECT_EQ(record->object, 0);
  EXPECT_FALSE(d2.getNamedObject(8) || d2.getNamedObject(-1));

  CatalogNamedObject a = named(0, {u"", u"Zeta", u"", u""}), b = named(0, {u"", u"ábel", u"", u""}),
                     o = named(0, {u"", u"Orion", u"", u""}), oe = named(0, {u"", u"Ökörszem", u"", u""}),
                     s = named(0, {u"", u"Șoim", u"", u""}), t = named(0, {u"", u"Sas", u"", u""});
  EXPECT_EQ(deepskyNameOrder({a, b, o, oe, s, t}, 2), (std::vector<int32_t>{1, 3, 2, 5, 4, 0}));
}

TEST_F(DeepskyTest, FileOrderWalkHonoursTypesAndLevels) {
  ASSERT_EQ(load(d1, deepskyCatalogBytes(sample(3))), 0);
  settings.deepskyLevel = 10;
  EXPECT_EQ(walk(d1), (std::vector<int>{0, 1, 4, 5}));  // never types 0 and 16
  settings.deepskyLevel = 3;
  EXPECT_EQ(walk(d1), (std::vector<int>{0, 1}));
  settings.deepskyPerType = 1, settings.deepskyTypes[kGlobularCluster].shown = 0;
  settings.deepskyTypes[kPlanetaryNebula].levelOffset = 2;
  EXPECT_EQ(walk(d1), (std::vector<int>{0, 4}));

  settings.deepskyLabels = 1, settings.deepskySecondLabels = 1, settings.deepskyLabelLevelOffset = 0;
  settings.deepskySecondLabelOffset = -1;
  std::vector<std::string> labels;
  walk(d1, &labels);
  EXPECT_EQ(labels, (std::vector<std::string>{"0 label second", "4 label"}));  // level 1 of limit 3, 5 of limit 5
  settings.deepskyPerTypeLabels = 1;
  settings.deepskyTypes[kGalaxy].labelOffset = -2;
  labels.clear();
  walk(d1, &labels);
  EXPECT_EQ(labels.front(), "0 label");
}

TEST_F(DeepskyTest, RegionWalkSkipsHiddenRegionsAndStopsAboveTheMaxLevel) {
  DeepskyCatalogContents c = sample();
  // Region 0 near the chart centre: levels 0, 2, 5, then 1; region 1 on the
  // far side of the sky.
  c.objects = {object(kGalaxy, 0, {{kIdNgc, 1}}), object(kGalaxy, 2, {{kIdNgc, 2}}), object(kGalaxy, 5, {{kIdNgc, 3}}),
               object(kGalaxy, 1, {{kIdNgc, 4}}), object(kGalaxy, 0, {{kIdNgc, 5}}, 3.1)};
  c.named.clear();
  sortNameLists(c);
  c.nameLists[1] = {0};
  c.regions = {{0, 4, 0, 0.2, -0.2, 0.2}, {4, 1, 3.0, 3.2, -0.2, 0.2}};
  ASSERT_EQ(load(d2, deepskyCatalogBytes(c)), 0);
  settings.deepskyLevel = 3;
  EXPECT_EQ(walk(d2), (std::vector<int>{0, 1}));  // the level-1 object after level 5 is not reached
  settings.deepskyPerType = 1;
  settings.deepskyTypes[kBrightNebula].levelOffset = 2;
  EXPECT_EQ(walk(d2), (std::vector<int>{0, 1, 3}));  // a max level of 5 lets the walk go on
}

TEST_F(DeepskyTest, DamagedOffsetsMakeTheirItemsAbsent) {
  DeepskyCatalogContents c = sample();
  c.named.push_back(named(99, {u"", u"Nowhere", u"", u""}));  // its object lies outside
  c.objects[5].ids.push_back({kIdName, 7});                    // a named object that does not exist
  sortNameLists(c);
  c.nameLists[0].push_back(40);                                // an index entry past the named objects
  std::string bytes = deepskyCatalogBytes(c);
  const Layout at = layoutOf(bytes);
  bytes = patched(bytes, at.named + 20 + 8 * 2, 1000);         // object 0's German name past the name text
  bytes = patched(bytes, at.named + 52 + 20 + 8 * 3 + 4, 200);  // object 4's Romanian name running past it
  bytes = patched(bytes, at.objects + 48 * 2 + 36, static_cast<int32_t>((at.text - at.words) / 2 - 1));
  bytes = patched(bytes, at.objects + 48 * 2 + 40, 3);          // object 2's run past the identifier words
  bytes = patched(bytes, at.objects + 48 * 3 + 36, -5);         // object 3's run before them
  bytes = patched(bytes, at.words + 2 * 10, 500);               // object 0's "C 99" offset past the extra text
  ASSERT_EQ(load(d2, bytes), 0);

  EXPECT_EQ(label(d2, 0, 3, true), u"NGC 224, M 31, UGC 454, PGC 2557, Andromeda Galaxy");
  EXPECT_EQ((std::tuple{label(d2, 4, 4), label(d2, 2, 2, true)}), (std::tuple{u"6720, Ring Nebula", u""}));
  EXPECT_EQ((std::tuple{label(d2, 3, 2, true), label(d2, 5, 2, true)}), (std::tuple{u"", u"UGC 12"}));
  StarPosition found;
  EXPECT_FALSE(d2.findByDesignation("IC 1", found));
  d2.selectNameList(1);
  int positions = 0, records = 0;
  for (int p = d2.nextName(); p >= 0; p = d2.nextName(), ++positions) records += d2.getNamedObject(p) ? 1 : 0;
  EXPECT_EQ(std::tuple(positions, records), std::tuple(4, 2));
}

TEST_F(DeepskyTest, NgcAndIcEntriesRead) {
  std::map<int32_t, std::vector<InfoValue>> ngc, ic;
  ngc[224] = {{kDeepskyInfoNgc, kInfoInt32, 224, {}}, {kDeepskyInfoType, kInfoText, 0, "galaxy"}};
  ngc[6205] = {{kDeepskyInfoVisualMagnitude, kInfoHundredths, 580, {}}};
  ic[1] = {{kDeepskyInfoIc, kInfoInt32, 1, {}}};
  const std::string info = deepskyInfoBytes(ngc, 7000, ic, 100);
  writeBytes(dir.file("info.dat"), info);
  d2.setInfoFile(dir.file("info.dat"));
  DeepskyCatalogContents c = sample();
  c.objects.push_back(object(kGalaxy, 0, {{kIdMessier, 102}, {kIdNgc, 7500}}));  // past the NGC entries
  c.regions[0].count = 7;
  ASSERT_EQ(load(d2, deepskyCatalogBytes(c)), 0);
  std::vector<StarInfoItem> items;
  ASSERT_TRUE(d2.readObjectInfo(0, items));
  EXPECT_EQ(items, (std::vector<StarInfoItem>{{kDeepskyInfoNgc, "224"}, {kDeepskyInfoType, "galaxy"}}));
  ASSERT_TRUE(d2.readObjectInfo(1, items));  // M 13 first, then NGC 6205
  EXPECT_EQ(items, (std::vector<StarInfoItem>{{kDeepskyInfoVisualMagnitude, "5.80"}}));
  // Past the NGC entries, without an NGC or IC number, no object.
  EXPECT_FALSE(d2.readObjectInfo(6, items) || d2.readObjectInfo(5, items) || d2.readObjectInfo(99, items));
  ASSERT_EQ(load(d1, deepskyCatalogBytes(sample(3))), 0);
  EXPECT_FALSE(d1.readObjectInfo(0, items));

  // More words than a record may hold, a record offset past the file, no entries.
  for (const std::string& damaged :
       {patched(info, 20 + 8 * 224 + 4, 2 | (193 << 8)), patched(info, 20 + 8 * 224, 1 << 30),
        "CLV_IDX_" + info.substr(8, 4) + std::string(8, '\0')}) {
    writeBytes(dir.file("info.dat"), damaged);
    EXPECT_FALSE(d2.readObjectInfo(0, items));
  }
}

}  // namespace
}  // namespace celvaro
