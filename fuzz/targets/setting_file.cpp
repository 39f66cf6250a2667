// Setting files (*.clv): read into the chart settings, then written back.
#include "app/setting_file.h"
#include "fuzz_files.h"
#include "model/chart_settings.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ChartSettings settings;
  readSettingFile(fuzz::writeScratchFile("settings.clv", fuzz::inputText(data, size)), settings);
  settingFileText(settings);
  return 0;
}
