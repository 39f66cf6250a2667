// The configuration file and the chart setting files.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "app/configuration.h"
#include "app/setting_file.h"
#include "model/chart_settings.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::readBytes;
using testing::ScratchDir;
using testing::writeBytes;

// The records with a comparison of everything the file keeps.
struct Records : ConfigurationRecordSet {
  bool operator==(const Records& o) const {
    return navigation == o.navigation && place.latitudeDeg == o.place.latitudeDeg &&
           place.longitudeDeg == o.place.longitudeDeg && place.timeZoneHours == o.place.timeZoneHours &&
           place.timeZoneName == o.place.timeZoneName && place.daylightSaving == o.place.daylightSaving &&
           colors == o.colors && scope == o.scope && gamepad == o.gamepad && spiral == o.spiral;
  }
};

const char* const kDefaultFile =
    "navigation.panstepssimple=8\r\n" "navigation.panstepsshift=2\r\n" "navigation.zoomsteps=4\r\n"
    "navigation.mousewheelfunc=2\r\n" "observingplace.longitude=19.500000\r\n"
    "observingplace.latitude=47.000000\r\n" "observingplace.timezone=1.000000\r\n" "color.background=0;0;0\r\n"
    "color.grid=64;64;0\r\n" "color.ecliptic=0;92;69\r\n" "color.horizon=0;192;128\r\n"
    "color.constlines=180;0;0\r\n" "color.constboundaries=0;0;127\r\n" "color.stars=255;255;255\r\n"
    "color.staredge=0;0;0\r\n" "color.planets=255;255;0\r\n" "color.planettracks=192;112;0\r\n"
    "color.deepsky=0;96;0\r\n" "color.text=128;128;0\r\n" "color.starhop=128;128;0\r\n"
    "color.selection=127;255;127\r\n" "scope.type=0\n" "scope.port=1\n" "scope.eastwestswapposition=0\n"
    "gamepad.enabled=1\r\n" "gamepad.button=0;1\n" "gamepad.button=1;3\n" "gamepad.button=2;4\n"
    "gamepad.button=3;2\n" "gamepad.button=4;5\n" "gamepad.button=5;6\n" "gamepad.button=6;15\n"
    "gamepad.button=7;16\n" "gamepad.button=8;13\n" "gamepad.button=9;14\n" "gamepad.button=10;0\n"
    "gamepad.button=11;0\n" "gamepad.device=/dev/input/js0\n" "spiralsearch.speed=2\n" "spiralsearch.radius=40\n"
    "spiralsearch.turns=3\n" "scope.indihost=localhost\n" "scope.indiport=7624\n" "scope.indidevice=\n"
    "observingplace.zone=\n" "observingplace.daylightsaving=1\n";

Records loadedFrom(const std::string& contents) {
  ScratchDir dir;
  writeBytes(dir.file("celvaro.cfg"), contents);
  Records r;
  loadConfiguration(dir.file("celvaro.cfg"), r.refs());
  return r;
}

TEST(ConfigurationSave, DefaultsAreWrittenByteForByte) {
  Records r;
  ScratchDir dir;
  ASSERT_TRUE(saveConfiguration(dir.file("celvaro.cfg"), r.refs()));
  EXPECT_EQ(readBytes(dir.file("celvaro.cfg")), kDefaultFile);
}

TEST(ConfigurationSave, AlwaysFortySixLinesWhateverWasRead) {
  Records r = loadedFrom(
      "# my settings\n"
      "spiralsearch.turns=7\n"
      "unknown.key=5\n"
      "gamepad.button=3;9\ngamepad.button=3;10\n"
      "observingplace.latitude=-33.9\n");
  std::string text = configurationText(r.refs());
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 46);
  EXPECT_NE(text.find("spiralsearch.turns=7\n"), std::string::npos);
  EXPECT_NE(text.find("gamepad.button=3;10\n"), std::string::npos);
  EXPECT_NE(text.find("observingplace.latitude=-33.900000\r\n"), std::string::npos);
  EXPECT_EQ((std::tuple{text.find("unknown"), text.find('#')}), (std::tuple{std::string::npos, std::string::npos}));
}

TEST(ConfigurationLoad, KeysMatchByPrefixAndValuesSkipBlanks) {
  EXPECT_EQ(loadedFrom("navigation.zoomsteps = 6\n").navigation.zoomSteps, 6);
  EXPECT_EQ(loadedFrom("navigation.zoomstepsANYTHING=\t7 steps\r\n").navigation.zoomSteps, 7);
  // Case matters, and a line needs the key at its very start.
  EXPECT_EQ(loadedFrom("Navigation.zoomsteps=6\n").navigation.zoomSteps, 4);
  EXPECT_EQ(loadedFrom(" navigation.zoomsteps=6\n").navigation.zoomSteps, 4);
  // Without "=" there is no value and the setting stays.
  EXPECT_EQ(loadedFrom("scope.port 9\n").scope.port, 1);
  // An empty value reads as atoi("") = 0, which no port has.
  EXPECT_EQ(loadedFrom("scope.port=\n").scope.port, 1);
  // Comments and one-character lines are skipped; later lines win.
  EXPECT_EQ(loadedFrom("#scope.port=4\nx\nscope.port=5\nscope.port=6\n").scope.port, 6);
  EXPECT_DOUBLE_EQ(loadedFrom("observingplace.timezone=-3.5h\n").place.timeZoneHours, -3.5);
  // An empty zone name is none; a flag other than 0 or 1 keeps the default.
  Records zoned;
  zoned.place.timeZoneName = "Europe/Budapest";
  EXPECT_EQ(loadedFrom(configurationText(zoned.refs()) + "observingplace.zone=\n").place.timeZoneName, "");
  EXPECT_EQ(loadedFrom("observingplace.daylightsaving=0\n").place.daylightSaving, 0);
  EXPECT_EQ(loadedFrom("observingplace.daylightsaving=2\n").place.daylightSaving, 1);
  // A device path loses the blanks around it; an empty one keeps the first joystick.
  EXPECT_EQ(loadedFrom("gamepad.device = /dev/input/by-id/usb-pad-joystick \r\n").gamepad.device,
            "/dev/input/by-id/usb-pad-joystick");
  EXPECT_EQ(loadedFrom("gamepad.device=\n").gamepad.device, "/dev/input/js0");
}

// Numbers no place on Earth, no dialog and no device takes keep the
// defaults: a latitude of 200, a time zone of 1e10 (whose seconds overflow),
// pan steps whose products overflow, a port or mount type that would reach
// the link as another one's low byte, a spiral beyond the controller's byte.
TEST(ConfigurationLoad, NumbersOutOfRangeKeepTheDefaults) {
  const char* const lines[] = {
      "observingplace.longitude=nan",   "observingplace.latitude=inf",   "observingplace.latitude=200",
      "observingplace.latitude=-90.5",  "observingplace.longitude=181",  "observingplace.longitude=-200",
      "observingplace.timezone=1e10",   "observingplace.timezone=-15",   "navigation.panstepssimple=0",
      "navigation.panstepsshift=99999999", "navigation.zoomsteps=21",    "navigation.mousewheelfunc=3",
      "navigation.mousewheelfunc=-1",   "scope.type=9",                  "scope.type=-1",
      "scope.port=0",                   "scope.port=257",                "scope.eastwestswapposition=200",
      "spiralsearch.speed=7",           "spiralsearch.radius=0",         "spiralsearch.radius=256",
      "spiralsearch.turns=0",           "spiralsearch.turns=11",
      "scope.indiport=0",               "scope.indiport=65536"};
  const Records defaults;
  for (const char* line : lines) EXPECT_TRUE(loadedFrom(std::string(line) + "\n") == defaults) << line;
  // The edges are taken.
  Records edges = loadedFrom(
      "observingplace.latitude=-90\nobservingplace.longitude=180\nobservingplace.timezone=14\n"
      "navigation.zoomsteps=20\nscope.type=8\nscope.port=256\nscope.eastwestswapposition=-30\n"
      "spiralsearch.speed=6\nspiralsearch.radius=255\nspiralsearch.turns=10\n");
  EXPECT_EQ(std::tuple(edges.place.latitudeDeg, edges.place.longitudeDeg, edges.place.timeZoneHours),
            std::tuple(-90.0, 180.0, 14.0));
  EXPECT_EQ(edges.navigation.zoomSteps, 20);
  EXPECT_EQ(edges.scope, (ScopeSettings{8, 256, -30, "localhost", 7624, ""}));
  EXPECT_EQ(edges.spiral, (SpiralSearchSettings{6, 255, 10}));
}

TEST(ConfigurationLoad, ColourRules) {
  EXPECT_EQ(loadedFrom("color.stars=255;200\n").colors.getColor(kColorStars), (Rgb{255, 255, 255}));
  EXPECT_EQ(loadedFrom("color.stars=1;2;3\n").colors.getColor(kColorStars), (Rgb{1, 2, 3}));
  // Only the low eight bits are kept.
  EXPECT_EQ(loadedFrom("color.grid=256;257;-1\n").colors.getColor(kColorGrid), (Rgb{0, 1, 255}));
  // The separators must lie within the first 50 characters.
  std::string far = "color.text=1" + std::string(60, ' ') + ";2;3\n";
  EXPECT_EQ(loadedFrom(far).colors.getColor(kColorText), (Rgb{128, 128, 0}));
  // "color.stars" does not swallow "color.staredge".
  Records both = loadedFrom("color.staredge=9;9;9\n");
  EXPECT_EQ(both.colors.getColor(kColorStarEdge), (Rgb{9, 9, 9}));
  EXPECT_EQ(both.colors.getColor(kColorStars), (Rgb{255, 255, 255}));
}

TEST(ConfigurationLoad, GamepadButtonRanges) {
  GamepadSettings defaults;
  EXPECT_EQ(loadedFrom("gamepad.button=3;18\n").gamepad.buttons, defaults.buttons);
  EXPECT_EQ(loadedFrom("gamepad.button=12;5\n").gamepad.buttons, defaults.buttons);
  EXPECT_EQ(loadedFrom("gamepad.button=3;17\n").gamepad.buttons[3], 17);
  EXPECT_EQ(loadedFrom("gamepad.button= 1 1 ; x0 \n").gamepad.buttons[11], 0);
  EXPECT_EQ(loadedFrom("gamepad.button=4\n").gamepad.buttons, defaults.buttons);
  EXPECT_EQ(loadedFrom("gamepad.button=99999999999999;1\n").gamepad.buttons, defaults.buttons);
  EXPECT_EQ(loadedFrom("gamepad.button=0;" + std::string(60, '0') + "\n").gamepad.buttons[0], 0);
}

// "gamepad.enabled" is on unless its value starts with 0; a line without a
// value, or an empty one at the end of the file, switches it on.
TEST(ConfigurationLoad, GamepadEnabledRules) {
  const std::pair<const char*, uint8_t> cases[] = {
      {"gamepad.enabled=0\n", 0}, {"gamepad.enabled=yes\n", 0}, {"gamepad.enabled=\n", 0},
      {"gamepad.enabled=0\ngamepad.enabled=1\n", 1}, {"gamepad.enabled=0\ngamepad.enabled=10\n", 1},
      {"gamepad.enabled=0\ngamepad.enabled", 1}, {"gamepad.enabled=0\ngamepad.enabled=", 1}};
  for (const auto& [text, enabled] : cases) EXPECT_EQ(loadedFrom(text).gamepad.enabled, enabled) << text;
}

// Files written before mounts were reached through INDI lack the server's
// keys and keep the default server; the described lines read as before.
TEST(ConfigurationLoad, IndiServerKeysAndFilesWithoutThem) {
  const std::string older = std::string(kDefaultFile).substr(0, std::string(kDefaultFile).find("scope.indihost"));
  Records r = loadedFrom(older + "scope.type=8\n");
  EXPECT_EQ(r.scope, (ScopeSettings{8, 1, 0, "localhost", 7624, ""}));
  r = loadedFrom("scope.indihost=192.168.1.20 \r\nscope.indiport=7625\nscope.indidevice=Telescope Simulator\n");
  EXPECT_EQ(r.scope, (ScopeSettings{0, 1, 0, "192.168.1.20", 7625, "Telescope Simulator"}));
}

TEST(ConfigurationLoad, BadFilesLoadWithoutHarm) {
  Records defaults;
  ScratchDir dir;
  Records r;
  EXPECT_FALSE(loadConfiguration(dir.file("missing.cfg"), r.refs()));
  EXPECT_TRUE(r == defaults);
  EXPECT_FALSE(loadConfiguration(dir.path().string(), r.refs()));  // a directory
  EXPECT_TRUE(r == defaults);
  EXPECT_TRUE(loadedFrom("") == defaults);
  std::string binary = "\n";
  for (int i = 1; i < 200; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
  EXPECT_TRUE(loadedFrom(binary) == defaults);
}

constexpr const char* kDefaultText =
    "needequatorialgrid=1\r\n" "needgridnumbering=1\r\n" "needecliptic=1\r\n" "needhorizon=1\r\n"
    "needeconstlines=1\r\n" "needconstboundaries=1\r\n" "needconstnames=1\r\n" "needmilkyway=1\r\n"
    "starmagnlimitauto=0\r\n" "starmaxdiameter=9\r\n" "needstarcoloring=0\r\n" "needstarlabel=1\r\n"
    "needstarname=1\r\n" "needstarbayer=1\r\n" "needstarflamsteed=0\r\n" "needvariablestars=1\r\n"
    "variablefiltermode=0\r\n" "varmagnlimitauto=-200\r\n" "varmagnlimitman=1000\r\n" "needdoulestars=1\r\n";

class SettingFile : public ::testing::Test {
 protected:
  // The settings after reading a file of `text` into the defaults.
  ChartSettings read(const std::string& text) {
    writeBytes(path, text);
    ChartSettings settings;
    EXPECT_TRUE(readSettingFile(path, settings));
    return settings;
  }

  ScratchDir dir;
  const std::string path = dir.file("chart.clv");
};

TEST_F(SettingFile, TheDefaultsAreTwentyLinesByteForByte) {
  EXPECT_EQ(settingFileText(ChartSettings{}), kDefaultText);
}

// How setting lines read beyond the rules the configuration shares: only a leading 1 switches on, numbers take
// their leading digits, a missing value is zero and the deep-sky label key changes nothing.
TEST_F(SettingFile, ReadingRules) {
  ChartSettings horizonOff;
  horizonOff.needHorizon = 0;
  for (const char* line : {"needhorizon=0\r\n", "needhorizon=2\r\n", "needhorizon=\r\n", "needhorizon\r\n"}) {
    EXPECT_EQ(read(line), horizonOff) << line;
  }
  EXPECT_EQ(read("needhorizon= 1x\n").needHorizon, 1);
  EXPECT_EQ(read("starmagnlimitauto=  -250 mag\n").starLimitAutoOffset, -250);
  EXPECT_EQ(read("varmagnlimitman=abc\n").variableLimitManual, 0);
  EXPECT_EQ(read("deepskymagnlabel=0\nNEEDHORIZON=0\n"), ChartSettings{});
}

// Numbers beyond any magnitude or size a chart has are passed over, so no
// sum of limits can overflow: each field keeps the value it had.
TEST_F(SettingFile, NumbersOutOfTheirRangeKeepTheField) {
  for (const char* number : {"2147483647", "-2147483648", "99999999999", "3001"}) {
    std::string text;
    for (const char* key : {"starmagnlimitauto", "starmaxdiameter", "variablefiltermode", "varmagnlimitauto",
                            "varmagnlimitman"}) {
      text += std::string(key) + "=" + number + "\r\n";
    }
    EXPECT_EQ(read(text), ChartSettings{}) << number;
  }
  EXPECT_EQ(read("starmaxdiameter=0\n").maxStarDiameter, 9);
  EXPECT_EQ(read("starmaxdiameter=100\n").maxStarDiameter, 100);
  EXPECT_EQ(read("varmagnlimitman=-3000\n").variableLimitManual, -3000);
}

// Files saved before the Milky Way had a switch lack its line: they show it.
TEST_F(SettingFile, AFileWithoutTheMilkyWayLineShowsIt) {
  writeBytes(path, "needhorizon=0\r\n");
  ChartSettings settings;
  settings.needMilkyWay = 0;
  ASSERT_TRUE(readSettingFile(path, settings));
  EXPECT_EQ(settings.needMilkyWay, 1);
  EXPECT_EQ(read("needmilkyway=0\r\n").needMilkyWay, 0);
}

TEST_F(SettingFile, AFileThatCannotBeOpenedChangesNothing) {
  ChartSettings settings;
  settings.needHorizon = 0;
  EXPECT_FALSE(readSettingFile(dir.file("missing.clv"), settings));
  EXPECT_EQ(settings.needHorizon, 0);
  EXPECT_FALSE(writeSettingFile(dir.file("no/such/dir/x.clv"), settings));
}

}  // namespace
}  // namespace celvaro
