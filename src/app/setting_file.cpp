#include "app/setting_file.h"

#include <array>

#include "app/chart_settings.h"
#include "app/key_value_lines.h"
#include "platform/number_text.h"
#include "platform/text_line_reader.h"

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
  TextLineReader reader(path);
  if (!reader.isOpen()) return false;
  std::string line;
  while (reader.next(line)) {
    if (!isSettingLine(line)) continue;
    const int match = matchKey(line, kKeys);
    if (match < 0 || match == static_cast<int>(kFieldCount)) continue;
    const Field& field = kFields[match];
    const auto value = lineValue(line);
    if (field.flag) {
      settings.*field.flag = (value && !value->empty() && (*value)[0] == '1') ? 1 : 0;
      if (field.flag == &ChartSettings::needEquatorialGrid) settings.automaticGrid = 1;
    } else {
      settings.*field.number = value ? leadingInt(*value) : 0;
    }
  }
  return true;
}

std::string settingFileText(const ChartSettings& settings) {
  std::string text;
  for (const Field& field : kFields) {
    const int value = field.flag ? (settings.*field.flag == 1 ? 1 : 0) : settings.*field.number;
    text.append(field.key).append("=").append(std::to_string(value)).append("\r\n");
  }
  return text;
}

}  // namespace celvaro
