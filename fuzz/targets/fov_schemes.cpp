// The field-of-view scheme file fovschemes.dat: read, then written back.
#include "fuzz_files.h"
#include "render/fov_schemes.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FovSchemes schemes;
  schemes.load(fuzz::writeScratchFile("fovschemes.dat", fuzz::inputText(data, size)));
  schemes.text();
  return 0;
}
