// celvaro-chart: the chart it draws against the chart drawn here, and the
// objects it finds and tells of against published places and PyEphem.
#include "ui/ui_test_support.h"

namespace celvaro {
namespace {

using namespace testing;

// Bright stars are white discs, those that vary ringed in white too.
bool whiteNear(const QImage& image, QPoint at) {
  for (int dy = -6; dy <= 6; ++dy)
    for (int dx = -6; dx <= 6; ++dx)
      if (image.valid(at + QPoint(dx, dy)) && image.pixel(at + QPoint(dx, dy)) == qRgb(255, 255, 255)) return true;
  return false;
}

TEST_F(OrionChart, EastIsLeftAndNorthUpUnlessMirrored) {
  prepare();
  const QImage image = paint();
  const QPoint betelgeuse = where(88.7929, 7.4071), rigel = where(78.6345, -8.2016);
  EXPECT_LT(betelgeuse.x(), rigel.x());  // larger right ascension, further east: left
  EXPECT_LT(betelgeuse.y(), rigel.y());  // further north: up
  EXPECT_TRUE(whiteNear(image, betelgeuse));
  EXPECT_TRUE(whiteNear(image, rigel));

  request.mirror = 3;
  prepare();
  const QImage flipped = paint();  // the drawing sets the projection up
  const QPoint b2 = where(88.7929, 7.4071), r2 = where(78.6345, -8.2016);
  EXPECT_GT(b2.x(), r2.x());
  EXPECT_EQ(b2.x(), request.width - betelgeuse.x());
  EXPECT_TRUE(whiteNear(flipped, b2));
}

// --- the real program with the built data, as a user runs it --------------------------

// celvaro-chart for an observer at Budapest at 2024-01-15 20:00 UT.
ChartRun runChart(std::vector<std::string> args) {
  args.insert(args.begin(), {"--utc", "2024-01-15T20:00", "--lat", "47.5", "--lon", "19.05", "--tz", "1", "--size", "64x64"});
  return runChartProgram(args);
}

// The rest of the line that begins with `start`; empty without one.
std::string lineAfter(const std::string& text, const std::string& start) {
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with(start)) return line.substr(start.size());
  }
  return "";
}

// What --info writes of an object in a language; the program runs once for each.
const ChartRun& information(const std::string& object, const std::string& language) {
  static std::map<std::pair<std::string, std::string>, ChartRun> runs;
  const auto [at, fresh] = runs.try_emplace({object, language});
  if (fresh) at->second = runChart({"--object", object, "--info", "--language", language});
  return at->second;
}

struct Sky { double raHours, decDeg; };

Sky hms(int h, int m, double s, int d, int am, double as) {
  const double sign = d < 0 ? -1 : 1;
  return {h + m / 60.0 + s / 3600, d + sign * (am / 60.0 + as / 3600)};
}

double arcsecBetween(Sky a, Sky b) { return separationDeg(a.raHours * 15, a.decDeg, b.raHours * 15, b.decDeg) * 3600; }

// Where the chart of an object is centred, from its statistics.
std::optional<Sky> centreOfChart(const std::string& object) {
  const ChartRun run = runChart({"--object", object, "--stats"});
  EXPECT_EQ(run.exitCode, 0) << object << ": " << run.err;
  Sky centre;
  if (std::sscanf(lineAfter(run.out, "centre=").c_str(), "%lf %lf", &centre.raHours, &centre.decDeg) != 2) return std::nullopt;
  return centre;
}

// The file the program writes, read back by Qt's own PNG reader, holds the
// chart drawn in this process for the same request pixel for pixel.
TEST_F(OrionChart, WritesTheDrawnChart) {
  const ScratchDir dir;
  const std::string file = dir.file("orion.png");
  const ChartRun run = runChartProgram({"--utc", "2024-01-15T20:00", "--ra", "5.6", "--dec", "3", "--field", "3600",
                                        "--size", "1200x900", "--language", "en", "--out", file});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  resources.loadLanguage(kEnglish);
  prepare(CELVARO_RUN_DIR);
  const QImage written(QString::fromStdString(file));
  ASSERT_FALSE(written.isNull());
  EXPECT_TRUE(written.convertToFormat(QImage::Format_RGB32) == paint());
}

using ChartOfAnObject = BuiltData;

// The chart of each name is centred on the object's published J2000 place,
// within the row's arcseconds.
// Stars: Hipparcos (van Leeuwen 2007) places from SIMBAD; the chart's stars
// stand where their proper motions have taken them by its instant: alpha
// Cen A and 61 Cyg A moved from SIMBAD's places and motions by astropy
// 5.2.1's apply_space_motion to 2024-01-15 20:00 (89" and 127" from J2000).
// Deep sky: M 42, M 44, M 82 and the LMC from SIMBAD; omega Cen from
// Harris's catalogue of globular clusters (2010); eta Car from SIMBAD,
// Hipparcos left it out. Comets and minor planets: PyEphem 4.1.4's
// astrometric J2000 places from the data's own element lines (MPCORB.DAT,
// CometEls.txt) for 2024-01-15 20:00 UT. Variable stars the Hipparcos
// catalogue lacks: GCVS 5.1's places in decimal hours and degrees.
const Sky kAlphaCenA = hms(14, 39, 24.40, -60, 49, 50.95), kAlphaCenB = hms(14, 39, 23.18, -60, 49, 55.76);
const std::vector<std::tuple<std::string, Sky, double>> kPlaces = {
    {"Algenib", hms(0, 13, 14.15, 15, 11, 0.9), 60},      // gamma Peg, not Mirfak
    {"Markab", hms(23, 4, 45.65, 15, 12, 19.0), 60},      // alpha Peg
    {"Gienah", hms(12, 15, 48.37, -17, 32, 30.9), 60},    // gamma Crv
    {"Rastaban", hms(17, 30, 25.96, 52, 18, 5.0), 60},    // beta Dra
    {"Alcor", hms(13, 25, 13.54, 54, 59, 16.7), 60},      // 80 UMa, not Mizar
    {"Mirzam", hms(6, 22, 41.99, -17, 57, 21.3), 60},     // beta CMa
    {"Mira", hms(2, 19, 20.79, -2, 58, 39.5), 60},        // omicron Cet, not Mirach
    {"alf Cen", kAlphaCenA, 40}, {"alpha Cen", kAlphaCenA, 40}, {"α Cen", kAlphaCenA, 40},
    {"Sir", hms(6, 45, 8.92, -16, 42, 58.0), 60},          // the beginning of Sirius
    {"HD 183912", hms(19, 30, 43.28, 27, 57, 34.8), 60},  // Albireo
    {"61 Cyg", hms(21, 7, 2.50, 38, 46, 16.0), 60},
    {"M 42", hms(5, 35, 17.3, -5, 23, 28), 300},
    {"Orion Nebula", hms(5, 35, 17.3, -5, 23, 28), 300},
    {"STF 1110", hms(7, 34, 35.86, 31, 53, 17.8), 60},     // Castor
    {"R Leo", hms(9, 47, 33.49, 11, 25, 43.7), 60},
    {"Girtab", hms(17, 42, 29.28, -39, 1, 47.9), 60},       // kappa Sco, not iota1
    {"Schedar", hms(0, 40, 30.44, 56, 32, 14.4), 60},       // alpha Cas
    {"Nash", hms(18, 5, 48.49, -30, 25, 26.7), 60},         // gamma2 Sgr, not W Sgr
    {"Beehive", hms(8, 40, 24.0, 19, 40, 0), 60},           // M 44
    {"Omega Centauri", hms(13, 26, 47.24, -47, 28, 46.5), 60},  // NGC 5139
    {"Cigar Galaxy", hms(9, 55, 52.43, 69, 40, 46.9), 60},  // M 82
    {"LMC", hms(5, 23, 34.6, -69, 45, 22), 60},
    {"η Car", hms(10, 45, 3.59, -59, 41, 4.3), 60},
    {"NGC 4486B", hms(12, 30, 31.97, 12, 29, 24.6), 60},   // not M 87, 7' away
    {"Halley", hms(8, 18, 24.61, 2, 16, 15.1), 60},
    {"Pons-Brooks", hms(20, 22, 29.83, 37, 58, 38.6), 60},
    {"Eros", hms(23, 19, 21.64, 5, 40, 42.4), 60},
    // PyEphem's ephem.Pluto, a_ra and a_dec.
    {"Pluto", hms(20, 9, 9.69, -22, 58, 25.7), 60},
    {"SS Cyg", {21.71189, 43.58608}, 60}, {"R Sco", {16.29419, -22.94456}, 60}, {"U Gem", {7.91811, 22.00133}, 60},
    {"RS Oph", {17.83699, -6.70794}, 60}, {"U Sco", {16.37522, -17.87856}, 60}, {"AH Her", {16.73611, 25.25056}, 60},
    {"DQ Her", {18.12505, 45.85889}, 60},
};

TEST_F(ChartOfAnObject, CentresOnThePublishedPlaceOfWhatItNames) {
  for (const auto& [object, published, toleranceArcsec] : kPlaces) {
    const auto centre = centreOfChart(object);
    ASSERT_TRUE(centre) << object;
    EXPECT_LT(arcsecBetween(*centre, published), toleranceArcsec) << object;
  }
  // Toliman is alpha Cen B, 15" from A; both share their proper motion.
  const auto toliman = centreOfChart("Toliman");
  ASSERT_TRUE(toliman);
  EXPECT_LT(arcsecBetween(*toliman, kAlphaCenB), arcsecBetween(*toliman, kAlphaCenA));
}

// The line of each caption --info writes, of each object in each language,
// as the sources give it or as it starts (a trailing '*'). Pluto from
// Budapest on 2024-01-15 20:00 UT as PyEphem 4.1.4 gives it (o.lat, o.lon =
// '47.5', '19.05'; ephem.Pluto): elong 5:26:06 (east), ephem.constellation
// Capricornus, o.previous_transit 2024/1/15 11:16:39. SS Cyg's type: GCVS.
// Barnard's dark nebulae have no magnitude, and no PPM number is at hand
// for Polaris (HIP 11767 = HD 8890 = HR 424 = SAO 308). Castor AB (STF
// 1110) was last measured in 2025 (the Washington Double Star Catalog).
// The Hungarian captions are lang/hu.txt's. A Messier object's star-hop
// route: SIMBAD puts M 15 at 21h29m58.33s +12°10'01.2" and Enif (ε Peg) at
// 21h44m11.16s +09°52'30.0": cos d = 0.997348, d = 4.17°, the position
// angle from Enif atan2(sin Δα cos δ2, cos δ1 sin δ2 - sin δ1 cos δ2 cos Δα)
// = 303.6°, between 292.5° and 337.5°: north-west.
TEST_F(ChartOfAnObject, InformationLinesAreTheSourcesWordsInTheLanguage) {
  const struct { const char *object, *language, *caption, *value; } kLines[] = {
      {"Pluto", "en", "Elongation from the Sun: ", "5.4° east"},
      {"Pluto", "en", "Constellation: ", "Capricornus"},
      {"Pluto", "en", "Transit (Universal Time): ", "2024-01-15 11:16*"},
      {"SS Cyg", "en", "Variability type: ", "UGSS"},
      {"B 33", "en", "Magnitude: ", ""},
      {"Castor", "en", "Year of the last measure: ", "2025"},
      {"M42", "hu", "Objektumtípus: ", "H II-régió"},
      {"M42", "hu", "Név: ", "Orion-köd"},  // its Hungarian name, not "Orion Nebula"
      {"M 15", "en", "Star-hop route: ", "Enif → 4.2° NW → M 15"},
      {"M 15", "hu", "Csillagugrálás útvonala: ", "Enif → 4.2° ÉNy → M 15"},
  };
  for (const auto& line : kLines) {
    const ChartRun& info = information(line.object, line.language);
    ASSERT_EQ(info.exitCode, 0) << info.err;
    std::string value = lineAfter(info.out, line.caption), expected = line.value;
    if (expected.ends_with('*')) expected.pop_back(), value = value.substr(0, expected.size());
    EXPECT_EQ(value, expected) << line.object << " " << line.caption << "\n" << info.out;
  }
}

// The numbers --info writes, within their tolerance. Pluto from Budapest on
// 2024-01-15 20:00 UT as PyEphem 4.1.4 gives it: mag 14.5, earth_distance
// 35.9127, sun_distance 34.9335. The separations of the principal pairs:
// Castor AB (STF 1110), 3.1" apart at the Hipparcos epoch, widens along
// its orbit: 5.5" in 2025 (the Washington Double Star Catalog's measures);
// Albireo (STFA 43 AB) 34.6", with lang/hu.txt's caption 12107. Distances
// in a unit a reader takes in: M 51 at 7.1 Mpc (Takats and Vinko 2006), 23
// million light years; M 81 at 3.6 Mpc (Freedman et al. 1994), 11.7
// million; the Orion Nebula at 414 pc (Menten et al. 2007), 1350 light years.
TEST_F(ChartOfAnObject, InformationNumbersAgreeWithTheSources) {
  const struct { const char *object, *language, *caption; double value, tolerance; const char* unit; } kNumbers[] = {
      {"Pluto", "en", "Magnitude: ", 14.5, 0.1, ""},
      {"Pluto", "en", "Distance from the Earth (AU): ", 35.9127, 0.002, ""},
      {"Pluto", "en", "Distance from the Sun (AU): ", 34.9335, 0.002, ""},
      {"Castor", "en", "Separation (arcseconds): ", 5.5, 0.3, ""},
      {"Albireo", "hu", "Szögtávolság (ívmásodperc): ", 34.6, 1.0, ""},
      {"M51", "en", "Distance: ", 23, 23 * 0.05, " million light years"},
      {"M81", "en", "Distance: ", 11.7, 11.7 * 0.05, " million light years"},
      {"M42", "en", "Distance: ", 1.35, 1.35 * 0.05, " thousand light years"},
  };
  for (const auto& number : kNumbers) {
    const ChartRun& info = information(number.object, number.language);
    ASSERT_EQ(info.exitCode, 0) << info.err;
    const std::string value = lineAfter(info.out, number.caption);
    EXPECT_NEAR(std::atof(value.c_str()), number.value, number.tolerance) << number.object << "\n" << info.out;
    EXPECT_TRUE(value.ends_with(number.unit)) << value;
  }
}

// Deep-sky descriptions list the identifiers as SIMBAD writes them (M 51 =
// NGC 5194 = UGC 8493 = PGC 47404 = Arp 85 = VV 1; M 81 = NGC 3031 = UGC
// 5318 = PGC 28630), a star's its catalogues' numbers (Polaris: HIP 11767 =
// HD 8890 = HR 424 = SAO 308, no PPM number at hand), and none has a
// placeholder in brackets for what a catalog does not know (B 33).
TEST_F(ChartOfAnObject, InformationWritesIdentifiersInFull) {
  for (const auto& [object, start, end] : {std::tuple{"M51", "M 51, NGC 5194, UGC 8493, PGC 47404, Arp 85, VV 1", ""},
                                           {"M81", "M 81, NGC 3031, UGC 5318, PGC 28630", ""}, {"M42", "M 42, NGC 1976", ""},
                                           {"Polaris", "", "; Hipparcos:11767; HD:8890; Harvard:424; SAO:308"}, {"B 33", "", ""}}) {
    const ChartRun& info = information(object, "en");
    ASSERT_EQ(info.exitCode, 0) << info.err;
    const std::string description = lineAfter(info.out, "Description: ");
    EXPECT_TRUE(description.starts_with(start) && description.ends_with(end)) << object << ": " << description;
    EXPECT_EQ(description.find('['), std::string::npos) << description;
  }
  EXPECT_NE(lineAfter(information("Castor", "en").out, "RA: "), "");  // and the place of a star
}

TEST_F(ChartOfAnObject, ShowsWhatItFoundAndSaysWhatItDidNotFind) {
  EXPECT_EQ(lineAfter(runChart({"--object", "Orion", "--stats"}).out, "object="), "Orion");  // the constellation before the nebula
  EXPECT_NE(lineAfter(runChart({"--object", "Algenib", "--stats"}).out, "object=").find("Algenib"), std::string::npos);
  // Names.dat gives "Bode's Nebula" to M 81 and M 82, more often to M 81.
  EXPECT_NE(lineAfter(runChart({"--object", "M 82", "--stats"}).out, "object=").find("Cigar Galaxy"), std::string::npos);
  const ChartRun missing = runChart({"--object", "Xyzzy", "--stats"});
  EXPECT_EQ(std::tuple(missing.exitCode, missing.err), std::tuple(2, "celvaro-chart: no object called 'Xyzzy'\n"));
  EXPECT_EQ(missing.out, "");
}

// Vega from 47.5 N 19.04 E on 2025-06-15 19:00 UT, as PyEphem 4.1.4
// (Debian python3-ephem) sees it, azimuth from the north through the east:
//   o = ephem.Observer(); o.lat, o.lon = '47.5', '19.04'; o.date = '2025/6/15 19:00'
//   v = ephem.FixedBody(); v._ra, v._dec = '18:36:56.336', '38:47:01.28'
//   v._epoch = ephem.J2000; v._pmra, v._pmdec = 200.94, 286.23
// with o.pressure = 0: altitude 39:14:11.6, azimuth 72:09:27.0; with the
// air of 1010 hPa and 10 C the altitude is 39:15:22.6.
TEST_F(ChartOfAnObject, InformationShowsTheAltitudeAndAzimuthTheObserverSees) {
  const auto degrees = [](const std::string& text) {
    int d = 0, m = 0, s = 0;
    return std::sscanf(text.c_str(), "%d:%d:%d", &d, &m, &s) == 3 ? d + m / 60.0 + s / 3600.0 : -999.0;
  };
  std::vector<std::string> vega = {"--object", "Vega", "--info", "--language", "en", "--utc", "2025-06-15T19:00",
                                   "--lat", "47.5", "--lon", "19.04"};
  const ChartRun geometric = runChart(vega);
  ASSERT_EQ(geometric.exitCode, 0) << geometric.err;
  EXPECT_NEAR(degrees(lineAfter(geometric.out, "Altitude (apparent): ")), 39 + 14 / 60.0 + 11.6 / 3600, 6 / 3600.0);
  EXPECT_NEAR(degrees(lineAfter(geometric.out, "Azimuth (from north through east): ")), 72 + 9 / 60.0 + 27.0 / 3600,
              6 / 3600.0);
  vega.push_back("--refraction");
  EXPECT_NEAR(degrees(lineAfter(runChart(vega).out, "Altitude (apparent): ")), 39 + 15 / 60.0 + 22.6 / 3600, 6 / 3600.0);
}

// With --zone the local times of the night's events take the zone's offset
// on the date: Budapest one hour after UT in December, two in July (Python's
// zoneinfo agrees). A zone the database lacks is refused.
TEST_F(ChartOfAnObject, AZoneGivesLocalTimesItsOffsetOnTheDate) {
  const auto hours = [](const std::string& dateTime) {
    int h = 0, m = 0, s = 0;
    return std::sscanf(dateTime.c_str() + 11, "%d:%d:%d", &h, &m, &s) == 3 ? h + m / 60.0 + s / 3600.0 : -99.0;
  };
  for (const auto& [utc, offset] : {std::pair{"2026-12-07T13:07", 1}, {"2026-07-07T13:07", 2}}) {
    const ChartRun sun = runChart({"--object", "Sun", "--info", "--language", "en", "--zone", "Europe/Budapest",
                                   "--lat", "47.5", "--lon", "19.04", "--utc", utc});
    ASSERT_EQ(sun.exitCode, 0) << sun.err;
    EXPECT_DOUBLE_EQ(hours(lineAfter(sun.out, "Transit (Local time): ")) - hours(lineAfter(sun.out, "Transit (Universal Time): ")),
                     offset)
        << utc;
  }
  const ChartRun unknown = runChart({"--zone", "Europe/Atlantis", "--stats"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_EQ(unknown.err.rfind("celvaro-chart: bad value for --zone: Europe/Atlantis", 0), 0u) << unknown.err;
}

}  // namespace
}  // namespace celvaro
