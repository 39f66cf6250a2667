#include "app/fov_schemes.h"

#include <array>
#include <string_view>

#include "app/key_value_lines.h"
#include "app/program_paths.h"
#include "platform/file_replace.h"
#include "platform/number_text.h"

namespace celvaro {
namespace {

struct Field {
  std::string_view key;
  int FovScheme::*value;
};

constexpr std::array<Field, 8> kFields{{
    {"flags", &FovScheme::flags},
    {"ccdxs", &FovScheme::cameraWidth},
    {"ccdys", &FovScheme::cameraHeight},
    {"totalfovradius", &FovScheme::totalFieldRadius},
    {"guiderccdxs", &FovScheme::guiderWidth},
    {"guiderccdys", &FovScheme::guiderHeight},
    {"guideroffset", &FovScheme::guiderOffset},
    {"focallength", &FovScheme::focalLength},
}};

constexpr std::array<std::string_view, kFields.size()> kKeys = [] {
  std::array<std::string_view, kFields.size()> keys{};
  for (size_t i = 0; i < kFields.size(); ++i) keys[i] = kFields[i].key;
  return keys;
}();

// "key" and "key=" with nothing behind it both leave the value alone.
bool hasValue(std::optional<std::string_view> value) { return value && !value->empty() && value->front() != '\n'; }

}  // namespace

void FovSchemes::load(const std::string& path) {
  path_ = path;
  readKeyLines(path, kKeys, [this](int key, std::optional<std::string_view> value) {
    if (hasValue(value)) scheme.*kFields[key].value = leadingInt(*value);
  });
  modified_ = false;
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

std::string fovSchemesPath(const std::string& programDir) { return userFileDirectory(programDir) + "/fovschemes.dat"; }

}  // namespace celvaro
