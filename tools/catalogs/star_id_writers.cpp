#include "star_id_writers.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <tuple>

#include "catalog/star_id_format.h"
#include "catalog_writers.h"
#include "platform/binary_file.h"

namespace celvaro {
namespace {

using namespace starid;
using Header = std::array<uint32_t, kHeaderWords>;

uint32_t here(const std::string& out) { return static_cast<uint32_t>(out.size()); }

void padToFour(std::string& out) { out.resize((out.size() + 3) / 4 * 4, '\0'); }

void putU16(std::string& out, size_t at, uint16_t v) {
  out[at] = static_cast<char>(v & 0xFF);
  out[at + 1] = static_cast<char>(v >> 8);
}

void putU32(std::string& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>(v >> (8 * i) & 0xFF);
}

void putDouble(std::string& out, size_t at, double v) { std::memcpy(&out[at], &v, sizeof v); }

std::string asciiLowered(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::vector<uint16_t> alphabeticalOrder(const std::vector<StarIdName>& names) {
  std::vector<uint16_t> order(names.size());
  std::iota(order.begin(), order.end(), uint16_t{0});
  std::vector<std::string> lowered;
  for (const StarIdName& name : names) lowered.push_back(asciiLowered(name.text));
  std::stable_sort(order.begin(), order.end(), [&](uint16_t a, uint16_t b) {
    return std::tie(lowered[a], names[a].text) < std::tie(lowered[b], names[b].text);
  });
  return order;
}

bool appendNames(const std::vector<StarIdName>& names, Header& header, std::string& out) {
  std::string text;
  std::vector<uint16_t> offsets;
  for (const StarIdName& name : names) {
    if (text.size() > kMaxNameStart) return false;
    offsets.push_back(static_cast<uint16_t>(text.size()));
    text += name.text;
    text += '\0';
  }
  if (names.size() > kMaxNames || text.size() > kMaxNameText) return false;
  header[kWordNameTextSize] = static_cast<uint32_t>(text.size());
  header[kWordNameTextOffset] = here(out);
  out += text;
  padToFour(out);
  header[kWordNameCount] = static_cast<uint32_t>(names.size());
  header[kWordNameOffsets] = here(out);
  for (uint16_t offset : offsets) appendU16(out, offset);
  padToFour(out);
  header[kWordNameRecords] = here(out);
  for (const StarIdName& name : names) appendU32(out, static_cast<uint32_t>(name.record));
  header[kWordNameOrder] = here(out);
  for (uint16_t number : alphabeticalOrder(names)) appendU16(out, number);
  padToFour(out);
  return true;
}

int32_t catalogueNumber(const StarIdRecord& r, int code) {
  switch (code) {
    case kCatalogHd: return r.hd;
    case kCatalogHipparcos: return r.hipparcos;
    case kCatalogHr: return r.hr;
    case kCatalogSao: return r.sao;
    default: return r.ppm;
  }
}

void appendCatalogue(const std::vector<StarIdRecord>& records, int code, int firstWord, Header& header,
                     std::string& out) {
  std::vector<int32_t> table;
  for (size_t r = 0; r < records.size(); ++r) {
    const int32_t number = catalogueNumber(records[r], code);
    if (number <= 0) continue;
    if (table.size() <= static_cast<size_t>(number)) table.resize(static_cast<size_t>(number) + 1, -1);
    if (table[number] < 0) table[number] = static_cast<int32_t>(r);
  }
  header[firstWord] = static_cast<uint32_t>(table.size());
  header[firstWord + 1] = here(out);
  for (int32_t record : table) appendU32(out, static_cast<uint32_t>(record));
}

void appendKeys(const std::vector<StarIdKey>& keys, int firstWord, Header& header, std::string& out) {
  header[firstWord] = static_cast<uint32_t>(keys.size());
  header[firstWord + 1] = here(out);
  for (const StarIdKey& key : keys) appendU32(out, key.key);
  header[firstWord + 2] = here(out);
  for (const StarIdKey& key : keys) appendU32(out, static_cast<uint32_t>(key.record));
}

struct NameRun {
  uint16_t first = 0, count = 0;
};

// Each record's first name and the names that follow it for the same record.
std::vector<NameRun> nameRuns(const StarIdContents& c) {
  std::vector<NameRun> runs(c.records.size());
  for (size_t n = 0; n < c.names.size(); ++n) {
    const int32_t record = c.names[n].record;
    if (record < 0 || static_cast<size_t>(record) >= runs.size()) continue;
    NameRun& run = runs[record];
    if (run.count == 0) run = {static_cast<uint16_t>(n), 1};
    else if (run.first + run.count == static_cast<int>(n)) ++run.count;
  }
  return runs;
}

void appendRecord(const StarIdRecord& r, NameRun names, std::string& out) {
  const size_t at = out.size();
  out.resize(at + kRecordBytes, '\0');
  putU16(out, at + kFieldFirstName, names.first);
  putU16(out, at + kFieldNameCount, names.count);
  putU32(out, at + kFieldHipparcos, static_cast<uint32_t>(r.hipparcos));
  putU32(out, at + kFieldHd, static_cast<uint32_t>(r.hd));
  putU32(out, at + kFieldHr, static_cast<uint32_t>(r.hr));
  putU32(out, at + kFieldSao, static_cast<uint32_t>(r.sao));
  putU32(out, at + kFieldPpm, static_cast<uint32_t>(r.ppm));
  putU32(out, at + kFieldTycho, static_cast<uint32_t>(r.tycho));
  out[at + kFieldDmCatalogue] = static_cast<char>(r.dmCatalogue);
  out[at + kFieldDmZone] = static_cast<char>(r.dmZone);
  putU16(out, at + kFieldDmNumber, r.dmNumber);
  out[at + kFieldConstellation] = static_cast<char>(r.constellation);
  out[at + kFieldGreekLetter] = static_cast<char>(r.greekLetter);
  out[at + kFieldSuperscript] = static_cast<char>(r.superscript);
  putU32(out, at + kFieldFlamsteed, static_cast<uint32_t>(r.flamsteed));
  putDouble(out, at + kFieldRa, r.raRad);
  putDouble(out, at + kFieldDec, r.decRad);
}

void writeHeader(const char* magic, const uint32_t* words, int count, std::string& out) {
  std::memcpy(out.data(), magic, kMagicBytes);
  for (int i = 2; i < count; ++i) putU32(out, 4 * static_cast<size_t>(i), words[i]);
}

}  // namespace

std::string starIdBytes(const StarIdContents& c) {
  Header header{};
  header[kWordVersion] = kVersion;
  std::string out(kHeaderWords * 4, '\0');
  if (!appendNames(c.names, header, out)) return {};
  for (int i = 0; i < 5; ++i) appendCatalogue(c.records, kCatalogueCodes[i], kWordCatalogues + 2 * i, header, out);
  appendKeys(c.bayer, kWordBayer, header, out);
  appendKeys(c.flamsteed, kWordFlamsteed, header, out);
  appendKeys(c.durchmusterung, kWordDurchmusterung, header, out);
  out.resize((out.size() + 7) / 8 * 8, '\0');
  header[kWordRecordCount] = static_cast<uint32_t>(c.records.size());
  header[kWordRecordOffset] = here(out);
  const std::vector<NameRun> runs = nameRuns(c);
  for (size_t r = 0; r < c.records.size(); ++r) appendRecord(c.records[r], runs[r], out);
  writeHeader(kMainMagic, header.data(), kHeaderWords, out);
  return out;
}

std::string starIdTychoBytes(std::vector<StarIdTychoEntry> entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const StarIdTychoEntry& a, const StarIdTychoEntry& b) {
    return tychoFirst(a.tycho) < tychoFirst(b.tycho);
  });
  const uint32_t firsts = entries.empty() ? 1 : static_cast<uint32_t>(tychoFirst(entries.back().tycho)) + 1;
  if (firsts > kMaxTychoFirst) return {};
  std::vector<uint32_t> offsets(firsts, 0), counts(firsts, 0);
  for (uint32_t i = 0; i < entries.size(); ++i) {
    const int first = tychoFirst(entries[i].tycho);
    if (counts[first]++ == 0) offsets[first] = i;
  }
  const uint32_t words[kTychoHeaderWords] = {0, 0, kVersion, firsts, static_cast<uint32_t>(entries.size())};
  std::string out(kTychoHeaderWords * 4, '\0');
  writeHeader(kTychoMagic, words, kTychoHeaderWords, out);
  for (uint32_t offset : offsets) appendU32(out, offset);
  for (uint32_t count : counts) appendU32(out, count);
  for (const StarIdTychoEntry& e : entries) {
    appendU32(out, static_cast<uint32_t>(e.tycho));
    appendU32(out, static_cast<uint32_t>(e.record));
    appendDouble(out, e.raRad);
    appendDouble(out, e.decRad);
  }
  return out;
}

}  // namespace celvaro
