#include "app/language_table.h"

#include <algorithm>

#include "platform/binary_file.h"

namespace celvaro {
namespace {

constexpr size_t kHeaderBytes = 16;
constexpr size_t kEntryBytes = 12;

}  // namespace

void LanguageTable::clear() {
  entries_.clear();
  textBlock_.clear();
  cacheId_ = 0;
  cacheIndex_ = 0;
}

bool LanguageTable::load(const std::string& path) {
  BinaryFile file(path);
  if (!file.isOpen()) return false;
  clear();
  uint8_t header[kHeaderBytes];
  if (!file.read(header, sizeof header)) return true;
  const uint32_t count = loadU32(header + 8), units = loadU32(header + 12);
  if (loadU32(header + 4) != 0 || count < 1 || count > kMaxEntries || units < 1 ||
      units > kMaxTextUnits) {
    return true;
  }
  std::vector<uint8_t> bytes;
  if (!file.readInto(bytes, count * kEntryBytes) || !file.readInto(bytes, units * 2)) return true;
  entries_.resize(count);
  for (uint32_t i = 0; i < count; ++i) {
    entries_[i] = {loadU32(&bytes[i * kEntryBytes]), loadU32(&bytes[i * kEntryBytes + 4])};
  }
  textBlock_.resize(units);
  const uint8_t* text = &bytes[count * kEntryBytes];
  for (uint32_t i = 0; i < units; ++i) textBlock_[i] = static_cast<char16_t>(loadU16(text + 2 * i));
  return true;
}

std::optional<std::u16string_view> LanguageTable::textAt(size_t index) const {
  const uint32_t offset = entries_[index].offset;
  if (offset >= textBlock_.size()) return std::nullopt;
  auto begin = textBlock_.begin() + offset;
  auto end = std::find(begin, textBlock_.end(), u'\0');
  if (end == textBlock_.end()) return std::nullopt;
  return std::u16string_view(&*begin, static_cast<size_t>(end - begin));
}

std::optional<std::u16string_view> LanguageTable::text(uint32_t id) {
  lastComparisons_ = 0;
  size_t next = cacheIndex_ + 1;
  if (id == cacheId_ + 1 && next < entries_.size() && entries_[next].id == id) {
    lastComparisons_ = 1;
    cacheId_ = id;
    cacheIndex_ = next;
    return textAt(next);
  }
  for (size_t i = 0; i < entries_.size(); ++i) {
    ++lastComparisons_;
    if (entries_[i].id < id) continue;
    if (entries_[i].id > id) break;
    cacheId_ = id;
    cacheIndex_ = i;
    return textAt(i);
  }
  cacheId_ = 0;
  cacheIndex_ = 0;
  return std::nullopt;
}

std::string languageFileBytes(std::vector<LanguageEntry> entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const LanguageEntry& a, const LanguageEntry& b) { return a.id < b.id; });
  std::string table, text;
  uint32_t units = 0;
  for (const LanguageEntry& entry : entries) {
    appendU32(table, entry.id);
    appendU32(table, units);
    appendU32(table, static_cast<uint32_t>(entry.text.size()));
    for (char16_t unit : entry.text) appendU16(text, unit);
    appendU16(text, 0);
    units += static_cast<uint32_t>(entry.text.size() + 1);
  }
  std::string file;
  appendU32(file, 0);
  appendU32(file, 0);
  appendU32(file, static_cast<uint32_t>(entries.size()));
  appendU32(file, units);
  return file + table + text;
}

}  // namespace celvaro
