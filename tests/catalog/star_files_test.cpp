// The star label, star information, star motion, mark link, polyline and
// Milky Way files: reading them back from the writers' bytes, one byte-for-
// byte layout each, and what a damaged file yields; the builder's turning of
// the Milky Way outline's rings.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include "catalog/mark_links.h"
#include "catalog/milky_way.h"
#include "catalog/proper_motions.h"
#include "catalog/sky_polylines.h"
#include "catalog/star_info_file.h"
#include "catalog/star_labels.h"
#include "catalog_writers.h"
#include "fast_stars.h"
#include "test_charts.h"
#include "milky_way_builder.h"
#include "milky_way_writer.h"
#include "output/render_options.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::CountingOutput;
using testing::ScratchDir;
using testing::writeBytes;

// A file cut short by a byte, with a byte more, of another version, and empty.
std::vector<std::string> damagedVariants(const std::string& bytes, const char* otherVersion) {
  return {bytes.substr(0, bytes.size() - 1), bytes + '\0', std::string(bytes).replace(8, 1, otherVersion), ""};
}

LabelEntry label(const std::string& name, int16_t magnitude) {
  return {{.raRad = 0.01, .decRad = 0.01, .magnitude = magnitude, .flamsteed = 58, .constellation = 59, .greekLetter = 0},
          name};
}

TEST(StarLabels, LimitsAreStrictAndEachPartHasItsOwn) {
  ScratchDir dir;
  writeBytes(dir.file("labels.dat"), starLabelsBytes({label("Betelgeuse", 300), label("", 50)}));
  StarLabels labels;
  ASSERT_EQ(labels.open(dir.file("labels.dat")), 0);
  ASSERT_EQ(labels.size(), 2u);

  testing::TestChart chart(0, 0, 10800);
  CountingOutput& output = chart.output;
  ChartSettings& settings = chart.settings;
  output.loadStarSizes(600, 8, 1);
  RenderOptions options;
  settings.starNameLimitHundredths = 300, settings.bayerLimitHundredths = 301;
  settings.flamsteedLimitHundredths = -200, settings.abbreviationLimitHundredths = 400;
  labels.draw(output, chart.transformer, settings, options);
  EXPECT_EQ(output.count["label"], 2);
  const auto& last = output.lastLabel;  // 0.50: no name either way
  EXPECT_EQ(std::tuple(last.name, last.greekLetter, last.flamsteed, last.constellation),
            std::tuple(static_cast<const char*>(nullptr), 0, -1, 59));
  settings.bayerLimitHundredths = settings.abbreviationLimitHundredths = 300;
  output.count.clear();
  labels.draw(output, chart.transformer, settings, options);
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
  EXPECT_TRUE(file.read(8, items) && items.empty());
  EXPECT_FALSE(file.read(100, items) || file.read(-1, items));
}

TEST(StarInfoFile, DamagedRecordsNeverReadPastTheirEnd) {
  // A text offset beyond the text, and an item cut short by the record's end.
  const uint16_t words[] = {static_cast<uint16_t>(kInfoText << 8 | 4), 40, 0,
                            static_cast<uint16_t>(kInfoInt32 << 8 | 1), 5};
  const char text[] = {'A', '0'};  // and no terminating zero
  EXPECT_EQ(StarInfoFile::decode(words, 5, text, 2), (std::vector<StarInfoItem>{{kInfoSpectralType, ""}}));
  const uint16_t unterminated[] = {static_cast<uint16_t>(kInfoText << 8 | 4), 0, 0};
  EXPECT_EQ(StarInfoFile::decode(unterminated, 3, text, 2)[0].text, "");
  // A one-word item ending the record: nothing after its word is read.
  const std::vector<uint16_t> lastWord = {static_cast<uint16_t>(kInfoWord << 8 | 5), 42};
  EXPECT_EQ(StarInfoFile::decode(lastWord.data(), lastWord.size(), text, 2)[0].text, "42");

  // A file cut short, and one of fewer than 100 entries.
  const std::string bytes = starInfoBytes({{3, {{kInfoHipparcos, kInfoInt32, 3, {}}}}}, 100);
  ScratchDir dir;
  StarInfoFile file;
  std::vector<StarInfoItem> items;
  for (const std::string& damaged : {bytes.substr(0, bytes.size() - 2), starInfoBytes({}, 99)}) {
    writeBytes(dir.file("info"), damaged);
    file.setPath(dir.file("info"));
    EXPECT_FALSE(file.read(3, items));
  }
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
  for (const std::string& damaged : damagedVariants(bytes, "\x01")) {
    writeBytes(dir.file("damaged"), damaged);
    EXPECT_FALSE(motions.load(dir.file("damaged")));
    EXPECT_TRUE(motions.empty());
  }
  writeBytes(dir.file("motions"), bytes);
  ASSERT_TRUE(motions.load(dir.file("motions")));
  const EquatorialPosition kept = motions.placeAt(0, 1.0, 0.5, 2461000.5);
  EXPECT_EQ(std::tuple(kept.raRad, kept.decRad), std::tuple(1.0, 0.5));
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
  for (const std::string& damaged : damagedVariants(bytes, "\x02")) {
    writeBytes(dir.file("damaged"), damaged);
    EXPECT_FALSE(links.load(dir.file("damaged")));
    EXPECT_TRUE(links.of(MarkLinks::kNames).links.empty());
  }
  writeBytes(dir.file("marks"), bytes);
  ASSERT_TRUE(links.load(dir.file("marks")));
  const MarkLinks::Marks& names = links.of(MarkLinks::kNames);
  EXPECT_EQ(names.recordCount, 3u);
  ASSERT_EQ(names.links.size(), 1u);
  EXPECT_EQ(std::tuple(names.links[0].record, names.links[0].hipparcos), std::tuple(1u, 87937));
  EXPECT_NEAR(names.links[0].starDecRad * 180 / std::numbers::pi, 4.6934, 1e-9);
  EXPECT_EQ(links.of(MarkLinks::kVariableStars).recordCount, 5u);
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

// The area a ring encloses on the plane of right ascension (to the right)
// and declination (up), positive when it runs counter-clockwise: with its
// inside on its left as the sky is seen from outside.
double planeArea(const MilkyWayRing& ring) {
  double twice = 0;
  for (size_t i = 0; i < ring.size(); ++i) {
    const MilkyWayPoint& a = ring[i];
    const MilkyWayPoint& b = ring[(i + 1) % ring.size()];
    twice += double(a.raThousandthsDeg) * b.decThousandthsDeg - double(b.raThousandthsDeg) * a.decThousandthsDeg;
  }
  return twice / 2e6;  // square degrees
}

// The one ring the builder keeps of an outline file of one level whose
// polygon has the given rings of [longitude, latitude] points, each closed
// by repeating its first point.
MilkyWayRing onlyRingOf(const std::vector<std::string>& rings) {
  std::string text = R"({"type":"FeatureCollection","features":[{"type":"Feature","id":"ol1",)"
                     R"("geometry":{"type":"MultiPolygon","coordinates":[[)";
  for (size_t r = 0; r < rings.size(); ++r) text += (r ? ",[" : "[") + rings[r] + "]";
  ScratchDir dir;
  std::ofstream(dir.file("mw.json")) << text << "]]}}]}";
  std::vector<MilkyWayLevel> levels;
  EXPECT_TRUE(readMilkyWayOutline(dir.file("mw.json"), levels));
  EXPECT_EQ((std::tuple{levels.size(), levels.empty() ? 0 : levels[0].size()}), (std::tuple{1u, 1u}));
  return levels.empty() || levels[0].empty() ? MilkyWayRing() : levels[0][0];
}

// An island in Puppis (100..110 degrees, -21..-10) whose outline crosses
// itself near its first point: a loop of one square degree runs clockwise
// there while the island's bulk, 100 square degrees, runs counter-clockwise
// (99 in all). The island lies on the left of its bulk, whichever way
// the file lists it.
TEST(MilkyWayOutline, AnIslandWithALoopAtItsStartIsTurnedByItsBulk) {
  const std::string forward = "[99,-21],[99,-19],[101,-21],[110,-21],[110,-10],[101,-10],[101,-19],[99,-21]";
  const std::string backward = "[99,-21],[101,-19],[101,-10],[110,-10],[110,-21],[101,-21],[99,-19],[99,-21]";
  for (const std::string& ring : {forward, backward}) EXPECT_NEAR(planeArea(onlyRingOf({ring})), 99, 1e-9) << ring;
}

// A ring listed twice from different starting points cancels by the
// even-odd rule and is left out; the island beside it stays.
TEST(MilkyWayOutline, ARingRepeatedFromAnotherStartIsLeftOut) {
  const MilkyWayRing ring = onlyRingOf({"[10,10],[12,10],[12,12],[10,12],[10,10]",
                                         "[12,12],[10,12],[10,10],[12,10],[12,12]",
                                         "[20,10],[22,10],[22,12],[20,12],[20,10]"});
  ASSERT_FALSE(ring.empty());
  EXPECT_EQ(ring[0].raThousandthsDeg, 20000);
  EXPECT_NEAR(planeArea(ring), 4, 1e-9);
}

// Two levels: a triangle, then none. Written out from the layout: the
// magic, version 1, two levels; the first with one ring of three points
// (right ascension 359.999 degrees, declination -90; 0, +90; 1.5, -0.25),
// the second with no ring.
const std::string kTwoLevels = std::string("CLV_MWAY") +
                               std::string("\x01\x00\x00\x00" "\x02\x00\x00\x00", 8) +
                               std::string("\x01\x00\x00\x00" "\x03\x00\x00\x00", 8) +
                               std::string("\x3f\x7e\x05\x00" "\x70\xa0\xfe\xff", 8) +
                               std::string("\x00\x00\x00\x00" "\x90\x5f\x01\x00", 8) +
                               std::string("\xdc\x05\x00\x00" "\x06\xff\xff\xff", 8) +
                               std::string("\x00\x00\x00\x00", 4);

TEST(MilkyWayFile, TheBytesAreAsTheLayoutDescribesAndReadAsUnitVectors) {
  EXPECT_EQ(milkyWayBytes({{{{359999, -90000}, {0, 90000}, {1500, -250}}}, {}}), kTwoLevels);
  ScratchDir dir;
  writeBytes(dir.file("mw"), kTwoLevels);
  MilkyWay milkyWay;
  ASSERT_EQ(milkyWay.load(dir.file("mw")), MilkyWay::kLoaded);
  ASSERT_EQ(milkyWay.levels().size(), 2u);
  ASSERT_EQ(milkyWay.levels()[0].size(), 1u);
  EXPECT_TRUE(milkyWay.levels()[1].empty());
  const MilkyWay::Ring& ring = milkyWay.levels()[0][0];
  ASSERT_EQ(ring.size(), 3);
  EXPECT_NEAR(ring.z[0], -1, 1e-12);  // the south pole
  EXPECT_NEAR(ring.z[1], 1, 1e-12);   // the north pole
  EXPECT_NEAR(ring.x[2], 0.99965, 1e-5);  // cos 1.5 deg cos 0.25 deg
  EXPECT_NEAR(ring.y[2], 0.026177, 1e-6);  // sin 1.5 deg cos 0.25 deg
  EXPECT_NEAR(ring.z[2], -0.0043633, 1e-7);  // sin -0.25 deg
  // The cap about the three points' mean direction, which lies 0.25 degree
  // south of the equator: it reaches the north pole, 90.25 degrees off.
  EXPECT_NEAR(std::asin(ring.centre[2]) * 180 / std::numbers::pi, -0.25, 1e-3);
  EXPECT_NEAR(ring.radiusRad * 180 / std::numbers::pi, 90.25, 1e-3);
}

// Damaged files load nothing, and a later good load is not mixed with them.
TEST(MilkyWayFile, ADamagedFileLoadsNothing) {
  std::string wrongVersion = kTwoLevels, tooManyPoints = kTwoLevels;
  wrongVersion[8] = 2;
  tooManyPoints[20] = 4;  // four points where three are written
  const struct { const char* name; std::string bytes; } cases[] = {
      {"empty", ""}, {"header only", kTwoLevels.substr(0, 16)},
      {"short", kTwoLevels.substr(0, kTwoLevels.size() - 5)}, {"long", kTwoLevels + std::string(4, '\0')},
      {"wrong version", wrongVersion}, {"wrong magic", "CLV_MWAX" + kTwoLevels.substr(8)},
      {"point count past the end", tooManyPoints},
  };
  ScratchDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    writeBytes(dir.file("mw"), c.bytes);
    MilkyWay milkyWay;
    EXPECT_EQ(milkyWay.load(dir.file("mw")), MilkyWay::kDamaged);
    EXPECT_TRUE(milkyWay.levels().empty());
  }
  MilkyWay milkyWay;
  EXPECT_EQ(milkyWay.load(dir.file("none")), MilkyWay::kMissing);
  EXPECT_TRUE(milkyWay.levels().empty());
}

}  // namespace
}  // namespace celvaro
