// Setting files (*.clv): the chart's display switches and magnitude-limit
// settings, one "key=value\r\n" line each, 19 lines in a fixed order.
#pragma once

#include <string>

namespace celvaro {

struct ChartSettings;

// Reads a setting file into the settings; fields without a line keep
// their values. False when the file cannot be opened (nothing changes).
bool readSettingFile(const std::string& path, ChartSettings& settings);

// The 19 lines of a setting file, byte for byte.
std::string settingFileText(const ChartSettings& settings);

// Writes the settings into a setting file. The old file is replaced only
// once the new one is complete on the disk; false when it could not be
// written.
bool writeSettingFile(const std::string& path, const ChartSettings& settings);

}  // namespace celvaro
