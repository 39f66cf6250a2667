// The constellation names of the chart's language, read from files written
// here by hand and from the built data. The names expected are the ones the
// languages' own published lists of the 88 constellations give (the
// Hungarian, German and Romanian encyclopedias' and astronomy handbooks'
// lists), the Romanian ones with the comma-below letters ș ț.
#include "catalog/constellation_names.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <tuple>

#include "astro/constellation_list.h"
#include "constellation_names_writer.h"
#include "test_files.h"

namespace celvaro {
namespace {

constexpr int kHungarian = 1, kEnglish = 2, kGerman = 3, kRomanian = 4;
constexpr int kCygnus = 30, kMonoceros = 54, kSerpensCaput = 75, kSerpensCauda = 76, kVolans = 87;

// The builder's file: both halves of Serpens take the name of the whole; a
// name missing from the translations, or one that cannot stand in the file,
// stays Latin, as English does. "\r\n" line ends read alike.
TEST(ConstellationNames, TheWrittenFileReadsBackWithLatinWhereATranslationIsMissingOrUnfit) {
  testing::ScratchDir dir;
  const std::array<NameTranslations, 3> translations = {
      NameTranslations{{"Serpens", u"Kígyó"}, {"Cygnus", u"Hatty\tú"}, {"Volans", u"Repülőhal"}},
      NameTranslations{{"Monoceros", u"Einhorn"}},
      NameTranslations{{"Serpens", u"Șarpele"}, {"Volans", std::u16string(65, u'x')}}};
  const std::string lf = constellationNamesText(translations);
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  ConstellationNames names;
  for (const std::string& text : {lf, crlf}) {
    testing::writeBytes(dir.file("names.txt"), text);
    ASSERT_EQ(names.load(dir.file("names.txt")), ConstellationNames::kLoaded);
    for (const auto& [number, language, name] :
         {std::tuple{kSerpensCaput, kHungarian, "Kígyó"}, {kSerpensCauda, kRomanian, "Șarpele"},  // U+0218
          {kVolans, kHungarian, "Repülőhal"}, {kMonoceros, kGerman, "Einhorn"}, {kCygnus, kHungarian, "Cygnus"},
          {kVolans, kRomanian, "Volans"}, {13, kGerman, "Canis Major"}, {kMonoceros, kEnglish, "Monoceros"}}) {
      EXPECT_EQ(names.name(number, language), name) << number << " in " << language;
    }
  }
  EXPECT_EQ(names.name(kMonoceros, 0), "Monoceros");
  EXPECT_EQ(names.name(89, kHungarian), "");
  EXPECT_EQ(names.name(-1, kHungarian), "");
}

// Any flaw leaves the Latin names, also after a good file was read.
TEST(ConstellationNames, AMissingOrDamagedFileGivesTheLatinNames) {
  testing::ScratchDir dir;
  ConstellationNames names;
  EXPECT_EQ(names.load(dir.file("none.txt")), ConstellationNames::kCannotOpen);
  EXPECT_EQ(names.name(kVolans, kHungarian), "Volans");
  const std::string good = constellationNamesText({NameTranslations{{"Volans", u"Repülőhal"}}});
  const std::string cygnus = "Cygnus\tCygnus\tCygnus\tCygnus\n";
  auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    return text.replace(text.find(from), from.size(), to);
  };
  auto withCygnus = [&](const std::string& hungarian) { return replaced(cygnus, "Cygnus\t" + hungarian + "\tSchwan\tLebăda\n"); };
  const std::map<std::string, std::string> damaged = {
      {"other header", replaced("names 1\n", "names 2\n")},
      {"cut short", good.substr(0, good.find("Volans\t"))},
      {"last line end missing", good.substr(0, good.size() - 1)},
      {"a line more", good + "Extra\tA\tB\tC\n"},
      {"three columns", replaced(cygnus, "Cygnus\tCygnus\tCygnus\n")},
      {"underscores", replaced("Canis Major\t", "Canis_Major\t")},
      {"a name empty", withCygnus("")},
      {"malformed UTF-8", withCygnus("Hatty\xC3")},
      {"control character", withCygnus("Hatty\x01")},
      {"name too long", withCygnus(std::string(65, 'x'))},
  };
  for (const auto& [flaw, text] : damaged) {
    testing::writeBytes(dir.file("names.txt"), good);
    ASSERT_EQ(names.load(dir.file("names.txt")), ConstellationNames::kLoaded);
    testing::writeBytes(dir.file("names.txt"), text);
    EXPECT_EQ(names.load(dir.file("names.txt")), ConstellationNames::kDamaged) << flaw;
    EXPECT_EQ(names.name(kVolans, kHungarian), "Volans") << flaw;
  }
  testing::writeBytes(dir.file("names.txt"), withCygnus(std::string(64, 'x')));
  EXPECT_EQ(names.load(dir.file("names.txt")), ConstellationNames::kLoaded);
}

// The built file holds the published names; both halves of Serpens carry
// the name of the whole.
TEST(BuiltConstellationNames, AreTheNamesTheLanguagesPublish) {
  const std::string data = std::string(CELVARO_RUN_DIR) + "/data/";
  if (!std::filesystem::exists(data + ".built")) GTEST_SKIP() << "no built data";
  ConstellationNames names;
  ASSERT_EQ(names.load(data + "constellation_names.txt"), ConstellationNames::kLoaded);
  const std::vector<std::tuple<int, int, std::string>> published = {
      {kMonoceros, kHungarian, "Egyszarvú"},    {kCygnus, kHungarian, "Hattyú"},
      {83, kHungarian, "Nagy Medve"},           {13, kGerman, "Großer Hund"},
      {kCygnus, kGerman, "Schwan"},             {kSerpensCauda, kGerman, "Schlange"},
      {kSerpensCaput, kRomanian, "Șarpele"},    {kVolans, kRomanian, "Peștele zburător"},
      {1, kRomanian, "Mașina pneumatică"},      {kCygnus, kRomanian, "Lebăda"},
  };
  for (const auto& [number, language, name] : published) {
    EXPECT_EQ(names.name(number, language), name) << constellationName(number) << " in language " << language;
  }
}

}  // namespace
}  // namespace celvaro
