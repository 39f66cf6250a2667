// Mount type 1, the first Nexstar hand controllers: single-byte replies and
// 4-byte position records, and the goto that waits for them, driven by a
// mount script (connects, command frames, heartbeats, received bytes).
#include "fuzz_files.h"
#include "mount_script.h"
#include "telescope/mount_types.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  celvaro::fuzz::runMountScript(celvaro::kMountOldNexstar, celvaro::fuzz::inputText(data, size));
  return 0;
}
