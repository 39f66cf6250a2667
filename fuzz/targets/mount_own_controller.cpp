// Mount type 6, Celvaro's own controller: its handshake under the watchdog
// and whatever arrives meanwhile, driven by a mount script.
#include "fuzz_files.h"
#include "mount_script.h"
#include "telescope/mount_types.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  celvaro::fuzz::runMountScript(celvaro::kMountOwnController, celvaro::fuzz::inputText(data, size));
  return 0;
}
