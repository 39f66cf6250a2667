// The deep-sky catalog (CLV_DSCN files): galaxies, clusters and nebulae
// held wholly in memory, handed out one by one for drawing, looked up by
// designation and by common name, with their designations formatted for
// labels. Version 3 files hold one object array; version 4 files add sky
// regions (objects sorted by level within each) and the per-object facts
// of the NGC/IC information file (CLV_IDX_).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/star_data.h"
#include "catalog/star_info_file.h"

namespace celvaro {

class iTransformer;
struct ChartSettings;
struct DeepskyIdentifierSettings;
struct OutputArea;

// Object types; 11 to 14 take the settings and symbols of 2, 7, 5 and 3.
enum DeepskyType : int {
  kGalaxy = 1,
  kGlobularCluster = 2,
  kOpenCluster = 3,
  kAsterism = 4,
  kClusterWithNebula = 5,
  kPlanetaryNebula = 6,
  kBrightNebula = 7,
  kSupernovaRemnant = 8,
  kDarkNebula = 9,
  kGalaxyCluster = 10,
  kQuasar = 15,
  kDeepskyTypeSlots = 16,
};

// The type whose settings and symbol a type uses.
int deepskySettingsType(int type);

// Identifier item codes.
enum DeepskyIdCode : int {
  kIdMessier = 1,
  kIdNgc = 2,
  kIdIc = 3,
  kIdUgc = 4,
  kIdPgc = 5,
  kIdName = 254,
  kIdOther = 255,
};

// The magnitude of an object whose brightness the catalog does not know.
constexpr int16_t kUnknownDeepskyMagnitude = 9999;

// An object's level is the number of these edges its prominence exceeds
// (its magnitude, brightened by up to 3 for a size above 10'), so that
// level L < 10 shows the objects up to the L-th edge and level 10 all.
inline constexpr std::array<double, 10> kDeepskyLevelEdges = {4, 5, 6, 8, 10, 11, 12, 13.5, 14.5, 15.5};

struct DeepskyObject {
  uint16_t type = 0;
  uint16_t level = 0;
  int16_t magnitude = 0;         // hundredths, kUnknownDeepskyMagnitude when unknown
  double raRad = 0, decRad = 0;
  int32_t majorAxis = 0;         // hundredths of an arcminute
  int32_t minorAxis = 0;
  uint16_t positionAngle = 0;    // degrees from north through east
  int32_t firstIdWord = 0;
  int32_t idItemCount = 0;
};

struct NamedObject {
  int32_t object = 0;
  int32_t firstCode = 0, firstNumber = 0;
  int32_t secondCode = 0, secondNumber = 0;
  struct NameText {
    int32_t offset = 0;  // in 16-bit units of the name text
    int32_t length = 0;  // 0 or less: none in that language
  };
  NameText names[4];     // languages 1 Hungarian, 2 English, 3 German, 4 Romanian
};

// The alphabetical lists of common names, one per language.
class iNamedObjIterator {
 public:
  virtual ~iNamedObjIterator() = default;
  // List 1..4; any other number selects an empty list.
  virtual void selectNameList(int list) = 0;
  // The next position in the name index, -1 at the end.
  virtual int nextName() = 0;
  virtual std::optional<NamedObject> getNamedObject(int position) const = 0;
  // The name in the current list's language, English when it has none.
  virtual std::optional<std::u16string> getName(int position) const = 0;
};

class iDeepskyData : public iNamedObjIterator {
 public:
  virtual void setDataDirectory(const std::string& directory) = 0;
  // 0, 1 wrong magic or version, 3 a header value out of range or a file
  // that does not hold what its header announces, 4 cannot open; the
  // catalog is empty unless 0.
  virtual int open(const std::string& relativePath) = 0;
  // The NGC/IC information file, used as given.
  virtual void setInfoFile(const std::string& path) = 0;

  virtual void prepareDraw(const ChartSettings& settings, const OutputArea& area, iTransformer& transformer) = 0;
  // The next object to draw with its two label flags; -1 at the end.
  virtual int nextVisible(DeepskyObject& object, bool& label, bool& secondLabel) = 0;

  virtual bool getObject(int index, DeepskyObject& object) const = 0;
  // The first two Messier/NGC/IC identifiers packed as code * 2^24 + number.
  virtual bool getPrimaryIds(int index, int32_t& first, int32_t& second) const = 0;
  // "M 31", "m31", "NGC 224", "IC 1", "UGC 454", "PGC 2557", the label
  // forms "M31", "IC1", "U454", "PGC2557", or any other designation an
  // object carries ("C 14", "Mel 25", "Sh2-281", "B 33"), case, blanks and
  // hyphens ignored.
  virtual bool findByDesignation(std::string_view text, StarPosition& found) const = 0;
  virtual bool findById(int code, int32_t number, StarPosition& found) const = 0;
  virtual void setIdentifierSettings(const DeepskyIdentifierSettings& settings) = 0;
  // Appends the designations (and the name, the magnitude) to `text`;
  // language 1..4 as the user-interface languages. Labels write the short
  // forms of a chart ("M31", "224", "U454"), the full list of identifiers
  // the catalogues' own ("M 31", "NGC 224", "UGC 454"); the magnitude, in
  // tenths within brackets ("[84]"), is left out where it is unknown.
  virtual bool formatDesignation(int index, std::u16string& text, int language, bool allIdentifiers,
                                 bool withMagnitude) const = 0;
  // The object's common name in language 1..4 (the English one where it
  // has none there); empty for an object without a name.
  virtual std::u16string nameOf(int index, int language) const = 0;
  // The facts of an NGC or IC object from the information file.
  virtual bool readObjectInfo(int index, std::vector<StarInfoItem>& items) const = 0;
  virtual int objectCount() const = 0;
};

// DeepskyDataD1 for version 3 files, DeepskyDataD2 for version 4; null for
// any other file type.
std::unique_ptr<iDeepskyData> deepskyCatalogOfType(int fileType);

// "M 31", "NGC 224", "IC 1" for the search lists; empty for other codes.
std::string namedIdentifierText(int code, int32_t number);

}  // namespace celvaro
