#include "catalog/star_id_database.h"

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "astro/constellation_list.h"
#include "catalog/greek_letters.h"
#include "catalog/star_id_format.h"
#include "platform/binary_file.h"
#include "platform/mapped_file.h"
#include "platform/utf_text.h"
#include "platform/ascii_text.h"

namespace celvaro {
namespace {

using namespace starid;

constexpr std::u16string_view kGreekSymbols = u"αβγδεζηθικλμνξοπρστυφχψω";
constexpr std::string_view kGreekNames[kGreekLetterCount] = {
    "alfa", "beta", "gamma", "delta", "epsilon", "zeta",    "eta", "teta", "iota", "kappa", "lambda", "mu",
    "nu",   "ksi",  "omikron", "pi",  "rho",     "sigma",   "tau", "upsilon", "phi", "khi", "psi",    "omega"};
constexpr std::string_view kDmNames[] = {"Bonner Durchmusterung", "Cordoba Durchmusterung",
                                         "Southern Durchmusterung", "Cape Photographic Durchmusterung"};
constexpr std::string_view kDmAbbreviations[] = {"BD", "CD", "SD", "CP"};

// Maps the file: only the pages a lookup touches are ever read.
bool readFile(const std::string& path, MappedFile& file) {
  file = MappedFile(path);
  return file.isOpen();
}

bool hasMagic(const MappedFile& file, const char* magic, int headerWords) {
  return file.size() >= static_cast<size_t>(headerWords) * 4 && std::memcmp(file.bytes().data(), magic, kMagicBytes) == 0 &&
         loadU32(&file[kWordVersion * 4]) == kVersion;
}

uint32_t word(const MappedFile& file, int number) { return loadU32(&file[static_cast<size_t>(number) * 4]); }

bool fits(const MappedFile& file, uint32_t offset, uint32_t count, size_t itemBytes) {
  return count == 0 || uint64_t{offset} + uint64_t{count} * itemBytes <= file.size();
}

int32_t int32At(const uint8_t* p) { return static_cast<int32_t>(loadU32(p)); }

double doubleAt(const uint8_t* p) {
  double value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

void decodeRecord(const uint8_t* r, StarIdRecord& record) {
  std::memcpy(record.lookup, r, sizeof record.lookup);
  record.hipparcos = int32At(r + kFieldHipparcos);
  record.hd = int32At(r + kFieldHd);
  record.hr = int32At(r + kFieldHr);
  record.sao = int32At(r + kFieldSao);
  record.ppm = int32At(r + kFieldPpm);
  record.tycho = int32At(r + kFieldTycho);
  record.dmCatalogue = r[kFieldDmCatalogue];
  record.dmZone = static_cast<int8_t>(r[kFieldDmZone]);
  record.dmNumber = loadU16(r + kFieldDmNumber);
  record.constellation = static_cast<int8_t>(r[kFieldConstellation]);
  record.greekLetter = r[kFieldGreekLetter];
  record.superscript = r[kFieldSuperscript];
  record.flamsteed = int32At(r + kFieldFlamsteed);
  record.raRad = doubleAt(r + kFieldRa);
  record.decRad = doubleAt(r + kFieldDec);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The number of a text of one to nine digits; -1 for any other text.
int32_t numberOf(std::string_view digits) {
  if (digits.empty() || digits.size() > 9) return -1;
  int32_t number = 0;
  for (char c : digits) {
    if (!isDigit(c)) return -1;
    number = number * 10 + (c - '0');
  }
  return number;
}

// Whether the text is the constellation's abbreviation or its Latin name,
// with blanks or underscores between the words.
bool namesConstellation(std::string_view text, int constellation) {
  if (sameIgnoringCase(text, constellationAbbreviation(constellation))) return true;
  const std::string_view name = constellationName(constellation);
  if (text.size() != name.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i] == ' ' ? '_' : text[i];
    if (lowerAscii(c) != lowerAscii(name[i])) return false;
  }
  return true;
}

// The catalogue codes by the prefixes their numbers are written with.
struct CataloguePrefix {
  std::string_view prefix;
  int code;
};
constexpr CataloguePrefix kCataloguePrefixes[] = {
    {"HIP", kCatalogHipparcos}, {"HD", kCatalogHd}, {"HR", kCatalogHr}, {"SAO", kCatalogSao}, {"PPM", kCatalogPpm}};

// The catalogues numbered in parts: the Durchmusterungen by zone and
// number, Tycho by three numbers (code 0). "CPD" before the "CP" it begins.
constexpr CataloguePrefix kPartedPrefixes[] = {{"BD", kBonner},           {"CD", kCordoba},
                                               {"SD", kSouthern},         {"CPD", kCapePhotographic},
                                               {"CP", kCapePhotographic}, {"TYC", 0}};

// The numbers of a text such as "+27 3410", "-16°1591" or
// "2133-2964-1": a sign only before the first, blanks, one '-' or a degree
// sign between them; empty when anything else is there.
std::vector<int32_t> numberPartsOf(std::string_view text) {
  std::vector<int32_t> parts;
  int32_t sign = 1;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) sign = text[0] == '-' ? -1 : 1, text.remove_prefix(1);
  while (!text.empty()) {
    size_t digits = 0;
    while (digits < text.size() && isDigit(text[digits])) ++digits;
    const int32_t number = numberOf(text.substr(0, digits));
    if (number < 0) return {};
    parts.push_back(sign * number);
    sign = 1;
    text = trimmed(text.substr(digits));
    if (text.starts_with('-')) {
      text = trimmed(text.substr(1));
    } else if (text.starts_with("\u00b0")) {
      text = trimmed(text.substr(std::string_view("\u00b0").size()));
    }
  }
  return parts;
}

void appendAscii(std::u16string& text, std::string_view ascii) { text.append(ascii.begin(), ascii.end()); }

void appendNumber(std::u16string& text, int64_t number) { appendAscii(text, std::to_string(number)); }

void appendDesignation(const StarIdRecord& r, std::u16string& text) {
  if (r.constellation < 0 || r.constellation >= kConstellationCount) return;
  if (r.flamsteed > 0) {
    appendNumber(text, r.flamsteed);
    text += u' ';
  }
  if (r.greekLetter < kGreekLetterCount) {
    text += kGreekSymbols[r.greekLetter];
    text += u'(';
    appendAscii(text, kGreekNames[r.greekLetter]);
    text += u") ";
    if (r.superscript > 0) {
      appendNumber(text, r.superscript);
      text += u' ';
    }
  }
  appendAscii(text, constellationAbbreviation(r.constellation));
  text += u"\r\n";
}

void appendDurchmusterung(const StarIdRecord& r, std::u16string& text) {
  if (durchmusterungName(r.dmCatalogue).empty()) return;
  appendAscii(text, durchmusterungName(r.dmCatalogue));
  text += u" (";
  appendAscii(text, durchmusterungAbbreviation(r.dmCatalogue));
  text += u") :";
  appendNumber(text, r.dmZone);
  text += u',';
  appendNumber(text, r.dmNumber);
  text += u"\r\n";
}

}  // namespace

std::string_view greekLetterName(int letter) {
  return letter >= 0 && letter < kGreekLetterCount ? kGreekNames[letter] : std::string_view();
}

std::string_view durchmusterungName(int catalogue) {
  return catalogue >= kBonner && catalogue <= kCapePhotographic ? kDmNames[catalogue - 1] : std::string_view();
}

std::string_view durchmusterungAbbreviation(int catalogue) {
  return catalogue >= kBonner && catalogue <= kCapePhotographic ? kDmAbbreviations[catalogue - 1] : std::string_view();
}

int StarIdDatabase::open(const std::string& mainPath, const std::string& tychoPath) {
  *this = StarIdDatabase();
  openTycho(tychoPath);
  const int result = openMain(mainPath);
  if (result != 0) main_.close();
  return result;
}

int StarIdDatabase::openMain(const std::string& path) {
  if (!readFile(path, main_)) return 4;
  if (!hasMagic(main_, kMainMagic, kHeaderWords)) return 1;
  const uint32_t recordCount = word(main_, kWordRecordCount), recordOffset = word(main_, kWordRecordOffset);
  if (recordCount > INT32_MAX || !fits(main_, recordOffset, recordCount, kRecordBytes)) return 3;
  records_ = {recordOffset, recordCount};
  openNames();
  for (int i = 0; i < 5; ++i) {
    const uint32_t count = word(main_, kWordCatalogues + 2 * i), offset = word(main_, kWordCatalogues + 2 * i + 1);
    if (fits(main_, offset, count, 4)) catalogues_[i] = {offset, count};
  }
  bayer_ = keyTable(kWordBayer);
  flamsteed_ = keyTable(kWordFlamsteed);
  durchmusterung_ = keyTable(kWordDurchmusterung);
  return 0;
}

void StarIdDatabase::openNames() {
  const uint32_t textSize = word(main_, kWordNameTextSize), textOffset = word(main_, kWordNameTextOffset);
  const uint32_t count = word(main_, kWordNameCount), offsets = word(main_, kWordNameOffsets),
                 records = word(main_, kWordNameRecords), order = word(main_, kWordNameOrder);
  if (textSize > kMaxNameText || count > kMaxNames || !fits(main_, textOffset, textSize, 1) ||
      !fits(main_, offsets, count, 2) || !fits(main_, records, count, 4) || !fits(main_, order, count, 2)) {
    return;
  }
  nameText_ = {textOffset, textSize};
  nameOffsets_ = {offsets, count};
  nameRecords_ = {records, count};
  nameOrder_ = {order, count};
}

StarIdDatabase::KeyTable StarIdDatabase::keyTable(int firstWord) const {
  const uint32_t count = word(main_, firstWord), keys = word(main_, firstWord + 1), records = word(main_, firstWord + 2);
  if (!fits(main_, keys, count, 4) || !fits(main_, records, count, 4)) return {};
  return {{keys, count}, {records, count}};
}

void StarIdDatabase::openTycho(const std::string& path) {
  if (!readFile(path, tycho_) || !hasMagic(tycho_, kTychoMagic, kTychoHeaderWords)) return;
  const uint32_t firsts = word(tycho_, kTychoWordFirstCount), entries = word(tycho_, kTychoWordEntryCount);
  const uint32_t offsets = kTychoHeaderWords * 4;
  if (firsts < 1 || firsts > kMaxTychoFirst || !fits(tycho_, offsets, 2 * firsts, 4) ||
      !fits(tycho_, offsets + 8 * firsts, entries, kTychoEntryBytes)) {
    return;
  }
  tychoOffsets_ = {offsets, firsts};
  tychoCounts_ = {offsets + 4 * firsts, firsts};
  tychoEntries_ = {offsets + 8 * firsts, entries};
}

int StarIdDatabase::recordCount() const { return static_cast<int>(records_.count); }

int StarIdDatabase::nameCount() const { return static_cast<int>(nameOffsets_.count); }

bool StarIdDatabase::readName(size_t number, std::string_view& text, int& recordNumber) const {
  if (number >= nameOffsets_.count) return false;
  const size_t start = loadU16(&main_[nameOffsets_.offset + 2 * number]);
  const int32_t record = int32At(&main_[nameRecords_.offset + 4 * number]);
  if (start >= nameText_.count || record < 0 || static_cast<size_t>(record) >= records_.count) return false;
  const char* begin = reinterpret_cast<const char*>(&main_[nameText_.offset + start]);
  const void* end = std::memchr(begin, 0, nameText_.count - start);
  if (!end) return false;
  text = std::string_view(begin, static_cast<const char*>(end) - begin);
  recordNumber = record;
  return true;
}

int StarIdDatabase::findName(std::string_view text, bool whole) const {
  if (text.empty()) return -1;
  for (size_t n = 0; n < nameOffsets_.count; ++n) {
    std::string_view name;
    int record;
    if (readName(n, name, record) && (whole ? sameIgnoringCase(name, text) : startsWithIgnoringCase(name, text))) {
      return record;
    }
  }
  return -1;
}

int StarIdDatabase::findByName(const std::string& text) const {
  const int record = findName(text, true);
  return record >= 0 ? record : findName(text, false);
}

bool StarIdDatabase::findByCatalogueText(std::string_view text, StarIdRecord& record) const {
  for (const CataloguePrefix& c : kCataloguePrefixes) {
    if (!startsWithIgnoringCase(text, c.prefix)) continue;
    const int32_t number = numberOf(trimmed(text.substr(c.prefix.size())));
    if (number > 0) return findByCatalogNumber(c.code, number, record);
  }
  for (const CataloguePrefix& c : kPartedPrefixes) {
    if (!startsWithIgnoringCase(text, c.prefix)) continue;
    const std::vector<int32_t> n = numberPartsOf(trimmed(text.substr(c.prefix.size())));
    if (c.code == 0) return n.size() == 3 && findByTycho(n[0], n[1], n[2], record);
    return n.size() == 2 && findByDurchmusterung(c.code, n[0], n[1], record);
  }
  return false;
}

bool StarIdDatabase::findByDesignation(std::string_view text, StarIdRecord& record) const {
  text = trimmed(text);
  if (findByCatalogueText(text, record)) return true;
  size_t length = 0;
  int superscript = 0;
  const int letter = readGreekLetter(text, length, superscript);
  if (letter < 0) {
    while (length < text.size() && isDigit(text[length])) ++length;
  }
  const int32_t flamsteed = letter < 0 ? numberOf(text.substr(0, length)) : 0;
  if (letter < 0 && flamsteed <= 0) return false;
  const std::string_view constellation = trimmed(text.substr(length));
  for (int c = 0; c < kConstellationCount; ++c) {
    if (!namesConstellation(constellation, c)) continue;
    if (letter >= 0 ? findByBayer(c, letter, superscript, record) : findByFlamsteed(c, flamsteed, record)) return true;
  }
  return false;
}

bool StarIdDatabase::findByText(std::string_view text, StarIdRecord& record) const {
  text = trimmed(text);
  const int whole = findName(text, true);
  if (whole >= 0) return readRecord(whole, record);
  return findByDesignation(text, record) || readRecord(findName(text, false), record);
}

bool StarIdDatabase::readRecord(int recordNumber, StarIdRecord& record) const {
  if (recordNumber < 0 || static_cast<size_t>(recordNumber) >= records_.count) return false;
  decodeRecord(&main_[records_.offset + kRecordBytes * static_cast<size_t>(recordNumber)], record);
  return true;
}

bool StarIdDatabase::findByCatalogNumber(int code, int32_t number, StarIdRecord& record) const {
  for (int i = 0; i < 5; ++i) {
    const Section& table = catalogues_[i];
    if (kCatalogueCodes[i] != code) continue;
    if (number <= 0 || static_cast<size_t>(number) >= table.count) return false;
    return readRecord(int32At(&main_[table.offset + 4 * static_cast<size_t>(number)]), record);
  }
  return false;
}

bool StarIdDatabase::findKey(const KeyTable& table, uint32_t key, uint32_t mask, StarIdRecord& record) const {
  for (size_t i = 0; i < table.keys.count; ++i) {
    if ((loadU32(&main_[table.keys.offset + 4 * i]) & mask) == key &&
        readRecord(int32At(&main_[table.records.offset + 4 * i]), record)) {
      return true;
    }
  }
  return false;
}

bool StarIdDatabase::findByBayer(int constellation, int greekLetter, int superscript, StarIdRecord& record) const {
  if (constellation < 0 || constellation >= kConstellationCount || greekLetter < 0 || greekLetter >= kGreekLetterCount ||
      superscript < 0 || superscript > 0xFF) {
    return false;
  }
  const uint32_t mask = superscript == 0 ? 0xFFFF00 : 0xFFFFFF;
  return findKey(bayer_, bayerKey(constellation, greekLetter, superscript), mask, record);
}

bool StarIdDatabase::findByFlamsteed(int constellation, int number, StarIdRecord& record) const {
  if (constellation < 0 || constellation >= kConstellationCount || number <= 0 || number > 0xFFFF) return false;
  return findKey(flamsteed_, flamsteedKey(constellation, number), 0xFFFFFF, record);
}

bool StarIdDatabase::findByDurchmusterung(int catalogue, int zone, int number, StarIdRecord& record) const {
  if (durchmusterungName(catalogue).empty() || zone < INT8_MIN || zone > INT8_MAX || number < 0 || number > 0xFFFF) {
    return false;
  }
  return findKey(durchmusterung_, durchmusterungKey(catalogue, zone, number), 0xFFFFFFFF, record);
}

bool StarIdDatabase::findByTycho(int first, int second, int third, StarIdRecord& record) const {
  if (first <= 0 || static_cast<size_t>(first) >= tychoOffsets_.count || second < 0 || second > 0x3FFF || third < 0 ||
      third > 0xF) {
    return false;
  }
  const size_t begin = loadU32(&tycho_[tychoOffsets_.offset + 4 * static_cast<size_t>(first)]);
  const size_t count = loadU32(&tycho_[tychoCounts_.offset + 4 * static_cast<size_t>(first)]);
  if (begin > tychoEntries_.count || count > tychoEntries_.count - begin) return false;
  const int32_t packed = packTycho(first, second, third);
  for (size_t i = begin; i < begin + count; ++i) {
    const uint8_t* entry = &tycho_[tychoEntries_.offset + kTychoEntryBytes * i];
    if (int32At(entry) == packed) return readTychoEntry(entry, record);
  }
  return false;
}

bool StarIdDatabase::readTychoEntry(const uint8_t* entry, StarIdRecord& record) const {
  const int32_t recordNumber = int32At(entry + 4);
  if (recordNumber >= 0) return readRecord(recordNumber, record);
  record = StarIdRecord();
  record.tycho = int32At(entry);
  record.constellation = -1;
  record.greekLetter = 0xFF;
  record.raRad = doubleAt(entry + 8);
  record.decRad = doubleAt(entry + 16);
  return true;
}

bool StarIdDatabase::nextName(std::string& name, int& recordNumber) {
  while (nameCursor_ >= 0 && static_cast<size_t>(nameCursor_) < nameOrder_.count) {
    const size_t number = loadU16(&main_[nameOrder_.offset + 2 * static_cast<size_t>(nameCursor_++)]);
    std::string_view text;
    int record;
    if (readName(number, text, record)) {
      name.assign(text);
      recordNumber = record;
      return true;
    }
  }
  return false;
}

void StarIdDatabase::appendNames(const StarIdRecord& record, std::u16string& text) const {
  const size_t first = loadU16(record.lookup + kFieldFirstName), count = loadU16(record.lookup + kFieldNameCount);
  if (count == 0 || first + count > nameOffsets_.count) return;
  std::string line;
  for (size_t n = first; n < first + count; ++n) {
    std::string_view name;
    int recordNumber;
    if (!readName(n, name, recordNumber)) continue;
    if (!line.empty()) line += ", ";
    line += name;
  }
  if (line.empty()) return;
  text += utf8ToUtf16(line);
  text += u"\r\n";
}

std::u16string StarIdDatabase::describe(const StarIdRecord& record) const {
  std::u16string text;
  appendNames(record, text);
  appendDesignation(record, text);
  appendDurchmusterung(record, text);
  // The catalogues that number the star, each on a line; one that does
  // not number it (0) is left out.
  const std::pair<const char*, int32_t> numbers[] = {{"Hipparcos", record.hipparcos},
                                                     {"HD", record.hd},
                                                     {"Harvard", record.hr},
                                                     {"SAO", record.sao},
                                                     {"PPM", record.ppm}};
  std::string lines;
  for (const auto& [catalogue, number] : numbers) {
    if (number > 0) lines += std::string(catalogue) + ":" + std::to_string(number) + "\r\n";
  }
  if (record.tycho != 0) {
    lines += "Tycho:" + std::to_string(tychoFirst(record.tycho)) + "-" + std::to_string(tychoSecond(record.tycho)) +
             "-" + std::to_string(tychoThird(record.tycho));
  }
  appendAscii(text, lines);
  if (text.ends_with(u"\r\n")) text.resize(text.size() - 2);
  return text;
}

}  // namespace celvaro
