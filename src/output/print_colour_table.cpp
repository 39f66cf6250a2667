#include "output/print_colour_table.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/data_paths.h"
#include "platform/key_value_lines.h"
#include "platform/text_line_reader.h"

namespace celvaro {
namespace {

constexpr size_t kScannedChars = 100;
constexpr int32_t kFull = 100;

// Up to three digits at `at`; 0 when there are none.
int32_t leadingNumber(std::string_view text, size_t at) {
  int32_t value = 0;
  for (size_t i = at; i < text.size() && i < at + 3 && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
  }
  return std::min(value, kFull);
}

}  // namespace

PrintColourTable::PrintColourTable() { entries_[kWhiteEntry] = {kFull, kFull, kFull}; }

void PrintColourTable::setEntry(int entry, std::string_view text) {
  if (entry < 0 || entry >= kEntries) return;
  const std::string_view scanned = text.substr(0, kScannedChars);
  const size_t first = scanned.find(',');
  const size_t second = first == std::string_view::npos ? first : scanned.find(',', first + 1);
  if (second == std::string_view::npos || first == 0) return;
  entries_[entry] = {leadingNumber(text, 0), leadingNumber(text, first + 1), leadingNumber(text, second + 1)};
}

bool PrintColourTable::load(const std::string& path) {
  TextLineReader reader(path);
  if (!reader.isOpen()) return false;
  std::string line;
  while (reader.next(line)) {
    const auto value = lineValue(line);
    if (!isSettingLine(line) || !value || !std::isdigit(static_cast<unsigned char>(line[0]))) continue;
    setEntry(std::atoi(line.c_str()), *value);
  }
  return true;
}

PrintColour PrintColourTable::entry(int index) const {
  return index >= 0 && index < kEntries ? entries_[index] : PrintColour{};
}

PrintColourTable programPrintColours(const std::string& programDir) {
  PrintColourTable table;
  table.load(resolveDataPath(programDir, "data/printcolours.txt"));
  return table;
}

}  // namespace celvaro
