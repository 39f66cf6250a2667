#include "constellation_names_builder.h"

#include <cstdio>

#include "constellation_names_writer.h"
#include "deepsky_sources.h"
#include "platform/file_replace.h"

namespace celvaro {

bool buildConstellationNameFile(const std::string& translationDirectory, const std::string& dataDirectory) {
  std::array<NameTranslations, 3> translations;
  const char* const codes[] = {"hu", "de", "ro"};
  for (size_t k = 0; k < translations.size(); ++k) {
    if (!readQmTranslations(translationDirectory + "/" + codes[k] + ".qm", translations[k])) return false;
  }
  const std::string path = dataDirectory + "/constellation_names.txt";
  const bool written = replaceFileContents(path, constellationNamesText(translations));
  if (!written) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return written;
}

}  // namespace celvaro
