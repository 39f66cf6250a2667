// The program-wide user-interface resources: the texts of the chosen
// language, the choice kept in locale.inf, the chart's colour table and the
// night-vision switch. The desktop shell makes its pens, brushes and palette
// from what this holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/language_table.h"
#include "model/language_texts.h"
#include "output/color_table.h"

namespace celvaro {

class UiResources : public iLanguageTexts {
 public:
  static constexpr size_t kMaxPathChars = 1023;

  // The directory that holds the language files; locale.inf is among the
  // user's files of that directory.
  void setProgramDir(const std::string& dir);
  const std::string& localeInfPath() const { return localeInfPath_; }

  // Loads the language file of language 1..4; other ids are refused (0,
  // nothing changes). Otherwise 1 when the file was opened, 0 when not (the
  // previous texts stay).
  int loadLanguage(int languageId);
  int languageId() const override { return languageId_; }
  static const char* languageFileName(int languageId);

  // The text of an id in UTF-8, or none.
  std::optional<std::string> text(int id);
  std::string textOr(int id, std::string_view fallback) override;
  LanguageTable& table() { return table_; }

  // The language kept in locale.inf: 1..4, or 0 when the file is missing,
  // short, of mixed case or names another code.
  int readLanguageChoice() const;
  // Writes locale.inf: "EN", "DE", "RO", and "HU" for any other id.
  bool saveLanguageChoice() const;

  // The table the chart is drawn with: the user's own, or the night
  // scheme while night vision is on.
  ColorTable& colors() { return colors_; }
  const ColorTable& colors() const { return colors_; }
  // The user's own table, the one the configuration file keeps; set aside
  // while night vision is on.
  ColorTable& userColors() { return nightVision_ ? userColors_ : colors_; }

  // Night vision on: the user's table is set aside and the chart drawn with
  // the red scheme 6; off: the user's table comes back as it was.
  void setNightVision(bool on);
  bool nightVision() const { return nightVision_; }

 private:
  std::string programDir_ = ".";
  std::string localeInfPath_ = "locale.inf";
  LanguageTable table_;
  int languageId_ = kEnglish;
  ColorTable colors_;
  ColorTable userColors_;  // the user's table while night vision is on
  bool nightVision_ = false;
};

}  // namespace celvaro
