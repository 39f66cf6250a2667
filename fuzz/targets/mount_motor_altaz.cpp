// Mount type 5, the alt-azimuth mount on its motor controller: the framing
// of '='/'!' replies, the handshake, reference points, goto, tracking and
// the spiral search, driven by a mount script.
#include "fuzz_files.h"
#include "mount_script.h"
#include "telescope/mount_types.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  celvaro::fuzz::runMountScript(celvaro::kMountMotorAltAz, celvaro::fuzz::inputText(data, size));
  return 0;
}
