// The configuration file celvaro.cfg: read into a fresh set of records,
// then written back as the program does at shutdown.
#include "app/configuration.h"
#include "fuzz_files.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ConfigurationRecordSet records;
  loadConfiguration(fuzz::writeScratchFile("celvaro.cfg", fuzz::inputText(data, size)), records.refs());
  configurationText(records.refs());
  return 0;
}
