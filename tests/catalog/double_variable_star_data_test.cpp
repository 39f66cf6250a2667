// The double- and variable-star catalogs: typed designations and their texts,
// opening and rejecting files, the drawing walks of both versions with their
// filters, information records, and damaged files that must never be read
// beyond what they hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <tuple>

#include "astro/constellation_list.h"
#include "catalog/double_star_data.h"
#include "catalog/star_dbl_wds_data_d1.h"
#include "catalog/star_dbl_wds_data_d2.h"
#include "catalog/star_gcvs_data1.h"
#include "catalog/star_gcvs_data2.h"
#include "catalog/variable_star_data.h"
#include "double_variable_writers.h"
#include "platform/binary_file.h"
#include "test_charts.h"

namespace celvaro {
namespace {

using testing::patched;

DoubleStarEntry entry(std::string designation, int32_t primary, int32_t companion = 0, int32_t separation = 0) {
  return {0.001 * primary / 100, 0.001 * primary / 100, std::move(designation), primary, companion, separation,
          {{kDoubleInfoWds, kInfoText, 0, "13239+5456"}, {kDoubleInfoSeparation, kInfoTenths, separation, {}}}};
}

class DoubleStarTest : public testing::StarChartTest {
 protected:
  std::vector<int> drawn(const iStarDblData& catalog) {
    output.forget();
    catalog.draw(output, area, transformer, settings, 5, -18);
    return output.indices();
  }

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

TEST_F(DoubleStarTest, FilesOfBothVersionsAreWrittenAndReadByteForByte) {
  const std::string flatBytes = doubleStarCatalogBytes(3, {}, {entry("STF1744", 227)});
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
  std::vector<StarInfoItem> items;
  EXPECT_FALSE(flat.readObjectInfo(0, items));  // version 3 holds no information
}

// Header values, short files and runs outside the records: no system loaded.
TEST_F(DoubleStarTest, RejectedFilesLoadNothingAndInformationStaysInsideTheFile) {
  EXPECT_EQ(flat.open("missing.dat"), 4);
  EXPECT_EQ(regional.open("missing.dat"), 4);
  const std::string v3 = doubleStarCatalogBytes(3, {}, {entry("A 1", 300)});
  const std::string v4 = doubleStarCatalogBytes(4, regions({{2, false}}), {entry("A    1", 300), entry("A    2", 400)});
  const size_t record = 36 + 4 * 40;
  const std::vector<RejectedFile<iStarDblData>> cases = {
      // Version 3: magic, version, the zero words, count and record size; a record cut short.
      {flat, patched(v3, 0, 0x58585858), 3}, {flat, patched(v3, 8, 4), 3},     {flat, patched(v3, 12, 4), 3},
      {flat, patched(v3, 24, 1), 3},         {flat, patched(v3, 32, 1), 3},     {flat, patched(v3, 16, 0), 3},
      {flat, patched(v3, 16, 10001), 3},     {flat, patched(v3, 20, 48), 3},    {flat, v3.substr(0, 75), 3},
      {regional, patched(v4, 8, 3), 2},      {regional, patched(v4, 0, 0x58585858), 2},
      {regional, patched(v4, 12, 3), 3},     {regional, patched(v4, 12, 101), 3},
      {regional, patched(v4, 16, 120001), 3}, {regional, patched(v4, 20, 40), 3},
      {regional, patched(v4, 24, 65), 3},    {regional, patched(v4, 28, 193), 3},
      {regional, patched(v4, 32, 1025), 3},  {regional, v4.substr(0, record + 2 * 48 - 1), 3},
      // Runs outside the records.
      {regional, patched(v4, 36, 1), 3},     {regional, patched(v4, 36, -1), 3},
      {regional, patched(v4, 40, -1), 3},    {regional, patched(v4, 40, 3), 3},
  };
  expectRejected(cases);

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
  settings.doubleLimitHundredths = 400, settings.doubleLabelOffset = -50, settings.needDoubleLabels = 1;
  ASSERT_EQ(drawn(flat), std::vector<int>{0});
  EXPECT_EQ(output.symbols[0].size, 94);  // class 6
  ASSERT_EQ(output.labels.size(), 1u);
  const auto& label = output.labels[0];
  EXPECT_EQ(std::tie(label.dx, label.dy, label.textClass, label.text), std::tuple(5 + 47, -18, kStarSmallText, "BU 1"));
  settings.doubleLabelOffset = -250;  // labels only down to 2.50
  settings.doubleLimitHundredths = 500;
  EXPECT_EQ(drawn(flat), (std::vector<int>{0, 1, 2}));
  EXPECT_TRUE(output.labels.empty());
}

TEST_F(DoubleStarTest, RegionsEndAtTheirFirstFainterSystemAndFilterByCompanionAndSeparation) {
  // Region 0: 3.00, 4.50, 3.50; region 1: 3.10 (separation unknown), 3.20
  // (companion 9.00); region 2 lies behind the sky.
  load(regional, doubleStarCatalogBytes(4, regions({{3, false}, {2, false}, {1, true}}),
                                        {entry("A    1", 300, 400, 50), entry("A    2", 450, 500, 50),
                                         entry("A    3", 350, 400, 50), entry("A    4", 310, 400, 0),
                                         entry("A    5", 320, 900, 50), entry("A    6", 100, 200, 50)}));
  settings.doubleLimitHundredths = 400, settings.doubleLabelLimitHundredths = 600, settings.needDoubleLabels = 0;
  EXPECT_EQ(drawn(regional), (std::vector<int>{0, 3}));
  EXPECT_TRUE(output.labels.empty());

  settings.doubleSeparationFilter = 1, settings.doubleSeparationMin = 60, settings.doubleSeparationMax = 100;
  EXPECT_EQ(drawn(regional), std::vector<int>{3});  // only the unknown separation passes
  settings.doubleKeepUnknownSeparations = 0;
  settings.doubleSeparationMin = 50;
  EXPECT_EQ(drawn(regional), std::vector<int>{0});

  settings.needDoubleLabels = 1;
  drawn(regional);
  ASSERT_EQ(output.labels.size(), 1u);
  EXPECT_EQ(output.labels[0].text, "A 1");
}

constexpr int kLyra = 52, kCygnus = 31, kCepheus = 20;

// A star of constant brightness unless its faintest magnitude is given.
VariableStarEntry star(int16_t brightest, std::optional<int16_t> faintest = {}, uint8_t flags = kVariableP,
                       int32_t period = 500) {
  const double at = 0.0001 * brightest / 10;
  return {at,     at,   faintest.value_or(brightest), brightest, period, flags, kLyra, 10,
          {{kVariableInfoType, kInfoText, 0, "RRAB"}, {kVariableInfoHipparcos, kInfoInt32, 95497, {}}}};
}

TEST(VariableDesignation, CodesHaveTheirTexts) {
  const std::pair<int, const char*> texts[] = {{1, "R"},         {9, "Z"},      {10, "RR"},    {55, "AA"},
                                               {334, "QZ"},      {335, "V0335"}, {9000, "V9000"}, {9001, "alf"},
                                               {9008, "tet"},    {9012, "mu"},  {9014, "ksi"}, {9022, "khi"},
                                               {9024, "ome"},    {9101, "a"},   {9201, "A"},   {9217, "Q"}};
  for (auto [code, text] : texts) EXPECT_EQ(variableDesignationText(code), text) << code;
  for (int code : {0, -1, 9025, 9100, 9127, 9218}) EXPECT_EQ(variableDesignationText(code), "") << code;
  EXPECT_EQ(variableStarText(0, kLyra, 0, 0, 0, false, false), "");
  std::set<std::string> letters;
  for (int code = 1; code <= 334; ++code) letters.insert(variableDesignationText(code));
  EXPECT_EQ(letters.size(), 334u);
  EXPECT_TRUE(std::none_of(letters.begin(), letters.end(), [](const std::string& t) { return t.find('J') != t.npos; }));
}

TEST(VariableDesignation, LabelsAddTypeLettersAndRange) {
  const uint8_t ep = kVariableE | kVariableP, lx = kVariableX | kVariableL;
  const std::tuple<uint8_t, int, int, bool, bool, const char*> labels[] = {
      {ep, 7060, 8120, true, true, "RR Lyr [EP 7.06-8.12]"}, {ep, 7060, 8120, true, false, "RR Lyr [EP]"},
      {ep, 7060, 8120, false, true, "RR Lyr [7.06-8.12]"},   {lx, -20, 100, true, true, "RR Lyr [LX -0.02-0.1]"},
      {0, 7060, 8120, true, true, "RR Lyr [7.06-8.12]"},  // one bracket only
  };
  for (const auto& [flags, brightest, faintest, type, range, text] : labels) {
    EXPECT_EQ(variableStarText(10, kLyra, flags, brightest, faintest, type, range), text);
  }
}

TEST(VariableDesignation, TypedFormsAndMistakes) {
  auto parsed = [](std::string_view text) {
    int code = 0, constellation = 0;
    return parseVariableDesignation(text, code, constellation) ? std::pair{code, constellation} : std::pair{0, 0};
  };
  EXPECT_EQ(parsed("V335 Cyg"), std::pair(335, kCygnus));
  EXPECT_EQ(parsed("V0335 cyg"), std::pair(335, kCygnus));
  EXPECT_EQ(parsed("rr lyr"), std::pair(10, kLyra));
  // Greek letters in the catalogue's abbreviations, the usual alternatives,
  // full names and characters, with or without a superscript.
  for (auto [typed, code] : {std::pair{"delta Cep", 9004}, {"DEL Cep", 9004}, {"alp Cep", 9001}, {"alpha Cep", 9001},
                             {"alfa2 Cep", 9001}, {"tet Cep", 9008}, {"the Cep", 9008}, {"Theta-1 Cep", 9008},
                             {"ksi Cep", 9014}, {"xi Cep", 9014}, {"XI Cep", 9014}, {"khi Cep", 9022},
                             {"chi Cep", 9022}, {"χ Cep", 9022}, {"Ω Cep", 9024}, {"mu Cep", 9012}, {"Mu Cep", 9012},
                             {"pi Cep", 9016}, {"PI Cep", 9016}}) {  // "PI" is no letter pair
    EXPECT_EQ(parsed(typed), std::pair(code, kCepheus)) << typed;
  }
  EXPECT_EQ(variableDesignationText(parsed("MU Cep").first), "MU");
  EXPECT_EQ((std::tuple{parsed("P Cyg").first, parsed("Ser R").first}), (std::tuple{9216, 0}));
  for (const char* bad : {"R", "R Xyz", "Struve", "alphe Ori", "", "Q1 And"}) {
    EXPECT_EQ(parsed(bad), std::pair(0, 0)) << bad;
  }
}

class VariableStarTest : public testing::StarChartTest {
 protected:
  VariableStarTest() {
    settings.variableLimitHundredths = 400;
    settings.variableLabelLimitHundredths = 350;
  }
  std::vector<int> drawn(const iStarVarData& catalog) {
    output.forget();
    catalog.draw(output, layout, area, transformer, settings);
    return output.indices();
  }

  RenderOptions layout;
  StarGcvsData1 flat;
  StarGcvsData2 regional;
};

TEST_F(VariableStarTest, RecordsAreWrittenAndReadByteForByte) {
  VariableStarEntry e = star(7060, 8120, kVariableE | kVariableP, 56);
  e.code = 335;
  const std::string bytes = variableStarCatalogBytes(5, regions({{1, false}}), {e});
  const size_t record = 36 + 4 * 40;
  EXPECT_EQ(bytes.substr(record + 16, 12), std::string("\xB8\x1F\x94\x1B\x38\0\0\0\x03\x34\x4F\x01", 12));
  ASSERT_EQ(load(regional, bytes), 0);
  std::string text = "Variable star: ";  // appended to the heading
  regional.getDesignation(0, text);
  EXPECT_EQ(text, "Variable star: V0335 Lyr [EP 7.06-8.12]");
  std::vector<StarInfoItem> items;
  ASSERT_TRUE(regional.readObjectInfo(0, items));
  EXPECT_EQ(items, (std::vector<StarInfoItem>{{kVariableInfoType, "RRAB"}, {kVariableInfoHipparcos, "95497"}}));
  EXPECT_FALSE(regional.readObjectInfo(1, items));

  ASSERT_EQ(load(flat, variableStarCatalogBytes(3, {}, {e})), 0);
  EXPECT_EQ(flat.record(0).period, 56);
  EXPECT_FALSE(flat.readObjectInfo(0, items));
}

// Header values, short files and runs outside the records: no star loaded.
TEST_F(VariableStarTest, RejectedFilesLoadNothingAndInformationStaysInsideTheFile) {
  EXPECT_EQ(flat.open("missing.dat"), 4);
  const std::string v3 = variableStarCatalogBytes(3, {}, {star(3000)});
  const std::string v5 = variableStarCatalogBytes(5, regions({{2, false}}), {star(3000), star(3100)});
  std::vector<SkyRegion> three = regions({{1, false}});
  three.pop_back();
  const size_t record = 36 + 4 * 40;
  const std::vector<RejectedFile<iStarVarData>> cases = {
      {flat, patched(v3, 8, 5), 3},        {flat, patched(v3, 12, 4), 3},     {flat, patched(v3, 28, 1), 3},
      {flat, patched(v3, 16, 0), 3},       {flat, patched(v3, 16, 10001), 3}, {flat, patched(v3, 20, 40), 3},
      {flat, v3.substr(0, 67), 3},         {regional, patched(v5, 8, 4), 2},  // version 4 is never loaded
      {regional, patched(v5, 4, 0x58585858), 2}, {regional, patched(v5, 12, 101), 3},
      {regional, patched(v5, 16, 100001), 3},    {regional, patched(v5, 20, 32), 3},
      {regional, patched(v5, 24, -1), 3},        {regional, v5.substr(0, record + 79), 3},
      {regional, patched(v5, 36 + 2 * 40, 3), 3},  // an empty run starting past the records
  };
  expectRejected(cases);
  StarGcvsData2 other;
  EXPECT_EQ(load(other, variableStarCatalogBytes(5, three, {star(3000)})), 3);
  EXPECT_EQ(other.count(), 0);
  std::vector<StarInfoItem> items;
  ASSERT_EQ(load(regional, patched(v5, record + 40 + 28, 1000)), 0);
  EXPECT_FALSE(regional.readObjectInfo(1, items));
  EXPECT_TRUE(regional.readObjectInfo(0, items));
  // Version 5 keeps the path of its first open.
  EXPECT_EQ(regional.open("other.dat"), 0);
  EXPECT_EQ(regional.count(), 2);
}

TEST_F(VariableStarTest, FlatFilesPassOverFainterStarsAndDrawTheRest) {
  // 4.009 counts as 4.00 (the thousandths divided down); 4.010 does not.
  load(flat, variableStarCatalogBytes(3, {}, {star(4010), star(3000), star(4009), star(-1000)}));
  EXPECT_EQ(drawn(flat), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(output.symbols[0].size, 94);  // 3.00 is class 6
  EXPECT_EQ(output.symbols[0].radius, 47);
  ASSERT_EQ(output.labels.size(), 2u);  // 4.00 is fainter than the label limit
  const auto& label = output.labels[0];
  EXPECT_EQ(std::tie(label.dx, label.dy, label.textClass, label.text),
            std::tuple(layout.labelOffsetX + 47, layout.starLabelOffsetDy, 4, "RR Lyr"));
  settings.variableLabelWithType = settings.variableLabelWithRange = 1;
  drawn(flat);
  EXPECT_EQ(output.labels[1].text, "RR Lyr [P -1.0--1.0]");

  flat.draw(byClass, layout, area, transformer, settings);
  ASSERT_EQ(byClass.symbols.size(), 3u);
  EXPECT_EQ(std::tuple(byClass.symbols[0].size, byClass.symbols[0].radius), std::tuple(6, 0));
}

// The General Catalogue of Variable Stars gives the nova of 1918, V603 Aql,
// the range -1.4 to 12.15 V, and delta Cep 3.48 to 4.37 V: their mean
// brightnesses are 5.38 and 3.93. A chart of the stars to 4.00, labelled to
// 3.50, draws delta Cep without a label and leaves the old nova out.
TEST_F(VariableStarTest, LimitsAndLabelsGoByTheMeanBrightness) {
  load(flat, variableStarCatalogBytes(3, {}, {star(-1400, 12150), star(3480, 4370), star(3000, 3900)}));
  EXPECT_EQ(drawn(flat), (std::vector<int>{1, 2}));
  ASSERT_EQ(output.labels.size(), 1u);  // 3.45, the third star's mean
  settings.variableLabelLimitHundredths = 400;
  drawn(flat);
  EXPECT_EQ(output.labels.size(), 2u);
}

TEST_F(VariableStarTest, RegionsEndAtTheirFirstFainterStarAndTheFiltersApply) {
  // Region 0: 3.00-3.80 (period 0.50 days), 5.00, 3.50; region 1: 3.10-3.509
  // (amplitude 0.40, eclipsing, 20 days), 3.20-3.90 (long-period, 300
  // days); region 2 behind.
  load(regional, variableStarCatalogBytes(5, regions({{3, false}, {2, false}, {1, true}}),
                                          {star(3000, 3800, kVariableP, 50), star(5000), star(3500),
                                           star(3100, 3509, kVariableE, 2000), star(3200, 3900, kVariableL, 30000),
                                           star(1000)}));
  EXPECT_EQ(drawn(regional), (std::vector<int>{0, 3, 4}));
  settings.variableAmplitudeFilter = 1;
  settings.variableMinAmplitude = 40;  // 350 - 310 reaches it
  EXPECT_EQ(drawn(regional), (std::vector<int>{0, 3, 4}));
  settings.variableMinAmplitude = 41;
  EXPECT_EQ(drawn(regional), (std::vector<int>{0, 4}));
  settings.variableAmplitudeFilter = 0;
  settings.variableTypeFilter = 1;
  settings.variableTypes = {1, 0, 0, 0, 1, 0};  // E and L
  EXPECT_EQ(drawn(regional), (std::vector<int>{3, 4}));
  settings.variableTypeFilter = 0, settings.variableMinPeriodFilter = settings.variableMaxPeriodFilter = 1;
  settings.variableMinPeriod = 51, settings.variableMaxPeriod = 2000;
  EXPECT_EQ(drawn(regional), std::vector<int>{3});
}

}  // namespace
}  // namespace celvaro
