// The Milky Way file: the outline's rings turned by the builder.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "milky_way_builder.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::ScratchDir;

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

}  // namespace
}  // namespace celvaro
