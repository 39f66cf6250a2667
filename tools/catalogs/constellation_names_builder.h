// Builds data/constellation_names.txt from the sky-culture translations
// (Qt .qm files) of the Latin constellation names.
#pragma once

#include <string>

namespace celvaro {

// Reads hu.qm, de.qm and ro.qm of `translationDirectory`; false when one
// cannot be read or the file cannot be written.
bool buildConstellationNameFile(const std::string& translationDirectory, const std::string& dataDirectory);

}  // namespace celvaro
