#include "deepsky_sources.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "big_endian_stream.h"
#include "platform/binary_file.h"
#include "platform/utf_text.h"
#include "sky_sources.h"

namespace celvaro {
namespace {

// The catalogue numbers after the physical data, in the order of the
// record: 32-bit numbers (0: none) or strings (empty: none).
struct CatalogueField {
  const char* catalogue;
  bool text;
};
constexpr CatalogueField kCatalogueFields[] = {
    {"NGC", false}, {"IC", false},   {"M", false},     {"C", false},    {"B", false},    {"Sh2", false},
    {"vdB", false}, {"RCW", false},  {"LDN", false},   {"LBN", false},  {"Cr", false},   {"Mel", false},
    {"PGC", false}, {"UGC", false},  {"Ced", true},    {"Arp", false},  {"VV", false},   {"PK", true},
    {"PNG", true},  {"SNRG", true},  {"ACO", true},    {"HCG", true},   {"ESO", true},   {"vdBH", true},
    {"DWB", false}, {"Tr", false},   {"St", false},    {"Ru", false},   {"vdBHa", false},
};

SourceDso readDso(BigEndianStream& in) {
  SourceDso d;
  d.id = in.u32();
  d.raRad = in.f64();
  d.decRad = in.f64();
  d.bMag = in.f64();
  d.vMag = in.f64();
  d.type = in.u32();
  d.morphology = utf16ToUtf8(in.utf16Text());
  d.majorDeg = in.f64();
  d.minorDeg = in.f64();
  d.positionAngleDeg = static_cast<int32_t>(in.u32());
  d.redshift = in.f64();
  for (int skipped = 0; skipped < 3; ++skipped) in.f64();  // the redshift's error, the parallax and its error
  d.distanceKpc = in.f64();
  in.f64();  // distance error
  for (const CatalogueField& field : kCatalogueFields) {
    std::string number = field.text ? utf16ToUtf8(in.utf16Text()) : std::to_string(in.u32());
    if (!number.empty() && number != "0") d.designations.push_back({field.catalogue, std::move(number)});
  }
  return d;
}

std::string trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

constexpr uint8_t kQmMagic[16] = {0x3C, 0xB8, 0x64, 0x18, 0xCA, 0xEF, 0x9C, 0x95,
                                  0xCD, 0x21, 0x1C, 0xBF, 0x60, 0xA1, 0xBD, 0xDD};
constexpr uint8_t kQmMessages = 0x69;

enum QmTag : uint8_t { kQmEnd = 1, kQmTranslation = 3, kQmSourceText = 6, kQmContext = 7, kQmComment = 8 };

// The messages section: each message is a run of tagged fields ended by
// kQmEnd. The translation is length-prefixed UTF-16, the source text,
// context and comment length-prefixed 8-bit text; any other tag is not
// expected in these files and ends the reading as malformed.
bool readQmMessages(BigEndianStream in, std::map<std::string, std::u16string>& translations) {
  std::string source, comment;
  std::u16string translation;
  while (!in.atEnd()) {
    const uint8_t tag = in.u8();
    if (tag == kQmEnd) {
      if (!source.empty() && !translation.empty()) {
        if (comment.empty()) translations[source] = translation;
        else translations.try_emplace(source, translation);
      }
      source.clear(), comment.clear(), translation.clear();
    } else if (tag == kQmTranslation) {
      translation = in.utf16Text();
    } else if (tag == kQmSourceText || tag == kQmContext || tag == kQmComment) {
      const std::string value(in.bytes(in.u32()));
      if (tag == kQmSourceText) source = value;
      if (tag == kQmComment) comment = value;
    } else {
      return false;
    }
  }
  return !in.failed();
}

}  // namespace

bool readStellariumDsos(const std::string& gzipPath, std::vector<SourceDso>& dsos) {
  std::string bytes;
  if (!readGzipFile(gzipPath, bytes)) {
    std::fprintf(stderr, "cannot read %s\n", gzipPath.c_str());
    return false;
  }
  BigEndianStream in(bytes);
  const std::string version = utf16ToUtf8(in.utf16Text()), edition = utf16ToUtf8(in.utf16Text());
  while (!in.atEnd()) {
    SourceDso dso = readDso(in);
    if (!in.failed()) dsos.push_back(std::move(dso));
  }
  if (in.failed() || dsos.empty()) {
    std::fprintf(stderr, "%s (catalog version %s %s) ends inside a record\n", gzipPath.c_str(), version.c_str(),
                 edition.c_str());
    return false;
  }
  return true;
}

std::string designationKey(const std::string& catalogue, const std::string& number) {
  std::string key = catalogue + " " + number;
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

bool readStellariumDsoNames(const std::string& path, std::vector<SourceDsoName>& names) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  // Columns 1-5 the catalogue, 6-20 the number, then _("name") and an
  // optional comment "# KEY, KEY" citing its sources.
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() < 20 || line[0] == '#') continue;
    const size_t open = line.find("_(\"", 20), close = line.find("\")", open);
    if (open == std::string::npos || close == std::string::npos) continue;
    SourceDsoName name{designationKey(trimmed(line.substr(0, 5)), trimmed(line.substr(5, 15))),
                       line.substr(open + 3, close - open - 3)};
    const size_t hash = line.find('#', close);
    std::stringstream sources(hash == std::string::npos ? "" : line.substr(hash + 1));
    for (std::string source; std::getline(sources, source, ',');) {
      ++name.sources;
      name.wellKnown = name.wellKnown || trimmed(source) == "WK";
    }
    names.push_back(std::move(name));
  }
  return !names.empty();
}

bool readQmTranslations(const std::string& path, std::map<std::string, std::u16string>& translations) {
  std::string bytes;
  if (!readWholeFile(path, bytes) || bytes.size() < sizeof kQmMagic ||
      std::memcmp(bytes.data(), kQmMagic, sizeof kQmMagic) != 0) {
    std::fprintf(stderr, "%s is not a Qt translation file\n", path.c_str());
    return false;
  }
  // Sections: a tag byte, a 32-bit length, the contents.
  BigEndianStream in(std::string_view(bytes).substr(sizeof kQmMagic));
  while (!in.atEnd()) {
    const uint8_t tag = in.u8();
    const std::string_view section = in.bytes(in.u32());
    if (tag == kQmMessages && !readQmMessages(BigEndianStream(section), translations)) break;
  }
  if (in.failed() || translations.empty()) {
    std::fprintf(stderr, "%s holds no readable messages\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace celvaro
