// Mount type 3, the medium Nexstar hand-controller protocol: '#'-ended
// replies, hex positions and pass-through motor moves, driven by a mount
// script (connects, command frames, heartbeats, received bytes, guide
// commands).
#include "fuzz_files.h"
#include "mount_script.h"
#include "telescope/mount_types.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  celvaro::fuzz::runMountScript(celvaro::kMountNexstar, celvaro::fuzz::inputText(data, size));
  return 0;
}
