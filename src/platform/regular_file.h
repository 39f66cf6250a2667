// Opening a file for reading only when it is a regular file, so that a
// directory or a device given as a data file reads as missing.
#pragma once

#include <cstdio>
#include <string>

namespace celvaro {

// The file opened for binary reading, or null.
std::FILE* openRegularFile(const std::string& path);

}  // namespace celvaro
