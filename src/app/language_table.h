// The table of user-interface texts of one language, read from a language
// file (lang_hu.lng, lang_en.lng, lang_de.lng, lang_ro.lng):
//
//   offset  size    field
//   0       4       not used
//   4       4       must be 0
//   8       4       N, entry count, 1..10000
//   12      4       T, text block length in 16-bit units, 1..100000
//   16      12 N    entries sorted by id: id, offset of the text in 16-bit
//                   units from the start of the text block, text length
//   16+12N  2 T     text block: UTF-16LE strings, each ended by a zero unit
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace celvaro {

struct LanguageEntry {
  uint32_t id;
  std::u16string text;
};

class LanguageTable {
 public:
  static constexpr uint32_t kMaxEntries = 10000;
  static constexpr uint32_t kMaxTextUnits = 100000;

  // Reads a language file. False when it cannot be opened: the table then
  // stays as it was. An opened file whose header or contents are malformed
  // leaves the table empty.
  bool load(const std::string& path);

  bool isLoaded() const { return !entries_.empty(); }
  size_t size() const { return entries_.size(); }

  // The text of an id, or none. An id one above the last one found is taken
  // from the next entry without a scan; otherwise the entries are scanned
  // from the start up to the first id not below the wanted one. An entry
  // whose text lies outside the text block, or is not ended by a zero, has
  // no text.
  std::optional<std::u16string_view> text(uint32_t id);

  // How many entries the last lookup compared (1 for the sequential case).
  size_t lastLookupComparisons() const { return lastComparisons_; }

 private:
  struct Entry {
    uint32_t id;
    uint32_t offset;
  };

  std::optional<std::u16string_view> textAt(size_t index) const;
  void clear();

  std::vector<Entry> entries_;
  std::vector<char16_t> textBlock_;
  uint32_t cacheId_ = 0;
  size_t cacheIndex_ = 0;
  size_t lastComparisons_ = 0;
};

// The bytes of a language file holding `entries` (sorted here by id).
std::string languageFileBytes(std::vector<LanguageEntry> entries);

}  // namespace celvaro
