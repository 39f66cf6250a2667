#include "app/setting_file.h"

#include <array>

#include "app/chart_settings.h"
#include "app/key_value_lines.h"
#include "platform/file_replace.h"
#include "platform/number_text.h"

namespace celvaro {
namespace {

// A key and its field: a switch (byte 0 or 1) or an int.
struct Field {
  std::string_view key;
  uint8_t ChartSettings::*flag;
  int ChartSettings::*number;
};

constexpr size_t kFieldCount = 19;

constexpr std::array<Field, kFieldCount> kFields{{
    {"needequatorialgrid", &ChartSettings::needEquatorialGrid, nullptr},
    {"needgridnumbering", &ChartSettings::needGridNumbering, nullptr},
    {"needecliptic", &ChartSettings::needEcliptic, nullptr},
    {"needhorizon", &ChartSettings::needHorizon, nullptr},
    {"needeconstlines", &ChartSettings::needConstLines, nullptr},
    {"needconstboundaries", &ChartSettings::needConstBoundaries, nullptr},
    {"needconstnames", &ChartSettings::needConstNames, nullptr},
    {"starmagnlimitauto", nullptr, &ChartSettings::starLimitAutoOffset},
    {"starmaxdiameter", nullptr, &ChartSettings::maxStarDiameter},
    {"needstarcoloring", &ChartSettings::starColouring, nullptr},
    {"needstarlabel", &ChartSettings::needStarLabel, nullptr},
    {"needstarname", &ChartSettings::needStarName, nullptr},
    {"needstarbayer", &ChartSettings::needStarBayer, nullptr},
    {"needstarflamsteed", &ChartSettings::needStarFlamsteed, nullptr},
    {"needvariablestars", &ChartSettings::needVariableStars, nullptr},
    {"variablefiltermode", nullptr, &ChartSettings::variableFilterMode},
    {"varmagnlimitauto", nullptr, &ChartSettings::variableLimitOffset},
    {"varmagnlimitman", nullptr, &ChartSettings::variableLimitManual},
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

bool readSettingFile(const std::string& path, ChartSettings& settings) {
  return readKeyLines(path, kKeys, [&settings](int key, std::optional<std::string_view> value) {
    if (key == static_cast<int>(kFieldCount)) return;
    const Field& field = kFields[key];
    if (field.flag) {
      settings.*field.flag = (value && !value->empty() && (*value)[0] == '1') ? 1 : 0;
      if (field.flag == &ChartSettings::needEquatorialGrid) settings.automaticGrid = 1;
    } else {
      settings.*field.number = value ? leadingInt(*value) : 0;
    }
  });
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
