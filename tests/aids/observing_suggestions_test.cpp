// Choosing the observing suggestions around the zenith of an instant and a
// place, by difficulty, in the sky guide's order.
#include <gtest/gtest.h>

#include <map>
#include <numbers>

#include "aid_writers.h"
#include "aids/observing_suggestions.h"
#include "test_files.h"

namespace celvaro {
namespace {

using namespace celvaro::testing;

constexpr double kRadPerDeg = std::numbers::pi / 180;
const ObservingPlace kBudapest{0, 47.50, 19.04, 1.0, 1, ""};
const ChartDate kJuneEvening{2007, 6, 15, 20, 30, 0.0};  // 22:30 summer time

struct Sky {
  std::u16string name;
  double raDeg, decDeg;
};
const std::map<int32_t, Sky> kObjects = {
    {13, {u"M 13", 250.42, 36.46}}, {42, {u"M 42", 83.82, -5.39}}, {57, {u"M 57", 283.40, 33.03}},
    {31, {u"M 31", 10.68, 41.27}}, {0, {u"Albireo", 292.68, 27.96}}};

class Suggestions : public ::testing::Test {
 protected:
  void SetUp() override {
    writeBytes(dir.file("tips.dat"),
               skyGuideBytes({{0, kSuggestDeepsky, "", 1, 42, u"M 42"}, {1, kSuggestDeepsky, "", 1, 13, u"M 13"},
                              {0, kSuggestDouble, "SFA  43", 0, 0, u"Albireo"}, {3, kSuggestDeepsky, "", 1, 57, u"M 57"},
                              {0, kSuggestDeepsky, "", 1, 31, u"M 31"}, {0, kSuggestDeepsky, "", 1, 999, u"lost"},
                              {0, kSuggestStar, "", 0, 0, u"a star"}}));
    ASSERT_EQ(guides.loadSkyGuide(dir.file("tips.dat")), kAidLoaded);
  }
  std::vector<std::u16string> chosen(int maxDifficulty, const ChartDate& when = kJuneEvening) {
    selectSuggestions(guides, locate, kBudapest, when, maxDifficulty);
    std::vector<std::u16string> names;
    for (int i : guides.selection()) names.push_back(guides.entry(i).name);
    return names;
  }

  // Deep-sky objects by Messier number, the one double star by its key.
  SuggestionLocator locate = [](const SkyGuideEntry& e) -> std::optional<StarPosition> {
    int32_t number = e.type == kSuggestDouble && e.doubleStarKey == "SFA  43" ? 0 : -1;
    if (e.type == kSuggestDeepsky && e.deepskyCode == 1) number = e.deepskyNumber;
    const auto found = kObjects.find(number);
    if (found == kObjects.end()) return std::nullopt;
    return StarPosition{0, found->second.raDeg * kRadPerDeg, found->second.decDeg * kRadPerDeg};
  };
  ScratchDir dir;
  StarHopGuides guides;
};

// A June evening in Budapest brings the summer objects, not Orion, as far
// as the difficulty allows; a December evening Orion and Andromeda.
TEST_F(Suggestions, TheSeasonAndTheDifficultyDecide) {
  EXPECT_EQ(chosen(3), (std::vector<std::u16string>{u"M 13", u"Albireo", u"M 57"}));
  EXPECT_EQ(chosen(0), (std::vector<std::u16string>{u"Albireo"}));
  EXPECT_EQ(chosen(1), (std::vector<std::u16string>{u"M 13", u"Albireo"}));
  EXPECT_EQ(chosen(3, ChartDate{2007, 12, 15, 21, 0, 0.0}), (std::vector<std::u16string>{u"M 42", u"M 31"}));
}

}  // namespace
}  // namespace celvaro
