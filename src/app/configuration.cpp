#include "app/configuration.h"

#include <array>

#include "app/program_paths.h"
#include "astro/value_range.h"
#include "platform/file_replace.h"
#include "platform/key_value_lines.h"
#include "platform/number_text.h"
#include "platform/serial_port.h"
#include "telescope/mount_types.h"

namespace celvaro {
namespace {

enum class Kind { kInt, kDouble, kColor, kGamepadEnabled, kGamepadButton, kText, kName, kFlag };

// One key of the file: what it sets, the numbers it takes and the line end
// it is written with.
struct Field {
  std::string_view key;
  Kind kind;
  int* intTarget = nullptr;
  double* doubleTarget = nullptr;
  ValueRange range{0, 0};
  int colorIndex = 0;
  const char* lineEnd = "\r\n";
  std::string* textTarget = nullptr;
  uint8_t* flagTarget = nullptr;
};

// What the navigation dialog's sliders and radio buttons offer.
constexpr ValueRange kStepsRange{1, 20};
constexpr ValueRange kWheelFunctionRange{0, 2};
constexpr ValueRange kMountTypeRange{0, kMountTypeCount - 1};
constexpr ValueRange kPortRange{1, kSerialPortCount};

// The INDI server's three keys came after the others, and after them the
// place's time-zone name and daylight-saving flag: older files lack them and
// keep their defaults.
constexpr size_t kFieldCount = 35;
// Separators of colour and button values count only within this many characters.
constexpr size_t kListValueChars = 50;

constexpr std::array<std::string_view, kColorCount> kColorKeys{
    "color.background", "color.grid",     "color.ecliptic",     "color.horizon",
    "color.constlines", "color.constboundaries", "color.stars", "color.staredge",
    "color.planets",    "color.planettracks",    "color.deepsky", "color.text",
    "color.starhop",    "color.selection"};

// The keys in the order they are tried when reading and written when saving.
std::array<Field, kFieldCount> fieldsOf(const ConfigurationRecords& r) {
  std::array<Field, kFieldCount> f{{
      {"navigation.panstepssimple", Kind::kInt, &r.navigation.panStepsSimple, nullptr, kStepsRange},
      {"navigation.panstepsshift", Kind::kInt, &r.navigation.panStepsShift, nullptr, kStepsRange},
      {"navigation.zoomsteps", Kind::kInt, &r.navigation.zoomSteps, nullptr, kStepsRange},
      {"navigation.mousewheelfunc", Kind::kInt, &r.navigation.mouseWheelFunction, nullptr, kWheelFunctionRange},
      {"observingplace.longitude", Kind::kDouble, nullptr, &r.place.longitudeDeg, kLongitudeRange},
      {"observingplace.latitude", Kind::kDouble, nullptr, &r.place.latitudeDeg, kLatitudeRange},
      {"observingplace.timezone", Kind::kDouble, nullptr, &r.place.timeZoneHours, kTimeZoneRange},
  }};
  for (int i = 0; i < kColorCount; ++i) f[7 + i] = {kColorKeys[i], Kind::kColor, nullptr, nullptr, {}, i};
  auto lineFeed = [](std::string_view key, Kind kind, int* target = nullptr, ValueRange range = {}) {
    return Field{key, kind, target, nullptr, range, 0, "\n"};
  };
  f[21] = lineFeed("scope.type", Kind::kInt, &r.scope.type, kMountTypeRange);
  f[22] = lineFeed("scope.port", Kind::kInt, &r.scope.port, kPortRange);
  f[23] = lineFeed("scope.eastwestswapposition", Kind::kInt, &r.scope.eastWestSwapPosition, kEastWestSwapRange);
  f[24] = {"gamepad.enabled", Kind::kGamepadEnabled};
  f[25] = lineFeed("gamepad.button", Kind::kGamepadButton);
  auto text = [](std::string_view key, std::string* target) {
    return Field{key, Kind::kText, nullptr, nullptr, {}, 0, "\n", target};
  };
  f[26] = text("gamepad.device", &r.gamepad.device);
  f[27] = lineFeed("spiralsearch.speed", Kind::kInt, &r.spiral.speed, kSpiralSpeedRange);
  f[28] = lineFeed("spiralsearch.radius", Kind::kInt, &r.spiral.radius, kSpiralRadiusRange);
  f[29] = lineFeed("spiralsearch.turns", Kind::kInt, &r.spiral.turns, kSpiralTurnsRange);
  f[30] = text("scope.indihost", &r.scope.indiHost);
  f[31] = lineFeed("scope.indiport", Kind::kInt, &r.scope.indiPort, kIndiPortRange);
  f[32] = text("scope.indidevice", &r.scope.indiDevice);
  f[33] = {"observingplace.zone", Kind::kName, nullptr, nullptr, {}, 0, "\n", &r.place.timeZoneName};
  f[34] = {"observingplace.daylightsaving", Kind::kFlag, nullptr, nullptr, {}, 0, "\n", nullptr, &r.place.daylightSaving};
  return f;
}

std::array<std::string_view, kFieldCount> keysOf(const std::array<Field, kFieldCount>& fields) {
  std::array<std::string_view, kFieldCount> keys;
  for (size_t i = 0; i < kFieldCount; ++i) keys[i] = fields[i].key;
  return keys;
}

// "r;g;b": three atoi fields whose separators lie within the first 50
// characters; fewer fields leave the colour unchanged.
void readColor(std::string_view value, int index, ColorTable& colors) {
  std::string_view head = value.substr(0, kListValueChars);
  size_t first = head.find(';');
  if (first == std::string_view::npos) return;
  size_t second = head.find(';', first + 1);
  if (second == std::string_view::npos) return;
  auto byte = [](std::string_view text) { return static_cast<uint8_t>(leadingInt(text) & 0xFF); };
  colors.setColor(index, {byte(value), byte(value.substr(first + 1)), byte(value.substr(second + 1))});
}

// "index;value": the digits before the ";" and those after it (other
// characters skipped), within the first 50 characters; accepted only for
// index 0..11 and value 0..17.
void readGamepadButton(std::string_view value, GamepadSettings& gamepad) {
  std::string_view head = value.substr(0, kListValueChars);
  size_t separator = head.find(';');
  if (separator == std::string_view::npos) return;
  auto digitsOf = [](std::string_view text) {
    int number = 0;
    for (char c : text) {
      if (c >= '0' && c <= '9' && number < 1000000) number = number * 10 + (c - '0');
    }
    return number;
  };
  int index = digitsOf(head.substr(0, separator));
  int button = digitsOf(head.substr(separator + 1));
  if (index < GamepadSettings::kButtonCount && button <= GamepadSettings::kMaxButtonValue) {
    gamepad.buttons[index] = button;
  }
}

// A path or name: the value without the blanks and line end behind it; an
// empty one keeps the setting, or clears it where empty means none.
void readText(std::string_view value, std::string& target, bool emptyClears) {
  const size_t end = value.find_last_not_of(" \t\r\n");
  if (end != std::string_view::npos || emptyClears) target = std::string(value.substr(0, end + 1));
}

void readField(const Field& field, std::optional<std::string_view> value,
               const ConfigurationRecords& records) {
  switch (field.kind) {
    // A number outside the key's range (not a number at all, for a double)
    // is ignored like a missing value, so the setting keeps its default.
    case Kind::kInt:
      if (value && field.range.holds(leadingInt(*value))) *field.intTarget = leadingInt(*value);
      break;
    case Kind::kDouble:
      if (value && field.range.holds(leadingDouble(*value))) *field.doubleTarget = leadingDouble(*value);
      break;
    case Kind::kColor:
      if (value) readColor(*value, field.colorIndex, records.colors);
      break;
    case Kind::kGamepadEnabled:
      records.gamepad.enabled = (!value || value->empty() || (*value)[0] == '1') ? 1 : 0;
      break;
    case Kind::kGamepadButton:
      if (value) readGamepadButton(*value, records.gamepad);
      break;
    case Kind::kText:
    case Kind::kName:
      if (value) readText(*value, *field.textTarget, field.kind == Kind::kName);
      break;
    case Kind::kFlag:
      if (value && (leadingInt(*value) == 0 || leadingInt(*value) == 1)) *field.flagTarget = leadingInt(*value) != 0;
      break;
  }
}

void writeField(std::string& out, const Field& field, const ConfigurationRecords& records) {
  auto line = [&](std::string_view key, const std::string& text, const char* end) {
    out.append(key).append("=").append(text).append(end);
  };
  switch (field.kind) {
    case Kind::kInt:
      line(field.key, std::to_string(*field.intTarget), field.lineEnd);
      break;
    case Kind::kDouble:
      line(field.key, formatSixDecimals(*field.doubleTarget), field.lineEnd);
      break;
    case Kind::kColor:
      records.colors.writeColor(out, field.colorIndex, field.key);
      break;
    case Kind::kGamepadEnabled:
      line(field.key, records.gamepad.enabled ? "1" : "0", field.lineEnd);
      break;
    case Kind::kGamepadButton:
      for (int i = 0; i < GamepadSettings::kButtonCount; ++i) {
        line(field.key, std::to_string(i) + ';' + std::to_string(records.gamepad.buttons[i]),
             field.lineEnd);
      }
      break;
    case Kind::kText:
    case Kind::kName:
      line(field.key, *field.textTarget, field.lineEnd);
      break;
    case Kind::kFlag:
      line(field.key, *field.flagTarget ? "1" : "0", field.lineEnd);
      break;
  }
}

}  // namespace

std::string configurationPath(const std::string& programDir) {
  return (userFileDirectory(programDir) + "/celvaro.cfg").substr(0, 1023);
}

bool loadConfiguration(const std::string& path, const ConfigurationRecords& records) {
  const auto fields = fieldsOf(records);
  const auto keys = keysOf(fields);
  return readKeyLines(path, keys, [&](int key, std::optional<std::string_view> value) {
    readField(fields[key], value, records);
  });
}

std::string configurationText(const ConfigurationRecords& records) {
  std::string out;
  for (const Field& field : fieldsOf(records)) writeField(out, field, records);
  return out;
}

bool saveConfiguration(const std::string& path, const ConfigurationRecords& records) {
  return replaceFileContents(path, configurationText(records));
}

}  // namespace celvaro
