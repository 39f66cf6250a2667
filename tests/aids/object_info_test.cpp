// The object information gathered from plain inputs, with no application
// model behind them, against PyEphem 4.1.4 (Debian's python3-ephem): a
// FixedBody at the star's J2000 place, no proper motion; the apparent place
// of the date is its g_ra and g_dec, the altitude and azimuth its alt and az
// with pressure 0 (no refraction), the events next_rising, next_transit and
// next_setting from the night's noon with horizon -0:34. The J2000 places
// are Hipparcos's (the new reduction). And the object's photograph, found by
// the names of the files in data/photos.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <ostream>
#include <string>

#include "aids/object_info.h"
#include "aids/photo_finder.h"
#include "aids/star_hop_guides.h"
#include "astro/chart_date.h"
#include "catalog/star_info_file.h"
#include "model/language_texts.h"
#include "output/hit_list.h"
#include "solarsystem/ephemeris.h"
#include "test_files.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;
const ObservingPlace kBudapestSummer{-1, 47.4979, 19.0402, 1.0, 1, ""};

// English from the texts' fallbacks: no language file.
class FallbackTexts : public iLanguageTexts {
 public:
  std::string textOr(int, std::string_view fallback) override { return std::string(fallback); }
  int languageId() const override { return kEnglish; }
};

// "dd:mm:ss" (or "hh:mm:ss", or the clock of "yyyy-mm-dd hh:mm:ss") in
// units of its first field; NaN where the text is not one.
double sexagesimal(const std::string& text) {
  int a = 0, b = 0, c = 0;
  const size_t clock = text.size() > 10 ? 11 : 0;
  if (std::sscanf(text.c_str() + clock, "%d:%d:%d", &a, &b, &c) != 3) return std::nan("");
  const double value = std::abs(a) + b / 60.0 + c / 3600.0;
  return text[clock] == '-' ? -value : value;
}

struct Expected {
  const char* name;
  double raHours, decDeg;  // J2000
  const char* ra;
  const char* dec;
  const char* raOfDate;
  const char* decOfDate;
  const char* altitude;
  const char* azimuth;
  const char* localTimes[3];  // rise, transit, set
};

void PrintTo(const Expected& star, std::ostream* out) { *out << star.name; }

// At Budapest on 2007-06-15, 20:00 UT (22:00 summer time).
constexpr Expected kStars[] = {
    {"Arcturus", 14 + 15 / 60.0 + 39.672 / 3600, 19 + 10 / 60.0 + 56.67 / 3600, "14:15:40", "19:10:57", "14:16:02",
     "19:08:51", "60:45:54", "197:07:16",
     {"2007-06-15 13:53:24", "2007-06-15 21:25:05", "2007-06-16 04:56:45"}},
    // Circumpolar at 47.5 degrees north: it transits and never sets.
    {"Deneb", 20 + 41 / 60.0 + 25.915 / 3600, 45 + 16 / 60.0 + 49.22 / 3600, "20:41:26", "45:16:49", "20:41:42",
     "45:18:10", "32:55:04", "56:50:38", {"always up", "2007-06-16 03:49:42", "always up"}},
};

class ObjectInfoFromInputs : public ::testing::TestWithParam<Expected> {
 protected:
  // 2007-06-15 20:00 UT.
  const double julianDate = julianDayOf(ChartDate{2007, 6, 15, 20, 0, 0});

  ObjectInfoInputs inputs() {
    const LocalSky sky(julianDate, kBudapestSummer.latitudeDeg, kBudapestSummer.longitudeDeg);
    return ObjectInfoInputs{texts, julianDate, kBudapestSummer, sky, nullptr, starInfo, starHops, "."};
  }

  static PickResult pickOf(const Expected& star) {
    PickResult pick{true, kPickStar, 7};
    pick.raRad = star.raHours * 15 * kRadPerDeg;
    pick.decRad = star.decDeg * kRadPerDeg;
    return pick;
  }

  FallbackTexts texts;
  StarInfoFile starInfo;
  StarHopGuides starHops;
};

TEST_P(ObjectInfoFromInputs, PlaceSkyAndEventsMatchAnAlmanacMadeElsewhere) {
  const Expected& star = GetParam();
  const ObjectInformation info = objectInformation(inputs(), pickOf(star), star.name);
  EXPECT_EQ(std::tuple(info.rightAscension, info.declination), std::tuple(star.ra, star.dec));
  // Rounded to the second on either side.
  EXPECT_NEAR(sexagesimal(info.rightAscensionOfDate), sexagesimal(star.raOfDate), 1.01 / 3600);
  EXPECT_NEAR(sexagesimal(info.declinationOfDate), sexagesimal(star.decOfDate), 1.01 / 3600);
  EXPECT_NEAR(sexagesimal(info.altitude), sexagesimal(star.altitude), 3.0 / 3600);
  EXPECT_NEAR(sexagesimal(info.azimuth), sexagesimal(star.azimuth), 3.0 / 3600);
  for (int i = 0; i < 3; ++i) {
    const std::string expected = star.localTimes[i];
    if (expected == "always up") {
      EXPECT_EQ(info.localTimes[i], expected) << i;
      continue;
    }
    EXPECT_EQ(info.localTimes[i].substr(0, 10), expected.substr(0, 10)) << i;
    EXPECT_NEAR(sexagesimal(info.localTimes[i]), sexagesimal(expected), 30.0 / 3600) << i;
  }
  // Without catalogs the description is the designation given, and no
  // catalog facts follow.
  EXPECT_EQ(info.description, star.name);
  EXPECT_TRUE(info.properties.empty());
  EXPECT_FALSE(info.photoPath.has_value());
}

INSTANTIATE_TEST_SUITE_P(Stars, ObjectInfoFromInputs, ::testing::ValuesIn(kStars),
                         [](const ::testing::TestParamInfo<Expected>& info) { return std::string(info.param.name); });

using testing::ScratchDir;
using testing::writeBytes;

constexpr int kMessier = 1, kNgc = 2, kIc = 3;

class PhotoFinder : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(dir.path() / "data/photos"); }
  void add(std::initializer_list<const char*> names) {
    for (const char* name : names) writeBytes(dir.file("data/photos/" + std::string(name)), "jpeg");
  }
  std::optional<std::string> find(int32_t first, int32_t second) {
    return findPhoto(dir.path().string(), first, second);
  }
  ScratchDir dir;
};

TEST(PhotoFileNames, GiveTheirKindAndNumberOrNone) {
  const std::pair<const char*, std::optional<int32_t>> names[] = {
      {"NGC_0224.jpg", photoKey(kNgc, 224)}, {"M_31.jpg", photoKey(kMessier, 31)},
      {"IC_1396.JPG", photoKey(kIc, 1396)},  {"M_  42.jpg", photoKey(kMessier, 42)},
      {"M_+45.jpg", photoKey(kMessier, 45)}, {"NGC_70001.jpg", photoKey(kNgc, 7000)},  // four characters at most
      {"M_110b.jpg", photoKey(kMessier, 110)}, {"UGC_454.jpg", std::nullopt}, {"M_0.jpg", std::nullopt},
      {"M_-3.jpg", std::nullopt}, {"M_x.jpg", std::nullopt}, {"M_31.png", std::nullopt},
      {"NGC_224", std::nullopt}, {".jpg", std::nullopt}};
  for (const auto& [name, key] : names) EXPECT_EQ(photoKeyOfFileName(name), key) << name;
}

// Either object's photo; the first name in order wins, other files and
// numbers are skipped.
TEST_F(PhotoFinder, FindsThePhotoOfEitherObject) {
  add({"NGC_0224.jpg", "NGC_0225.jpg", "M_31.jpg"});
  EXPECT_EQ(find(photoKey(kNgc, 224), 0), "data/photos/NGC_0224.jpg");
  EXPECT_EQ(find(photoKey(kNgc, 223), photoKey(kMessier, 31)), "data/photos/M_31.jpg");
  add({"NGC_1976.jpg", "M_42.jpg", "M_42.png", "M_0.jpg"});
  EXPECT_EQ(find(photoKey(kNgc, 1976), photoKey(kMessier, 42)), "data/photos/M_42.jpg");
  EXPECT_EQ((std::tuple{find(photoKey(kIc, 434), 0), find(0, 0)}), (std::tuple{std::nullopt, std::nullopt}));
  EXPECT_EQ(findPhoto(dir.file("elsewhere"), photoKey(kMessier, 31), 0), std::nullopt);
}

}  // namespace
}  // namespace celvaro
