// Designations, the MPCORB and comet line readers, and the lists' lookups.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "element_line_writers.h"
#include "solarsystem/comet_list.h"
#include "solarsystem/minor_planet_list.h"
#include "solarsystem/mpc_designation.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::ScratchDir;
using testing::writeBytes;

const std::string kCeres =
    "00001    3.33  0.12 K2289 334.32717   73.53163   80.26644   10.58680  0.0786358  0.21418055   2.7666190"
    "    JPL 48                                                     (1) Ceres";
const std::string kEros =
    "00433   10.39  0.46 K2289 271.07099  178.89706  304.29973   10.82773  0.2228353  0.55965812   1.4581240"
    "    JPL 659                                                    (433) Eros";
// (134340) Pluto as the program's element files give it, for 2006.
const std::string kPluto =
    "D4340   -0.44  0.15 K069M  25.24719  112.59714  110.37696   17.08900  0.2502487  0.00397846  39.4450697"
    "    JPL 0                                                      (134340) Pluto";
const std::string kProvisional =
    "K22O15U 10.68       K2289   9.89767  304.74261  325.16283   21.13289  0.5724057  0.00590048  30.2888076"
    "    JPL 1                                                      2022 OU15";

TEST(MpcDesignation, NumbersAndProvisionalDesignationsBothWays) {
  EXPECT_EQ(unpackNumber("00433"), 433);
  EXPECT_EQ(unpackNumber("A0001"), 100001);
  EXPECT_EQ(unpackNumber("a0001"), 360001);
  EXPECT_EQ(unpackNumber("0#433"), -1);
  EXPECT_EQ(unpackNumber("0043"), -1);
  EXPECT_EQ(packNumber(100001), "A0001");
  EXPECT_EQ(packNumber(433), "00433");
  EXPECT_EQ(packNumber(620000), "");
  EXPECT_EQ(unpackProvisional("K06D00A"), "2006 DA00");
  EXPECT_EQ(unpackProvisional("K06DA1B"), "2006 DB101");
  EXPECT_EQ(unpackProvisional("J95O010"), "1995 O01");  // the comet form keeps its cycle
  EXPECT_EQ(unpackProvisional("X06D00A"), "");
  EXPECT_EQ(packProvisional("2006 DB101"), "K06DA1B");
  EXPECT_EQ(packProvisional("2022 OU15"), "K22O15U");
  EXPECT_EQ(packProvisional("2006DA"), "K06D00A");
  EXPECT_EQ(packProvisional("1777 DA"), "");
  EXPECT_EQ(packProvisional("Ceres"), "");
}

TEST(MinorPlanetList, ReadsTheColumnsOfALine) {
  std::string names;
  const AsteroidElements ceres = MinorPlanetList::parseLine(kCeres, names);
  ASSERT_TRUE(ceres.valid);
  EXPECT_EQ(std::tuple(ceres.hasMagnitudes, ceres.number, ceres.h, ceres.g), std::tuple(true, 1, 3.33, 0.12));
  EXPECT_EQ(std::tuple(ceres.orbit.a, ceres.orbit.e, ceres.orbit.nDegPerDay), std::tuple(2.7666190, 0.0786358, 0.21418055));
  // Epoch 2022-08-09.0 (JD 2459800.5) less M / n days.
  EXPECT_NEAR(ceres.orbit.perihelionJd, 2459800.5 - 334.32717 / 0.21418055, 1e-6);
  EXPECT_STREQ(names.c_str() + ceres.nameOffset, "(1) Ceres");

  const AsteroidElements unnumbered = MinorPlanetList::parseLine(kProvisional, names);
  // G is blank: no magnitudes.
  EXPECT_EQ(std::tuple(unnumbered.valid, unnumbered.number, unnumbered.packedDesignation, unnumbered.designation,
                       unnumbered.hasMagnitudes),
            std::tuple(true, 0, "K22O15U", "2022 OU15", false));
}

TEST(MinorPlanetList, ShortOrMalformedLinesAreInvalidAndNeverReadPastTheirEnd) {
  std::string names;
  std::string blankMagnitudes = kCeres;
  blankMagnitudes.replace(8, 11, 11, ' ');
  const AsteroidElements noMagnitudes = MinorPlanetList::parseLine(blankMagnitudes, names);
  EXPECT_TRUE(noMagnitudes.valid);
  EXPECT_FALSE(noMagnitudes.hasMagnitudes);
  for (size_t cut : {0u, 5u, 30u, 75u, 100u}) {
    // A copy of exactly the cut length, so a read past it is caught.
    const std::string shortLine = kCeres.substr(0, cut);
    EXPECT_FALSE(MinorPlanetList::parseLine(shortLine, names).valid) << cut;
  }
  std::string badEpoch = kCeres;
  badEpoch.replace(20, 5, "K22Z9");
  EXPECT_FALSE(MinorPlanetList::parseLine(badEpoch, names).valid);
  std::string badNumber = kCeres;
  badNumber.replace(59, 10, "  1O.58680");
  EXPECT_FALSE(MinorPlanetList::parseLine(badNumber, names).valid);
}

TEST(MinorPlanetList, SkipsTheHeaderAndFindsByNumberNameAndDesignation) {
  EXPECT_TRUE(MinorPlanetList::isDataLine("K0 starts the data"));
  EXPECT_FALSE(MinorPlanetList::isDataLine("KEPLERIAN ELEMENTS"));
  EXPECT_FALSE(MinorPlanetList::isDataLine("-----"));
  ScratchDir dir;
  writeBytes(dir.file("list.txt"), "MINOR PLANET ELEMENTS\nDes'n     H     G\n---------\n" + kCeres + "\n" + kEros +
                                       "\r\n" + kProvisional + "\n");
  MinorPlanetList list(MinorPlanetList::kShortCapacity, dir.file("list.txt"));
  ASSERT_EQ(list.load(), 0);
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.findByNumber(433), 1);
  EXPECT_EQ(list.findByNumber(2), -1);
  EXPECT_EQ(list.findByName("eros"), 1);
  EXPECT_EQ(list.findByName("(1) Ceres"), 0);
  EXPECT_EQ(list.findByDesignation("2022 OU15"), 2);
  EXPECT_EQ(list.findByDesignation("2022 OU16"), -1);
  EXPECT_EQ(list.name(2), "2022 OU15");
  StarPosition p;
  EXPECT_FALSE(list.position(0, p));  // none before placeAt
  list.placeAt(MinorBodyEphemeris(2459800.5));
  EXPECT_TRUE(list.position(0, p));
  EXPECT_FALSE(list.position(3, p));
  // A new instant moves Ceres as far as a list read first at that instant places it.
  list.placeAt(MinorBodyEphemeris(2459830.5));
  StarPosition later, fresh;
  ASSERT_TRUE(list.position(0, later));
  MinorPlanetList other(MinorPlanetList::kShortCapacity, dir.file("list.txt"));
  ASSERT_EQ(other.load(), 0);
  other.placeAt(MinorBodyEphemeris(2459830.5));
  ASSERT_TRUE(other.position(0, fresh));
  EXPECT_NE(later.raRad, p.raRad);
  EXPECT_EQ(later.raRad, fresh.raRad);
  EXPECT_EQ(later.decRad, fresh.decRad);

  // The lists leave (134340) Pluto to the body Pluto.
  writeBytes(dir.file("pluto.txt"), kCeres + "\n" + kPluto + "\n" + kEros + "\n");
  MinorPlanetList withPluto(MinorPlanetList::kShortCapacity, dir.file("pluto.txt"));
  ASSERT_EQ(withPluto.load(), 0);
  EXPECT_EQ(withPluto.count(), 2);
  EXPECT_EQ(withPluto.findByNumber(MinorPlanetList::kPlutoNumber), -1);
  EXPECT_EQ(withPluto.findByName("Pluto"), -1);
  EXPECT_EQ(withPluto.name(1), "(433) Eros");

  MinorPlanetList capped(2, dir.file("list.txt"));
  capped.load();
  EXPECT_EQ(capped.count(), 2);
  MinorPlanetList missing(10, dir.file("none.txt"));
  EXPECT_EQ(missing.load(), 4);
  EXPECT_FALSE(missing.loaded());
}

// The catalog builder's comet line for 1P/Halley as the reader takes it
// (its minor-planet lines are read in the built long list's Ceres test).
TEST(ElementLines, TheBuildersCometLineReads) {
  CometLine c;
  c.periodicNumber = 1;
  c.orbitType = 'P';
  c.year = 1986, c.month = 2, c.day = 9.4589;
  c.q = 0.586004, c.e = 0.967142, c.wDeg = 111.8569, c.nodeDeg = 59.1133, c.iDeg = 162.1939;
  c.h = 4.0, c.g = 6.0;
  c.name = "1P/Halley";
  const CometRecord comet = CometList::parseLine(cometLine(c));
  ASSERT_TRUE(comet.valid);
  EXPECT_EQ(std::tuple(comet.periodicNumber, comet.orbitType, comet.name), std::tuple(1, 'P', "1P/Halley"));
  // Day 9.4589: 11:00:48.
  EXPECT_EQ(comet.perihelion, (ChartDate{1986, 2, 9, 11, 0, 48.0}));
  EXPECT_DOUBLE_EQ(comet.orbit.q, 0.586004);
}

TEST(CometList, EveryLineHasARecordAndShortLinesAreInvalid) {
  ScratchDir dir;
  const std::string hale =
      "    CJ95O010  1997 03 29.6466  0.890662  0.994972  130.4139  282.7613   89.2742  20220824  -2.0  4.0  "
      "C/1995 O1 (Hale-Bopp)                                    MPC106342";
  writeBytes(dir.file("CometEls.txt"), hale + "\n\n" + hale.substr(0, 40) + "\n");
  CometList list;
  ASSERT_EQ(list.load(dir.file("CometEls.txt")), 0);
  ASSERT_EQ(list.count(), 3);
  const CometRecord& first = list.record(0);
  EXPECT_EQ(std::tuple(first.valid, first.packedDesignation, first.periodicNumber, first.name),
            std::tuple(true, "J95O010", -1, "C/1995 O1 (Hale-Bopp)"));
  EXPECT_FALSE(list.record(1).valid);
  EXPECT_FALSE(list.record(2).valid);
  EXPECT_EQ(list.record(2).line, 2);
  writeBytes(dir.file("empty.txt"), "");
  EXPECT_EQ(list.load(dir.file("empty.txt")), 3);
  EXPECT_EQ(list.load(dir.file("none.txt")), 4);
}

}  // namespace
}  // namespace celvaro
