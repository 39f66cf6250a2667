#include "app/ui_resources.h"

#include <gtest/gtest.h>

#include "app/startup.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::readBytes;
using testing::ScratchDir;
using testing::writeBytes;

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
  EXPECT_EQ(choiceFrom("de"), kGerman);
  EXPECT_EQ(choiceFrom("DE"), kGerman);
  EXPECT_EQ(choiceFrom("De"), kLanguageNone);
  EXPECT_EQ(choiceFrom("hu\r\n"), kHungarian);
  EXPECT_EQ(choiceFrom("RO"), kRomanian);
  EXPECT_EQ(choiceFrom("en"), kEnglish);
  EXPECT_EQ(choiceFrom("E"), kLanguageNone);
  EXPECT_EQ(choiceFrom("FR"), kLanguageNone);
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
  EXPECT_EQ(resources.text(6), "Fehler");
  EXPECT_EQ(resources.loadLanguage(5), 0);
  EXPECT_EQ(resources.loadLanguage(0), 0);
  EXPECT_EQ(resources.languageId(), kGerman);
  EXPECT_EQ(resources.text(6), "Fehler");
  // A language without its file keeps the previous texts.
  EXPECT_EQ(resources.loadLanguage(kRomanian), 0);
  EXPECT_EQ(resources.text(6), "Fehler");
  EXPECT_EQ(resources.textOr(7, "fallback"), "fallback");
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

}  // namespace
}  // namespace celvaro
