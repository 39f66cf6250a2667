// Double-star catalogs (CLV_WDSC files): version 3 holds one record array
// sorted by brightness; version 4 groups the records in sky regions,
// filters them by companion magnitude and separation, and reads each
// system's facts from its information area on demand.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/star_data.h"
#include "catalog/star_info_file.h"
#include "catalog/star_mover.h"

namespace celvaro {

class RenderingOutput;
class iTransformer;
struct ChartSettings;
struct OutputArea;

// What findByDesignation answers.
enum DoubleStarFind : int { kDoubleNotParsable = 0, kDoubleNotFound = 1, kDoubleFound = 3 };

class iStarDblData {
 public:
  virtual ~iStarDblData() = default;
  virtual void setDataDirectory(const std::string& directory) = 0;
  // Version 3: 0, 3 wrong magic, version or value, 4 cannot open.
  // Version 4: 0, 2 wrong magic or version, 3 a value out of range, 4 cannot open.
  virtual int open(const std::string& relativePath) = 0;
  // "STF 60", "stf60", "Σ 60": the first system whose designation begins
  // with the key; 0 when the text is not parsable.
  virtual int findByDesignation(std::string_view text, StarPosition& found) const = 0;
  virtual bool getPosition(int index, StarPosition& position) const = 0;
  // Appends the label of system `index` to `text` (the caller's heading).
  virtual void getDesignation(int index, std::string& text) const = 0;
  virtual void draw(RenderingOutput& output, const OutputArea& area, iTransformer& transformer,
                    const ChartSettings& settings, int32_t labelDx, int32_t labelDy) const = 0;
  virtual bool readObjectInfo(int index, std::vector<StarInfoItem>& items) const = 0;
  virtual int count() const = 0;
  // The systems that belong to fast stars move with them, `years` from J2000.
  virtual void moveMarks(const MarkMotions& /*motions*/, double /*years*/) {}
};

// StarDblWDSDataD1 for version 3 files, StarDblWDSDataD2 for version 4.
std::unique_ptr<iStarDblData> doubleStarCatalogOfType(int fileType);

// The seven-character key of a typed discoverer designation, as the WDS
// writes it: the code (one to four letters, or W. Herschel's classes
// "H 1".."H 6" and "H N") padded with blanks to three characters, then the
// number right-aligned in the rest ("stf60" and "Σ 60" give "STF  60",
// "STFA43" and "Σ I 43" give "STFA 43"); the traditional symbols of the
// discoverers stand for their WDS codes. Empty when the text is not
// parsable: no code, more than four letters, no number, or more digits
// than the seven characters leave.
std::string doubleStarKey(std::string_view text);

// The fields of a system's information record.
enum DoubleStarInfoField : uint8_t {
  kDoubleInfoWds = 1,             // WDS coordinate designation ("13239+5456")
  kDoubleInfoDiscoverer = 2,      // the discoverer designation as the sources write it
  kDoubleInfoOtherNames = 3,      // further discoverer designations of the system
  kDoubleInfoHipparcos = 4,       // of the primary
  kDoubleInfoPrimary = 5,         // magnitude, hundredths
  kDoubleInfoCompanion = 6,       // magnitude, hundredths
  kDoubleInfoSeparation = 7,      // tenths of an arcsecond
  kDoubleInfoPositionAngle = 8,   // degrees
  kDoubleInfoYear = 9,            // of the last measure
  kDoubleInfoFieldCount = 10,
};

// The caption of a field: language text 12100 + field, with its English
// stand-in; text id 0 and "?" for unknown fields.
StarInfoCaption doubleStarInfoCaption(int field);

}  // namespace celvaro
