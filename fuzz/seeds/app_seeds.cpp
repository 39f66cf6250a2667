// Seeds of the program's own files: the configuration, a setting file and
// the field-of-view scheme as the program writes them (defaults and changed
// values), locale.inf for each language, language files compiled from the
// program's own language sources, and celvaro-chart's command lines.
#include <fstream>
#include <sstream>
#include <string>

#include "app/configuration.h"
#include "app/language_table.h"
#include "app/setting_file.h"
#include "language_source.h"
#include "model/chart_settings.h"
#include "render/fov_schemes.h"
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

// Zone files of the machine's database, one with many changes, one in the
// south, one without summer time; and closing rules of each form.
void writeTimeZoneSeeds(SeedSink& sink) {
  for (const char* zone : {"Europe/Budapest", "Australia/Sydney", "Asia/Kolkata"}) {
    std::ifstream file(std::string("/usr/share/zoneinfo/") + zone, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    sink.add("time_zone_file", bytes.str());
  }
  for (const char* rule : {"CET-1CEST,M3.5.0,M10.5.0/3", "<-02>2<-01>,M3.5.0/-1,M10.5.0/0", "EST5EDT,0/0,J365/25"}) {
    sink.add("time_zone_file", rule);
  }
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

// celvaro-chart's and celvaro-scope's command lines as a user types them, the arguments
// separated by NUL bytes as the system hands them over.
void writeCommandLineSeeds(SeedSink& sink) {
  using namespace std::string_literals;
  sink.add("chart_command_line", "--utc\0""2024-01-15T20:00\0--lat\0""47.5\0--lon\0""19.04\0--ra\0""5.6\0"
                                 "--dec\0""3\0--field\0""3600\0--size\0""400x300\0--out\0x.png"s);
  sink.add("chart_command_line", "--object\0M 42\0--info\0--language\0hu"s);
  sink.add("chart_command_line", "--format\0pdf\0--page\0""297x210\0--margin\0""12.5\0--out\0-"s);
  sink.add("chart_command_line", "--az\0""180\0--alt\0""30\0--refraction\0--stats\0--projection\0""4"s);
  sink.add("scope_command_line", "--type\0lx200\0--port\0/dev/ttyUSB0\0--utc\0""2025-01-01T22:00\0goto\0M 42\0wait\0position"s);
  sink.add("scope_command_line", "--type\0indi\0--server\0localhost:7624\0--device\0Telescope Simulator\0--json\0park\0wait"s);
  sink.add("scope_command_line", "--type\0equatorial\0--port\0p\0move\0e\0fast3\0""2.5\0guide\0w\0""500\0spiral\0""40\0""3"s);
}

}  // namespace

void writeAppSeeds(SeedSink& sink) {
  writeCommandLineSeeds(sink);
  writeConfigurationSeeds(sink);
  writeSettingSeeds(sink);
  writeFovSeeds(sink);
  writeLocaleSeeds(sink);
  writeTimeZoneSeeds(sink);
  writeLanguageSeeds(sink);
}

}  // namespace celvaro::fuzz
