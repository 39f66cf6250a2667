// locale.inf, the language chosen at the last shutdown.
#include "app/ui_resources.h"
#include "fuzz_files.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  UiResources resources;
  resources.setProgramDir(fuzz::scratchDirectory());
  fuzz::writeScratchFile("locale.inf", fuzz::inputText(data, size));
  resources.readLanguageChoice();
  return 0;
}
