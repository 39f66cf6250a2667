// What the catalog builder reads of the deep-sky sources: the Stellarium
// deep-sky catalog (nebulae/default/catalog.dat), the common names of its
// objects (names.dat) and the translations of those names (Qt .qm files of
// the sky cultures).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace celvaro {

// A catalogue designation as the source gives it: "NGC" and "224", "Sh2"
// and "155", "Ced" and "55d".
struct SourceDesignation {
  std::string catalogue;
  std::string number;
};

struct SourceDso {
  uint32_t id = 0;                  // the source's own object number
  double raRad = 0, decRad = 0;     // J2000
  double bMag = 99, vMag = 99;      // 99: unknown
  uint32_t type = 0;                // the source's type number (see the builder)
  std::string morphology;
  double majorDeg = 0, minorDeg = 0;
  int32_t positionAngleDeg = 0;
  double redshift = 99;             // 99: unknown
  double distanceKpc = 0;           // 0: unknown
  std::vector<SourceDesignation> designations;  // in the source's catalogue order
};

// The gzip-compressed catalog, a big-endian Qt data stream: two version
// strings, then records to the end of the stream.
bool readStellariumDsos(const std::string& gzipPath, std::vector<SourceDso>& dsos);

// A common name with the designation it is given for, as an upper-case key
// ("NGC 224", "SH2 155"; an empty catalogue gives the source's own
// number, " 17").
struct SourceDsoName {
  std::string key;
  std::string name;      // English
  int sources = 0;       // the number of sources the file cites for it
  bool wellKnown = false;  // among them "WK", the file's mark of the usual name
};

// The common names in the file's order.
bool readStellariumDsoNames(const std::string& path, std::vector<SourceDsoName>& names);

// The upper-case key of a designation, as readStellariumDsoNames uses it.
std::string designationKey(const std::string& catalogue, const std::string& number);

// The translations of a Qt .qm file: source text (UTF-8) to translation.
// A message without a disambiguating comment wins over one with.
bool readQmTranslations(const std::string& path, std::map<std::string, std::u16string>& translations);

}  // namespace celvaro
