// Seeds of the program's own files: the configuration, a setting file and
// the field-of-view scheme as the program writes them (defaults and changed
// values), locale.inf for each language, and language files compiled from
// the program's own language sources.
#include <fstream>
#include <sstream>

#include "app/chart_settings.h"
#include "app/configuration.h"
#include "app/fov_schemes.h"
#include "app/language_table.h"
#include "app/setting_file.h"
#include "language_source.h"
#include "seed_sink.h"

namespace celvaro::fuzz {
namespace {

void writeConfigurationSeeds(SeedSink& sink) {
  ConfigurationRecordSet records;
  sink.add("configuration", configurationText(records.refs()));
  records.place.latitudeDeg = -33.9, records.place.longitudeDeg = 151.2;
  records.colors.applyScheme(6);
  sink.add("configuration", configurationText(records.refs()));
}

void writeSettingSeeds(SeedSink& sink) {
  ChartSettings settings;
  sink.add("setting_file", settingFileText(settings));
  settings.fieldArcmin = 120, settings.projectionId = 3, settings.mirrorMode = 1;
  sink.add("setting_file", settingFileText(settings));
}

void writeFovSeeds(SeedSink& sink) {
  FovSchemes schemes;
  sink.add("fov_schemes", schemes.text());
  schemes.scheme.flags = FovScheme::kTotalField, schemes.scheme.focalLength = 400;
  sink.add("fov_schemes", schemes.text());
}

void writeLocaleSeeds(SeedSink& sink) {
  for (const char* code : {"HU", "EN", "DE", "RO", "en"}) sink.add("locale_inf", code);
}

void writeLanguageSeeds(SeedSink& sink) {
  for (const char* code : {"en", "hu"}) {
    std::ifstream source(std::string(CELVARO_LANG_SOURCE_DIR) + "/" + code + ".txt", std::ios::binary);
    std::stringstream text;
    text << source.rdbuf();
    LanguageSource parsed = parseLanguageSource(text.str());
    if (parsed.entries.size() > 300) parsed.entries.resize(300);  // small seeds mutate faster
    sink.add("language_file", languageFileBytes(parsed.entries));
  }
}

}  // namespace

void writeAppSeeds(SeedSink& sink) {
  writeConfigurationSeeds(sink);
  writeSettingSeeds(sink);
  writeFovSeeds(sink);
  writeLocaleSeeds(sink);
  writeLanguageSeeds(sink);
}

}  // namespace celvaro::fuzz
