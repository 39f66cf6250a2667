#include "render/fov_schemes.h"

#include <array>
#include <string_view>

#include "astro/value_range.h"
#include "platform/file_replace.h"
#include "platform/key_value_lines.h"
#include "platform/number_text.h"

namespace celvaro {
namespace {

struct Field {
  std::string_view key;
  int FovScheme::*value;
  ValueRange range;
};

// The three overlay elements' bits; lengths in the focal plane up to a metre
// (hundredths of a millimetre) and focal lengths up to 100 m.
constexpr ValueRange kFlagsRange{0, 7};
constexpr ValueRange kLengthRange{0, 100000};
constexpr ValueRange kOffsetRange{-100000, 100000};

constexpr std::array<Field, 8> kFields{{
    {"flags", &FovScheme::flags, kFlagsRange},
    {"ccdxs", &FovScheme::cameraWidth, kLengthRange},
    {"ccdys", &FovScheme::cameraHeight, kLengthRange},
    {"totalfovradius", &FovScheme::totalFieldRadius, kLengthRange},
    {"guiderccdxs", &FovScheme::guiderWidth, kLengthRange},
    {"guiderccdys", &FovScheme::guiderHeight, kLengthRange},
    {"guideroffset", &FovScheme::guiderOffset, kOffsetRange},
    {"focallength", &FovScheme::focalLength, kLengthRange},
}};

constexpr std::array<std::string_view, kFields.size()> kKeys = [] {
  std::array<std::string_view, kFields.size()> keys{};
  for (size_t i = 0; i < kFields.size(); ++i) keys[i] = kFields[i].key;
  return keys;
}();

// "key" and "key=" with nothing behind it both leave the value alone.
bool hasValue(std::optional<std::string_view> value) { return value && !value->empty() && value->front() != '\n'; }

}  // namespace

bool FovSchemes::load(const std::string& path) {
  path_ = path;
  const bool opened = readKeyLines(path, kKeys, [this](int key, std::optional<std::string_view> value) {
    // A number outside its range is ignored like a missing one.
    const Field& field = kFields[key];
    if (hasValue(value) && field.range.holds(leadingInt(*value))) scheme.*field.value = leadingInt(*value);
  });
  modified_ = false;
  return opened;
}

bool FovSchemes::save() {
  if (!modified_) return true;
  if (!replaceFileContents(path_, text())) return false;
  modified_ = false;
  return true;
}

std::string FovSchemes::text() const {
  std::string out;
  for (const Field& field : kFields) appendKeyLine(out, field.key, scheme.*field.value);
  return out;
}

}  // namespace celvaro
