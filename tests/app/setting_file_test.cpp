#include "app/setting_file.h"

#include <gtest/gtest.h>

#include "full_disk.h"
#include "model/chart_settings.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::readBytes;
using testing::ScratchDir;
using testing::writeBytes;

constexpr const char* kDefaultText =
    "needequatorialgrid=1\r\n"
    "needgridnumbering=1\r\n"
    "needecliptic=1\r\n"
    "needhorizon=1\r\n"
    "needeconstlines=1\r\n"
    "needconstboundaries=1\r\n"
    "needconstnames=1\r\n"
    "needmilkyway=1\r\n"
    "starmagnlimitauto=0\r\n"
    "starmaxdiameter=9\r\n"
    "needstarcoloring=0\r\n"
    "needstarlabel=1\r\n"
    "needstarname=1\r\n"
    "needstarbayer=1\r\n"
    "needstarflamsteed=0\r\n"
    "needvariablestars=1\r\n"
    "variablefiltermode=0\r\n"
    "varmagnlimitauto=-200\r\n"
    "varmagnlimitman=1000\r\n"
    "needdoulestars=1\r\n";

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

TEST_F(SettingFile, EveryFieldGoesOutAndComesBack) {
  ChartSettings changed;
  for (uint8_t ChartSettings::*flag :
       {&ChartSettings::needEquatorialGrid, &ChartSettings::needGridNumbering, &ChartSettings::needEcliptic,
        &ChartSettings::needHorizon, &ChartSettings::needConstLines, &ChartSettings::needConstBoundaries,
        &ChartSettings::needConstNames, &ChartSettings::needMilkyWay, &ChartSettings::needStarLabel, &ChartSettings::needStarName,
        &ChartSettings::needStarBayer, &ChartSettings::needVariableStars, &ChartSettings::needDoubleStars}) {
    changed.*flag = 0;
  }
  changed.starColouring = changed.needStarFlamsteed = 1;
  changed.starLimitAutoOffset = -150;
  changed.maxStarDiameter = 14;
  changed.variableFilterMode = 2;
  changed.variableLimitOffset = 75;
  changed.variableLimitManual = 880;
  ASSERT_TRUE(writeSettingFile(path, changed));
  EXPECT_EQ(readBytes(path), settingFileText(changed));
  ChartSettings back;
  ASSERT_TRUE(readSettingFile(path, back));
  EXPECT_EQ(back, changed);
}

// How lines are read: keys match the lines that begin with them, only a
// leading 1 switches on, numbers take their leading digits and a missing
// value is zero; comments, short lines, unknown keys, keys in capitals and
// the deep-sky label key change nothing.
TEST_F(SettingFile, ReadingRules) {
  ChartSettings horizonOff;
  horizonOff.needHorizon = 0;
  EXPECT_EQ(read("needhorizon=0\r\n"), horizonOff);
  EXPECT_EQ(read("needhorizonline=0\n"), horizonOff);
  EXPECT_EQ(read("needhorizon=2\r\n"), horizonOff);
  EXPECT_EQ(read("needhorizon=\r\n"), horizonOff);
  EXPECT_EQ(read("needhorizon\r\n"), horizonOff);
  EXPECT_EQ(read("needhorizon= 1x\n").needHorizon, 1);
  EXPECT_EQ(read("needstarcoloring=1\n").starColouring, 1);
  EXPECT_EQ(read("starmagnlimitauto=  -250 mag\n").starLimitAutoOffset, -250);
  EXPECT_EQ(read("varmagnlimitauto\n").variableLimitOffset, 0);
  EXPECT_EQ(read("varmagnlimitman=abc\n").variableLimitManual, 0);
  EXPECT_EQ(read("#needhorizon=0\n\n=\nx\ndeepskymagnlabel=0\nneedsomething=0\nNEEDHORIZON=0\n"), ChartSettings{});
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

// A switch byte of 2 is on wherever it is read, so it is saved as on.
TEST_F(SettingFile, ASwitchByteOtherThanZeroIsWrittenAsOne) {
  ChartSettings settings;
  settings.needEcliptic = 2;
  EXPECT_NE(settingFileText(settings).find("needecliptic=1\r\n"), std::string::npos);
}

TEST_F(SettingFile, TheEquatorialGridLineSwitchesTheAutomaticGridOn) {
  writeBytes(path, "needequatorialgrid=0\n");
  ChartSettings settings;
  settings.automaticGrid = 0;
  ASSERT_TRUE(readSettingFile(path, settings));
  EXPECT_EQ(settings.needEquatorialGrid, 0);
  EXPECT_EQ(settings.automaticGrid, 1);
  writeBytes(path, "needgridnumbering=0\n");
  settings.automaticGrid = 0;
  ASSERT_TRUE(readSettingFile(path, settings));
  EXPECT_EQ(settings.automaticGrid, 0);
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

TEST_F(SettingFile, AFailedSaveKeepsTheOldFile) {
  writeBytes(path, kDefaultText);
  ChartSettings changed;
  changed.needHorizon = 0;
  EXPECT_FALSE(testing::succeedsOnAFullDisk([&] { return writeSettingFile(path, changed); }));
  EXPECT_EQ(readBytes(path), kDefaultText);
}

}  // namespace
}  // namespace celvaro
