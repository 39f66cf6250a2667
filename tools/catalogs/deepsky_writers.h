// Writers of the deep-sky files, shared by the catalog builder and the
// tests: the CLV_DSCN catalog (catalog/deepsky_file.h), the order of its
// name lists, and the CLV_IDX_ information file (catalog/deepsky_info_file.h).
// Each writer returns the complete file as bytes.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "catalog/deepsky_data.h"
#include "catalog/sky_regions.h"
#include "catalog_writers.h"

namespace celvaro {

struct DeepskyId {
  int code;            // DeepskyIdCode
  uint32_t value = 0;  // the number; for kIdName the named-object number
  std::string text = {};  // kIdOther: the designation
};

struct CatalogDeepskyObject {
  DeepskyObject record;  // its identifier run is set by the writer
  std::vector<DeepskyId> ids;
};

struct CatalogNamedObject {
  NamedObject record;                   // its name offsets and lengths are set by the writer
  std::array<std::u16string, 4> names;  // languages 1..4; empty: none
};

struct DeepskyCatalogContents {
  int32_t version = 4;
  std::array<std::vector<int32_t>, 4> nameLists;  // named-object numbers of lists 1..4
  std::vector<CatalogNamedObject> named;
  std::vector<SkyRegion> regions;                 // written in version 4 only
  std::vector<CatalogDeepskyObject> objects;
};

// Equal other designations share one text.
std::string deepskyCatalogBytes(const DeepskyCatalogContents& contents);

// The named objects in the alphabetical order of their names in language
// 1..4, the English name standing in where that language has none: letters
// compare without diacritics and case (Á, Ä and a alike; Ő as O, ß as s,
// Ș and Ş as S), so the order does not depend on a locale; names equal by
// that key fall back to their code units.
std::vector<int32_t> deepskyNameOrder(const std::vector<CatalogNamedObject>& named, int language);

// The CLV_IDX_ file with `ngcEntries` NGC and `icEntries` IC entries, each
// map keyed by its catalogue number; numbers without values get an empty
// record.
std::string deepskyInfoBytes(const std::map<int32_t, std::vector<InfoValue>>& ngc, int32_t ngcEntries,
                             const std::map<int32_t, std::vector<InfoValue>>& ic, int32_t icEntries);

}  // namespace celvaro
