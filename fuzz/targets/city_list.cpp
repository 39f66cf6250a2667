// The city list (CLV_ CITY): loaded, every name walked, the first cities
// read with their places.
#include "aids/city_list.h"
#include "fuzz_files.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CityList cities;
  cities.load(fuzz::writeScratchFile("cities.dat", fuzz::inputText(data, size)));
  for (auto name = cities.firstCity(); name; name = cities.nextCity()) {
  }
  for (int index = -1; index <= 64; ++index) cities.cityAt(index);
  return 0;
}
