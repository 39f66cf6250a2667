// The variable-star catalogs: designation codes and texts both ways, labels,
// opening and rejecting files, the drawing walks of both versions with the
// filters, information records, and damaged files.
#include "catalog/variable_star_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <tuple>

#include "astro/constellation_list.h"
#include "catalog/star_gcvs_data1.h"
#include "catalog/star_gcvs_data2.h"
#include "double_variable_writers.h"
#include "platform/binary_file.h"
#include "star_symbol_output.h"

namespace celvaro {
namespace {

using testing::patched;

constexpr int kLyra = 52, kCygnus = 31, kCepheus = 20;

// A star of constant brightness unless its faintest magnitude is given.
VariableStarEntry star(int16_t brightest, std::optional<int16_t> faintest = {}, uint8_t flags = kVariableP,
                       int32_t period = 500) {
  VariableStarEntry e;
  e.raRad = e.decRad = 0.0001 * brightest / 10;
  e.brightest = brightest;
  e.faintest = faintest.value_or(brightest);
  e.typeFlags = flags;
  e.period = period;
  e.constellation = kLyra;
  e.code = 10;
  e.info = {{kVariableInfoType, kInfoText, 0, "RRAB"}, {kVariableInfoHipparcos, kInfoInt32, 95497, {}}};
  return e;
}

std::vector<int> allCodes() {
  std::vector<int> codes;
  for (auto [first, last] : {std::pair{1, 334}, {335, 9000}, {9001, 9024}, {9101, 9126}, {9201, 9217}}) {
    for (int code = first; code <= last; ++code) codes.push_back(code);
  }
  return codes;
}

TEST(VariableDesignation, CodesHaveTheirTexts) {
  const std::pair<int, const char*> texts[] = {{1, "R"},         {9, "Z"},      {10, "RR"},    {55, "AA"},
                                               {334, "QZ"},      {335, "V0335"}, {9000, "V9000"}, {9001, "alf"},
                                               {9008, "tet"},    {9012, "mu"},  {9014, "ksi"}, {9022, "khi"},
                                               {9024, "ome"},    {9101, "a"},   {9201, "A"},   {9217, "Q"}};
  for (auto [code, text] : texts) {
    EXPECT_EQ(variableDesignationText(code), text) << code;
    EXPECT_EQ(variableStarText(code, kLyra, 0, 0, 0, false, false), std::string(text) + " Lyr");
  }
  for (int code : {0, -1, 9025, 9100, 9127, 9218}) EXPECT_EQ(variableDesignationText(code), "") << code;
  EXPECT_EQ(variableStarText(0, kLyra, 0, 0, 0, false, false), "");
  std::set<std::string> letters;
  for (int code = 1; code <= 334; ++code) letters.insert(variableDesignationText(code));
  EXPECT_EQ(letters.size(), 334u);
  EXPECT_TRUE(std::none_of(letters.begin(), letters.end(), [](const std::string& t) { return t.find('J') != t.npos; }));
}

TEST(VariableDesignation, LabelsAddTypeLettersAndRange) {
  const uint8_t ep = kVariableE | kVariableP;
  EXPECT_EQ(variableStarText(10, kLyra, ep, 7060, 8120, true, true), "RR Lyr [EP 7.06-8.12]");
  EXPECT_EQ(variableStarText(10, kLyra, ep, 7060, 8120, true, false), "RR Lyr [EP]");
  EXPECT_EQ(variableStarText(10, kLyra, ep, 7060, 8120, false, true), "RR Lyr [7.06-8.12]");
  EXPECT_EQ(variableStarText(10, kLyra, kVariableX | kVariableL, -20, 100, true, true), "RR Lyr [LX -0.02-0.1]");
  EXPECT_EQ(variableStarText(10, kLyra, 0, 7060, 8120, true, true), "RR Lyr [7.06-8.12]");  // one bracket only
}

TEST(VariableDesignation, EveryCodeParsesBack) {
  int constellation = 0;
  for (int code : allCodes()) {
    constellation = constellation % 88 + 1;
    const std::string text = variableStarText(code, constellation, 0, 0, 0, false, false);
    int parsedCode = 0, parsedConstellation = 0;
    ASSERT_TRUE(parseVariableDesignation(text, parsedCode, parsedConstellation)) << text;
    // Single letters R..Z are read in either case, so r..z stand for them.
    EXPECT_EQ(parsedCode, code >= 9118 && code <= 9126 ? code - 9117 : code) << text;
    EXPECT_EQ(parsedConstellation, constellation) << text;
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
  EXPECT_EQ(parsed("P Cyg").first, 9216);
  EXPECT_EQ(parsed("Ser R").first, 0);
  for (const char* bad : {"R", "R Xyz", "Struve", "alphe Ori", "", "Q1 And"}) {
    EXPECT_EQ(parsed(bad), std::pair(0, 0)) << bad;
  }
}

TEST(VariableStarCatalog, FileTypesBuildTheirCatalogs) {
  EXPECT_NE(dynamic_cast<StarGcvsData1*>(variableStarCatalogOfType(7).get()), nullptr);
  EXPECT_NE(dynamic_cast<StarGcvsData2*>(variableStarCatalogOfType(9).get()), nullptr);
  EXPECT_EQ(variableStarCatalogOfType(8), nullptr);
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

TEST_F(VariableStarTest, HeaderValuesDecideTheOpenCode) {
  EXPECT_EQ(flat.open("missing.dat"), 4);
  const std::string v3 = variableStarCatalogBytes(3, {}, {star(3000)});
  for (auto [offset, value] : {std::pair{8, 5}, {12, 4}, {28, 1}, {16, 0}, {16, 10001}, {20, 40}}) {
    EXPECT_EQ(load(flat, patched(v3, offset, value)), 3) << offset << " " << value;
    EXPECT_EQ(flat.count(), 0);
  }
  const std::string v5 = variableStarCatalogBytes(5, regions({{1, false}}), {star(3000)});
  EXPECT_EQ(load(regional, patched(v5, 8, 4)), 2);  // version 4 is never loaded
  EXPECT_EQ(load(regional, patched(v5, 4, 0x58585858)), 2);
  std::vector<SkyRegion> three = regions({{1, false}});
  three.pop_back();
  StarGcvsData2 other;
  EXPECT_EQ(load(other, variableStarCatalogBytes(5, three, {star(3000)})), 3);
  EXPECT_EQ(other.count(), 0);
  for (auto [offset, value] : {std::pair{12, 101}, {16, 100001}, {20, 32}, {24, -1}}) {
    EXPECT_EQ(load(regional, patched(v5, offset, value)), 3) << offset << " " << value;
  }
}

TEST_F(VariableStarTest, VersionFiveKeepsThePathOfItsFirstOpen) {
  ASSERT_EQ(load(regional, variableStarCatalogBytes(5, regions({{1, false}}), {star(3000)}), "first.dat"), 0);
  EXPECT_EQ(regional.open("other.dat"), 0);
  EXPECT_EQ(regional.count(), 1);
}

TEST_F(VariableStarTest, DamagedFilesLoadEmptyAndInformationStaysInsideTheFile) {
  const std::string v5 = variableStarCatalogBytes(5, regions({{2, false}}), {star(3000), star(3100)});
  const size_t record = 36 + 4 * 40;
  EXPECT_EQ(load(regional, v5.substr(0, record + 79)), 3);
  EXPECT_EQ(regional.count(), 0);
  EXPECT_EQ(load(regional, patched(v5, 36 + 2 * 40, 3)), 3);  // an empty run starting past the records
  EXPECT_EQ(regional.count(), 0);
  std::vector<StarInfoItem> items;
  ASSERT_EQ(load(regional, patched(v5, record + 40 + 28, 1000)), 0);
  EXPECT_FALSE(regional.readObjectInfo(1, items));
  EXPECT_TRUE(regional.readObjectInfo(0, items));
  EXPECT_EQ(load(flat, variableStarCatalogBytes(3, {}, {star(3000)}).substr(0, 67)), 3);
  EXPECT_EQ(flat.count(), 0);
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
  EXPECT_EQ(byClass.symbols[0].size, 6);
  EXPECT_EQ(byClass.symbols[0].radius, 0);
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
  settings.variableTypeFilter = 0;
  settings.variableMinPeriodFilter = settings.variableMaxPeriodFilter = 1;
  settings.variableMinPeriod = 51;
  settings.variableMaxPeriod = 2000;
  EXPECT_EQ(drawn(regional), std::vector<int>{3});
}

}  // namespace
}  // namespace celvaro
