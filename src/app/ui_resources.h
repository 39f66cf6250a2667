// The program-wide user-interface resources: the texts of the chosen
// language, the choice kept in locale.inf, the chart's colour table and the
// night-vision switch. The desktop shell makes its pens, brushes and palette
// from what this holds.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/color_table.h"
#include "app/language_table.h"

namespace celvaro {

enum LanguageId : int { kLanguageNone = 0, kHungarian = 1, kEnglish = 2, kGerman = 3, kRomanian = 4 };

// A colour of the desktop palette while night vision is on: the system
// colour it stands for (by its classic index) and its level of red.
struct NightVisionColor {
  int systemColor;
  uint8_t red;
};

class UiResources {
 public:
  static constexpr size_t kMaxPathChars = 1023;

  // The directory that holds locale.inf and the language files.
  void setProgramDir(const std::string& dir);
  const std::string& localeInfPath() const { return localeInfPath_; }

  // Loads the language file of language 1..4; other ids are refused (0,
  // nothing changes). Otherwise 1 when the file was opened, 0 when not (the
  // previous texts stay).
  int loadLanguage(int languageId);
  int languageId() const { return languageId_; }
  static const char* languageFileName(int languageId);

  // The text of an id in UTF-8, or none.
  std::optional<std::string> text(int id);
  std::string textOr(int id, std::string_view fallback);
  LanguageTable& table() { return table_; }

  // The language kept in locale.inf: 1..4, or 0 when the file is missing,
  // short, of mixed case or names another code.
  int readLanguageChoice() const;
  // Writes locale.inf: "EN", "DE", "RO", and "HU" for any other id.
  bool saveLanguageChoice() const;

  ColorTable& colors() { return colors_; }
  const ColorTable& colors() const { return colors_; }

  // Night vision: the red colour scheme 6 on, or scheme 1 back.
  void setNightVision(bool on);
  bool nightVision() const { return nightVision_; }
  // The 30 desktop colours the shell turns red while night vision is on.
  static const std::array<NightVisionColor, 30>& nightVisionColors();

 private:
  std::string programDir_ = ".";
  std::string localeInfPath_ = "locale.inf";
  LanguageTable table_;
  int languageId_ = kEnglish;
  ColorTable colors_;
  bool nightVision_ = false;
};

}  // namespace celvaro
