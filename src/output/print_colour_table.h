// The colours of a printed map, twelve entries of red, green and blue.
#pragma once

#include <array>

#include "app/color_table.h"

namespace celvaro {

struct PrintColourTable {
  static constexpr int kEntries = 12;
  std::array<Rgb, kEntries> entries{};
};

}  // namespace celvaro
