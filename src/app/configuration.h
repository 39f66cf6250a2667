// The configuration file celvaro.cfg: navigation steps, observing place,
// chart colours, telescope connection, gamepad buttons and spiral search.
#pragma once

#include <string>

#include "app/settings_records.h"
#include "astro/observing_place.h"
#include "output/color_table.h"
#include "telescope/settings_records.h"

namespace celvaro {

// The records the configuration file fills and is written from.
struct ConfigurationRecords {
  NavigationSettings& navigation;
  ObservingPlace& place;
  ColorTable& colors;
  ScopeSettings& scope;
  GamepadSettings& gamepad;
  SpiralSearchSettings& spiral;
};

// A complete set of the records, default-initialised like a fresh start.
struct ConfigurationRecordSet {
  NavigationSettings navigation;
  ObservingPlace place;
  ColorTable colors;
  ScopeSettings scope;
  GamepadSettings gamepad;
  SpiralSearchSettings spiral;

  ConfigurationRecords refs() { return {navigation, place, colors, scope, gamepad, spiral}; }
};

// The file's path: the directory of the user's files of the program
// directory (itself when writable), "/" and celvaro.cfg, cut at 1023
// characters.
std::string configurationPath(const std::string& programDir);

// Reads the file into the records; lines that do not parse and a missing
// file leave the records as they are. False when there is no file to read.
bool loadConfiguration(const std::string& path, const ConfigurationRecords& records);

// The whole file as it is written: always the same 46 lines.
std::string configurationText(const ConfigurationRecords& records);

// Writes the file anew from the records. The old file is replaced only once
// the new one is complete on the disk; false when it could not be written.
bool saveConfiguration(const std::string& path, const ConfigurationRecords& records);

}  // namespace celvaro
