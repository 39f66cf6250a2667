#include "app/ui_resources.h"

#include "app/program_paths.h"
#include "platform/file_replace.h"
#include "platform/regular_file.h"
#include "platform/utf_text.h"

#include <cstdio>

namespace celvaro {
namespace {

constexpr const char* kLanguageCodes[] = {"HU", "EN", "DE", "RO"};
constexpr const char* kLanguageFiles[] = {"lang_hu.lng", "lang_en.lng", "lang_de.lng", "lang_ro.lng"};

std::string joinPath(const std::string& dir, const char* name) {
  std::string path = dir;
  if (!path.empty() && path.back() != '/') path += '/';
  return (path + name).substr(0, UiResources::kMaxPathChars);
}

bool isLanguage(int id) { return id >= kHungarian && id <= kRomanian; }

}  // namespace

void UiResources::setProgramDir(const std::string& dir) {
  programDir_ = dir;
  localeInfPath_ = joinPath(userFileDirectory(dir), "locale.inf");
}

const char* UiResources::languageFileName(int languageId) {
  return isLanguage(languageId) ? kLanguageFiles[languageId - 1] : nullptr;
}

int UiResources::loadLanguage(int languageId) {
  if (!isLanguage(languageId)) return 0;
  languageId_ = languageId;
  return table_.load(joinPath(programDir_, languageFileName(languageId))) ? 1 : 0;
}

std::optional<std::string> UiResources::text(int id) {
  if (id < 0) return std::nullopt;
  auto found = table_.text(static_cast<uint32_t>(id));
  if (!found) return std::nullopt;
  return utf16ToUtf8(*found);
}

std::string UiResources::textOr(int id, std::string_view fallback) {
  auto found = text(id);
  return found ? *found : std::string(fallback);
}

int UiResources::readLanguageChoice() const {
  char code[2];
  std::FILE* file = openRegularFile(localeInfPath_);
  if (!file) return kLanguageNone;
  const bool complete = std::fread(code, 1, 2, file) == 2;
  std::fclose(file);
  if (!complete) return kLanguageNone;
  for (int i = 0; i < 4; ++i) {
    const char* upper = kLanguageCodes[i];
    const bool isUpper = code[0] == upper[0] && code[1] == upper[1];
    const bool isLower = code[0] == upper[0] - 'A' + 'a' && code[1] == upper[1] - 'A' + 'a';
    if (isUpper || isLower) return i + 1;
  }
  return kLanguageNone;
}

bool UiResources::saveLanguageChoice() const {
  const int id = languageId_ == kEnglish || languageId_ == kGerman || languageId_ == kRomanian
                     ? languageId_
                     : kHungarian;
  return replaceFileContents(localeInfPath_, kLanguageCodes[id - 1]);
}

void UiResources::setNightVision(bool on) {
  if (on == nightVision_) return;
  nightVision_ = on;
  if (on) {
    userColors_ = colors_;
    colors_.applyScheme(ColorTable::kNightScheme);
  } else {
    colors_ = userColors_;
  }
}

}  // namespace celvaro
