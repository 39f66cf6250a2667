// The language files lang_*.lng: loaded through the user-interface
// resources, then every text looked up the ways the program does: in id
// order (the sequential case), backwards, and converted to UTF-8.
#include "app/ui_resources.h"
#include "fuzz_files.h"

using namespace celvaro;

namespace {

constexpr int kLastId = 400;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  UiResources resources;
  resources.setProgramDir(fuzz::scratchDirectory());
  fuzz::writeScratchFile(UiResources::languageFileName(kEnglish), fuzz::inputText(data, size));
  if (resources.loadLanguage(kEnglish) != 1) return 0;
  LanguageTable& table = resources.table();
  for (uint32_t id = 0; id <= kLastId; ++id) table.text(id);
  for (int id = kLastId; id >= 0; id -= 7) resources.text(id);
  return 0;
}
