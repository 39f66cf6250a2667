// Photos (JPEG or PNG) decoded through the picture class. The decoder is
// compiled into this target, so that it is instrumented and the fuzzer is
// steered through it; the program itself uses the system's build of it.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include "fuzz_files.h"
#include "output/bitmap24.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bitmap24 picture;
  picture.load(fuzz::writeScratchFile("photo.jpg", fuzz::inputText(data, size)));
  return 0;
}
