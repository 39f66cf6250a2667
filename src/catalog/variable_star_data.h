// Variable-star catalogs (CLV_GCVS files): version 3 holds one record
// array sorted by brightness; version 5 groups the records in sky regions,
// filters them by amplitude, type and period, and reads each star's facts
// from its information area on demand. Magnitudes are stored in
// thousandths.
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
struct RenderOptions;

// Type flag bits of a record, in the order of their letters E, P, R, C, L, X.
enum VariableTypeBit : uint8_t {
  kVariableE = 1,
  kVariableP = 2,
  kVariableR = 4,
  kVariableC = 8,
  kVariableL = 16,
  kVariableX = 32,
};

class iStarVarData {
 public:
  virtual ~iStarVarData() = default;
  virtual void setDataDirectory(const std::string& directory) = 0;
  // Version 3: 0, 3 wrong magic, version or value, 4 cannot open.
  // Version 5: 0, 2 wrong magic or version, 3 a value out of range, 4 cannot open.
  virtual int open(const std::string& relativePath) = 0;
  // "RR Lyr", "delta Cep" (as "del Cep"), "V0335 Cyg".
  virtual bool findByDesignation(std::string_view text, StarPosition& found) const = 0;
  virtual bool getPosition(int index, StarPosition& position) const = 0;
  // Appends the designation with its type letters and range ("RR Lyr
  // [EP 7060-8120]") to `text` (the caller's heading).
  virtual void getDesignation(int index, std::string& text) const = 0;
  virtual void draw(RenderingOutput& output, const RenderOptions& layout, const OutputArea& area,
                    iTransformer& transformer, const ChartSettings& settings) const = 0;
  virtual bool readObjectInfo(int index, std::vector<StarInfoItem>& items) const = 0;
  virtual int count() const = 0;
  // The stars that are fast stars of the main catalog move, `years` from J2000.
  virtual void moveMarks(const MarkMotions& /*motions*/, double /*years*/) {}
};

// StarGcvsData1 for version 3 files, StarGcvsData2 for version 5.
std::unique_ptr<iStarVarData> variableStarCatalogOfType(int fileType);

// The text of a designation code: "R", "RR", "QZ", "V0335", "alf", "tet",
// "ksi", "khi", "a", "A"; empty for a code without one.
std::string variableDesignationText(int code);

// A variable star's mean brightness in hundredths: halfway between its
// brightest and its faintest magnitude (thousandths). Its label and the
// chart's limit go by it, so that a former nova, bright once, counts as
// the faint star it mostly is.
constexpr int32_t meanVariableMagnitude(int32_t brightest, int32_t faintest) { return (brightest + faintest) / 20; }

// The label or designation text of a record's fields, at most 127
// characters: "RR Lyr [EP 7.06-8.12]", its range in magnitudes.
std::string variableStarText(int code, int constellation, uint8_t typeFlags, int brightest, int faintest,
                             bool withType, bool withRange);

// The designation code and packed constellation number (1..88) of a typed
// designation: "R And", "rr lyr", "V335 Cyg", "V0335 Cyg", a Greek letter
// in any form readGreekLetter reads ("del Cep", "delta Cep", "khi Cyg",
// "chi Cyg", "χ Cyg", "mu Cep"; "MU Cep" in capitals is the letter pair),
// its superscript passed over. False when either part is not recognised.
bool parseVariableDesignation(std::string_view text, int& code, int& constellation);

// The fields of a star's information record.
enum VariableStarInfoField : uint8_t {
  kVariableInfoDesignation = 1,   // as the GCVS writes it ("δ Cep")
  kVariableInfoType = 2,          // GCVS variability type
  kVariableInfoMaximum = 3,       // magnitude
  kVariableInfoMinimum = 4,       // magnitude, an amplitude in parentheses, or "<" a limit
  kVariableInfoSecondMinimum = 5,
  kVariableInfoSystem = 6,        // photometric system of the magnitudes
  kVariableInfoEpoch = 7,         // Julian date of a maximum or minimum
  kVariableInfoPeriod = 8,        // days
  kVariableInfoRise = 9,          // rise or eclipse duration, percent of the period
  kVariableInfoSpectrum = 10,
  kVariableInfoHipparcos = 11,
  kVariableInfoFieldCount = 12,
};

// The caption of a field: language text 12000 + field, with its English
// stand-in; text id 0 and "?" for unknown fields.
StarInfoCaption variableStarInfoCaption(int field);

}  // namespace celvaro
