// The Milky Way file: the outline's rings turned by the builder, the
// writer's bytes against the layout the reader describes, and what a
// damaged file yields.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "catalog/milky_way.h"
#include "milky_way_builder.h"
#include "milky_way_writer.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::ScratchDir;
using testing::writeBytes;

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

// An outline file of one level whose polygon has the given rings of
// [longitude, latitude] points, each closed by repeating its first point.
std::string outlineFile(const ScratchDir& dir, const std::vector<std::string>& rings) {
  std::string text = R"({"type":"FeatureCollection","features":[{"type":"Feature","id":"ol1",)"
                     R"("geometry":{"type":"MultiPolygon","coordinates":[[)";
  for (size_t r = 0; r < rings.size(); ++r) text += (r ? ",[" : "[") + rings[r] + "]";
  text += "]]}}]}";
  const std::string path = dir.file("mw.json");
  std::ofstream(path) << text;
  return path;
}

// An island in Puppis (100..110 degrees, -21..-10) whose outline crosses
// itself near its first point: a loop of one square degree runs clockwise
// there while the island's bulk, 100 square degrees, runs counter-clockwise
// (99 in all). The island lies on the left of its bulk, whichever way
// the file lists it.
TEST(MilkyWayOutline, AnIslandWithALoopAtItsStartIsTurnedByItsBulk) {
  const std::string forward = "[99,-21],[99,-19],[101,-21],[110,-21],[110,-10],[101,-10],[101,-19],[99,-21]";
  const std::string backward = "[99,-21],[101,-19],[101,-10],[110,-10],[110,-21],[101,-21],[99,-19],[99,-21]";
  for (const std::string& ring : {forward, backward}) {
    SCOPED_TRACE(ring);
    ScratchDir dir;
    std::vector<MilkyWayLevel> levels;
    ASSERT_TRUE(readMilkyWayOutline(outlineFile(dir, {ring}), levels));
    ASSERT_EQ(levels.size(), 1u);
    ASSERT_EQ(levels[0].size(), 1u);
    EXPECT_NEAR(planeArea(levels[0][0]), 99, 1e-9);
  }
}

// A ring listed twice from different starting points cancels by the
// even-odd rule and is left out; the island beside it stays.
TEST(MilkyWayOutline, ARingRepeatedFromAnotherStartIsLeftOut) {
  ScratchDir dir;
  std::vector<MilkyWayLevel> levels;
  const std::string path = outlineFile(dir, {"[10,10],[12,10],[12,12],[10,12],[10,10]",
                                             "[12,12],[10,12],[10,10],[12,10],[12,12]",
                                             "[20,10],[22,10],[22,12],[20,12],[20,10]"});
  ASSERT_TRUE(readMilkyWayOutline(path, levels));
  ASSERT_EQ(levels.size(), 1u);
  ASSERT_EQ(levels[0].size(), 1u);
  EXPECT_EQ(levels[0][0][0].raThousandthsDeg, 20000);
  EXPECT_NEAR(planeArea(levels[0][0]), 4, 1e-9);
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

TEST(MilkyWayFile, TheWriterLaysOutTheBytesAsTheReaderDescribes) {
  const std::vector<MilkyWayLevel> levels = {{{{359999, -90000}, {0, 90000}, {1500, -250}}}, {}};
  EXPECT_EQ(milkyWayBytes(levels), kTwoLevels);
}

TEST(MilkyWayFile, TheReaderGivesThePointsAsUnitVectors) {
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
  EXPECT_EQ(milkyWay.pointCount(), 3);
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
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"header only", kTwoLevels.substr(0, 16)},
      {"short", kTwoLevels.substr(0, kTwoLevels.size() - 5)},
      {"long", kTwoLevels + std::string(4, '\0')},
      {"wrong version", wrongVersion},
      {"wrong magic", "CLV_MWAX" + kTwoLevels.substr(8)},
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
