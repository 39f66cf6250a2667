// The star label, star information, star motion and polyline files: reading them back
// from the writers' bytes, and what a damaged file yields.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <numbers>

#include "catalog/mark_links.h"
#include "catalog/proper_motions.h"
#include "catalog/sky_polylines.h"
#include "catalog/star_info_file.h"
#include "catalog/star_labels.h"
#include "catalog_writers.h"
#include "fast_stars.h"
#include "model/chart_settings.h"
#include "output/counting_output.h"
#include "output/output_area.h"
#include "output/render_options.h"
#include "projection/transformer_orthographic.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::CountingOutput;
using testing::ScratchDir;
using testing::writeBytes;

LabelEntry label(const std::string& name, int16_t magnitude) {
  StarLabelRecord r;
  r.magnitude = magnitude;
  r.flamsteed = 58;
  r.constellation = 59;
  r.greekLetter = 0;
  r.raRad = 0.01;
  r.decRad = 0.01;
  return {r, name};
}

TEST(StarLabels, LimitsAreStrictAndEachPartHasItsOwn) {
  ScratchDir dir;
  writeBytes(dir.file("labels.dat"), starLabelsBytes({label("Betelgeuse", 300), label("", 50)}));
  StarLabels labels;
  ASSERT_EQ(labels.open(dir.file("labels.dat")), 0);
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_STREQ(labels.name(0), "Betelgeuse");
  EXPECT_EQ(labels.name(1), nullptr);

  TransformerOrthographic transformer;
  ChartSettings settings;
  OutputArea area;
  area.width = area.height = 1000;
  transformer.setScale(500, 5400);
  transformer.setup(area, settings);
  CountingOutput output;
  output.begin("", {}, area);
  output.loadStarSizes(600, 8, 1);
  RenderOptions options;
  settings.starNameLimitHundredths = 300;
  settings.bayerLimitHundredths = 301;
  settings.flamsteedLimitHundredths = -200;
  settings.abbreviationLimitHundredths = 400;
  labels.draw(output, transformer, settings, options);
  EXPECT_EQ(output.count["label"], 2);
  EXPECT_EQ(output.lastLabel.name, nullptr);       // 0.50: no name either way
  EXPECT_EQ(output.lastLabel.greekLetter, 0);
  EXPECT_EQ(output.lastLabel.flamsteed, -1);
  EXPECT_EQ(output.lastLabel.constellation, 59);
  EXPECT_EQ(output.lastLabelDx, output.starDiameterForMagnitude(50) / 2 + options.labelOffsetX);
  settings.bayerLimitHundredths = settings.abbreviationLimitHundredths = 300;
  output.count.clear();
  labels.draw(output, transformer, settings, options);
  EXPECT_EQ(output.count["label"], 1);  // magnitude 3.00 at limits of 3.00 gets nothing
}

TEST(StarLabels, BadFilesAndNameOffsets) {
  ScratchDir dir;
  StarLabels labels;
  EXPECT_EQ(labels.open(dir.file("none")), 4);
  writeBytes(dir.file("bad"), "CLV_STLX");
  EXPECT_EQ(labels.open(dir.file("bad")), 3);
  std::string bytes = starLabelsBytes({label("Rigel", 10)});
  writeBytes(dir.file("short"), bytes.substr(0, bytes.size() - 40));
  EXPECT_EQ(labels.open(dir.file("short")), 3);
  bytes[20] = 100;  // the name offset points past the text block
  writeBytes(dir.file("offset"), bytes);
  ASSERT_EQ(labels.open(dir.file("offset")), 0);
  EXPECT_EQ(labels.name(0), nullptr);
}

TEST(StarInfoFile, DecodesEveryValueType) {
  ScratchDir dir;
  std::map<int32_t, std::vector<InfoValue>> records;
  records[7] = {{kInfoHipparcos, kInfoInt32, 7, {}},      {kInfoMagnitude, kInfoHundredths, -146, {}},
                {kInfoColourIndex, kInfoThousandths, 5, {}}, {kInfoSpectralType, kInfoText, 0, "A0Va"},
                {kInfoDistance, kInfoTenths, 250, {}},    {kInfoHr, kInfoWord, 7001, {}},
                {20, kInfoWordTenths, 245, {}},           {21, kInfoCharacter, 'B', {}},
                {22, kInfoTenThousandths, -12345, {}},    {kInfoProperName, kInfoText, 0, "Vega"}};
  writeBytes(dir.file("info"), starInfoBytes(records, 100));
  StarInfoFile file;
  file.setPath(dir.file("info"));
  std::vector<StarInfoItem> items;
  ASSERT_TRUE(file.read(7, items));
  EXPECT_EQ(items, (std::vector<StarInfoItem>{{1, "7"}, {2, "-1.46"}, {3, "0.005"}, {4, "A0Va"}, {6, "25.0"},
                                              {10, "7001"}, {20, "24.5"}, {21, "B"}, {22, "-1.2345"}, {12, "Vega"}}));
  EXPECT_TRUE(file.read(8, items));
  EXPECT_TRUE(items.empty());
  EXPECT_FALSE(file.read(100, items));
  EXPECT_FALSE(file.read(-1, items));
}

TEST(StarInfoFile, DamagedRecordsNeverReadPastTheirEnd) {
  // A text offset beyond the text, and an item cut short by the record's end.
  const uint16_t words[] = {static_cast<uint16_t>(kInfoText << 8 | 4), 40, 0,
                            static_cast<uint16_t>(kInfoInt32 << 8 | 1), 5};
  const char text[] = {'A', '0'};  // and no terminating zero
  auto items = StarInfoFile::decode(words, 5, text, 2);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].text, "");
  const uint16_t unterminated[] = {static_cast<uint16_t>(kInfoText << 8 | 4), 0, 0};
  EXPECT_EQ(StarInfoFile::decode(unterminated, 3, text, 2)[0].text, "");
  // A one-word item ending the record: nothing after its word is read.
  const std::vector<uint16_t> lastWord = {static_cast<uint16_t>(kInfoWord << 8 | 5), 42};
  EXPECT_EQ(StarInfoFile::decode(lastWord.data(), lastWord.size(), text, 2)[0].text, "42");

  ScratchDir dir;
  std::string bytes = starInfoBytes({{3, {{kInfoHipparcos, kInfoInt32, 3, {}}}}}, 100);
  writeBytes(dir.file("short"), bytes.substr(0, bytes.size() - 2));
  StarInfoFile file;
  file.setPath(dir.file("short"));
  std::vector<StarInfoItem> items2;
  EXPECT_FALSE(file.read(3, items2));
  writeBytes(dir.file("few"), starInfoBytes({}, 99));  // fewer than 100 entries
  file.setPath(dir.file("few"));
  EXPECT_FALSE(file.read(3, items2));
}

// The motion file byte for byte (Barnard's Star as number 1, fast, at
// 269.4521 +4.6934), and a file cut short, with a byte more, of another
// version or empty: no motions; a star without a motion keeps its J2000 place.
TEST(StarMotionFile, BytesAndWhatADamagedFileYields) {
  const std::string bytes = starMotionBytes({{}, {-79832, 1033426, 54901}}, {{1, 970027560, 16896240}});
  const std::string expected("CLV_SPMO\x02\0\0\0\x02\0\0\0"
                             "\0\0\0\0\0\0\0\0\0\0\0\0"
                             "\x28\xc8\xfe\xff\xd2\xc4\x0f\x00\x75\xd6\x00\x00"
                             "\x01\0\0\0\x01\0\0\0\x28\x72\xd1\x39\xf0\xd0\x01\x01",
                             56);
  EXPECT_EQ(bytes, expected);
  ScratchDir dir;
  ProperMotions motions;
  for (const std::string& damaged : {bytes.substr(0, bytes.size() - 1), bytes + '\0',
                                     std::string(bytes).replace(8, 1, "\x01"), std::string()}) {
    writeBytes(dir.file("damaged"), damaged);
    EXPECT_FALSE(motions.load(dir.file("damaged")));
    EXPECT_TRUE(motions.empty());
  }
  writeBytes(dir.file("motions"), bytes);
  ASSERT_TRUE(motions.load(dir.file("motions")));
  ASSERT_EQ(motions.fastStarCount(), 1u);
  EXPECT_EQ(motions.fastStar(0).hipparcos, 1);
  EXPECT_NEAR(motions.fastStar(0).decRad * 180 / std::numbers::pi, 4.6934, 1e-9);
  const EquatorialPosition kept = motions.placeAt(0, 1.0, 0.5, 2461000.5);
  EXPECT_EQ(kept.raRad, 1.0);
  EXPECT_EQ(kept.decRad, 0.5);
  EXPECT_NE(motions.placeAt(1, 1.0, 0.5, 2461000.5).decRad, 0.5);
}

// A mark within half an arcminute of a fast star belongs to it, one
// farther out to none: fast stars at the turn of right ascension,
// near either pole and on the equator, marks set off in eight directions.
TEST(FastStars, MarksWithinHalfAnArcminuteBelongToTheirStar) {
  constexpr double kMasPerDeg = 3.6e6;
  const struct {
    const char* where;
    double raDeg, decDeg;
  } stars[] = {{"at the turn", 359.9999, 10}, {"on the equator", 120.703125, 0},  // 120.703125 = 86/256 of a turn
               {"by the north pole", 45, 89.99}, {"by the south pole", 200, -89.99}, {"Barnard's", 269.4521, 4.6934}};
  std::vector<StoredMotion> byNumber(std::size(stars) + 1, {100000, 0, 0});  // 1" a year east
  std::vector<FastStarEntry> fast;
  for (size_t i = 0; i < std::size(stars); ++i) {
    fast.push_back({static_cast<int32_t>(i + 1), static_cast<int32_t>(std::lround(stars[i].raDeg * kMasPerDeg)),
                    static_cast<int32_t>(std::lround(stars[i].decDeg * kMasPerDeg))});
  }
  ScratchDir dir;
  writeBytes(dir.file("motions"), starMotionBytes(byNumber, fast));
  ProperMotions motions;
  ASSERT_TRUE(motions.load(dir.file("motions")));
  FastStars index;
  index.index(motions);
  constexpr double kRad = std::numbers::pi / 180;
  for (const auto& star : stars) {
    for (int direction = 0; direction < 8; ++direction) {
      for (const double arcmin : {0.45, 0.6}) {
        const double north = arcmin / 60 * std::cos(direction * std::numbers::pi / 4);
        const double east = arcmin / 60 * std::sin(direction * std::numbers::pi / 4);
        const double dec = star.decDeg + north;
        const double ra = std::fmod(star.raDeg + east / std::cos(star.decDeg * kRad) + 360, 360);
        const std::optional<FastStars::Star> found = index.starOf(ra * kRad, dec * kRad);
        EXPECT_EQ(found.has_value(), arcmin < 0.5) << star.where << ", " << arcmin << "' in direction " << direction * 45;
        if (found) {
          EXPECT_EQ(found->hipparcos, &star - stars + 1) << star.where;
        }
      }
    }
  }
}

// The mark file byte for byte (the second of three names linked to
// Barnard's Star, at +4.6934), and a file cut short, with a byte more, of
// another version or empty: no links.
TEST(MarkLinkFile, BytesAndWhatADamagedFileYields) {
  const std::string bytes = markLinkBytes({{3, {{1, 87937, 16896240}}}, {0, {}}, {5, {}}});
  const std::string expected("CLV_SMRK\x01\0\0\0"
                             "\x03\0\0\0\x01\0\0\0\x01\0\0\0\x81\x57\x01\0\xf0\xd0\x01\x01"
                             "\0\0\0\0\0\0\0\0\x05\0\0\0\0\0\0\0",
                             48);
  EXPECT_EQ(bytes, expected);
  ScratchDir dir;
  MarkLinks links;
  for (const std::string& damaged : {bytes.substr(0, bytes.size() - 1), bytes + '\0',
                                     std::string(bytes).replace(8, 1, "\x02"), std::string()}) {
    writeBytes(dir.file("damaged"), damaged);
    EXPECT_FALSE(links.load(dir.file("damaged")));
    EXPECT_TRUE(links.of(MarkLinks::kNames).links.empty());
  }
  writeBytes(dir.file("marks"), bytes);
  ASSERT_TRUE(links.load(dir.file("marks")));
  const MarkLinks::Marks& names = links.of(MarkLinks::kNames);
  EXPECT_EQ(names.recordCount, 3u);
  ASSERT_EQ(names.links.size(), 1u);
  EXPECT_EQ(names.links[0].record, 1u);
  EXPECT_EQ(names.links[0].hipparcos, 87937);
  EXPECT_NEAR(names.links[0].starDecRad * 180 / std::numbers::pi, 4.6934, 1e-9);
  EXPECT_EQ(links.of(MarkLinks::kVariableStars).recordCount, 5u);
}

// A moving mark goes its yearly motion from its J2000 place at each epoch,
// across the turn of right ascension; the others stay, and motions made
// for a file of another size move nothing.
TEST(MarkMotion, LinkedMarksMoveFromTheirJ2000Places) {
  constexpr double kTurn = 2 * std::numbers::pi;
  std::vector<StarLabelRecord> records(3);
  records[1].raRad = kTurn - 1e-4, records[1].decRad = 0.5;
  records[2].raRad = 1.0;
  std::vector<EquatorialPosition> j2000;
  const MarkMotions motions{3, {{1, 1e-5, -1e-6}}};
  for (const double years : {26.0, -50.0, 0.0}) {
    moveMarks(records, j2000, motions, years);
    const double ra = kTurn - 1e-4 + years * 1e-5;
    EXPECT_NEAR(records[1].raRad, ra - kTurn * std::floor(ra / kTurn), 1e-12) << years;
    EXPECT_NEAR(records[1].decRad, 0.5 - years * 1e-6, 1e-12) << years;
    EXPECT_EQ(records[2].raRad, 1.0);
  }
  std::vector<EquatorialPosition> other;
  moveMarks(records, other, MarkMotions{4, {{1, 1.0, 1.0}}}, 26);
  EXPECT_EQ(records[1].decRad, 0.5);
}

TEST(SkyPolylines, RecordsAreSeventeenBytesAndAPartialOneIsIgnored) {
  ScratchDir dir;
  const std::string bytes = polylineBytes({{0, 1.0, 0.5}, {1, 1.1, 0.6}});
  ASSERT_EQ(bytes.size(), 34u);
  writeBytes(dir.file("lines"), bytes + "x");
  SkyPolylines lines;
  lines.load(dir.file("lines"));
  ASSERT_EQ(lines.count(), 2);
  EXPECT_EQ(lines.pen()[1], 1);
  EXPECT_DOUBLE_EQ(lines.dec()[1], 0.6);
  lines.load(dir.file("missing"));
  EXPECT_EQ(lines.count(), 0);
  lines.load(dir.path().string());
  EXPECT_EQ(lines.count(), 0);
}

}  // namespace
}  // namespace celvaro
