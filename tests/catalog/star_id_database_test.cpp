// The star identification database: its lookups and information text on
// small files from the writers, the files' bytes, and what damaged files
// yield.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "astro/constellation_list.h"
#include "catalog/star_id_database.h"
#include "catalog/star_id_format.h"
#include "platform/binary_file.h"
#include "star_id_writers.h"
#include "test_charts.h"
#include "test_files.h"

namespace celvaro {
namespace {

using namespace starid;
using testing::patched;
using testing::ScratchDir;
constexpr auto constellation = testing::constellationNumber;
using testing::writeBytes;

constexpr int kAlpha = 0, kBeta = 1;
constexpr int kSirius = 0, kVega = 1, kAlpheratz = 2, kRigil = 3, kToliman = 4;
constexpr int32_t kTychoOnly = packTycho(9537, 12121, 3);  // beyond the sign bit

StarIdRecord star(int32_t hip, int32_t hd, int32_t hr, int32_t sao, const char* abbreviation, int letter,
                  int superscript, int flamsteed) {
  return {.hipparcos = hip, .hd = hd, .hr = hr, .sao = sao,
          .constellation = static_cast<int8_t>(constellation(abbreviation)),
          .greekLetter = static_cast<uint8_t>(letter), .superscript = static_cast<uint8_t>(superscript),
          .flamsteed = flamsteed, .raRad = 0.001 * hip, .decRad = -0.5};
}

StarIdContents sampleContents() {
  StarIdContents c;
  c.records = {star(32349, 48915, 2491, 151881, "CMa", kAlpha, 0, 9), star(91262, 172167, 7001, 67174, "Lyr", kAlpha, 0, 3),
               star(677, 358, 15, 73765, "And", kAlpha, 0, 21), star(71683, 128620, 5459, 252838, "Cen", kAlpha, 1, 0),
               star(71681, 128621, 5460, 0, "Cen", kAlpha, 2, 0)};
  StarIdRecord& vega = c.records[kVega];
  vega.ppm = 81558, vega.tycho = packTycho(3105, 2070, 1), vega.dmCatalogue = kBonner, vega.dmZone = 38;
  vega.dmNumber = 3238;
  c.names = {{"Sirius", kSirius}, {"Vega", kVega},           {"Wega", kVega},  {"Alpheratz", kAlpheratz},
             {"Sirrah", kAlpheratz}, {"Rigil Kentaurus", kRigil}, {"toliman", kToliman}};
  const int cen = constellation("Cen"), peg = constellation("Peg");
  c.bayer = {{bayerKey(constellation("CMa"), kAlpha, 0), kSirius}, {bayerKey(cen, kAlpha, 1), kRigil},
             {bayerKey(cen, kAlpha, 2), kToliman},            {bayerKey(constellation("Lyr"), kAlpha, 0), kVega},
             {bayerKey(peg, 3, 0), kAlpheratz},               {bayerKey(constellation("And"), kAlpha, 0), kAlpheratz}};
  c.flamsteed = {{flamsteedKey(constellation("CMa"), 9), kSirius}, {flamsteedKey(constellation("Lyr"), 3), kVega}};
  c.durchmusterung = {{durchmusterungKey(kBonner, 38, 3238), kVega}};
  return c;
}

std::vector<StarIdTychoEntry> sampleTycho() {
  return {{packTycho(3105, 2070, 1), kVega, 4.87, 0.68}, {kTychoOnly, -1, 1.25, -0.75}, {packTycho(3105, 17, 2), -1, 4.8, 0.6}};
}

uint32_t wordOf(const std::string& bytes, size_t word) { return loadU32(reinterpret_cast<const uint8_t*>(&bytes[4 * word])); }

class StarIdFiles : public ::testing::Test {
 protected:
  // Opens the files as given, the sample where none is given.
  int open(std::string main = starIdBytes(sampleContents()), std::string tycho = starIdTychoBytes(sampleTycho())) {
    writeBytes(dir.file("starid.dat"), main);
    writeBytes(dir.file("tycho.dat"), tycho);
    return ids.open(dir.file("starid.dat"), dir.file("tycho.dat"));
  }
  std::vector<std::string> walkNames() {
    std::vector<std::string> names;
    std::string name;
    int record;
    ids.restartNames();
    while (ids.nextName(name, record)) names.push_back(name);
    return names;
  }

  ScratchDir dir;
  StarIdDatabase ids;
  StarIdRecord found;
};

// A whole name wins over a longer one it begins ("Mira" is not Mirach).
TEST_F(StarIdFiles, AWholeNameWinsOverAnEarlierLongerOne) {
  StarIdContents c;
  c.records = {star(5447, 0, 0, 0, "And", kBeta, 0, 43), star(10826, 0, 0, 0, "Cet", 14, 0, 68)};
  c.names = {{"Mirach", 0}, {"Mira", 1}};
  ASSERT_EQ(open(starIdBytes(c)), 0);
  EXPECT_EQ((std::tuple{ids.findByName("MIRA"), ids.findByName("Mir")}), (std::tuple{1, 0}));
  EXPECT_EQ(ids.findByName("Mirac"), 0);
}

// What a user types: a name, a designation in any usual form, a catalogue
// number, or the start of a name; the Hipparcos number found, 0 for none.
TEST_F(StarIdFiles, TypedNamesAndDesignationsFindTheirStar) {
  ASSERT_EQ(open(), 0);
  const std::pair<const char*, int32_t> cases[] = {
      {"alpha Cen", 71683},   {"alf Cen", 71683},     {"α Cen", 71683},      {" ALP cen ", 71683},
      {"alf2 Cen", 71681},    {"alpha 2 Cen", 71681}, {"α-2 Cen", 71681},    {"alpha Centaurus", 71683},
      {"alpha Canis Major", 32349}, {"del Peg", 677}, {"3 Lyr", 91262},      {"9 cma", 32349},
      {"HD 172167", 91262},   {"hd172167", 91262},    {"HR 2491", 32349},    {"HIP 677", 677},
      {"SAO 252838", 71683},  {"PPM 81558", 91262},   {"Vega", 91262},       {"weg", 91262},
      {"toliman", 71681},     {"alf3 Cen", 0},        {"bet Cen", 0},        {"alpha Xyz", 0},
      {"alpha", 0},           {"61 Cen", 0},          {"HD", 0},             {"HD 0", 0},
      {"HD 1x", 0},           {"", 0},
      {"BD+38 3238", 91262},  {"BD +38\u00b03238", 91262}, {"TYC 3105-2070-1", 91262}, {"tyc3105 2070 1", 91262},
      {"BD-38 3238", 0},      {"CD+38 3238", 0},      {"TYC 3105-2070", 0},  {"TYC 3105-2070-1-1", 0},
  };
  for (auto [typed, hipparcos] : cases) {
    found = StarIdRecord();
    EXPECT_EQ(ids.findByText(typed, found) ? found.hipparcos : 0, hipparcos) << typed;
  }
  EXPECT_FALSE(ids.findByDesignation("Vega", found));
  EXPECT_TRUE(ids.findByDesignation("alf Lyr", found));
}

// Keys beside the ones stored, and keys that differ only beyond the bits a
// table keeps, find nothing (the typed lookups above find the stored ones).
TEST_F(StarIdFiles, KeysBesideTheStoredOnesFindNothing) {
  ASSERT_EQ(open(), 0);
  const int cen = constellation("Cen"), lyr = constellation("Lyr");
  const std::pair<const char*, std::function<bool()>> cases[] = {
      {"code 5", [&] { return ids.findByCatalogNumber(kCatalogUnused, 358, found); }},
      {"HD gap", [&] { return ids.findByCatalogNumber(kCatalogHd, 172166, found); }},
      {"HD past the table", [&] { return ids.findByCatalogNumber(kCatalogHd, 172168, found); }},
      {"HD negative", [&] { return ids.findByCatalogNumber(kCatalogHd, -172167, found); }},
      {"code 8", [&] { return ids.findByCatalogNumber(8, 358, found); }},
      {"letter 24", [&] { return ids.findByBayer(cen, 24, 0, found); }},
      {"constellation 89", [&] { return ids.findByBayer(89, kAlpha, 0, found); }},
      {"constellation -1", [&] { return ids.findByBayer(-1, kAlpha, 0, found); }},
      {"Cen + 256", [&] { return ids.findByBayer(cen + 256, kAlpha, 1, found); }},
      {"0 Lyr", [&] { return ids.findByFlamsteed(lyr, 0, found); }},
      {"9 Lyr", [&] { return ids.findByFlamsteed(lyr, 9, found); }},
      {"65539 Lyr", [&] { return ids.findByFlamsteed(lyr, 3 + 65536, found); }},
      {"BD zone 294", [&] { return ids.findByDurchmusterung(kBonner, 38 + 256, 3238, found); }},
      {"DM catalogue 5", [&] { return ids.findByDurchmusterung(5, 38, 3238, found); }},
      {"TYC 3105-2070-2", [&] { return ids.findByTycho(3105, 2070, 2, found); }},
      {"TYC 9538-12121-3", [&] { return ids.findByTycho(9538, 12121, 3, found); }},
      {"TYC 0-0-0", [&] { return ids.findByTycho(0, 0, 0, found); }},
      {"TYC 3105-2070-17", [&] { return ids.findByTycho(3105, 2070, 17, found); }},
  };
  for (const auto& [what, lookup] : cases) EXPECT_FALSE(lookup()) << what;
}

// A catalogue that does not number the star is left out rather than shown
// as 0; a Tycho entry without a main record has no designation line.
TEST_F(StarIdFiles, TheInformationTextOfEachKindOfRecord) {
  ASSERT_EQ(open(), 0);
  const auto cen = static_cast<int8_t>(constellation("Cen"));
  const StarIdRecord omega{.dmCatalogue = kCapePhotographic, .dmZone = -60, .dmNumber = 5483, .constellation = cen,
                           .greekLetter = 23};
  // No letter: the Flamsteed number and the constellation only.
  const StarIdRecord flamsteedOnly{.dmCatalogue = 5, .dmZone = -60, .dmNumber = 5483, .constellation = cen,
                                   .greekLetter = 24, .superscript = 2, .flamsteed = 61};
  StarIdRecord outside = flamsteedOnly;
  outside.constellation = 89;
  StarIdRecord vega, toliman, tychoOnly;
  ASSERT_TRUE(ids.readRecord(kVega, vega) && ids.readRecord(kToliman, toliman));
  ASSERT_TRUE(ids.findByTycho(9537, 12121, 3, tychoOnly));
  EXPECT_EQ(std::pair(tychoOnly.raRad, tychoOnly.decRad), std::pair(1.25, -0.75));
  const std::pair<const StarIdRecord*, std::u16string> cases[] = {
      {&vega, u"Vega, Wega\r\n3 α(alfa) Lyr\r\nBonner Durchmusterung (BD) :38,3238\r\nHipparcos:91262\r\nHD:172167\r\n"
              u"Harvard:7001\r\nSAO:67174\r\nPPM:81558\r\nTycho:3105-2070-1"},
      {&toliman, u"toliman\r\nα(alfa) 2 Cen\r\nHipparcos:71681\r\nHD:128621\r\nHarvard:5460"},
      {&tychoOnly, u"Tycho:9537-12121-3"},
      {&omega, u"ω(omega) Cen\r\nCape Photographic Durchmusterung (CP) :-60,5483"},
      {&flamsteedOnly, u"61 Cen"},
      {&outside, u""},
  };
  for (const auto& [record, text] : cases) EXPECT_EQ(ids.describe(*record), text);
}

TEST(StarIdBytes, HeaderWordsAndARecordByteForByte) {
  StarIdContents c;
  StarIdRecord vega = star(91262, 172167, 7001, 67174, "Lyr", kAlpha, 1, 3);
  vega.ppm = 81558, vega.tycho = kTychoOnly, vega.dmCatalogue = kBonner, vega.dmZone = -38, vega.dmNumber = 0x1234;
  c.records = {vega};
  c.names = {{"Vega", 0}};
  const std::string bytes = starIdBytes(c);
  EXPECT_EQ(bytes.substr(0, 8), "CLV_CIDX");
  // Word 5 counts "Vega" and its zero; words 11 to 19 the tables of codes
  // 3 (Hipparcos), 4 (HR), 2 (HD), 6 (SAO) and 7 (PPM), one past the largest number.
  for (auto [word, value] : {std::pair{2, 1u}, {3, 1u}, {5, 5u}, {7, 1u}, {11, 91263u}, {13, 7002u}, {15, 172168u},
                             {17, 67175u}, {19, 81559u}, {21, 0u}, {24, 0u}, {27, 0u}}) {
    EXPECT_EQ(wordOf(bytes, word), value) << "word " << word;
  }
  EXPECT_EQ(bytes.substr(wordOf(bytes, 6), 5), std::string("Vega", 5));
  EXPECT_EQ(wordOf(bytes, 4) % 8, 0u);
  EXPECT_EQ(loadU32(reinterpret_cast<const uint8_t*>(&bytes[wordOf(bytes, 16) + 4 * 172167])), 0u);
  ASSERT_EQ(bytes.size(), wordOf(bytes, 4) + 64);
  // First name 0, one name; Hipparcos 91262, HD 172167, HR 7001, SAO 67174,
  // PPM 81558, Tycho 9537-12121-3, BD -38 0x1234; Lyr, alpha, superscript 1;
  // Flamsteed 3.
  const unsigned char record[] = {0,    0,    1,    0,    0,    0, 0,    0,    0x7e, 0x64, 0x01, 0,    0x87, 0xa0,
                                  0x02, 0,    0x59, 0x1b, 0,    0, 0x66, 0x06, 0x01, 0,    0x96, 0x3e, 0x01, 0,
                                  0x93, 0xf5, 0x06, 0x95, 0x01, 0xda, 0x34, 0x12, 51, 0,    1,    0,    3,    0,
                                  0,    0,    0,    0,    0,    0};
  std::string expected(reinterpret_cast<const char*>(record), sizeof record);
  expected.append(reinterpret_cast<const char*>(&c.records[0].raRad), 8);
  expected.append(reinterpret_cast<const char*>(&c.records[0].decRad), 8);
  EXPECT_EQ(bytes.substr(wordOf(bytes, 4)), expected);
  // The Tycho file without entries: its header and one empty slot.
  EXPECT_EQ(starIdTychoBytes({}), std::string("CLV_TIDX\1\0\0\0\1\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 28));
}

// A main file refused leaves no record, name or table; the Tycho file is
// read all the same, without its links to the main records.
TEST_F(StarIdFiles, ABadMainFileLeavesItEmptyButTheTychoFileIsRead) {
  const std::string good = starIdBytes(sampleContents());
  const struct { const char* what; std::string bytes; int code; } cases[] = {
      {"magic", "X" + good.substr(1), 1}, {"version", patched(good, 8, 2), 1}, {"magic alone", "CLV_CIDX", 1},
      {"record count", patched(good, 12, 6), 3}, {"huge record count", patched(good, 12, 0xFFFFFFFF), 3},
      {"short by a byte", good.substr(0, good.size() - 1), 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(open(c.bytes), c.code);
    EXPECT_EQ((std::tuple{ids.recordCount(), ids.findByName("sir")}), (std::tuple{0, -1}));
    EXPECT_FALSE(ids.findByCatalogNumber(kCatalogHd, 48915, found));
    EXPECT_TRUE(ids.findByTycho(9537, 12121, 3, found));
    EXPECT_FALSE(ids.findByTycho(3105, 2070, 1, found));  // its main record is gone
  }
  EXPECT_EQ(ids.open(dir.file("missing.dat"), dir.file("tycho.dat")), 4);
  ASSERT_EQ(open(good, starIdTychoBytes({})), 0);  // an empty Tycho file is accepted
  EXPECT_FALSE(ids.findByTycho(3105, 2070, 1, found));
  EXPECT_EQ(ids.findByName("Vega"), kVega);
}

// A table or a number in it that leads outside the file, or past the last
// record, fails only the lookups that go through it.
TEST_F(StarIdFiles, ABadTableOrEntryFailsOnlyItsOwnLookups) {
  const std::string good = starIdBytes(sampleContents());
  const int lyr = constellation("Lyr");
  ASSERT_EQ(open(patched(good, 64, static_cast<uint32_t>(good.size()))), 0);  // HD
  EXPECT_FALSE(ids.findByCatalogNumber(kCatalogHd, 172167, found));
  EXPECT_TRUE(ids.findByCatalogNumber(kCatalogHr, 7001, found));
  ASSERT_EQ(open(patched(good, 44, 0x40000000)), 0);  // a Hipparcos count reaching past the end
  EXPECT_FALSE(ids.findByCatalogNumber(kCatalogHipparcos, 91262, found));
  ASSERT_EQ(open(patched(good, 92, 0xFFFFFFF0)), 0);  // Bayer records
  EXPECT_FALSE(ids.findByBayer(lyr, kAlpha, 0, found));
  EXPECT_TRUE(ids.findByFlamsteed(lyr, 3, found));
  EXPECT_EQ(ids.findByName("Vega"), kVega);

  StarIdContents c = sampleContents();
  c.bayer.insert(c.bayer.begin(), {bayerKey(lyr, kAlpha, 0), 7});  // past the last record
  c.flamsteed.insert(c.flamsteed.begin(), {flamsteedKey(lyr, 3), -1});
  c.names.push_back({"Zeta", -1});
  std::string bytes = starIdBytes(c);
  bytes = patched(bytes, wordOf(bytes, 16) + 4 * 172167, 5);  // HD 172167 leads past the last record
  bytes[wordOf(bytes, 4) + 64 * kVega + 2] = 8;                // Vega's names 1..8 of 8
  ASSERT_EQ(open(bytes), 0);
  ASSERT_TRUE(ids.findByBayer(lyr, kAlpha, 0, found));  // the next key
  EXPECT_EQ(found.hipparcos, 91262);
  ASSERT_TRUE(ids.findByFlamsteed(lyr, 3, found));
  EXPECT_EQ(found.hipparcos, 91262);
  EXPECT_EQ(ids.describe(found).substr(0, 4), u"3 α(");  // no name line
  found = StarIdRecord();
  EXPECT_FALSE(ids.findByCatalogNumber(kCatalogHd, 172167, found));
  EXPECT_EQ(found.hipparcos, 0);  // untouched
  EXPECT_EQ(ids.findByName("Zeta"), -1);
  EXPECT_FALSE(ids.readRecord(5, found) || ids.readRecord(-1, found));
}

TEST_F(StarIdFiles, BadNameSectionsLeaveNoNamesAndBadNamesArePassedOver) {
  const std::string good = starIdBytes(sampleContents());
  for (auto [word, value] : {std::pair{7, 10001u}, {5, 100001u}, {6, static_cast<uint32_t>(good.size())},
                             {10, static_cast<uint32_t>(good.size() - 4)}}) {
    SCOPED_TRACE(word);
    ASSERT_EQ(open(patched(good, 4 * word, value)), 0);
    EXPECT_EQ((std::tuple{ids.nameCount(), ids.findByName("Vega")}), (std::tuple{0, -1}));
    EXPECT_TRUE(walkNames().empty());
    ASSERT_TRUE(ids.readRecord(kVega, found));
    EXPECT_EQ(ids.describe(found).substr(0, 4), u"3 α(");
    EXPECT_TRUE(ids.findByCatalogNumber(kCatalogHd, 172167, found));
  }

  const uint32_t offsets = wordOf(good, 8), records = wordOf(good, 9), textSize = wordOf(good, 5);
  std::string bytes = patched(good, records + 16, 5);  // "Sirrah" leads past the last record
  bytes[offsets] = static_cast<char>(textSize & 0xFF);     // "Sirius" starts at the end of the text
  bytes[offsets + 1] = static_cast<char>(textSize >> 8);
  ASSERT_EQ(open(bytes), 0);
  EXPECT_EQ(ids.findByName("sir"), -1);
  EXPECT_EQ(walkNames(), (std::vector<std::string>{"Alpheratz", "Rigil Kentaurus", "toliman", "Vega", "Wega"}));
  ASSERT_TRUE(ids.readRecord(kAlpheratz, found));
  EXPECT_EQ(ids.describe(found).substr(0, 11), u"Alpheratz\r\n");
  ASSERT_EQ(open(patched(good, 20, textSize - 1)), 0);  // "toliman" loses its zero
  EXPECT_EQ(ids.findByName("tol"), -1);
  EXPECT_EQ(walkNames().size(), 6u);
}

TEST_F(StarIdFiles, BadTychoFilesFailOnlyTheTychoLookups) {
  const std::string good = starIdTychoBytes(sampleTycho());
  for (auto [word, value] : {std::pair{3, 0u}, {3, 15001u}, {3, 9539u}, {4, 4u}, {2, 2u}}) {
    ASSERT_EQ(open(starIdBytes(sampleContents()), patched(good, 4 * word, value)), 0);
    EXPECT_FALSE(ids.findByTycho(9537, 12121, 3, found)) << word << " " << value;
    EXPECT_EQ(ids.findByName("Vega"), kVega);
  }
  ASSERT_EQ(open(starIdBytes(sampleContents()), patched(good, 4 * (5 + 9538 + 9537), 2)), 0);  // two entries from the last
  EXPECT_FALSE(ids.findByTycho(9537, 12121, 3, found));
  EXPECT_TRUE(ids.findByTycho(3105, 2070, 1, found));
  ASSERT_EQ(open(starIdBytes(sampleContents()), patched(good, 4 * (5 + 2 * 9538 + 1), 5)), 0);  // Vega's past the records
  EXPECT_FALSE(ids.findByTycho(3105, 2070, 1, found));
  EXPECT_TRUE(ids.findByTycho(3105, 17, 2, found));
}

// A data file another program shortens while the program has it mapped (an
// update written over it in place, a copy cut short) must not end the
// process: the database answers from what is left of it and finds nothing
// of what is gone. Skipped where the data have not been built.
TEST(ShortenedData, StarIdentificationsCutShortWhileOpenFindNothingOfWhatIsGone) {
  const std::string data = std::string(CELVARO_RUN_DIR) + "/data/";
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  const testing::ScratchDir dir;
  std::filesystem::copy_file(data + "starid.dat", dir.file("starid.dat"));
  std::filesystem::copy_file(data + "starid_tycho.dat", dir.file("starid_tycho.dat"));
  StarIdDatabase ids;
  ASSERT_EQ(ids.open(dir.file("starid.dat"), dir.file("starid_tycho.dat")), 0);
  StarIdRecord found;
  // Betelgeuse and Sirius by their Hipparcos numbers (the Hipparcos catalogue).
  ASSERT_TRUE(ids.findByCatalogNumber(kCatalogHipparcos, 27989, found));
  ASSERT_TRUE(ids.findByDesignation("alf CMa", found));
  EXPECT_EQ(found.hipparcos, 32349);

  std::filesystem::resize_file(dir.file("starid.dat"), 4096);
  // What is gone reads as zeros: lookups may answer with an empty record,
  // never with a star the shortened file no longer holds.
  found = {};
  ids.findByCatalogNumber(kCatalogHipparcos, 32349, found);
  EXPECT_NE(found.hipparcos, 32349);
  found = {};
  ids.findByDesignation("alf Ori", found);
  EXPECT_NE(found.hipparcos, 27989);
  // Every name read is text the first page still holds.
  const std::string kept = testing::readBytes(data + "starid.dat").substr(0, 4096);
  std::string name;
  int record = 0;
  while (ids.nextName(name, record)) EXPECT_NE(kept.find(name), std::string::npos) << name;
}

}  // namespace
}  // namespace celvaro
