// celvaro-lang: compiles a language source (lang/xx.txt) into the binary
// language file the program reads (lang_xx.lng).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "app/language_table.h"
#include "language_source.h"
#include "platform/file_replace.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: celvaro-lang SOURCE.txt OUTPUT.lng\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "celvaro-lang: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  celvaro::LanguageSource source = celvaro::parseLanguageSource(text);
  for (const std::string& error : source.errors) std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
  if (!source.errors.empty()) return 1;
  if (source.entries.empty() || source.entries.size() > celvaro::LanguageTable::kMaxEntries) {
    std::fprintf(stderr, "%s: needs 1 to %u texts\n", argv[1], celvaro::LanguageTable::kMaxEntries);
    return 1;
  }
  size_t units = 0;
  for (const auto& entry : source.entries) units += entry.text.size() + 1;
  if (units > celvaro::LanguageTable::kMaxTextUnits) {
    std::fprintf(stderr, "%s: the texts exceed %u UTF-16 units\n", argv[1], celvaro::LanguageTable::kMaxTextUnits);
    return 1;
  }
  if (!celvaro::replaceFileContents(argv[2], celvaro::languageFileBytes(source.entries))) {
    std::fprintf(stderr, "celvaro-lang: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
