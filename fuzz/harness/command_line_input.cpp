#include "command_line_input.h"

#include <algorithm>

#include "astro/calendar.h"
#include "fuzz_files.h"

namespace celvaro::fuzz {

std::vector<std::string> commandLineArguments(const uint8_t* data, size_t size) {
  const std::string input(inputText(data, size));
  std::vector<std::string> args;
  for (size_t start = 0; start <= input.size();) {
    const size_t end = std::min(input.find('\0', start), input.size());
    args.push_back(input.substr(start, end - start));
    start = end + 1;
  }
  return args;
}

bool isRealDate(const ChartDate& d) {
  const int values[] = {d.year, d.month, d.day, d.hour, d.minute, static_cast<int>(d.seconds)};
  for (int field = 0; field < 6; ++field) {
    if (!dateFieldRange(field, d.year, d.month).holds(values[field])) return false;
  }
  return true;
}

}  // namespace celvaro::fuzz
