// The star identification files (CLV_CIDX and the Tycho file CLV_TIDX),
// the two parts of one input: every lookup of the star search window made
// with the keys of the first records, the name list walked, and each record
// found described.
#include "catalog/star_id_database.h"
#include "fuzz_files.h"

using namespace celvaro;

namespace {

constexpr int kQueriedRecords = 16;
constexpr int kWalkedNames = 64;

void lookUpByKeys(const StarIdDatabase& db, const StarIdRecord& r) {
  StarIdRecord found;
  const int32_t numbers[] = {r.hd, r.hd, r.hipparcos, r.hr, 0, r.sao, r.ppm};
  for (int code = 1; code <= 7; ++code) {
    if (db.findByCatalogNumber(code, numbers[code - 1], found)) db.describe(found);
  }
  if (db.findByBayer(r.constellation, r.greekLetter, r.superscript, found)) db.describe(found);
  db.findByBayer(r.constellation, r.greekLetter, 0, found);
  if (db.findByFlamsteed(r.constellation, r.flamsteed, found)) db.describe(found);
  if (db.findByDurchmusterung(r.dmCatalogue, r.dmZone, r.dmNumber, found)) db.describe(found);
  if (db.findByTycho(r.tycho >> 18, (r.tycho >> 4) & 0x3FFF, r.tycho & 15, found)) db.describe(found);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto parts = fuzz::splitParts(fuzz::inputText(data, size), 2);
  StarIdDatabase db;
  db.open(fuzz::writeScratchFile("starid.dat", parts[0]), fuzz::writeScratchFile("starid_tycho.dat", parts[1]));
  StarIdRecord record;
  for (int number = -1; number <= kQueriedRecords; ++number) {
    if (db.readRecord(number, record)) {
      db.describe(record);
      lookUpByKeys(db, record);
    }
  }
  std::string name;
  int recordNumber = 0;
  for (int i = 0; i < kWalkedNames && db.nextName(name, recordNumber); ++i) db.findByName(name.substr(0, 3));
  db.findByName("vega");
  return 0;
}
