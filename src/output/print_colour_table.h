// The colours of a printed map: twelve entries of red, green and blue in
// percent (0..100). The EPS output takes its fill and text colours from
// them; the program directory's data/printcolours.txt may set them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace celvaro {

struct PrintColour {
  int32_t red = 0, green = 0, blue = 0;
  bool operator==(const PrintColour&) const = default;
};

class PrintColourTable {
 public:
  static constexpr int kEntries = 12;
  static constexpr int kWhiteEntry = 7;

  // All entries black except entry 7, white.
  PrintColourTable();

  // Sets an entry from "r,g,b": up to three digits at the start and after
  // each of the first two commas (found within the first 100 characters).
  // Fewer than two commas, a comma first or an entry above 11 change nothing.
  void setEntry(int entry, std::string_view text);
  // Reads lines "entry=r,g,b" ('#' starts a comment line); false when the
  // file cannot be read, the table then unchanged.
  bool load(const std::string& path);

  // The entry; black outside 0..11.
  PrintColour entry(int index) const;

  bool operator==(const PrintColourTable&) const = default;

 private:
  std::array<PrintColour, kEntries> entries_{};
};

// The print colours of a program directory: the defaults, with the entries
// its data/printcolours.txt sets.
PrintColourTable programPrintColours(const std::string& programDir);

}  // namespace celvaro
