#include "app/setting_file.h"

#include <array>

#include "astro/value_range.h"
#include "model/chart_settings.h"
#include "platform/file_replace.h"
#include "platform/key_value_lines.h"
#include "platform/number_text.h"

namespace celvaro {
namespace {

// A key and its field: a switch (byte 0 or 1) or an int within its range.
struct Field {
  std::string_view key;
  uint8_t ChartSettings::*flag;
  int ChartSettings::*number;
  ValueRange range{0, 0};
};

// Magnitudes in hundredths: offsets of up to 20 magnitudes either way, and
// limits from 30 above the brightest to 30 below; no sum of them can leave
// the int range.
constexpr ValueRange kMagnitudeOffsetRange{-2000, 2000};
constexpr ValueRange kMagnitudeLimitRange{-3000, 3000};
constexpr ValueRange kStarDiameterRange{1, 100};
constexpr ValueRange kFilterModeRange{0, 255};  // non-zero: the manual limit

constexpr size_t kFieldCount = 20;

constexpr std::array<Field, kFieldCount> kFields{{
    {"needequatorialgrid", &ChartSettings::needEquatorialGrid, nullptr},
    {"needgridnumbering", &ChartSettings::needGridNumbering, nullptr},
    {"needecliptic", &ChartSettings::needEcliptic, nullptr},
    {"needhorizon", &ChartSettings::needHorizon, nullptr},
    {"needeconstlines", &ChartSettings::needConstLines, nullptr},
    {"needconstboundaries", &ChartSettings::needConstBoundaries, nullptr},
    {"needconstnames", &ChartSettings::needConstNames, nullptr},
    {"needmilkyway", &ChartSettings::needMilkyWay, nullptr},
    {"starmagnlimitauto", nullptr, &ChartSettings::starLimitAutoOffset, kMagnitudeOffsetRange},
    {"starmaxdiameter", nullptr, &ChartSettings::maxStarDiameter, kStarDiameterRange},
    {"needstarcoloring", &ChartSettings::starColouring, nullptr},
    {"needstarlabel", &ChartSettings::needStarLabel, nullptr},
    {"needstarname", &ChartSettings::needStarName, nullptr},
    {"needstarbayer", &ChartSettings::needStarBayer, nullptr},
    {"needstarflamsteed", &ChartSettings::needStarFlamsteed, nullptr},
    {"needvariablestars", &ChartSettings::needVariableStars, nullptr},
    {"variablefiltermode", nullptr, &ChartSettings::variableFilterMode, kFilterModeRange},
    {"varmagnlimitauto", nullptr, &ChartSettings::variableLimitOffset, kMagnitudeOffsetRange},
    {"varmagnlimitman", nullptr, &ChartSettings::variableLimitManual, kMagnitudeLimitRange},
    {"needdoulestars", &ChartSettings::needDoubleStars, nullptr},
}};

// The keys tried in order; the last is recognised and ignored.
constexpr std::array<std::string_view, kFieldCount + 1> kKeys = [] {
  std::array<std::string_view, kFieldCount + 1> keys{};
  for (size_t i = 0; i < kFieldCount; ++i) keys[i] = kFields[i].key;
  keys[kFieldCount] = "deepskymagnlabel";
  return keys;
}();

}  // namespace

// Files written before the Milky Way had its switch lack its line: they
// show it, as new charts do.
bool readSettingFile(const std::string& path, ChartSettings& settings) {
  ChartSettings read = settings;
  read.needMilkyWay = 1;
  if (!readKeyLines(path, kKeys, [&read](int key, std::optional<std::string_view> value) {
    if (key == static_cast<int>(kFieldCount)) return;
    const Field& field = kFields[key];
    if (field.flag) {
      read.*field.flag = (value && !value->empty() && (*value)[0] == '1') ? 1 : 0;
      if (field.flag == &ChartSettings::needEquatorialGrid) read.automaticGrid = 1;
    } else {
      // A number outside its range is passed over like a line that is not
      // there: the field keeps its value.
      const int number = value ? leadingInt(*value) : 0;
      if (field.range.holds(number)) read.*field.number = number;
    }
  })) {
    return false;
  }
  settings = read;
  return true;
}

// A switch byte counts as on whatever its non-zero value, as everywhere
// else it is read.
std::string settingFileText(const ChartSettings& settings) {
  std::string text;
  for (const Field& field : kFields) {
    appendKeyLine(text, field.key, field.flag ? (settings.*field.flag != 0 ? 1 : 0) : settings.*field.number);
  }
  return text;
}

bool writeSettingFile(const std::string& path, const ChartSettings& settings) {
  return replaceFileContents(path, settingFileText(settings));
}

}  // namespace celvaro
