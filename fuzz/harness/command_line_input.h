// What the command-line fuzz targets share: the input's NUL-separated parts
// as the arguments, and the check that a date a reader took is a real one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "astro/chart_date.h"

namespace celvaro::fuzz {

std::vector<std::string> commandLineArguments(const uint8_t* data, size_t size);

// Every field of `date` within the range the calendar gives it.
bool isRealDate(const ChartDate& date);

}  // namespace celvaro::fuzz
