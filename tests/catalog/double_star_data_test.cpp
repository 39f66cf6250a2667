// The double-star catalogs: typed designations, opening and rejecting
// files, the drawing walks of both versions with their filters, and
// damaged files that must never be read beyond what they hold.
#include "catalog/double_star_data.h"

#include <gtest/gtest.h>

#include <tuple>

#include "catalog/star_dbl_wds_data_d1.h"
#include "catalog/star_dbl_wds_data_d2.h"
#include "double_variable_writers.h"
#include "platform/binary_file.h"
#include "star_symbol_output.h"

namespace celvaro {
namespace {

using testing::patched;

DoubleStarEntry entry(std::string designation, int32_t primary, int32_t companion = 0, int32_t separation = 0) {
  DoubleStarEntry e;
  e.raRad = e.decRad = 0.001 * primary / 100;
  e.designation = std::move(designation);
  e.primary = primary;
  e.companion = companion;
  e.separation = separation;
  e.info = {{kDoubleInfoWds, kInfoText, 0, "13239+5456"}, {kDoubleInfoSeparation, kInfoTenths, separation, {}}};
  return e;
}

class DoubleStarTest : public testing::StarChartTest {
 protected:
  void draw(const iStarDblData& catalog) { catalog.draw(output, area, transformer, settings, 5, -18); }

  StarDblWDSDataD1 flat;
  StarDblWDSDataD2 regional;
};

// Keys in the WDS's seven characters: the discoverer code (one to four
// letters, Herschel's classes "H 1".."H 6" and "H N") padded to three, the
// number right-aligned after it; the traditional symbols stand for their
// WDS codes (Struve STF, his appendices STFA and STFB, O. Struve STT and
// STTA, Burnham BU, Dunlop DUN, See SEE, Finsen FIN).
TEST(DoubleStarKey, TypedDesignationsBecomeTheWdsSevenCharacters) {
  const std::pair<const char*, const char*> keys[] = {
      {"stf60", "STF  60"},    {"STF 60", "STF  60"},  {"  STF 1744 AB", "STF1744"}, {"a-1", "A     1"},
      {"STFA 43", "STFA 43"},  {"stfa43", "STFA 43"},  {"Σ I 43", "STFA 43"},      {"Σ II 10", "STFB 10"},
      {"Σ 1744", "STF1744"},   {"ΟΣ 5", "STT   5"},    {"ΟΣΣ 123", "STTA123"},     {"β 1411", "BU 1411"},
      {"Δ 65", "DUN  65"},     {"λ 510", "SEE 510"},   {"φ 1", "FIN   1"},        {"H 5 32", "H 5  32"},
      {"H N 73", "H N  73"},   {"h 6 111", "H 6 111"},
  };
  for (const auto& [text, key] : keys) EXPECT_EQ(doubleStarKey(text), key) << text;
  for (const char* bad : {"Struve", "STFA 1234", "STF 12345", "STF", "60", ""}) {
    EXPECT_EQ(doubleStarKey(bad), "") << bad;
  }
  for (const auto& [key, label] :
       {std::pair{"STF  60", "STF 60"}, {"A    12", "A 12"}, {"STFA 43", "STFA 43"}, {"H 5  32", "H 5 32"}}) {
    EXPECT_EQ(doubleStarLabel(key), label) << key;
  }
}

TEST(DoubleStarCatalog, FileTypesBuildTheirCatalogs) {
  EXPECT_NE(dynamic_cast<StarDblWDSDataD1*>(doubleStarCatalogOfType(10).get()), nullptr);
  EXPECT_NE(dynamic_cast<StarDblWDSDataD2*>(doubleStarCatalogOfType(11).get()), nullptr);
  EXPECT_EQ(doubleStarCatalogOfType(9), nullptr);
}

TEST_F(DoubleStarTest, FilesOfBothVersionsAreWrittenAndReadByteForByte) {
  const std::string flatBytes = doubleStarCatalogBytes(3, {}, {entry("STF1744", 227)});
  ASSERT_EQ(flatBytes.size(), 36u + 40u);
  EXPECT_EQ(flatBytes.substr(0, 12), std::string("CLV_WDSC\3\0\0\0", 12));
  EXPECT_EQ(flatBytes.substr(52, 8), std::string("STF1744\0", 8));
  EXPECT_EQ(load(flat, flatBytes), 0);
  // The designation is appended to what the status bar already holds.
  std::string shown = "Double star: ";
  flat.getDesignation(0, shown);
  EXPECT_EQ(shown, "Double star: STF1744");

  // Rigel's pair is STF 668 in the WDS.
  const std::string bytes = doubleStarCatalogBytes(4, regions({{1, false}}), {entry("STF 668", 345, 750, 126)});
  const size_t record = 36 + 4 * 40;
  EXPECT_EQ(bytes.substr(record + 16, 8), std::string("STF 668\0", 8));
  EXPECT_EQ(loadU32(reinterpret_cast<const uint8_t*>(&bytes[record + 28])), 750u);
  ASSERT_EQ(load(regional, bytes), 0);
  const DoubleStarRecord& r = regional.record(0);
  EXPECT_EQ(std::tie(r.primary, r.companion, r.separation), std::make_tuple(345, 750, 126));
  shown = "Double star: ";
  regional.getDesignation(0, shown);
  EXPECT_EQ(shown, "Double star: STF 668");
  std::vector<StarInfoItem> items;
  ASSERT_TRUE(regional.readObjectInfo(0, items));
  EXPECT_EQ(items, (std::vector<StarInfoItem>{{kDoubleInfoWds, "13239+5456"}, {kDoubleInfoSeparation, "12.6"}}));
  EXPECT_FALSE(flat.readObjectInfo(0, items));
}

TEST_F(DoubleStarTest, HeaderValuesDecideTheOpenCode) {
  EXPECT_EQ(flat.open("missing.dat"), 4);
  EXPECT_EQ(regional.open("missing.dat"), 4);
  const std::string v3 = doubleStarCatalogBytes(3, {}, {entry("A 1", 300)});
  // Version 3: magic, version, the zero words, count and record size all answer 3.
  for (auto [offset, value] : {std::pair{0, 0x58585858}, {8, 4}, {12, 4}, {24, 1}, {32, 1}, {16, 0}, {16, 10001},
                               {20, 48}}) {
    EXPECT_EQ(load(flat, patched(v3, offset, value)), 3) << offset << " " << value;
    EXPECT_EQ(flat.count(), 0);
  }
  const std::string v4 = doubleStarCatalogBytes(4, regions({{1, false}}), {entry("A    1", 300)});
  EXPECT_EQ(load(regional, patched(v4, 8, 3)), 2);
  EXPECT_EQ(load(regional, patched(v4, 0, 0x58585858)), 2);
  for (auto [offset, value] : {std::pair{12, 3}, {12, 101}, {16, 120001}, {20, 40}, {24, 65}, {28, 193}, {32, 1025}}) {
    EXPECT_EQ(load(regional, patched(v4, offset, value)), 3) << offset << " " << value;
    EXPECT_EQ(regional.count(), 0);
  }
}

TEST_F(DoubleStarTest, DamagedFilesLoadEmptyAndInformationStaysInsideTheFile) {
  const std::string v4 = doubleStarCatalogBytes(4, regions({{2, false}}), {entry("A    1", 300), entry("A    2", 400)});
  const size_t record = 36 + 4 * 40, area = record + 2 * 48;
  EXPECT_EQ(load(regional, v4.substr(0, area - 1)), 3);  // the last record cut short
  EXPECT_EQ(regional.count(), 0);
  for (auto [offset, value] : {std::pair{36, 1}, {36, -1}, {40, -1}, {40, 3}}) {  // runs outside the records
    EXPECT_EQ(load(regional, patched(v4, offset, value)), 3);
    EXPECT_EQ(regional.count(), 0);
  }
  EXPECT_EQ(load(flat, doubleStarCatalogBytes(3, {}, {entry("A 1", 300)}).substr(0, 75)), 3);
  EXPECT_EQ(flat.count(), 0);

  const uint32_t secondOffset = loadU32(reinterpret_cast<const uint8_t*>(&v4[record + 48 + 36]));
  const uint32_t size = loadU32(reinterpret_cast<const uint8_t*>(&v4[record + 36 + 4]));
  std::vector<StarInfoItem> items;
  const size_t info = record + 48 + 36;  // the second record's information offset and size
  for (auto [offset, packed] : {std::pair<uint32_t, uint32_t>{secondOffset + 1, size},  // runs past the file's end
                                {1u << 30, size},
                                {0, size | (193u << 8)},
                                {0, size | (1025u << 16)}}) {
    ASSERT_EQ(load(regional, patched(patched(v4, info, static_cast<int32_t>(offset)), info + 4,
                                     static_cast<int32_t>(packed))), 0);
    EXPECT_FALSE(regional.readObjectInfo(1, items)) << offset << " " << packed;
  }
  EXPECT_TRUE(regional.readObjectInfo(0, items));
  EXPECT_FALSE(regional.readObjectInfo(2, items));
}

TEST_F(DoubleStarTest, FlatFilesDrawInFileOrderUpToTheFirstFainterSystem) {
  load(flat, doubleStarCatalogBytes(3, {}, {entry("BU 1", 300), entry("STF 2", 450), entry("STF 3", 350)}));
  settings.doubleLimitHundredths = 400;
  settings.doubleLabelOffset = -50;
  settings.needDoubleLabels = 1;
  draw(flat);
  ASSERT_EQ(output.indices(), std::vector<int>{0});
  EXPECT_EQ(output.symbols[0].size, 94);  // class 6
  ASSERT_EQ(output.labels.size(), 1u);
  const auto& label = output.labels[0];
  EXPECT_EQ(std::tie(label.dx, label.dy, label.textClass, label.text), std::tuple(5 + 47, -18, kStarSmallText, "BU 1"));
  output.forget();
  settings.doubleLabelOffset = -250;  // labels only down to 2.50
  settings.doubleLimitHundredths = 500;
  draw(flat);
  EXPECT_EQ(output.indices(), (std::vector<int>{0, 1, 2}));
  EXPECT_TRUE(output.labels.empty());
}

TEST_F(DoubleStarTest, RegionsEndAtTheirFirstFainterSystemAndFilterByCompanionAndSeparation) {
  // Region 0: 3.00, 4.50, 3.50; region 1: 3.10 (separation unknown), 3.20
  // (companion 9.00); region 2 lies behind the sky.
  load(regional, doubleStarCatalogBytes(4, regions({{3, false}, {2, false}, {1, true}}),
                                        {entry("A    1", 300, 400, 50), entry("A    2", 450, 500, 50),
                                         entry("A    3", 350, 400, 50), entry("A    4", 310, 400, 0),
                                         entry("A    5", 320, 900, 50), entry("A    6", 100, 200, 50)}));
  settings.doubleLimitHundredths = 400;
  settings.doubleLabelLimitHundredths = 600;
  settings.needDoubleLabels = 0;
  draw(regional);
  EXPECT_EQ(output.indices(), (std::vector<int>{0, 3}));
  EXPECT_TRUE(output.labels.empty());

  settings.doubleSeparationFilter = 1;
  settings.doubleSeparationMin = 60;
  settings.doubleSeparationMax = 100;
  output.forget();
  draw(regional);
  EXPECT_EQ(output.indices(), std::vector<int>{3});  // only the unknown separation passes
  settings.doubleKeepUnknownSeparations = 0;
  settings.doubleSeparationMin = 50;
  output.forget();
  draw(regional);
  EXPECT_EQ(output.indices(), std::vector<int>{0});

  settings.needDoubleLabels = 1;
  output.forget();
  draw(regional);
  ASSERT_EQ(output.labels.size(), 1u);
  EXPECT_EQ(output.labels[0].text, "A 1");
}

TEST_F(DoubleStarTest, LookupsMatchTheBeginningOfTheStoredDesignation) {
  load(regional, doubleStarCatalogBytes(4, regions({{3, false}}),
                                        {entry("STF  60", 300), entry("STF1744", 230), entry("STF1744", 400)}));
  StarPosition found;
  EXPECT_EQ(regional.findByDesignation("stf 1744 AB", found), kDoubleFound);
  EXPECT_EQ(found.index, 1);
  EXPECT_DOUBLE_EQ(found.raRad, regional.record(1).raRad);
  EXPECT_EQ(regional.findByDesignation("STF 6", found), kDoubleNotFound);
  EXPECT_EQ(regional.findByDesignation("Struve 60", found), kDoubleNotParsable);
  EXPECT_FALSE(regional.getPosition(3, found));
}

}  // namespace
}  // namespace celvaro
