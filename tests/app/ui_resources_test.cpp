// The program's directories and the texts of the chosen language: where the
// program, the user's data and the user's files are, the language file's
// table, the choice kept in locale.inf, and the colours kept aside under
// night vision.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/configuration.h"
#include "app/language_table.h"
#include "app/program_paths.h"
#include "app/startup.h"
#include "app/ui_resources.h"
#include "platform/binary_file.h"
#include "test_files.h"

namespace celvaro {
namespace {

namespace fs = std::filesystem;
using testing::EnvironmentValue;
using testing::ScratchDir;
using testing::writeBytes;

class ProgramPathsTest : public ::testing::Test {
 protected:
  std::string made(const std::string& relative) {
    fs::create_directories(dir.path() / relative);
    return (dir.path() / relative).string();
  }
  ScratchDir dir;
  EnvironmentValue home{"HOME", dir.path().c_str()};
  EnvironmentValue config{"XDG_CONFIG_HOME", nullptr};
  EnvironmentValue data{"XDG_DATA_HOME", nullptr};
};

// The freedesktop.org base-directory defaults and rules: $HOME/.config and
// $HOME/.local/share, and a relative path in a variable is ignored.
TEST_F(ProgramPathsTest, UserDirectoriesFollowTheBaseDirectoryRules) {
  const std::string home = dir.path().string();
  EXPECT_EQ(userConfigDirectory(), home + "/.config/celvaro");
  EXPECT_EQ(userDataDirectory(), home + "/.local/share/celvaro");
  EnvironmentValue relative("XDG_CONFIG_HOME", "relative/config");
  EnvironmentValue absolute("XDG_DATA_HOME", "/srv/data");
  EXPECT_EQ(userConfigDirectory(), home + "/.config/celvaro");
  EXPECT_EQ(userDataDirectory(), "/srv/data/celvaro");
}

// Only the program's data make a program directory: the configuration
// directory, or any directory holding only a user's files, is passed over.
TEST_F(ProgramPathsTest, FindsTheFirstDirectoryHoldingTheProgramsData) {
  const std::string current = made("work"), bin = made("prefix/bin"), config = made(".config/celvaro");
  const std::string installed = (dir.path() / "prefix/share/celvaro").string();
  writeBytes(current + "/celvaro.cfg", "x");
  writeBytes(current + "/locale.inf", "EN");
  writeBytes(current + "/lang_en.lng", "x");
  made(".local/share/celvaro/data");
  writeBytes(dir.file(".local/share/celvaro/data/stars_hip.dat"), "x");
  EXPECT_EQ(findProgramDirectory(current, bin), installed);
  made("prefix/bin/data");
  writeBytes(bin + "/data/stars_hip.dat", "x");
  EXPECT_EQ(findProgramDirectory(current, bin), bin);
  made("work/data");
  writeBytes(current + "/data/stars_hip.dat", "x");
  EXPECT_EQ(findProgramDirectory(current, bin), current);
  made(".config/celvaro/data");
  writeBytes(config + "/data/stars_hip.dat", "x");
  EXPECT_EQ(findProgramDirectory(config, bin), bin);
}

// A relative program directory is taken from the current directory, once,
// so that a later change of directory cannot lose it.
TEST_F(ProgramPathsTest, ARelativeProgramDirectoryBecomesAbsolute) {
  const fs::path before = fs::current_path();
  fs::current_path(made("share"));
  const std::string chosen = chooseProgramDirectory("celvaro/");
  fs::current_path(before);
  EXPECT_EQ(chosen, (dir.path() / "share/celvaro").string());
}

// A writable program directory keeps the user's files as before; the user
// data directory holds data only, so the user's files of it go to the
// configuration directory, which is made.
TEST_F(ProgramPathsTest, UserFilesGoBesideTheDataOnlyInAProgramDirectoryOfTheirOwn) {
  const std::string portable = made("portable"), user = made(".local/share/celvaro");
  const std::string config = dir.path().string() + "/.config/celvaro";
  EXPECT_EQ(configurationPath(portable), portable + "/celvaro.cfg");
  EXPECT_EQ(fovSchemesPath(portable), portable + "/fovschemes.dat");
  EXPECT_EQ(configurationPath(user), config + "/celvaro.cfg");
  EXPECT_EQ(fovSchemesPath(user), config + "/fovschemes.dat");
  UiResources resources;
  resources.setProgramDir(user);
  EXPECT_EQ(resources.localeInfPath(), config + "/locale.inf");
  EXPECT_TRUE(fs::is_directory(config));
}

using testing::readBytes;

class UiResourcesTest : public ::testing::Test {
 protected:
  UiResourcesTest() {
    resources.setProgramDir(dir.path().string());
    writeBytes(dir.file("lang_de.lng"), languageFileBytes({{6, u"Fehler"}}));
    writeBytes(dir.file("lang_en.lng"), languageFileBytes({{6, u"Error"}}));
  }
  int choiceFrom(const std::string& bytes) {
    writeBytes(dir.file("locale.inf"), bytes);
    return resources.readLanguageChoice();
  }
  ScratchDir dir;
  UiResources resources;
};

TEST_F(UiResourcesTest, ReadsTheLanguageChoice) {
  EXPECT_EQ(resources.readLanguageChoice(), kLanguageNone);  // no file
  for (const auto& [text, language] : {std::pair{"de", kGerman}, {"DE", kGerman}, {"De", kLanguageNone},
                                       {"hu\r\n", kHungarian}, {"RO", kRomanian}, {"en", kEnglish},
                                       {"E", kLanguageNone}, {"FR", kLanguageNone}}) {
    EXPECT_EQ(choiceFrom(text), language) << text;
  }
}

TEST_F(UiResourcesTest, SavesTheChoiceAsTwoBytes) {
  for (auto [id, code] : {std::pair{kGerman, "DE"}, {kRomanian, "RO"}, {kEnglish, "EN"}, {kHungarian, "HU"}}) {
    resources.loadLanguage(id);
    ASSERT_TRUE(resources.saveLanguageChoice());
    EXPECT_EQ(readBytes(dir.file("locale.inf")), code);
  }
}

TEST_F(UiResourcesTest, LoadsLanguagesAndRefusesUnknownIds) {
  EXPECT_EQ(resources.loadLanguage(kGerman), 1);
  EXPECT_EQ(resources.loadLanguage(5) + resources.loadLanguage(0), 0);
  EXPECT_EQ(resources.languageId(), kGerman);
  // A language without its file keeps the previous texts.
  EXPECT_EQ(resources.loadLanguage(kRomanian), 0);
  EXPECT_EQ((std::tuple{resources.text(6), resources.textOr(7, "fallback")}), (std::tuple{"Fehler", "fallback"}));
  EXPECT_FALSE(resources.text(-1));
}

TEST_F(UiResourcesTest, StartLanguageFromTheFileOrTheUser) {
  int asked = 0;
  auto answerGerman = [&] { ++asked; return static_cast<int>(kGerman); };
  writeBytes(dir.file("locale.inf"), "en");
  loadStartLanguage(resources, answerGerman);
  EXPECT_EQ(resources.languageId(), kEnglish);
  EXPECT_EQ(asked, 0);
  writeBytes(dir.file("locale.inf"), "De");
  loadStartLanguage(resources, answerGerman);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(resources.text(6), "Fehler");
  loadStartLanguage(resources, [] { return 0; });  // no answer: English
  EXPECT_EQ(resources.text(6), "Error");
}

// The user's own colours come back when night vision goes off, and the
// table kept in the configuration file is always the user's.
TEST_F(UiResourcesTest, NightVisionKeepsTheUsersColoursAside) {
  const Rgb custom{200, 100, 50};
  resources.colors().setColor(kColorStars, custom);
  const ColorTable users = resources.colors();
  resources.setNightVision(true);
  EXPECT_EQ(resources.colors().getColor(kColorStars), (Rgb{255, 0, 0}));  // scheme 6
  EXPECT_EQ(resources.userColors().getColor(kColorStars), custom);
  resources.setNightVision(true);  // a second switch on keeps the user's table, not the night one
  resources.setNightVision(false);
  EXPECT_TRUE(resources.colors() == users);
  EXPECT_EQ(&resources.userColors(), &resources.colors());
}

std::string header(uint32_t second, uint32_t count, uint32_t units) {
  std::string bytes;
  appendU32(bytes, 0xDEADBEEF);  // not used
  appendU32(bytes, second);
  appendU32(bytes, count);
  appendU32(bytes, units);
  return bytes;
}

class LanguageTableTest : public ::testing::Test {
 protected:
  LanguageTable loaded(const std::string& bytes) {
    writeBytes(dir.file("lang.lng"), bytes);
    LanguageTable table;
    EXPECT_TRUE(table.load(dir.file("lang.lng")));
    return table;
  }
  ScratchDir dir;
};

TEST_F(LanguageTableTest, FindsTextsAndMissesTheOthers) {
  LanguageTable table = loaded(languageFileBytes({{20, u"twenty"}, {10, u"ten"}, {30, u"Hőmérséklet"}}));
  EXPECT_EQ((std::tuple{table.size(), table.text(10), table.text(30)}), (std::tuple{3u, u"ten", u"Hőmérséklet"}));
  EXPECT_FALSE(table.text(25));
  EXPECT_FALSE(table.text(31));
}

TEST_F(LanguageTableTest, MalformedHeadersEmptyTheTable) {
  const std::string good = languageFileBytes({{1, u"x"}});
  const std::string body = good.substr(16);
  const std::pair<std::string, bool> cases[] = {
      {header(0, 10001, 2) + body, false}, {header(0, 0, 2) + body, false}, {header(0, 1, 100001) + body, false},
      {header(0, 1, 0) + body, false},     {header(1, 1, 2) + body, false}, {header(0, 1, 2) + body, true},
      {"", false},                         {good.substr(0, good.size() - 1), false}};  // the last: a short text block
  int row = 0;
  for (const auto& [bytes, loads] : cases) EXPECT_EQ(loaded(bytes).isLoaded(), loads) << "row " << row++;
}

TEST_F(LanguageTableTest, EntriesPointingOutsideTheTextsHaveNoText) {
  // Entry 2 points past the text block; entry 3's string has no ending zero.
  std::string bytes = header(0, 3, 6);
  for (uint32_t v : {1u, 0u, 0u, 2u, 50u, 0u, 3u, 3u, 0u}) appendU32(bytes, v);
  for (char16_t unit : std::u16string(u"ok\0xyz", 6)) appendU16(bytes, unit);
  LanguageTable table = loaded(bytes);
  EXPECT_EQ(table.text(1), u"ok");
  EXPECT_FALSE(table.text(2));
  EXPECT_FALSE(table.text(3));
  EXPECT_EQ(table.text(1), u"ok");
}

}  // namespace
}  // namespace celvaro
