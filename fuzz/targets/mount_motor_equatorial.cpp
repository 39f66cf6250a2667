// Mount type 4, the equatorial mount on its motor controller: the framing of
// '='/'!' replies, the two-part handshake, goto, park, synchronisation,
// tracking, guiding and the spiral search, driven by a mount script.
#include "fuzz_files.h"
#include "mount_script.h"
#include "telescope/mount_types.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  celvaro::fuzz::runMountScript(celvaro::kMountMotorEquatorial, celvaro::fuzz::inputText(data, size));
  return 0;
}
