// Mount type 7, the LX200 command set: raw and line-mode replies, the
// position inquiries and the goto's set commands, driven by a mount script.
#include "fuzz_files.h"
#include "mount_script.h"
#include "telescope/mount_types.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  celvaro::fuzz::runMountScript(celvaro::kMountLx200, celvaro::fuzz::inputText(data, size));
  return 0;
}
