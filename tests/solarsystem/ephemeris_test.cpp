// Positions against independent published values, and the element lists
// they are computed from. libnova returns astrometric positions for the
// mean equator and equinox of J2000 (light time applied; no precession,
// nutation or aberration); published apparent places are compared after
// carrying libnova's result to the true equator and equinox of date. The
// instants are dynamical time, handed to the ephemeris as they stand. The
// lists: designations, the MPCORB and comet line readers, and the lists'
// lookups.
#include <gtest/gtest.h>
#include <libnova/libnova.h>

#include <cmath>
#include <numbers>
#include <string>
#include <tuple>

#include "astro/apparent_place.h"
#include "solarsystem/comet_list.h"
#include "solarsystem/element_files.h"
#include "solarsystem/ephemeris.h"
#include "solarsystem/minor_planet_list.h"
#include "solarsystem/mpc_designation.h"
#include "solarsystem/object_identifier.h"
#include "test_files.h"

namespace celvaro {
namespace {

constexpr double kDeg = std::numbers::pi / 180;
constexpr double kJ2000 = 2451545.0;

double hours(double h, double m, double s) { return 15 * (h + m / 60 + s / 3600); }
double degrees(int sign, double d, double m, double s) { return sign * (d + m / 60 + s / 3600); }

// Rotates a mean-of-date place by the nutation in longitude to the true equinox.
ln_equ_posn nutated(const ln_equ_posn& mean, double jd) {
  ln_nutation n;
  ln_get_nutation(jd, &n);
  const double eps0 = (n.ecliptic - n.obliquity) * kDeg, eps = n.ecliptic * kDeg;
  const double a = mean.ra * kDeg, d = mean.dec * kDeg;
  const double lambda = std::atan2(std::sin(a) * std::cos(eps0) + std::tan(d) * std::sin(eps0), std::cos(a)) +
                        n.longitude * kDeg;
  const double beta = std::asin(std::sin(d) * std::cos(eps0) - std::cos(d) * std::sin(eps0) * std::sin(a));
  const double ra = std::atan2(std::sin(lambda) * std::cos(eps) - std::tan(beta) * std::sin(eps), std::cos(lambda));
  const double dec = std::asin(std::sin(beta) * std::cos(eps) + std::cos(beta) * std::sin(eps) * std::sin(lambda));
  return {std::fmod(ra / kDeg + 360, 360), dec / kDeg};
}

// The apparent place of date of a J2000 astrometric position; the Moon's
// aberration is part of its theory and not added.
ln_equ_posn apparent(const EquatorialPosition& p, double jd, bool aberration) {
  ln_equ_posn j2000{p.raRad / kDeg, p.decRad / kDeg}, ofDate;
  ln_get_equ_prec2(&j2000, kJ2000, jd, &ofDate);
  ln_equ_posn result = nutated(ofDate, jd);
  if (aberration) {
    ln_equ_posn shifted;
    ln_get_equ_aber(&result, jd, &shifted);
    result = shifted;
  }
  return result;
}

// Separation in arcseconds, right ascension scaled by cos(dec).
void expectWithin(double raDeg, double decDeg, double publishedRa, double publishedDec, double arcsec) {
  const double dRa = std::remainder(raDeg - publishedRa, 360) * std::cos(publishedDec * kDeg) * 3600;
  EXPECT_LT(std::abs(dRa), arcsec) << "right ascension off by " << dRa << "\"";
  EXPECT_LT(std::abs(decDeg - publishedDec) * 3600, arcsec) << "declination off by " << (decDeg - publishedDec) * 3600 << "\"";
}

struct Published {
  const char* source;
  int body;
  double jd;  // dynamical time
  double raDeg, decDeg;
  double toleranceArcsec;  // what libnova's theories achieve here
};

// The planets and the Sun are reached to a fraction of an arcsecond, the
// Moon to a few arcseconds (Meeus' own lunar series is shortened).
const Published kApparentPlaces[] = {
    {"Meeus, Astronomical Algorithms, Example 25.b", kSun, 2448908.5, hours(13, 13, 30.749),
     degrees(-1, 7, 47, 1.74), 2},
    {"The Astronomical Almanac 2013, page C12 (Sun, June 17.0 TT)", kSun, 2456460.5, hours(5, 42, 28.88),
     degrees(1, 23, 22, 27.8), 2},
    {"Meeus, Example 47.a", kMoon, 2448724.5, 134.688470, 13.768368, 10},
    {"Meeus, Example 33.a", kVenus, 2448976.5, hours(21, 4, 41.454), degrees(-1, 18, 53, 16.84), 2},
    {"Meeus, Example 18.a", kMercury, 2448473.5, hours(10, 24, 30.125), degrees(1, 6, 26, 32.05), 2},
    {"Meeus, Example 40.a (2003 August 28, 3h17m UT)", kMars, 2452879.5 + (3 + 17 / 60.0) / 24 + 64.5 / 86400,
     hours(22, 38, 7.25), degrees(-1, 15, 46, 15.9), 2},
};

TEST(Ephemeris, MajorBodiesAgreeWithPublishedApparentPlaces) {
  for (const Published& p : kApparentPlaces) {
    SCOPED_TRACE(p.source);
    const BodyPosition body = majorBodyAt(p.body, p.jd);
    const ln_equ_posn place = apparent({body.raRad, body.decRad}, p.jd, p.body != kMoon);
    expectWithin(place.ra, place.dec, p.raDeg, p.decDeg, p.toleranceArcsec);
    EXPECT_GT(body.semidiameterArcsec, 0);
  }
}

// The Sun and the Moon are J2000 places in every century (their theories
// give places of other frames, which drift from J2000 by 0.45" a year):
// PyEphem 4.1.4's astrometric geocentric a_ra and a_dec at the same
// dynamical instants (1900, 1950, 2050 and 2100, 0h TT).
TEST(Ephemeris, TheSunAndTheMoonAreJ2000PlacesInEveryCentury) {
  const struct { int body; double jd, raDeg, decDeg, toleranceArcsec; } cases[] = {
      {kSun, 2415020.5, 282.559312, -22.949568, 2}, {kMoon, 2415020.5, 274.115754, -22.289515, 4},
      {kSun, 2433282.5, 281.648071, -23.013578, 2}, {kMoon, 2433282.5, 59.196657, 24.293760, 4},
      {kSun, 2469807.5, 280.933116, -23.052231, 2}, {kMoon, 2469807.5, 15.252418, 10.177590, 4},
      {kSun, 2488069.5, 280.022355, -23.106699, 2}, {kMoon, 2488069.5, 158.189774, 10.321924, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "body " << c.body << " at " << c.jd);
    const BodyPosition place = majorBodyAt(c.body, c.jd);
    expectWithin(place.raRad / kDeg, place.decRad / kDeg, c.raDeg, c.decDeg, c.toleranceArcsec);
  }
}

// Pluto from Meeus' theory against PyEphem 4.1.4 (Debian python3-ephem),
// whose Pluto is its own theory: ephem.Pluto at the Universal Time of each
// dynamical instant (ephem.delta_t), astrometric geocentric a_ra and a_dec,
// mag and earth_distance. The two theories part by some 10" by 2030.
TEST(Ephemeris, PlutoWherePyEphemPutsItFrom1990To2030) {
  const struct { double jd, raDeg, decDeg, magnitude, distanceAu; } cases[] = {
      {2447892.5, 229.027099, -2.281854, 13.82, 30.2136},   // 1990-01-01 0h TT
      {2451545.0, 251.427125, -11.396236, 13.89, 31.0649},  // 2000-01-01 12h TT
      {2455197.5, 273.324579, -18.301972, 14.09, 32.7350},  // 2010-01-01 0h TT
      {2458849.5, 294.001547, -22.265501, 14.38, 34.9109},  // 2020-01-01 0h TT
      {2461041.5, 305.553267, -23.301629, 14.57, 36.3289},  // 2026-01-01 0h TT
      {2462502.5, 312.783977, -23.524249, 14.69, 37.3018},  // 2030-01-01 0h TT
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.jd);
    const BodyPosition pluto = majorBodyAt(kPluto, c.jd);
    expectWithin(pluto.raRad / kDeg, pluto.decRad / kDeg, c.raDeg, c.decDeg, 15);
    EXPECT_NEAR(pluto.magnitude, c.magnitude, 0.1);
    EXPECT_NEAR(majorBodyDistanceAu(kPluto, c.jd), c.distanceAu, 0.002);
  }
}

// Meeus, Example 33.b: comet Encke on 1990 October 6.0 TD, astrometric
// J2000, within an arcsecond (libnova's own routine, taking the light time
// over the Sun-side sum of the two vectors, was 19.5" off).
TEST(Ephemeris, EnckeWhereMeeusFindsItAndOrbitsThatAreNone) {
  // 1990 October 6.0 TD as Universal Time: the ephemeris takes UT.
  const double kEnckeUt = 2448170.5 - dynamicalTimeOffsetSeconds(2448170.5) / 86400;
  const CometElements encke{2.2091404 * (1 - 0.8502196), 0.8502196, 11.94524, 186.23352, 334.75006, 2448193.04502};
  const auto p = MinorBodyEphemeris(kEnckeUt).place(encke);
  ASSERT_TRUE(p);
  expectWithin(p->raRad / kDeg, p->decRad / kDeg, 158.558965, 19.158496, 1);
  // Hale-Bopp far from perihelion, where libnova's near-parabolic series
  // has no number: the closed orbit still gives a place.
  EXPECT_TRUE(MinorBodyEphemeris(2461380.5).place(CometElements{0.890662, 0.994972, 89.2742, 130.4139, 282.7613, 2450537.1466}));
  EXPECT_FALSE(MinorBodyEphemeris(2450537.5 + 1000).place(CometElements{1.0, 1.5, 10, 20, 30, 2450537.5}));
  EXPECT_FALSE(MinorBodyEphemeris(2459000.5).place(EllipticElements{2.7, 1.2, 10, 70, 80, 0.2, 2459000}));
  EXPECT_FALSE(MinorBodyEphemeris(2459000.5).place(EllipticElements{2.7, 0.1, 10, 70, 80, 0, 2459000}));
}

struct AsteroidPlace {
  const char* elements;  // the list's line, epoch 2022 August 9
  ChartDate universal;
  double raDeg, decDeg;  // astrometric J2000
};

// The program's own element lines (its MPCORB.DAT) read by the list
// reader, against PyEphem 4.1.4's EllipticalBody of the same elements
// (_epoch_M 2022/8/9, _epoch 2000, at the Universal Time given, which it
// carries to dynamical time itself): geocentric a_ra and a_dec. A Kepler
// orbit of those elements with astropy 5.2.1's Earth agrees with PyEphem
// within 3". Eros passed 0.18 AU from the Earth, 1.14 AU from the Sun: an
// error of its heliocentric place shows six times enlarged.
const AsteroidPlace kAsteroidPlaces[] = {
    {"00433   10.31  0.46 K2289 358.82126  178.93251  304.29106   10.82796  0.2227328  0.55975828   1.4581505",
     {2012, 1, 31, 0, 0, 0}, 160.520625, -6.011583},
    {"00001    3.33  0.12 K2289 334.32717   73.53163   80.26644   10.58680  0.0786358  0.21418055   2.7666190",
     {2024, 7, 1, 0, 0, 0}, 287.392227, -28.919663},
    {"00004    3.20  0.32 K2289  61.19230  151.25778  103.80081    7.14078  0.0884019  0.27151121   2.3619872",
     {2025, 5, 1, 0, 0, 0}, 223.511155, -4.402140},
};

TEST(Ephemeris, ErosCeresAndVestaWherePyEphemPutsThemWithinTwelveArcseconds) {
  for (const AsteroidPlace& a : kAsteroidPlaces) {
    SCOPED_TRACE(a.elements);
    std::string names;
    const AsteroidElements asteroid = MinorPlanetList::parseLine(a.elements, names);
    ASSERT_TRUE(asteroid.valid);
    const auto p = MinorBodyEphemeris(julianDayOf(a.universal)).place(asteroid.orbit);
    ASSERT_TRUE(p);
    expectWithin(p->raRad / kDeg, p->decRad / kDeg, a.raDeg, a.decDeg, 12);
  }
}

TEST(Ephemeris, PackedEpochsAndPerihelionDates) {
  EXPECT_DOUBLE_EQ(*julianDateOfPackedEpoch("K2289"), 2459800.5);
  EXPECT_DOUBLE_EQ(*julianDateOfPackedEpoch("J9611"), 2450083.5);
  for (const char* bad : {"K22Z9", "K2280", "L2289", "K22", "K2289 ", "k2289"}) {
    EXPECT_FALSE(julianDateOfPackedEpoch(bad)) << bad;
  }
  EXPECT_EQ(perihelionDate(2006, 8, 286884), (ChartDate{2006, 8, 28, 16, 31, 17.0}));
}

using testing::ScratchDir;
using testing::writeBytes;

using testing::kCeres;
using testing::kEros;
// (134340) Pluto as the program's element files give it, for 2006.
const std::string kPlutoLine =
    "D4340   -0.44  0.15 K069M  25.24719  112.59714  110.37696   17.08900  0.2502487  0.00397846  39.4450697"
    "    JPL 0                                                      (134340) Pluto";
const std::string kProvisional =
    "K22O15U 10.68       K2289   9.89767  304.74261  325.16283   21.13289  0.5724057  0.00590048  30.2888076"
    "    JPL 1                                                      2022 OU15";

TEST(MpcDesignation, NumbersAndProvisionalDesignationsBothWays) {
  EXPECT_EQ((std::tuple{unpackNumber("00433"), unpackNumber("A0001")}), (std::tuple{433, 100001}));
  EXPECT_EQ((std::tuple{unpackNumber("a0001"), unpackNumber("0#433")}), (std::tuple{360001, -1}));
  EXPECT_EQ(unpackNumber("0043"), -1);
  EXPECT_EQ((std::tuple{packNumber(100001), packNumber(433), packNumber(620000)}), (std::tuple{"A0001", "00433", ""}));
  EXPECT_EQ(unpackProvisional("K06D00A"), "2006 DA00");
  EXPECT_EQ(unpackProvisional("K06DA1B"), "2006 DB101");
  EXPECT_EQ(unpackProvisional("J95O010"), "1995 O01");  // the comet form keeps its cycle
  EXPECT_EQ((std::tuple{unpackProvisional("X06D00A"), packProvisional("2006 DB101")}), (std::tuple{"", "K06DA1B"}));
  EXPECT_EQ((std::tuple{packProvisional("2022 OU15"), packProvisional("2006DA")}), (std::tuple{"K22O15U", "K06D00A"}));
  EXPECT_EQ((std::tuple{packProvisional("1777 DA"), packProvisional("Ceres")}), (std::tuple{"", ""}));
}

TEST(MinorPlanetList, ReadsTheColumnsOfALine) {
  std::string names;
  EXPECT_STREQ(names.c_str() + MinorPlanetList::parseLine(kCeres, names).nameOffset, "(1) Ceres");
  const AsteroidElements unnumbered = MinorPlanetList::parseLine(kProvisional, names);
  // G is blank: no magnitudes.
  EXPECT_EQ(std::tuple(unnumbered.valid, unnumbered.number, unnumbered.packedDesignation, unnumbered.designation,
                       unnumbered.hasMagnitudes),
            std::tuple(true, 0, "K22O15U", "2022 OU15", false));
}

TEST(MinorPlanetList, ShortOrMalformedLinesAreInvalidAndNeverReadPastTheirEnd) {
  std::string names;
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
  EXPECT_EQ((std::tuple{list.findByName("eros"), list.findByDesignation("2022 OU15")}), (std::tuple{1, 2}));
  EXPECT_EQ((std::tuple{list.findByDesignation("2022 OU16"), list.name(2)}), (std::tuple{-1, "2022 OU15"}));
  StarPosition p;
  EXPECT_FALSE(list.position(0, p));  // none before placeAt
  list.placeAt(MinorBodyEphemeris(2459800.5));
  EXPECT_TRUE(list.position(0, p));
  EXPECT_FALSE(list.position(3, p));

  // The lists leave (134340) Pluto to the body Pluto.
  writeBytes(dir.file("pluto.txt"), kCeres + "\n" + kPlutoLine + "\n" + kEros + "\n");
  MinorPlanetList withPluto(MinorPlanetList::kShortCapacity, dir.file("pluto.txt"));
  ASSERT_EQ(withPluto.load(), 0);
  EXPECT_EQ(withPluto.count(), 2);
  EXPECT_EQ(withPluto.findByNumber(MinorPlanetList::kPlutoNumber), -1);
  EXPECT_EQ((std::tuple{withPluto.findByName("Pluto"), withPluto.name(1)}), (std::tuple{-1, "(433) Eros"}));

  MinorPlanetList capped(2, dir.file("list.txt"));
  capped.load();
  EXPECT_EQ(capped.count(), 2);
  MinorPlanetList missing(10, dir.file("none.txt"));
  EXPECT_EQ(missing.load(), 4);
  EXPECT_FALSE(missing.loaded());
}

TEST(CometList, EveryLineHasARecordAndShortLinesAreInvalid) {
  ScratchDir dir;
  const std::string& hale = testing::kHaleBopp;
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
