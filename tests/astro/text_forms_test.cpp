// Angles and constellations as the chart writes them.
#include "astro/text_forms.h"

#include <gtest/gtest.h>

#include <numbers>
#include <string_view>

#include "astro/constellation_list.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;

double hms(int h, int m, double s) { return (h + m / 60.0 + s / 3600.0) * kPi / 12.0; }
double dms(int d, int m, double s) { return (d + m / 60.0 + s / 3600.0) * kPi / 180.0; }

// The texts made live until the end of the call that checks them.
struct TextCase { std::string_view shown, expected; };

// Each row's text against the expected one, a failure naming the row.
void expectTexts(std::initializer_list<TextCase> cases) {
  int row = 0;
  for (const TextCase& c : cases) EXPECT_EQ(c.shown, c.expected) << "row " << row++;
}

// Right ascension in four-second steps, declination in degrees and minutes;
// formatted, rounded to the second as almanacs give places: M 42 at
// 5h35m17.6s, a place a breath short of 24h, and of -0.4".
TEST(ShowAngles, RightAscensionDeclinationAndFormattedPlaces) {
  expectTexts({{showRightAscension(hms(6, 0, 2)), "06:00:00"}, {showRightAscension(hms(6, 0, 4.01)), "06:00:04"},
               {showRightAscension(hms(23, 59, 59)), "23:59:56"}, {showRightAscension(0), "00:00:00"},
               {showDeclination(dms(38, 47, 1)), "38:47"}, {showDeclination(-dms(0, 30, 30)), "-0:30"},
               {showDeclination(-dms(16, 42, 58)), "-16:42"}, {formatHours(hms(18, 36, 56.3)), "18:36:56"},
               {formatHours(0), "00:00:00"}, {formatDegrees(dms(38, 47, 1.3)), "38:47:01"},
               {formatDegrees(-dms(16, 42, 58)), "-16:42:58"}, {formatDegrees(-dms(0, 0, 30)), "-00:00:30"},
               {formatHours(hms(5, 35, 17.6)), "05:35:18"}, {formatHours(hms(23, 59, 59.7)), "00:00:00"},
               {formatDegrees(-dms(5, 23, 27.6)), "-05:23:28"}, {formatDegrees(-dms(0, 0, 0.4)), "00:00:00"}});
}

// The IAU constellations in alphabetical order with Serpens twice, as the
// data files number them; numbers outside 0..88 are nothing, and a packed
// abbreviation counts from 1 and keeps to its room.
TEST(ConstellationList, NumbersNamesAndAbbreviations) {
  std::string packed, small;
  for (int n : {1, 75, 76, 77, 88, 0, 89}) appendPackedAbbreviation(packed, n, 64);
  appendPackedAbbreviation(small, 1, 2);
  expectTexts({{constellationName(0), "Andromeda"}, {constellationName(13), "Canis_Major"},
               {constellationName(59), "Orion"}, {constellationName(77), "Sextans"},
               {constellationName(88), "Vulpecula"}, {constellationName(75), "Serpens_Caput"},
               {constellationName(76), "Serpens_Cauda"}, {constellationAbbreviation(75), "Ser"},
               {constellationAbbreviation(76), "Ser"}, {constellationName(89), ""},
               {constellationAbbreviation(-1), ""}, {packed, "AndSctSerSexVul"}, {small, "An"}});
}

}  // namespace
}  // namespace celvaro
