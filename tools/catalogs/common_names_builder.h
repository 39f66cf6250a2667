// Builds data/common_names.txt: the other names of objects the search
// finds besides those the catalogs show (catalog/common_names.h).
#pragma once

#include <string>

namespace celvaro {

// The classic names first, then every name of Stellarium's nebulae
// names.dat (`deepskyNames`) under its designation; false when the source
// cannot be read or the file cannot be written.
bool buildCommonNameFile(const std::string& deepskyNames, const std::string& dataDirectory);

}  // namespace celvaro
