// Photos (JPEG or PNG) read and decoded through the picture class.
#include "fuzz_files.h"
#include "output/bitmap24.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bitmap24 picture;
  picture.load(fuzz::writeScratchFile("photo.jpg", fuzz::inputText(data, size)));
  return 0;
}
